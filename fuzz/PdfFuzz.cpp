// The PDF writer on a composed document made from the input: the first line holds the
// paper ("WIDTH HEIGHT MARGIN TITLE"), then lines "T X Y SIZE FLAGS TEXT" (flags: 1 bold,
// 2 centred, 4 and 8 the font), "P N LEFT TOP RIGHT BOTTOM" (the program's picture N),
// "G X Y WIDTH HEADING-ROWS CHAR-HEIGHT COLUMN..." (a grid; a column "r30" is right-aligned),
// "H HEIGHT..." (its row heights) and "R CELL|CELL..." (a row, bold after a leading "*").
// The file's cross-reference table points at each object, each stream's /Length is its
// bytes, and the pages hold exactly the texts drawn on them, as written. A document whose
// positions all lie well within what PDF readers handle is always written, one with a
// position or size that is not a number never.
#include "FuzzSupport.h"

#include "print/PageCanvas.h"
#include "print/PdfFile.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cmath>
#include <cstdlib>
#include <sstream>

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

constexpr double kMmToPoints = 72 / 25.4;
// Well within the 32767 points a PDF reader must handle.
constexpr double kSafeMm = 11000;

struct Drawn {
    std::string Text;
    double X = 0;
    bool Left = true;
};

// Records what the document draws, and whether every position and size is well within a
// PDF's numbers.
class Recorder : public PageCanvas {
  public:
    explicit Recorder(double paperHeight) : height_(paperHeight) {}
    std::vector<std::vector<Drawn>> Pages;
    bool Safe = true;
    bool NotANumber = false; // a position or size drawn is not a (finite) number

    bool StartPage(int, int) override {
        Pages.emplace_back();
        return true;
    }
    void Text(const TextFont& font, double x, double y, Anchor anchor, std::string_view text,
              std::optional<TextRoom>) override {
        const double sizeMm =
            font.CharHeight ? *font.CharHeight + 0.1 : font.PointSize / kMmToPoints;
        // No character is wider than one and a half times the font's size.
        const double extent = anchor == Anchor::Left ? 0 : 1.5 * sizeMm * text.size();
        Within({x, height_ - y, sizeMm});
        Within({std::fabs(x) + extent, std::fabs(height_ - y) + 1.5 * sizeMm});
        Pages.back().push_back({std::string(text), x, anchor == Anchor::Left});
    }
    void Line(double x1, double y1, double x2, double y2) override {
        Within({x1, height_ - y1, x2, height_ - y2});
    }
    void Rectangle(double x, double y, double w, double h) override {
        Within({x, height_ - y - h, w, h});
    }
    void Picture(std::string_view, double left, double top, double right, double bottom) override {
        Within({left, right - left, bottom - top, height_ - bottom});
    }

  private:
    void Within(std::initializer_list<double> values) {
        for (double v : values) {
            Safe = Safe && std::isfinite(v) && std::fabs(v) <= kSafeMm;
            NotANumber = NotANumber || !std::isfinite(v);
        }
    }
    double height_;
};

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

double Value(const std::vector<std::string>& w, std::size_t k, double otherwise) {
    return k < w.size() ? std::strtod(w[k].c_str(), nullptr) : otherwise;
}

// A whole number below `limit` from any value (0 for one that is not finite).
unsigned Small(double value, unsigned limit) {
    return std::isfinite(value) ? static_cast<unsigned>(std::fmod(std::fabs(value), limit)) : 0;
}

// The rest of the line after `count` words and the blank after them.
std::string After(const std::string& line, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t k = 0; k < count; ++k) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string::npos)
            return {};
        at = line.find_first_of(" \t", at);
        if (at == std::string::npos)
            return {};
    }
    return line.substr(at + 1);
}

