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

// The guide as shown on one system ("Linux" or "Windows", as os::SystemName() gives it):
// a paragraph whose first line begins with "**Linux:** " or "**Windows:** " is kept only on
// that system, without those words; every other paragraph is kept as it is. (The README
// shows the guide whole, each such paragraph under its system's name.)
std::string GuideFor(std::string_view markdown, std::string_view system);

// The guide's sections, split at its "## " headings, in order; text before the first
// heading is not part of any section.
std::vector<GuideSection> SplitGuide(std::string_view markdown);

// The section that tells about the window with this caption; the first section for a
// window the guide has no section of its own for.
std::string HelpSectionFor(std::string_view windowCaption);

} // namespace mpsec
