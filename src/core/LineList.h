#pragma once
#include <cstdint>
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

    void Assign(std::string text);
    void Clear();

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

enum class ReadStatus { Ok, Missing, NotAFile, Unreadable };

// Reads a whole file's bytes. The status tells a missing file from a folder or an
// unreadable one, so the caller can say which.
ReadStatus ReadFileBytes(const std::filesystem::path& path, std::string& out);

// Reads a file into a line list.
ReadStatus ReadLines(const std::filesystem::path& path, LineList& out);

} // namespace mpsec