ComposedDocument MakeDocument(std::string_view data) {
    constexpr const char* kFonts[] = {"Times New Roman", "Courier New", "Arial", "Times New Roman"};
    constexpr const char* kPictures[] = {"mpsec", "about", "player", "mplogo"};
    ComposedDocument doc;
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < data.size() && lines.size() < 300;) {
        std::size_t end = data.find('\n', pos);
        end = end == std::string_view::npos ? data.size() : end;
        lines.emplace_back(data.substr(pos, end - pos));
        pos = end + 1;
    }
    if (lines.empty())
        return doc;
    const std::vector<std::string> paper = Words(lines[0]);
    doc.PaperWidth = Value(paper, 0, 210);
    doc.PaperHeight = Value(paper, 1, 297);
    doc.Margin = Value(paper, 2, 12.7);
    doc.Title = After(lines[0], 3);
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        const std::vector<std::string> w = Words(line);
        if (w.empty())
            continue;
        const std::string& kind = w[0];
        if (kind == "T") {
            PageText t;
            t.X = Value(w, 1, 0);
            t.Y = Value(w, 2, 0);
            t.PointSize = Value(w, 3, 10);
            const unsigned flags = Small(Value(w, 4, 0), 16);
            t.Bold = flags & 1;
            t.Centred = flags & 2;
            t.Font = kFonts[flags >> 2];
            t.Text = After(line, 5);
            doc.Texts.push_back(t);
        } else if (kind == "P") {
            doc.Pictures.push_back({kPictures[Small(Value(w, 1, 0), 4)], Value(w, 2, 0),
                                    Value(w, 3, 0), Value(w, 4, 10), Value(w, 5, 10)});
        } else if (kind == "G") {
            PageGrid g;
            g.X = Value(w, 1, 10);
            g.Y = Value(w, 2, 10);
            g.Width = Value(w, 3, 190);
            g.HeadingRows = static_cast<int>(Small(Value(w, 4, 1), 1000));
            g.CharHeight = Value(w, 5, 12);
            g.Font = kFonts[doc.Grids.size() % 2];
            for (std::size_t c = 6; c < w.size() && c < 30; ++c) {
                const bool right = w[c][0] == 'r';
                g.ColumnWidths.push_back(std::strtod(w[c].c_str() + right, nullptr));
                g.RightAligned.push_back(right);
            }
            g.RowHeights.push_back(20);
            doc.Grids.push_back(g);
        } else if (kind == "H" && !doc.Grids.empty()) {
            std::vector<double>& heights = doc.Grids.back().RowHeights;
            heights.clear();
            for (std::size_t c = 1; c < w.size() && c < 30; ++c)
                heights.push_back(Value(w, c, 20));
        } else if (kind == "R" && !doc.Grids.empty()) {
            PageGrid& g = doc.Grids.back();
            std::string cells = After(line, 1);
            const bool bold = !cells.empty() && cells[0] == '*';
            std::vector<std::string> row;
            std::size_t begin = bold ? 1 : 0;
            for (std::size_t bar; (bar = cells.find('|', begin)) != std::string::npos;
                 begin = bar + 1)
                row.push_back(cells.substr(begin, bar - begin));
            row.push_back(cells.substr(begin));
            g.Rows.push_back(row);
            g.BoldRows.push_back(bold);
        }
    }
    return doc;
}

// The text of a string literal as the file writes it, from just after its "(" to its
// closing ")"; `at` moves past it.
std::string Unescaped(std::string_view content, std::size_t& at) {
    std::string text;
    while (at < content.size() && content[at] != ')') {
        char c = content[at++];
        if (c == '\\' && at < content.size()) {
            c = content[at++];
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            Check(c != '(' && c != '\n' && c != '\r',
                  "a string literal escapes its brackets and line ends");
        }
        text += c;
    }
    Check(at < content.size(), "a string literal is closed");
    ++at;
    return text;
}

std::size_t Number(std::string_view text, std::size_t at, std::size_t* end = nullptr) {
    std::size_t n = 0, k = at;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k)
        n = n * 10 + static_cast<std::size_t>(text[k] - '0');
    Check(k > at, "a number stands where the file needs one", std::string(text.substr(at, 20)));
    if (end)
        *end = k;
    return n;
}

