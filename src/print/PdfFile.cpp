#include "print/PdfFile.h"

#include "print/PageCanvas.h"
#include "print/PageRenderer.h"
#include "print/StandardFonts.h"

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace mpsec {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;
// The resolution the printer's PDFs are drawn at: grid fonts are sized in whole dots of it.
constexpr double kPrinterDotsPerInch = 1200;
constexpr int kFirstChar = 32, kLastChar = 255;

// A face of the document: the PDF reader's standard font it is shown in.
struct Face {
    const StandardFont& Font;

    double Width(std::string_view text, double size) const {
        double units = 0;
        for (unsigned char c : text)
            units += c >= kFirstChar ? Font.Widths[c - kFirstChar] : 0;
        return units * size / 1000;
    }
};

// One per family and weight for the whole run, whichever thread asks first.
const Face& FaceFor(const std::string& family, bool bold) {
    static std::mutex mutex;
    static std::map<std::pair<std::string, bool>, Face> faces;
    std::lock_guard lock(mutex);
    return faces.try_emplace({family, bold}, Face{StandardFontFor(family, bold)}).first->second;
}

std::string Deflated(const char* data, std::size_t size) {
    const QByteArray packed =
        qCompress(reinterpret_cast<const uchar*>(data), static_cast<qsizetype>(size), 6);
    // qCompress puts the length in front of the zlib stream.
    return packed.size() > 4 ? std::string(packed.constData() + 4, packed.size() - 4)
                             : std::string();
}

// A picture of the program as PDF image data: its colours and, when it is not opaque
// everywhere, its transparency, each compressed once per run.
struct Picture {
    int Width = 0, Height = 0;
    std::string Colours, Alpha; // Alpha empty: opaque
};

const Picture& PictureFor(const std::string& resource) {
    static std::mutex mutex;
    static std::map<std::string, Picture> pictures;
    std::lock_guard lock(mutex);
    auto [it, added] = pictures.try_emplace(resource);
    if (added) {
        LoadProgramResources();
        const QImage image =
            QImage(":/images/" + QString::fromLatin1(resource.c_str()).toLower() + ".png")
                .convertToFormat(QImage::Format_RGBA8888);
        Picture& picture = it->second;
        picture.Width = image.width();
        picture.Height = image.height();
        std::string colours, alpha;
        bool opaque = true;
        for (int y = 0; y < image.height(); ++y) {
            const uchar* line = image.constScanLine(y);
            for (int x = 0; x < image.width(); ++x) {
                colours.append(reinterpret_cast<const char*>(line + 4 * x), 3);
                alpha.push_back(static_cast<char>(line[4 * x + 3]));
                opaque = opaque && line[4 * x + 3] == 255;
            }
        }
        picture.Colours = Deflated(colours.data(), colours.size());
        if (!opaque)
            picture.Alpha = Deflated(alpha.data(), alpha.size());
    }
    return it->second;
}

// PDF readers need only handle numbers within this (points, about 11.5 m): a position
// beyond it, or one that is not a number at all, is a fault of the page, never written.
constexpr double kLargestPdfNumber = 32767;

// Appends a number to PDF text: fixed, two decimals, whatever the locale, and a space.
// False, and nothing added, for one that is not finite or beyond kLargestPdfNumber.
bool AppendPdfNumber(std::string& out, double value) {
    if (!std::isfinite(value) || std::fabs(value) > kLargestPdfNumber)
        return false;
    char digits[32];
    const auto [end, error] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    if (error != std::errc())
        return false;
    out.append(digits, end);
    out.push_back(' ');
    return true;
}

void StringLiteral(std::string& out, std::string_view text) {
    out.push_back('(');
    for (char c : text) {
        if (c == '(' || c == ')' || c == '\\')
            out.push_back('\\');
        if (c == '\n' || c == '\r') {
            out += c == '\n' ? "\\n" : "\\r";
            continue;
        }
        out.push_back(c);
    }
    out.push_back(')');
}

// The fonts of a document, numbered in the order they are first used.
class Faces {
  public:
    int Use(const std::string& family, bool bold) {
        const Face& face = FaceFor(family, bold);
        for (std::size_t i = 0; i < used_.size(); ++i)
            if (used_[i] == &face)
                return static_cast<int>(i) + 1;
        used_.push_back(&face);
        return static_cast<int>(used_.size());
    }
    const Face& operator[](int number) const {
        return *used_[static_cast<std::size_t>(number - 1)];
    }
    const std::vector<const Face*>& All() const { return used_; }

  private:
    std::vector<const Face*> used_;
};

// The PDF file's canvas: each page's drawing commands, and the fonts and pictures they use.
class PdfCanvas : public PageCanvas {
  public:
    explicit PdfCanvas(double paperHeight) : height_(paperHeight) {}

    // The pages' commands; the last page ends here.
    std::vector<std::string> TakePages() {
        if (started_)
            pages_.push_back(std::move(out_));
        started_ = false;
        return std::move(pages_);
    }
    const Faces& Fonts() const { return faces_; }
    // The pictures drawn, numbered from 1 in that order.
    const std::vector<std::string>& Pictures() const { return pictures_; }

    bool StartPage(int, int) override {
        if (started_)
            pages_.push_back(std::move(out_));
        started_ = true;
        out_.clear();
        AppendPageNumber(0.2 * kPointsPerMm); // the printer's lines are 0.2 mm wide
        out_ += "w\n";
        return true;
    }

    // A text comes cut to its room (DrawDocument).
    void Text(const TextFont& font, double x, double y, Anchor anchor, std::string_view text,
              std::optional<TextRoom>) override {
        double size = font.PointSize;
        if (font.CharHeight) {
            // The printer sizes the grid's font in whole dots, at least one. A height that is
            // not a number, or too large for one, stays so, and the page is refused.
            const double dots = std::round(*font.CharHeight * kPrinterDotsPerInch / 25.4);
            size = (std::isfinite(dots) ? std::max(1.0, dots) : dots) * 72 / kPrinterDotsPerInch;
        }
        const int number = faces_.Use(std::string(font.Family), font.Bold);
        const Face& face = faces_[number];
        double left = x * kPointsPerMm;
        if (anchor != Anchor::Left) {
            const double width = face.Width(text, size);
            left -= anchor == Anchor::Right ? width : width / 2;
        }
        out_ += "BT /F" + std::to_string(number) + " ";
        AppendPageNumber(size);
        out_ += "Tf ";
        AppendPageNumber(left);
        AppendPageNumber(PointsFromBottom(y) - face.Font.Ascent * size / 1000);
        out_ += "Td ";
        StringLiteral(out_, text);
        out_ += " Tj ET\n";
    }
    void Line(double x1, double y1, double x2, double y2) override {
        AppendPageNumber(x1 * kPointsPerMm);
        AppendPageNumber(PointsFromBottom(y1));
        out_ += "m ";
        AppendPageNumber(x2 * kPointsPerMm);
        AppendPageNumber(PointsFromBottom(y2));
        out_ += "l S\n";
    }
    void Rectangle(double x, double y, double w, double h) override {
        AppendPageNumber(x * kPointsPerMm);
        AppendPageNumber(PointsFromBottom(y + h));
        AppendPageNumber(w * kPointsPerMm);
        AppendPageNumber(h * kPointsPerMm);
        out_ += "re S\n";
    }
    void Picture(std::string_view resource, double left, double top, double right,
                 double bottom) override {
        pictures_.emplace_back(resource);
        const std::size_t number = pictures_.size();
        out_ += "q ";
        AppendPageNumber((right - left) * kPointsPerMm);
        out_ += "0 0 ";
        AppendPageNumber((bottom - top) * kPointsPerMm);
        AppendPageNumber(left * kPointsPerMm);
        AppendPageNumber(PointsFromBottom(bottom));
        out_ += "cm /Im" + std::to_string(number) + " Do Q\n";
    }

    // The first page (from 1) that holds a number a PDF cannot; 0 when none does.
    int BadPage() const { return badPage_; }

  private:
    // A distance from the top of the paper in mm, as PDF points from its bottom.
    double PointsFromBottom(double mm) const { return (height_ - mm) * kPointsPerMm; }
    // Appends a number to the page's commands; one a PDF cannot hold marks the page bad.
    void AppendPageNumber(double value) {
        if (!AppendPdfNumber(out_, value) && badPage_ == 0)
            badPage_ = static_cast<int>(pages_.size()) + 1;
    }
    int badPage_ = 0;
    std::string out_;
    std::vector<std::string> pages_;
    bool started_ = false;
    double height_;
    Faces faces_;
    std::vector<std::string> pictures_;
};

class PdfObjects {
  public:
    // Starts object `number` (numbers are handed out in order from 1).
    int Start() {
        offsets_.push_back(out_.size());
        const int number = static_cast<int>(offsets_.size());
        out_ += std::to_string(number) + " 0 obj\n";
        return number;
    }
    void Add(const std::string& dictionary) {
        Start();
        out_ += dictionary + "\nendobj\n";
    }
    void AddStream(std::string dictionary, const std::string& data) {
        Start();
        out_ += "<< " + dictionary + " /Length " + std::to_string(data.size()) + " >>\nstream\n";
        out_ += data;
        out_ += "\nendstream\nendobj\n";
    }
    int Next() const { return static_cast<int>(offsets_.size()) + 1; }
    std::string& Bytes() { return out_; }
    std::string Finish(int root, int info) {
        const std::size_t xref = out_.size();
        out_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
        char entry[24];
        for (std::size_t offset : offsets_) {
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
            out_ += entry;
        }
        out_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " +
                std::to_string(root) + " 0 R /Info " + std::to_string(info) +
                " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        return std::move(out_);
    }

  private:
    std::string out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets_;
};

std::string Ref(int number) {
    return std::to_string(number) + " 0 R";
}

// The page size as a PDF media box; none when it is not a number between 0 and 11 metres.
std::optional<std::string> MediaBox(const ComposedDocument& doc) {
    std::string mediaBox = "[0 0 ";
    if (!AppendPdfNumber(mediaBox, doc.PaperWidth * kPointsPerMm) ||
        !AppendPdfNumber(mediaBox, doc.PaperHeight * kPointsPerMm) || doc.PaperWidth <= 0 ||
        doc.PaperHeight <= 0)
        return std::nullopt;
    mediaBox += "]";
    return mediaBox;
}

// The font objects, numbered from `firstFont`, each named in the pages' `resources`.
void AddFonts(PdfObjects& pdf, const Faces& faces, int firstFont, std::string& resources) {
    for (std::size_t f = 0; f < faces.All().size(); ++f) {
        const Face& face = *faces.All()[f];
        std::string widths;
        for (double w : face.Font.Widths) {
            widths += std::to_string(std::lround(w));
            widths.push_back(' ');
        }
        pdf.Add("<< /Type /Font /Subtype /Type1 /BaseFont /" + std::string(face.Font.Name) +
                " /Encoding /WinAnsiEncoding /FirstChar " + std::to_string(kFirstChar) +
                " /LastChar " + std::to_string(kLastChar) + " /Widths [" + widths + "] >>");
        resources += " /F" + std::to_string(f + 1) + " " + Ref(firstFont + static_cast<int>(f));
    }
}

// The image objects of the pictures, numbered as `pictureObjects` says (a transparent one's
// mask next after it), each named in the pages' `resources`.
void AddPictures(PdfObjects& pdf, const std::vector<std::string>& pictures,
                 const std::vector<int>& pictureObjects, std::string& resources) {
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const Picture& picture = PictureFor(pictures[i]);
        const std::string size = " /Width " + std::to_string(picture.Width) + " /Height " +
                                 std::to_string(picture.Height) + " /BitsPerComponent 8";
        std::string mask;
        if (!picture.Alpha.empty())
            mask = " /SMask " + Ref(pictureObjects[i] + 1);
        pdf.AddStream("/Type /XObject /Subtype /Image" + size +
                          " /ColorSpace /DeviceRGB /Filter /FlateDecode" + mask,
                      picture.Colours);
        if (!picture.Alpha.empty())
            pdf.AddStream("/Type /XObject /Subtype /Image" + size +
                              " /ColorSpace /DeviceGray /Filter /FlateDecode",
                          picture.Alpha);
        resources += " /Im" + std::to_string(i + 1) + " " + Ref(pictureObjects[i]);
    }
}

} // namespace

