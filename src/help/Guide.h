#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// One section of the user's guide: its heading and its text (Markdown).
struct GuideSection {
    std::string Title;
    std::string Text;
    bool operator==(const GuideSection&) const = default;
};

// The guide's sections, split at its "## " headings, in order; text before the first
// heading is not part of any section.
std::vector<GuideSection> SplitGuide(std::string_view markdown);

// The section that tells about the window with this caption; the first section for a
// window the guide has no section of its own for.
std::string HelpSectionFor(std::string_view windowCaption);

} // namespace mpsec
