#pragma once
#include "core/Result.h"

#include <filesystem>
#include <string_view>

namespace mpsec {

// A file's bytes mapped read-only into memory, not copied: opening a national-size file
// costs what the page cache already holds. The bytes stay valid until Close() or the
// object ends. A file replaced by a rename while it is mapped stays as it was; a file cut
// short in place by another program is not something the federation's files go through.
class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile() { Close(); }
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the whole file. A failure says why in the system's words ("No such file or
    // directory", "Is a directory", "Permission denied"), as ReadFileBytes does.
    Status Open(const std::filesystem::path& path);
    void Close();
    std::string_view Bytes() const { return {data_, size_}; }

  private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;
};

} // namespace mpsec
