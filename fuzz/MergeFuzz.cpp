// Merging masterpoint files of any bytes: the first line names the inputs in order (a name
// may come twice, or be the output's) and, after ">", the output; the files follow, and a
// National.TXT among them is the register the files are listed against. A merge writes each
// input's lines once, in order (up to a line starting with Ctrl-Z, empty lines dropped,
// the first Ctrl-Z of a line removed, each ended by CR LF), keeps every point, changes no
// other file and leaves no temporary file; one that fails changes nothing at all.
#include "FuzzSupport.h"

#include "mpfiles/MPListing.h"
#include "mpfiles/MPMerge.h"

#include <map>
#include <sstream>

using namespace mpsec;
using mpsec::fuzz::Check;
namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> Snapshot(const fuzz::ScratchFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder.Path()))
        files[e.path().filename().string()] = folder.Read(e.path());
    return files;
}

// What the merge writes for one input.
std::string MergedText(const std::string& bytes) {
    std::string text;
    for (std::string line : fuzz::PlainLines(bytes)) {
        if (!line.empty() && line[0] == '\x1a')
            break;
        if (line.empty())
            continue;
        if (const std::size_t z = line.find('\x1a'); z != std::string::npos)
            line.erase(z, 1);
        text += line + "\r\n";
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SplitInput input = fuzz::Split(fuzz::AsText(data, size));
    std::vector<std::string> inputs;
    std::string output = "merged.gld";
    {
        std::istringstream words(input.Preamble.substr(0, input.Preamble.find('\n')));
        bool toOutput = false;
        for (std::string w; words >> w && inputs.size() < 12;) {
            if (w == ">")
                toOutput = true;
            else if (!fuzz::PlainFileName(w))
                continue;
            else if (toOutput)
                output = w;
            else
                inputs.push_back(w);
        }
    }
    PlayerRegister national;
    national.Assign(input.Get(PlayerRegister::FileName));

    const fuzz::ScratchFolder& folder = fuzz::Folder();
    folder.Empty();
    for (const fuzz::InputFile& f : input.Files)
        if (f.Name != PlayerRegister::FileName && f.Name != kMergeTemporaryName)
            folder.Write(f.Name, f.Bytes);
    const std::map<std::string, std::string> before = Snapshot(folder);

    std::vector<fs::path> paths;
    bool allThere = true;
    std::string expected;
    for (const std::string& name : inputs) {
        paths.push_back(folder.Path() / name);
        const auto found = before.find(name);
        allThere = allThere && found != before.end();
        if (found != before.end())
            expected += MergedText(found->second);
    }
    const std::string detail = input.Preamble.substr(0, input.Preamble.find('\n'));
    Check(static_cast<bool>(CheckMergeInputs(paths)) == allThere,
          "the inputs are checked as readable exactly when they are there", detail);
    const Status merged = MergeMPFiles(paths, folder.Path() / output);
    const std::map<std::string, std::string> after = Snapshot(folder);
    if (!allThere) {
        Check(!merged, "a merge of a missing input fails", detail);
        Check(after == before, "a failed merge changes nothing", detail);
        return 0;
    }
    Check(static_cast<bool>(merged), "a merge of readable inputs succeeds",
          detail + (merged ? "" : ": " + merged.Message()));
    Check(after.size() == before.size() + (before.count(output) ? 0 : 1),
          "a merge adds its output alone, and leaves no temporary file", detail);
    for (const auto& [name, bytes] : before)
        Check(name == output || after.at(name) == bytes, "a merge changes no other file", name);
    const std::string& written = after.at(output);
    Check(written == expected, "the merged file is the inputs' lines in order",
          detail + ": " + std::to_string(written.size()) + " bytes written, " +
              std::to_string(expected.size()) + " expected");

    // Every point of the inputs is in the merged file, every line once.
    const MPType type = FindMPType(output) == MPType::None ? MPType::GoldRed : FindMPType(output);
    std::uint64_t gold = 0, red = 0, green = 0;
    std::size_t lines = 0;
    for (const std::string& name : inputs) {
        const std::string& bytes = before.at(name);
        if (bytes.find('\x1a') != std::string::npos)
            return 0; // a Ctrl-Z inside a line changes the fields after it
        const MPListing listing = ListMPFile(LineList(bytes), type, national);
        if (listing.StoppedBy)
            return 0;
        gold += listing.Gold;
        red += listing.Red;
        green += listing.Green;
        for (const std::string& line : fuzz::PlainLines(bytes))
            lines += !line.empty();
    }
    const MPListing all = ListMPFile(LineList(written), type, national);
    Check(!all.StoppedBy && all.Entries.size() == lines,
          "the merged file lists a line for every line of the inputs", detail);
    Check(all.Gold == gold && all.Red == red && all.Green == green,
          "the merged file keeps every point", detail);
    return 0;
}
