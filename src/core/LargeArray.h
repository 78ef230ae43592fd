#pragma once
#include "core/SystemCalls.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace mpsec {

// A fixed-capacity array of plain values for national-size indexes, in memory asked of
// the system directly and backed by large pages where it allows: filling millions of
// entries then costs a few page faults instead of thousands. Only the pages written are
// ever used, so the capacity can be a generous upper bound. Entries are not initialised.
template <class T> class LargeArray {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    LargeArray() = default;
    // Capacity() is 0 when the memory was refused.
    explicit LargeArray(std::size_t capacity) { static_cast<bool>(Reserve(capacity)); }
    ~LargeArray() { Release(); }
    LargeArray(LargeArray&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)), bytes_(std::exchange(other.bytes_, 0)) {}
    LargeArray& operator=(LargeArray&& other) noexcept {
        if (this != &other) {
            Release();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
            capacity_ = std::exchange(other.capacity_, 0);
            bytes_ = std::exchange(other.bytes_, 0);
        }
        return *this;
    }
    LargeArray(const LargeArray&) = delete;
    LargeArray& operator=(const LargeArray&) = delete;

    // Room for `capacity` entries; the array is emptied. False when the memory is refused
    // (the array then has no room at all).
    [[nodiscard]] bool Reserve(std::size_t capacity) {
        Release();
        constexpr std::size_t kLargePage = 2 << 20;
        if (capacity > (SIZE_MAX - kLargePage) / sizeof(T))
            return false; // more than memory can hold
        const std::size_t bytes = (capacity * sizeof(T) + kLargePage - 1) / kLargePage * kLargePage;
        if (bytes == 0)
            return true;
        void* at = os::ReserveMemory(bytes);
        if (!at)
            return false;
        data_ = static_cast<T*>(at);
        capacity_ = capacity;
        bytes_ = bytes;
        return true;
    }
    // Appends within the capacity; false, and nothing written, when it is full (or the
    // memory was refused, which leaves no capacity).
    [[nodiscard]] bool PushBack(const T& value) {
        if (size_ >= capacity_)
            return false;
        data_[size_++] = value;
        return true;
    }
    // Within the capacity (cut to it); new entries unset.
    void Resize(std::size_t size) { size_ = size < capacity_ ? size : capacity_; }

    std::size_t Size() const { return size_; }
    std::size_t Capacity() const { return capacity_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }

  private:
    void Release() {
        if (data_)
            os::ReleaseMemory(data_, bytes_);
        data_ = nullptr;
        size_ = capacity_ = bytes_ = 0;
    }
    T* data_ = nullptr;
    std::size_t size_ = 0, capacity_ = 0, bytes_ = 0;
};

} // namespace mpsec
