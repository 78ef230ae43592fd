#include "core/Files.h"

#include "core/Columns.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

Status WriteLinesAtomically(const fs::path& path, const std::vector<std::string>& lines) {
    fs::path tmp = path;
    tmp += ".mpsec-tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f)
        return Failure{std::strerror(errno)};
    std::string block;
    for (const auto& line : lines) {
        block += line;
        block += "\r\n";
    }
    // The first step that fails says why; a step that fails without a reason is an I/O error.
    int error = 0;
    auto failed = [&error] {
        if (error == 0)
            error = errno != 0 ? errno : EIO;
    };
    errno = 0;
    if (std::fwrite(block.data(), 1, block.size(), f) != block.size())
        failed();
    if (std::fflush(f) != 0)
        failed();
    if (::fsync(::fileno(f)) != 0)
        failed();
    if (std::fclose(f) != 0)
        failed();
    std::error_code ec;
    if (error == 0) {
        fs::rename(tmp, path, ec);
        if (ec)
            error = ec.value();
    }
    if (error != 0) {
        fs::remove(tmp, ec);
        return Failure{std::strerror(error)};
    }
    return {};
}

} // namespace mpsec
