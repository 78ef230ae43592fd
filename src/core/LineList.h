#pragma once
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// A text file held whole in memory as a list of lines, in file order. Lines end in CR LF
// or LF; the ending is not part of the line, and a final line ending does not add an
// empty line. The lines are views into one buffer, so a national-size file loads with a
// single allocation for its text.
class LineList {
  public:
    LineList() = default;
    explicit LineList(std::string text) { Assign(std::move(text)); }

    void Assign(std::string text) {
        Assign(std::move(text), [](std::size_t, std::string_view) {});
    }
    // Also hands each line to `onLine(index, line)` as it is found, while its bytes are
    // still in the cache.
    template <class OnLine> void Assign(std::string text, OnLine&& onLine);
    void Clear();

    // The first `n` characters of line i (fewer when the line is shorter), reading no
    // further into the text than they need.
    std::string_view Head(std::size_t i, std::size_t n) const {
        const std::size_t begin = starts_[i];
        if (starts_[i + 1] - 1 - begin > n)
            return std::string_view(text_.data() + begin, n);
        return (*this)[i].substr(0, n);
    }

    std::size_t Count() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    bool Empty() const { return Count() == 0; }
    std::string_view operator[](std::size_t i) const {
        // A line ends one before the next line's start (its LF), less a CR before the LF.
        std::size_t begin = starts_[i];
        std::size_t end = starts_[i + 1] - 1;
        if (end > begin && text_[end - 1] == '\r')
            --end;
        return std::string_view(text_.data() + begin, end - begin);
    }

  private:
    // Ends with a line feed when it has any line (one is added after an unended last line).
    std::string text_;
    // The start of every line, then one past the end of the text.
    std::vector<std::uint32_t> starts_;
};

template <class OnLine> void LineList::Assign(std::string text, OnLine&& onLine) {
    text_ = std::move(text);
    starts_.clear();
    if (text_.empty())
        return;
    if (text_.back() != '\n')
        text_ += '\n';
    const char* data = text_.data();
    const std::size_t size = text_.size();
    // Room for lines of 24 characters and more (history lines are the shortest read whole)
    // without growing; the pages of unused room are never touched.
    starts_.reserve(size / 24 + 16);
    std::size_t pos = 0;
    while (pos < size) {
        starts_.push_back(static_cast<std::uint32_t>(pos));
        const char* nl = static_cast<const char*>(std::memchr(data + pos, '\n', size - pos));
        std::size_t length = static_cast<std::size_t>(nl - (data + pos));
        if (length > 0 && data[pos + length - 1] == '\r')
            --length;
        onLine(starts_.size() - 1, std::string_view(data + pos, length));
        pos = static_cast<std::size_t>(nl - data) + 1;
    }
    starts_.push_back(static_cast<std::uint32_t>(size));
}

enum class ReadStatus { Ok, Missing, NotAFile, Unreadable };

// Reads a whole file's bytes. The status tells a missing file from a folder or an
// unreadable one, so the caller can say which.
ReadStatus ReadFileBytes(const std::filesystem::path& path, std::string& out);

// Reads a file into a line list.
ReadStatus ReadLines(const std::filesystem::path& path, LineList& out);

} // namespace mpsec
