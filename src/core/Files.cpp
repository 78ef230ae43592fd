#include "core/Files.h"

#include "core/Columns.h"

#include <cstdio>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mpsec {

fs::path FindFileNoCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    fs::path exact = folder / std::string(name);
    if (fs::exists(exact, ec))
        return exact;
    const std::string wanted = UpperAscii(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (UpperAscii(it->path().filename().string()) == wanted)
            return folder / it->path().filename();
    }
    return exact;
}

bool FileExistsNoCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    return fs::exists(FindFileNoCase(folder, name), ec);
}

bool WriteLinesAtomically(const fs::path& path, const std::vector<std::string>& lines) {
    fs::path tmp = path;
    tmp += ".mpsec-tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f)
        return false;
    std::string block;
    for (const auto& line : lines) {
        block += line;
        block += "\r\n";
    }
    bool ok = std::fwrite(block.data(), 1, block.size(), f) == block.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (::fsync(::fileno(f)) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    std::error_code ec;
    if (ok)
        fs::rename(tmp, path, ec);
    if (!ok || ec) {
        fs::remove(tmp, ec);
        return false;
    }
    return true;
}

} // namespace mpsec
