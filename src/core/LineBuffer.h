#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// Lines built piece by piece into one buffer, each ended by CR LF there: a national-size
// listing is one allocation instead of one a line, and is its own file text.
class LineBuffer {
  public:
    // Room for about `lines` lines of `width` characters.
    void Reserve(std::size_t lines, std::size_t width) {
        text_.reserve(lines * (width + 2));
        ends_.reserve(lines);
    }
    // Pieces of the line being built; `EndLine` closes it.
    LineBuffer& Append(std::string_view piece) {
        text_.append(piece);
        return *this;
    }
    void EndLine() {
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
        text_ += "\r\n";
    }
    void PushBack(std::string_view line) { Append(line).EndLine(); }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1] + 2;
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    // Every line, each followed by CR LF.
    const std::string& Text() const { return text_; }

    class Iterator {
      public:
        Iterator(const LineBuffer& lines, std::size_t i) : lines_(&lines), i_(i) {}
        std::string_view operator*() const { return (*lines_)[i_]; }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return i_ != other.i_; }

      private:
        const LineBuffer* lines_;
        std::size_t i_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

  private:
    std::string text_;
    std::vector<std::uint32_t> ends_; // where each line's CR LF starts
};

} // namespace mpsec
