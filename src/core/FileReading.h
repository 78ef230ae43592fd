#pragma once
#include "core/LineList.h"
#include "core/Result.h"
#include "core/SystemCalls.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace mpsec {

// Whole files read in one go, each failure said in the system's words; the writers are
// in Files.h.

// Reads a whole file's bytes into the room `room(size)` gives for them (none: the memory is
// refused); `got` is the number read. A failure says why as ReadFileBytes does.
Status ReadFileInto(const std::filesystem::path& path,
                    const std::function<char*(std::size_t)>& room, std::size_t& got);

// A file opened for reading, closed with the object. Opening it is the part of a read that
// tells a missing or unreadable file (in ReadFileBytes's words); the bytes can be read
// later, or on another thread.
class OpenedFile {
  public:
    OpenedFile() = default;
    ~OpenedFile();
    OpenedFile(OpenedFile&& other) noexcept;
    OpenedFile& operator=(OpenedFile&& other) noexcept;
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    Status Open(const std::filesystem::path& path);
    // The whole file from its start, as ReadFileInto reads it.
    Status ReadInto(const std::function<char*(std::size_t)>& room, std::size_t& got) const;

  private:
    os::File fd_ = os::kNoFile;
};

// Reads a whole file's bytes into `out` (a buffer the caller may reuse). A failure says why
// in the system's words: "No such file or directory", "Is a directory", "Permission
// denied", or "it is not a plain file" for a FIFO or a device.
Status ReadFileBytes(const std::filesystem::path& path, std::string& out);

// Reads a file into a line list (emptied on failure).
Status ReadLines(const std::filesystem::path& path, LineList& out);

} // namespace mpsec
