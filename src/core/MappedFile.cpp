#include "core/MappedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace mpsec {

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        Close();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, false);
    }
    return *this;
}

Status MappedFile::Open(const std::filesystem::path& path) {
    Close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Failure{std::strerror(errno)};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return Failure{std::strerror(error ? error : EINVAL)};
    }
    if (st.st_size > 0) {
        // The pages are entered in one go rather than one fault at a time as they are read.
        void* at = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ,
                          MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (at == MAP_FAILED) {
            const int error = errno;
            ::close(fd);
            return Failure{std::strerror(error)};
        }
        ::madvise(at, static_cast<std::size_t>(st.st_size), MADV_SEQUENTIAL);
        data_ = static_cast<const char*>(at);
        size_ = static_cast<std::size_t>(st.st_size);
        mapped_ = true;
    }
    ::close(fd);
    return {};
}

void MappedFile::Close() {
    if (mapped_)
        ::munmap(const_cast<char*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}

} // namespace mpsec
