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

    std::size_t Count() const { return starts_.size(); }
    bool Empty() const { return starts_.empty(); }
    std::string_view operator[](std::size_t i) const {
        return std::string_view(text_.data() + starts_[i], lengths_[i]);
    }

  private:
    std::string text_;
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint32_t> lengths_;
};

enum class ReadStatus { Ok, Missing, NotAFile, Unreadable };

// Reads a whole file's bytes. The status tells a missing file from a folder or an
// unreadable one, so the caller can say which.
ReadStatus ReadFileBytes(const std::filesystem::path& path, std::string& out);

// Reads a file into a line list.
ReadStatus ReadLines(const std::filesystem::path& path, LineList& out);

} // namespace mpsec
