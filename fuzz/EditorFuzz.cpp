// The masterpoint file editor on any file: what it shows is each line numbered, with a
// blank after the player number, and saving the shown text unchanged writes the file back
// byte for byte (each line ended by CR LF, as masterpoint files are). The first byte of the
// input moves the lines' numbers to where the prefix changes form (lines 10,000 and
// 100,000), as a file of that many lines would.
#include "FuzzSupport.h"

#include "mpfiles/MPFileEditing.h"

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

std::string Numbered(std::size_t lineNumber) {
    std::string prefix = std::to_string(lineNumber) + ". ";
    if (prefix.size() < 6)
        prefix.insert(0, 6 - prefix.size(), ' ');
    return prefix.substr(0, 6);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    constexpr std::size_t kFirstNumbers[] = {1, 9990, 99990, 999990};
    const std::size_t firstNumber = kFirstNumbers[data[0] % 4];
    const LineList file(std::string(fuzz::AsText(data + 1, size - 1)));

    // The file as a masterpoint file holds it: every line ended by CR LF.
    std::string original;
    for (std::size_t i = 0; i < file.Count(); ++i)
        original += std::string(file[i]) + "\r\n";

    for (std::size_t i = 0; i < file.Count(); ++i) {
        const std::string line(file[i]);
        const std::size_t number = firstNumber + i;
        const std::string shown = ShownEditorLine(line, number);
        const std::string expected = Numbered(number) + line.substr(0, 7) + " " +
                                     (line.size() > 7 ? line.substr(7) : std::string());
        Check(shown == expected, "a line is shown numbered, a blank after its player number",
              "line " + std::to_string(number) + ": '" + shown + "'");
        Check(SavedEditorLine(shown, number) == line, "an unchanged line saves as it was",
              "line " + std::to_string(number) + ": '" + line + "' shown '" + shown + "' saved '" +
                  SavedEditorLine(shown, number) + "'");
    }
    if (firstNumber != 1)
        return 0;

    // The whole file: shown as one text, taken apart into the editor's lines, and saved.
    const std::string text = ShownEditorText(file);
    std::vector<std::string> editorLines;
    if (!text.empty()) {
        std::size_t begin = 0;
        for (std::size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1)
            editorLines.push_back(text.substr(begin, end - begin));
        editorLines.push_back(text.substr(begin));
    }
    Check(editorLines.size() == file.Count(), "the editor shows one line for each line");
    const std::string saved = SavedEditorText(editorLines);
    Check(saved == original, "an unchanged file saves byte for byte",
          std::to_string(saved.size()) + " bytes saved of " + std::to_string(original.size()));
    return 0;
}