// Whether `text` stands in `file` at `at`.
bool At(std::string_view file, std::size_t at, std::string_view text) {
    return at <= file.size() && file.substr(at, text.size()) == text;
}

// One object of the file: its dictionary line and, for a stream, its data.
struct Object {
    std::string Dictionary;
    std::string Stream;
    bool IsStream = false;
};

std::vector<Object> CheckStructure(const std::string& pdf) {
    Check(pdf.rfind("%PDF-1.4\n", 0) == 0, "the file starts with its header");
    const std::string tail = "\n%%EOF\n";
    Check(pdf.size() > tail.size() && At(pdf, pdf.size() - tail.size(), tail),
          "the file ends with %%EOF");
    const std::size_t startxref = pdf.rfind("startxref\n");
    Check(startxref != std::string::npos, "the file has startxref");
    const std::size_t xref = Number(pdf, startxref + 10);
    Check(At(pdf, xref, "xref\n0 "), "startxref points at the xref table");
    std::size_t at = 0;
    const std::size_t count = Number(pdf, xref + 7, &at);
    Check(At(pdf, at, "\n0000000000 65535 f \n"), "object 0 is free");
    at += 21;
    std::vector<std::size_t> offsets;
    for (std::size_t k = 1; k < count; ++k, at += 20) {
        Check(At(pdf, at + 10, " 00000 n \n"), "an xref entry is 20 bytes");
        offsets.push_back(Number(pdf, at));
    }
    Check(At(pdf, at, "trailer\n<< /Size " + std::to_string(count) + " "),
          "the trailer gives the table's size");

    std::vector<Object> objects;
    for (std::size_t k = 0; k < offsets.size(); ++k) {
        const std::string head = std::to_string(k + 1) + " 0 obj\n";
        std::size_t o = offsets[k];
        Check(At(pdf, o, head), "an xref offset points at its 'N 0 obj'",
              head + " at " + std::to_string(o));
        o += head.size();
        const std::size_t eol = pdf.find('\n', o);
        Check(eol != std::string::npos, "an object's dictionary ends its line");
        Object object;
        object.Dictionary = pdf.substr(o, eol - o);
        std::size_t end = eol + 1;
        if (At(pdf, end, "stream\n")) {
            const std::size_t length = object.Dictionary.rfind("/Length ");
            Check(length != std::string::npos, "a stream has a /Length");
            const std::size_t bytes = Number(object.Dictionary, length + 8);
            end += 7;
            Check(end + bytes <= pdf.size() && At(pdf, end + bytes, "\nendstream\n"),
                  "a stream's /Length is its bytes", object.Dictionary);
            object.Stream = pdf.substr(end, bytes);
            object.IsStream = true;
            end += bytes + 11;
        }
        Check(At(pdf, end, "endobj\n"), "an object ends with endobj", head);
        end += 7;
        Check(end == (k + 1 < offsets.size() ? offsets[k + 1] : xref),
              "the objects follow one another up to the xref table", head);
        objects.push_back(std::move(object));
    }
    return objects;
}

// The object number of the reference after `key` ("/Contents 9 0 R").
std::size_t Reference(const std::string& dictionary, const std::string& key) {
    const std::size_t at = dictionary.find(key + " ");
    Check(at != std::string::npos, "a dictionary holds its reference", key);
    return Number(dictionary, at + key.size() + 1);
}

} // namespace