Result<std::string> DocumentPdfBytes(const ComposedDocument& doc) {
    const std::optional<std::string> mediaBox = MediaBox(doc);
    if (!mediaBox)
        return Failure{
            "The PDF cannot be written: its paper size is not a number between 0 and 11 metres."};
    // The pages' drawing commands first: they tell which fonts and pictures the file needs.
    PdfCanvas canvas(doc.PaperHeight);
    DrawDocument(doc, canvas);
    if (canvas.BadPage() > 0)
        return Failure{"The PDF cannot be written: page " + std::to_string(canvas.BadPage()) +
                       " holds a position or size that is not a number or lies beyond 11 metres."};
    const std::vector<std::string> pages = canvas.TakePages();
    const Faces& faces = canvas.Fonts();
    const std::vector<std::string>& pictures = canvas.Pictures();

    PdfObjects pdf;
    const int catalog = 1, pageTree = 2, info = 3;
    const int firstFont = 4;
    const int firstPicture = firstFont + static_cast<int>(faces.All().size());
    std::vector<int> pictureObjects;
    int next = firstPicture;
    for (const std::string& resource : pictures) {
        pictureObjects.push_back(next);
        next += PictureFor(resource).Alpha.empty() ? 1 : 2;
    }
    const int firstPage = next;

    pdf.Add("<< /Type /Catalog /Pages " + Ref(pageTree) + " >>");
    std::string kids;
    for (std::size_t p = 0; p < pages.size(); ++p)
        kids += Ref(firstPage + 2 * static_cast<int>(p)) + " ";
    pdf.Add("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
    std::string title;
    StringLiteral(title, doc.Title);
    pdf.Add("<< /Title " + title + " /Producer (mpsec) >>");

    std::string resources = "<< /ProcSet [/PDF /Text /ImageC] /Font <<";
    AddFonts(pdf, faces, firstFont, resources);
    resources += " >> /XObject <<";
    AddPictures(pdf, pictures, pictureObjects, resources);
    resources += " >> >>";

    for (std::size_t p = 0; p < pages.size(); ++p) {
        const int number = pdf.Next();
        pdf.Add("<< /Type /Page /Parent " + Ref(pageTree) + " /MediaBox " + *mediaBox +
                " /Resources " + resources + " /Contents " + Ref(number + 1) + " >>");
        pdf.AddStream("/Filter /FlateDecode", Deflated(pages[p].data(), pages[p].size()));
    }
    return pdf.Finish(catalog, info);
}

} // namespace mpsec
