#include "mpfiles/MPFileEditing.h"

#include "core/TextHelpers.h"

#include <algorithm>

namespace mpsec {

namespace {

constexpr std::size_t kPrefixWidth = 6;
constexpr std::size_t kNumberWidth = 7;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the number prefix at the start of an editor line, 0 when it has none.
std::size_t PrefixLength(std::string_view line, std::size_t lineNumber) {
    const std::string_view head = line.substr(0, kPrefixWidth);
    if (head.size() == kPrefixWidth && head == ShownPrefix(lineNumber))
        return kPrefixWidth;
    // Line numbers of six digits fill the prefix without their ". "; such a prefix moved to
    // another line (lines added or removed above it) is six digits before the number, its
    // inserted blank after it.
    if (head.size() == kPrefixWidth && std::all_of(head.begin(), head.end(), IsDigit) &&
        line.size() > kPrefixWidth + kNumberWidth && line[kPrefixWidth + kNumberWidth] == ' ')
        return kPrefixWidth;
    std::size_t at = 0;
    while (at < line.size() && line[at] == ' ')
        ++at;
    const std::size_t digits = at;
    while (at < line.size() && IsDigit(line[at]))
        ++at;
    if (at >= line.size() || line[at] != '.' || (at > digits && line[digits] == '0'))
        return 0;
    const std::string_view number = line.substr(digits, at - digits);
    // Well formed for another line number (lines were added or removed above it).
    if (!number.empty() && head.size() == kPrefixWidth &&
        head == PadLeft(std::string(number) + ". ", kPrefixWidth, ' '))
        return kPrefixWidth;
    // Damaged: a blank too many or too few, a digit lost.
    ++at;
    if (at < line.size() && line[at] == ' ')
        ++at;
    return at;
}

} // namespace

std::string ShownPrefix(std::size_t lineNumber) {
    return PadLeft(std::to_string(lineNumber) + ". ", kPrefixWidth, ' ');
}

std::string ShownEditorLine(std::string_view fileLine, std::size_t lineNumber) {
    std::string shown = ShownPrefix(lineNumber);
    shown.reserve(shown.size() + fileLine.size() + 1);
    if (fileLine.size() < kNumberWidth) {
        shown += fileLine;
        shown += ' ';
    } else {
        shown += fileLine.substr(0, kNumberWidth);
        shown += ' ';
        shown += fileLine.substr(kNumberWidth);
    }
    return shown;
}

std::string ShownEditorText(const LineList& file) {
    std::string text;
    text.reserve(file.Count() * 22);
    for (std::size_t i = 0; i < file.Count(); ++i) {
        if (i > 0)
            text += '\n';
        text += ShownEditorLine(file[i], i + 1);
    }
    return text;
}

std::string SavedEditorLine(std::string_view editorLine, std::size_t lineNumber) {
    std::string saved(editorLine.substr(PrefixLength(editorLine, lineNumber)));
    if (saved.size() > kNumberWidth) {
        if (saved[kNumberWidth] == ' ')
            saved.erase(kNumberWidth, 1);
    } else if (!saved.empty() && saved.back() == ' ') {
        saved.pop_back();
    }
    return saved;
}

std::string SavedEditorText(const std::vector<std::string>& editorLines) {
    std::size_t count = editorLines.size();
    if (count > 0 && editorLines.back().empty())
        --count;
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += SavedEditorLine(editorLines[i], i + 1);
        text += "\r\n";
    }
    return text;
}

} // namespace mpsec
