#include "cli/MergeCommand.h"
#include "core/TextHelpers.h"

#include "core/AsciiText.h"
#include "mpfiles/MPMerge.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace mpsec {

int RunMergeCommand(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
                    const std::string& lastClubNo, const CivilDate& today, std::ostream& out,
                    std::ostream& err) {
    std::string typeName, output;
    bool yes = false, typeGiven = false, outputGiven = false, bad = false;
    std::vector<std::string> inputs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--yes") {
            yes = true;
        } else if (arg == "--type" || arg == "--output") {
            bool& given = arg == "--type" ? typeGiven : outputGiven;
            // An option given twice is ambiguous: refused, not guessed.
            if (given || i + 1 == args.size()) {
                bad = true;
                break;
            }
            given = true;
            (arg == "--type" ? typeName : output) = args[++i];
        } else if (arg.rfind("--", 0) == 0) {
            bad = true;
            break;
        } else {
            inputs.push_back(arg);
        }
    }
    MPType type = MPType::None;
    for (const MergeChoice& choice : kMergeChoices)
        if ("." + typeName == MPTypeExtension(choice.Type))
            type = choice.Type;
    if (bad || type == MPType::None || (outputGiven && output.empty())) {
        err << kMergeUsage;
        return 2;
    }
    if (inputs.size() < 2) {
        err << "mpsec merge: " << kMergeOneFileMessage << "\n" << kMergeUsage;
        return 2;
    }
    // The window offers only files of the chosen type; here a file of another type (red
    // points named for a gold merge) is refused rather than filed under the wrong colour.
    for (const std::string& input : inputs)
        if (LowerAscii(PathText(PathFromText(input).extension())) != MPTypeExtension(type)) {
            err << "mpsec merge: " << input << " is not a " << MPTypeExtension(type)
                << " file; nothing was merged.\n";
            return 2;
        }
    std::error_code ec;
    const fs::path folder = WholePath(dataFolder);
    std::vector<fs::path> paths;
    for (const std::string& input : inputs)
        paths.push_back(folder / PathFromText(input));
    // A missing input is said before anything about the output.
    if (Status readable = CheckMergeInputs(paths); !readable) {
        err << "mpsec merge: " << readable.Message() << ". Nothing was merged.\n";
        return 2;
    }
    const fs::path target = outputGiven ? folder / PathFromText(output)
                                        : DefaultMergeName(folder, lastClubNo, today, type);
    if (fs::exists(fs::symlink_status(target, ec)) && !yes) {
        err << "mpsec merge: " << MergeOverwriteQuestion(PathText(target.filename()))
            << "(give --yes to replace it)\n";
        return 1;
    }
    if (Status merged = MergeMPFiles(paths, target); !merged) {
        err << "mpsec merge: " << merged.Message() << ". Nothing was merged.\n";
        return 2;
    }
    out << PathText(target) << "\n" << TrimBlanks(kMergeDoneMessage) << "\n";
    return 0;
}

} // namespace mpsec