// Fontconfig keeps its font lists until the process ends: no leak of the program's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "pdf_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ComposedDocument doc = MakeDocument(fuzz::AsText(data, size));
    Recorder drawn(doc.PaperHeight);
    DrawDocument(doc, drawn);
    const bool paperSafe = std::isfinite(doc.PaperWidth) && std::isfinite(doc.PaperHeight) &&
                           doc.PaperWidth > 0 && doc.PaperHeight > 0 && doc.PaperWidth <= kSafeMm &&
                           doc.PaperHeight <= kSafeMm;
    const Result<std::string> pdf = DocumentPdfBytes(doc);
    if (!pdf) {
        Check(!(paperSafe && drawn.Safe), "a document well within a PDF's numbers is written",
              pdf.Message());
        return 0;
    }
    Check(!drawn.NotANumber, "a document with a position or size that is not a number is refused");
    const std::vector<Object> objects = CheckStructure(*pdf);

    // The title, and the pages in the page tree's order with their texts.
    Check(objects.size() >= 3, "the file holds its catalog, page tree and information");
    const std::string& info = objects[2].Dictionary;
    const std::size_t title = info.find("/Title (");
    Check(title != std::string::npos, "the information holds the title");
    std::size_t at = title + 8;
    Check(Unescaped(info, at) == doc.Title, "the title comes back as written");
    const std::string& tree = objects[1].Dictionary;
    Check(tree.find("/Count " + std::to_string(drawn.Pages.size()) + " ") != std::string::npos,
          "the page tree counts the pages drawn", tree.substr(0, 200));
    std::vector<std::size_t> kids;
    Check(tree.find("/Kids [") != std::string::npos, "the page tree lists its pages");
    for (std::size_t k = tree.find("/Kids [") + 7; k < tree.size() && tree[k] != ']';) {
        kids.push_back(Number(tree, k, &k));
        Check(At(tree, k, " 0 R "), "a kid is a reference");
        k += 5;
    }
    Check(kids.size() == drawn.Pages.size(), "the page tree holds every page drawn");
    for (std::size_t p = 0; p < kids.size(); ++p) {
        Check(kids[p] >= 1 && kids[p] <= objects.size(), "a page is an object of the file");
        const std::size_t contents = Reference(objects[kids[p] - 1].Dictionary, "/Contents");
        Check(contents >= 1 && contents <= objects.size() && objects[contents - 1].IsStream,
              "a page's contents are a stream of the file");
        QByteArray packed(4, '\0');
        packed[1] = 0x10; // room for 1 MiB, grown when needed
        packed.append(objects[contents - 1].Stream.data(),
                      static_cast<qsizetype>(objects[contents - 1].Stream.size()));
        const QByteArray unpacked = qUncompress(packed);
        Check(!unpacked.isEmpty(), "a page's contents inflate");
        const std::string content(unpacked.constData(), static_cast<std::size_t>(unpacked.size()));
        std::size_t k = 0;
        for (std::size_t line = 0; line < content.size();
             line = content.find('\n', line) == std::string::npos ? content.size()
                                                                  : content.find('\n', line) + 1) {
            if (!At(content, line, "BT /F"))
                continue;
            Check(k < drawn.Pages[p].size(), "a page holds no text that was not drawn on it",
                  "page " + std::to_string(p + 1));
            const Drawn& text = drawn.Pages[p][k++];
            std::size_t end = content.find(" Tf ", line);
            Check(end != std::string::npos, "a text sets its font");
            end += 4;
            if (text.Left) {
                char expected[64];
                std::snprintf(expected, sizeof expected, "%.2f ", text.X * kMmToPoints);
                Check(At(content, end, expected), "a text starts where it was drawn", expected);
            }
            std::size_t open = content.find(" (", end);
            Check(open != std::string::npos && content.find('\n', end) > open,
                  "a text shows a string");
            open += 2;
            Check(Unescaped(content, open) == text.Text, "a text comes back as written",
                  "page " + std::to_string(p + 1) + ": '" + text.Text + "'");
            Check(At(content, open, " Tj ET\n"), "a text ends after its string");
        }
        Check(k == drawn.Pages[p].size(), "a page holds every text drawn on it",
              "page " + std::to_string(p + 1) + ": " + std::to_string(k) + " of " +
                  std::to_string(drawn.Pages[p].size()));
    }
    return 0;
}
