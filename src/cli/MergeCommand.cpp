#include "cli/MergeCommand.h"
#include "core/TextHelpers.h"

#include "core/AsciiText.h"
#include "mpfiles/MPMerge.h"

#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

// What `mpsec merge` was asked to do.
struct MergeRequest {
    MPType Type = MPType::None;
    std::string Output;
    bool OutputGiven = false, Yes = false;
    std::vector<std::string> Inputs;
};

// The options, or none when they are not a merge's (an unknown option, one given twice or
// without its value, no type of the merge window, an empty output).
std::optional<MergeRequest> ParseMergeOptions(const std::vector<std::string>& args) {
    MergeRequest request;
    std::string typeName;
    bool typeGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--yes") {
            request.Yes = true;
        } else if (arg == "--type" || arg == "--output") {
            bool& given = arg == "--type" ? typeGiven : request.OutputGiven;
            // An option given twice is ambiguous: refused, not guessed.
            if (given || i + 1 == args.size())
                return std::nullopt;
            given = true;
            (arg == "--type" ? typeName : request.Output) = args[++i];
        } else if (arg.rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            request.Inputs.push_back(arg);
        }
    }
    for (const MergeChoice& choice : kMergeChoices)
        if ("." + typeName == MPTypeExtension(choice.Type))
            request.Type = choice.Type;
    if (request.Type == MPType::None || (request.OutputGiven && request.Output.empty()))
        return std::nullopt;
    return request;
}

// Whether the merge has at least two files, all of its type; says on `err` why not.
bool InputsFitMerge(const MergeRequest& request, std::ostream& err) {
    if (request.Inputs.size() < 2) {
        err << "mpsec merge: " << kMergeOneFileMessage << "\n" << kMergeUsage;
        return false;
    }
    // The window offers only files of the chosen type; here a file of another type (red
    // points named for a gold merge) is refused rather than filed under the wrong colour.
    for (const std::string& input : request.Inputs)
        if (LowerAscii(PathText(PathFromText(input).extension())) !=
            MPTypeExtension(request.Type)) {
            err << "mpsec merge: " << input << " is not a " << MPTypeExtension(request.Type)
                << " file; nothing was merged.\n";
            return false;
        }
    return true;
}

} // namespace

int RunMergeCommand(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
                    const std::string& lastClubNo, const CivilDate& today, std::ostream& out,
                    std::ostream& err) {
    const std::optional<MergeRequest> request = ParseMergeOptions(args);
    if (!request) {
        err << kMergeUsage;
        return 2;
    }
    if (!InputsFitMerge(*request, err))
        return 2;
    std::error_code ec;
    const fs::path folder = WholePath(dataFolder);
    std::vector<fs::path> paths;
    for (const std::string& input : request->Inputs)
        paths.push_back(folder / PathFromText(input));
    // A missing input is said before anything about the output.
    if (Status readable = CheckMergeInputs(paths); !readable) {
        err << "mpsec merge: " << readable.Message() << ". Nothing was merged.\n";
        return 2;
    }
    const fs::path target = request->OutputGiven
                                ? folder / PathFromText(request->Output)
                                : DefaultMergeName(folder, lastClubNo, today, request->Type);
    if (fs::exists(fs::symlink_status(target, ec)) && !request->Yes) {
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
