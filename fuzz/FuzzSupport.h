#pragma once
// What the fuzz targets share: the invariant check, the input split into named files, and
// a scratch folder for the targets that read files.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec::fuzz {

// A broken invariant stops the run like a crash, so libFuzzer keeps the input.
inline void Check(bool holds, const char* what, const std::string& detail = {}) {
    if (holds)
        return;
    std::fprintf(stderr, "\ninvariant broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A file of a fuzz input.
struct InputFile {
    std::string Name;
    std::string Bytes;
};

// An input of several files: whatever stands before the first header (the command line of
// the commands target), then each file after a header line "==> NAME <==" (the form of
// `head`'s output, so a seed is made with `head -c 2000 National.TXT history.txt ...`). A
// header whose name is not a plain file name is ignored with its file.
struct SplitInput {
    std::string Preamble;
    std::vector<InputFile> Files;

    const std::string* Find(std::string_view name) const {
        for (const InputFile& f : Files)
            if (f.Name == name)
                return &f.Bytes;
        return nullptr;
    }
    std::string Get(std::string_view name) const {
        const std::string* bytes = Find(name);
        return bytes ? *bytes : std::string();
    }
};

// A name the targets may create in their scratch folder: letters, digits, '.', '-' and
// '_', not starting with '.', so no input writes outside the folder.
inline bool PlainFileName(std::string_view name) {
    if (name.empty() || name.size() > 64 || name.front() == '.')
        return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '.' || c == '-' || c == '_'))
            return false;
    return true;
}

inline SplitInput Split(std::string_view data) {
    SplitInput input;
    std::string* into = &input.Preamble;
    bool skipping = false;
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t end = data.find('\n', pos);
        end = end == std::string_view::npos ? data.size() : end + 1;
        std::string_view line = data.substr(pos, end - pos);
        pos = end;
        std::string_view body = line;
        while (!body.empty() && (body.back() == '\n' || body.back() == '\r'))
            body.remove_suffix(1);
        if (body.size() >= 8 && body.substr(0, 4) == "==> " &&
            body.substr(body.size() - 4) == " <==") {
            std::string_view name = body.substr(4, body.size() - 8);
            skipping = !PlainFileName(name);
            if (!skipping) {
                input.Files.push_back({std::string(name), {}});
                into = &input.Files.back().Bytes;
            }
            continue;
        }
        if (!skipping)
            into->append(line);
    }
    return input;
}

// A folder of this process for the files of one input, emptied for each input.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "mpsec-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mpsec fuzz: cannot make a scratch folder");
            std::abort();
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Removes everything in the folder (the folder itself stays).
    void Empty() const {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(path_, ec)) {
            std::error_code each;
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, each);
            std::filesystem::remove_all(entry.path(), each);
        }
    }

    void Write(const std::string& name, std::string_view bytes) const {
        std::FILE* f = std::fopen((path_ / name).c_str(), "wb");
        if (!f) {
            std::perror("mpsec fuzz: cannot write a scratch file");
            std::abort();
        }
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    std::string Read(const std::filesystem::path& path) const {
        std::string bytes;
        if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
            char buffer[4096];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
                bytes.append(buffer, n);
            std::fclose(f);
        }
        return bytes;
    }

  private:
    std::filesystem::path path_;
};

// The one scratch folder of this fuzz target's process.
inline const ScratchFolder& Folder() {
    static const ScratchFolder folder;
    return folder;
}

// The lines of a text as a plain reading gives them, to check the program's own reader
// against: a line ends at CR LF, CR or LF; a last line without an end counts if not empty.
inline std::vector<std::string> PlainLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.push_back(line);
            line.clear();
        } else {
            line += text[i];
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// Up to `count` indices spread over [first, end), so a large input still gives a few.
inline std::vector<std::size_t> Spread(std::size_t first, std::size_t end, std::size_t count) {
    std::vector<std::size_t> at;
    if (end <= first)
        return at;
    const std::size_t n = end - first;
    const std::size_t step = n > count ? n / count : 1;
    for (std::size_t i = first; i < end && at.size() < count; i += step)
        at.push_back(i);
    if (at.back() != end - 1)
        at.push_back(end - 1);
    return at;
}

} // namespace mpsec::fuzz
