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

Status ReadFileInto(const std::filesystem::path& path,
                    const std::function<char*(std::size_t)>& room, std::size_t& got) {
    got = 0;
    std::error_code ec;
    auto st = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(st))
        return Failure{std::strerror(ENOENT)};
    if (!std::filesystem::is_regular_file(st))
        return Failure{std::strerror(EISDIR)};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return Failure{std::strerror(errno)};
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    char* at = size >= 0 ? room(static_cast<std::size_t>(size)) : nullptr;
    if (!at) {
        std::fclose(f);
        return Failure{std::strerror(ENOMEM)};
    }
    got = size > 0 ? std::fread(at, 1, static_cast<std::size_t>(size), f) : 0;
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed)
        return Failure{std::strerror(error)};
    return {};
}

Status ReadFileBytes(const std::filesystem::path& path, std::string& out) {
    out.clear();
    std::size_t got = 0;
    Status read = ReadFileInto(
        path,
        [&out](std::size_t size) {
            // Room for the line end a line list adds after an unended last line, so adding
            // it never copies a national-size text.
            out.reserve(size + 1);
            out.resize(size);
            return out.data();
        },
        got);
    out.resize(got);
    return read;
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
