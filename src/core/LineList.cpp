#include "core/LineList.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace mpsec {

void LineList::Clear() {
    text_.clear();
    text_.shrink_to_fit();
    starts_.clear();
    starts_.shrink_to_fit();
}

Status ReadFileBytes(const std::filesystem::path& path, std::string& out) {
    std::error_code ec;
    auto st = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(st))
        return Failure{std::strerror(ENOENT)};
    if (!std::filesystem::is_regular_file(st))
        return Failure{std::strerror(EISDIR)};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return Failure{std::strerror(errno)};
    out.clear();
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    if (size > 0)
        out.resize(static_cast<std::size_t>(size));
    std::size_t got = size > 0 ? std::fread(out.data(), 1, out.size(), f) : 0;
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed)
        return Failure{std::strerror(error)};
    out.resize(got);
    return {};
}

Status ReadLines(const std::filesystem::path& path, LineList& out) {
    std::string bytes;
    Status read = ReadFileBytes(path, bytes);
    if (read)
        out.Assign(std::move(bytes));
    else
        out.Clear();
    return read;
}

} // namespace mpsec
