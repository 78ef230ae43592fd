#pragma once
#include "core/LineList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// The editor shows each line of a masterpoint file numbered and with the player number set
// apart from the points: line 1 "0012345000125" is shown "   1. 0012345 000125". Saving
// takes both additions away again, so an unchanged line is written back byte for byte.

// The number prefix of editor line `lineNumber` (from 1): "n. " right-justified in six
// characters; from 10000 on only its first six characters ("10000.").
std::string ShownPrefix(std::size_t lineNumber);

// The shown form of a file line: the prefix, then the line with one blank after its seventh
// character (at its end when it is shorter).
std::string ShownEditorLine(std::string_view fileLine, std::size_t lineNumber);

// The shown forms of every line of a file, as one text of lines joined by "\n".
std::string ShownEditorText(const LineList& file);

// The file line an editor line saves as. The prefix is removed only where it is there: a
// well-formed prefix of any line number, one the user damaged (blanks, digits and the "."
// with or without its blank), or the six digits of the prefix of the line's own place
// (`lineNumber`, from 100000 on); a line without one keeps all its characters. The blank
// after the number is removed only when it is there; on a line of at most seven characters
// the blank added at its end goes too, so a short line comes back as it was.
std::string SavedEditorLine(std::string_view editorLine, std::size_t lineNumber);

// The file text of the editor's lines, each ending in CR LF. A last line left empty (the
// editor's line after a final Enter) writes nothing, so no editor lines write an empty
// file.
std::string SavedEditorText(const std::vector<std::string>& editorLines);

inline constexpr const char* kEditorSavedMessage = "     File Saved Successfully.     ";

} // namespace mpsec
