#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mpsec {

// A text file held whole in memory as a list of lines, in file order. Lines end in CR LF,
// LF or a bare CR (files saved with old Mac line ends would otherwise read as one line);
// CR CR LF is a line ended by CR, then an empty line ended by CR LF. The ending is not
// part of the line, and a final line ending does not add an empty line. The lines are views into
// one buffer, so a national-size file loads with a single allocation for its text.
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
    // Hints for a walk through lines far apart in a large file, a few lines ahead of their
    // use: first where line i starts is fetched, later its first 136 bytes.
    void PrefetchStart(std::size_t i) const { __builtin_prefetch(&starts_[i]); }
    void PrefetchLine(std::size_t i) const {
        const char* at = text_.data() + starts_[i];
        __builtin_prefetch(at);
        __builtin_prefetch(at + 64);
        __builtin_prefetch(at + 135);
    }
    bool Empty() const { return Count() == 0; }
    std::string_view operator[](std::size_t i) const {
        // A line ends one before the next line's start (its LF or CR), less a CR before an
        // LF. A CR inside a line always ends it, so one found here belongs to this line's CR LF.
        std::size_t begin = starts_[i];
        std::size_t end = starts_[i + 1] - 1;
        if (end > begin && text_[end] == '\n' && text_[end - 1] == '\r')
            --end;
        return std::string_view(text_.data() + begin, end - begin);
    }

  private:
    // Ends with a line feed when it has any line (one is added after an unended last line;
    // after a final bare CR it makes that line's CR LF, so no empty line is added).
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
    auto nextLf = [&](std::size_t from) {
        return static_cast<std::size_t>(
            static_cast<const char*>(std::memchr(data + from, '\n', size - from)) - data);
    };
    std::size_t pos = 0;
    // The next LF at or after `pos`; kept across the lines a bare CR ends before it, so a
    // file of CR line ends is not scanned to its end once per line.
    std::size_t nl = nextLf(0);
    while (pos < size) {
        starts_.push_back(static_cast<std::uint32_t>(pos));
        if (nl < pos)
            nl = nextLf(pos);
        std::size_t end = nl; // the line's ending: its LF, its CR LF's CR or its bare CR
        std::size_t next = nl + 1;
        if (const void* cr = std::memchr(data + pos, '\r', nl - pos)) {
            end = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
            if (end + 1 < nl)
                next = end + 1; // a bare CR
        }
        onLine(starts_.size() - 1, std::string_view(data + pos, end - pos));
        pos = next;
    }
    starts_.push_back(static_cast<std::uint32_t>(size));
}

// Calls `onLine(offset, line)` for every line of `text` in file order, split as LineList
// splits it (CR LF, LF or a bare CR; a final line ending adds no empty line), with the
// offset of the line's first byte. One pass over the bytes, sixteen at a time.
template <class OnLine> void ForEachLine(std::string_view text, OnLine&& onLine);

template <class OnLine> void ForEachLine(std::string_view text, OnLine&& onLine) {
    const char* data = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0; // of the line being read
    // A line ending at `at` (a CR or an LF); the LF of a CR LF was taken with its CR, unless
    // the CR was the last byte of a block read whole, which leaves it to its LF.
    auto ending = [&](std::size_t at) {
        if (at < start)
            return;
        const std::size_t end = at - (data[at] == '\n' && at > start && data[at - 1] == '\r');
        onLine(start, std::string_view(data + start, end - start));
        start = at + 1 + (data[at] == '\r' && at + 1 < size && data[at + 1] == '\n');
    };
    std::size_t base = 0;
#if defined(__SSE2__)
    // Most lines end in CR LF or LF: their LF ends them, and a CR just before it belongs to
    // it. Only a block with a CR not followed by an LF (a bare CR line end) is taken byte
    // by byte.
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    for (; base + 17 <= size; base += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + base));
        const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + base + 1));
        const unsigned lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)));
        const unsigned crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr)));
        const unsigned lfAfter =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(after, lf)));
        if ((crs & ~lfAfter) != 0) {
            for (std::size_t at = base; at < base + 16; ++at)
                if (data[at] == '\n' || data[at] == '\r')
                    ending(at);
            continue;
        }
        for (unsigned mask = lfs; mask != 0; mask &= mask - 1) {
            const std::size_t at = base + static_cast<std::size_t>(__builtin_ctz(mask));
            if (at < start)
                continue; // the LF of a CR LF whose CR ended the last block's line
            const std::size_t end = at - (at > start && data[at - 1] == '\r');
            onLine(start, std::string_view(data + start, end - start));
            start = at + 1;
        }
    }
#endif
    for (; base < size; ++base)
        if (data[base] == '\n' || data[base] == '\r')
            ending(base);
    if (start < size)
        onLine(start, std::string_view(data + start, size - start));
}

} // namespace mpsec
