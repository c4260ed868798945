#pragma once
// What the tests of the printed pages share: the recording printer's A4
// sheet in landscape with the plot box and frame of the trace pages, a
// fixed window font, finders of the calls a page made, the check that a
// page's texts stand clear of each other and of its lines inside its frame,
// a look for coloured pixels on a page rendered from PDF, and channel names
// of every length with the text of a page printed on paper.
#include <QImage>
#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "common/test_support.h"
#include "platform/base/name_elide.h"
#include "platform/base/segment_clip.h"
#include "platform/printer_qt.h"
#include "platform/printer_recording.h"
#include "shell/impresion.h"

namespace vesdra::test {

// A name's lines printed one under the other taken as one text: a blank
// between lines broken between words, none after a line ending in the
// ellipsis (broken where the name was cut).
inline void AppendPrintedLine(QString& joined, const QString& line)
{
    joined += (joined.isEmpty() || joined.endsWith(QChar(0x2026)) ? QString() : QStringLiteral(" ")) + line;
}
inline QString Joined(const QStringList& lines)
{
    QString t;
    for (const QString& l : lines)
        AppendPrintedLine(t, l);
    return t;
}

inline constexpr double kW = 16838;
inline constexpr double kH = 11906;
inline constexpr double kBoxLeft = 0.15 * kW;
inline constexpr double kBoxRight = 0.92 * kW;
inline constexpr double kBoxTop = 0.05 * kW;
inline constexpr double kBoxBottom = 0.82 * kH;
inline constexpr double kFrameLeft = 0.009 * kW;
inline constexpr double kFrameRight = 0.942 * kW;
inline constexpr double kFrameTop = 0.009 * kH;
inline constexpr double kFrameBottom = 0.945 * kH;

inline constexpr std::uint32_t kBlue = 0xFF0000;
inline constexpr std::uint32_t kGreen = 0x00FF00;
inline constexpr std::uint32_t kRed = 0x0000FF;
inline constexpr std::uint32_t kCyan = 0xFFFF00;
inline constexpr std::uint32_t kYellow = 0x00FFFF;
inline constexpr std::uint32_t kMagenta = 0xFF00FF;

// The window font of the pages under test: 100 twips a character, 200 a
// line. The recording printer's own line is 240.
inline MedidaTexto FixedFont()
{
    return {[](const QString& t) { return 100.0 * static_cast<double>(t.size()); },
            [](const QString&) { return 200.0; }};
}

// The first text printed as t, or null.
inline const PrintCall* FindText(const RecordingPrinter& p, const QString& t)
{
    for (const PrintCall& c : p.Calls)
        if (c.What == PrintCall::Kind::Print && c.Text == t)
            return &c;
    return nullptr;
}

// How often t was printed (in that colour, when one is given).
inline int CountText(const RecordingPrinter& p, const QString& t,
                     std::optional<std::uint32_t> colour = std::nullopt)
{
    return static_cast<int>(std::count_if(p.Calls.begin(), p.Calls.end(), [&](const PrintCall& c) {
        return c.What == PrintCall::Kind::Print && c.Text == t && (!colour || c.Color == *colour);
    }));
}

// The single lines (and boxes) drawn that match a predicate.
template <typename F> std::vector<PrintCall> LinesWhere(const RecordingPrinter& p, F f)
{
    std::vector<PrintCall> out;
    for (const PrintCall& c : p.Calls)
        if (c.What == PrintCall::Kind::Line && f(c))
            out.push_back(c);
    return out;
}

// The time scale's ticks: short solid black lines hanging `depth` twips
// below the plot box.
inline std::vector<PrintCall> TimeTicks(const RecordingPrinter& p, double depth = 100)
{
    return LinesWhere(p, [depth](const PrintCall& c) {
        return c.Y1 == kBoxBottom && c.Y2 == kBoxBottom + depth && c.Color == 0;
    });
}

// Any pixel of the kind within r pixels of (x, y).
template <typename F> bool NearPixel(const QImage& img, double x, double y, int r, F kind)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const int px = static_cast<int>(x) + dx;
            const int py = static_cast<int>(y) + dy;
            if (img.valid(px, py) && kind(img.pixel(px, py)))
                return true;
        }
    return false;
}
inline bool BluePixel(QRgb p)
{
    return qBlue(p) - std::max(qRed(p), qGreen(p)) > 60;
}
inline bool GreenPixel(QRgb p)
{
    return qGreen(p) - std::max(qRed(p), qBlue(p)) > 60;
}
inline bool DarkPixel(QRgb p)
{
    return qGray(p) < 160;
}

} // namespace vesdra::test

namespace vesdra::test {

// What a printed text covers, measured in the printer's font of its call
// (a recording printer's metrics at the recorded size): from its first to
// its last non-blank character, one printer line high. Blank texts cover
// nothing.
struct PrintedText {
    QString Text;
    QRectF Box;
    double Blank{0.0}; // one blank in its font
};
inline std::vector<PrintedText> PrintedTexts(const RecordingPrinter& p)
{
    RecordingPrinter measure;
    std::vector<PrintedText> out;
    for (const PrintCall& c : p.Calls) {
        if (c.What != PrintCall::Kind::Print || c.Text.trimmed().isEmpty())
            continue;
        measure.FontName = c.FontName;
        measure.FontSize = c.FontSize;
        measure.FontBold = c.FontBold;
        qsizetype lead = 0;
        while (c.Text[lead].isSpace())
            ++lead;
        const double x = c.X1 + measure.TextWidth(c.Text.left(lead));
        out.push_back({c.Text,
                       QRectF(x, c.Y1, measure.TextWidth(c.Text.trimmed()), measure.TextHeight(c.Text)),
                       measure.TextWidth(QStringLiteral(" "))});
    }
    return out;
}

// A line the page drew (a segment, an edge of a box, a piece of a trace)
// with its pen's width in twips.
struct DrawnLine {
    QLineF Line;
    double Width;
};
inline std::vector<DrawnLine> DrawnLines(const RecordingPrinter& p)
{
    std::vector<DrawnLine> out;
    for (const PrintCall& c : p.Calls) {
        const double width = std::max(1, c.DrawWidth) * p.TwipsPerPixelX();
        if (c.What == PrintCall::Kind::Line) {
            if (c.Form == LineForm::Plain) {
                out.push_back({QLineF(c.X1, c.Y1, c.X2, c.Y2), width});
            } else {
                const QPointF a(c.X1, c.Y1), b(c.X2, c.Y1), d(c.X2, c.Y2), e(c.X1, c.Y2);
                for (const QLineF& l : {QLineF(a, b), QLineF(b, d), QLineF(d, e), QLineF(e, a)})
                    out.push_back({l, width});
            }
        } else if (c.What == PrintCall::Kind::Lines) {
            for (const QLineF& l : c.Segments)
                out.push_back({l, width});
        } else if (c.What == PrintCall::Kind::Polyline) {
            for (std::size_t i = 1; i < c.Points.size(); ++i)
                out.push_back({QLineF(c.Points[i - 1], c.Points[i]), width});
        }
    }
    return out;
}

// Whether a line runs through a text's glyphs: through its line's middle
// (its top and foot tenths are leading), its pen's width counted.
inline bool CrossesText(const DrawnLine& l, const QRectF& text)
{
    const double half = l.Width / 2;
    const QRectF ink = text.adjusted(-half, 0.1 * text.height() - half, half, -0.1 * text.height() + half);
    if (std::max(l.Line.x1(), l.Line.x2()) < ink.left() || std::min(l.Line.x1(), l.Line.x2()) > ink.right() ||
        std::max(l.Line.y1(), l.Line.y2()) < ink.top() || std::min(l.Line.y1(), l.Line.y2()) > ink.bottom())
        return false;
    QPointF a = l.Line.p1();
    QPointF b = l.Line.p2();
    return ClipSegment(a, b, ink);
}

// Where a page's texts cannot be read: two texts overprinting each other or
// running into each other on one row (less than a blank apart), a text
// crossing the page frame or entering the plot box (none for a page without
// one), a line drawn through a text. Edges that only touch are no fault.
// Empty: all legible.
inline std::vector<std::string> IllegibleTexts(const RecordingPrinter& p, const QRectF& frame,
                                               const std::optional<QRectF>& box)
{
    constexpr double kTouch = 0.5;
    const auto overlap = [](const QRectF& a, const QRectF& b) {
        return a.left() < b.right() - kTouch && b.left() < a.right() - kTouch &&
               a.top() < b.bottom() - kTouch && b.top() < a.bottom() - kTouch;
    };
    const auto name = [](const PrintedText& t) {
        return "\"" + t.Text.toStdString() + "\" at (" + std::to_string(static_cast<int>(t.Box.left())) +
               ", " + std::to_string(static_cast<int>(t.Box.top())) + ")-(" +
               std::to_string(static_cast<int>(t.Box.right())) + ", " +
               std::to_string(static_cast<int>(t.Box.bottom())) + ")";
    };
    const std::vector<PrintedText> texts = PrintedTexts(p);
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QRectF& r = texts[i].Box;
        if (r.left() < frame.left() - kTouch || r.right() > frame.right() + kTouch ||
            r.top() < frame.top() - kTouch || r.bottom() > frame.bottom() + kTouch)
            faults.push_back(name(texts[i]) + " crosses the page frame");
        if (box && overlap(r, *box))
            faults.push_back(name(texts[i]) + " enters the plot box");
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const QRectF& o = texts[j].Box;
            const double blank = std::min(texts[i].Blank, texts[j].Blank);
            if (overlap(r, o))
                faults.push_back(name(texts[i]) + " overprints " + name(texts[j]));
            else if (overlap(r.adjusted(-blank, 0, blank, 0), o))
                faults.push_back(name(texts[i]) + " runs into " + name(texts[j]));
        }
    }
    for (const DrawnLine& l : DrawnLines(p)) {
        for (const PrintedText& t : texts) {
            if (CrossesText(l, t.Box)) {
                faults.push_back(name(t) + " is crossed by the line (" +
                                 std::to_string(static_cast<int>(l.Line.x1())) + ", " +
                                 std::to_string(static_cast<int>(l.Line.y1())) + ")-(" +
                                 std::to_string(static_cast<int>(l.Line.x2())) + ", " +
                                 std::to_string(static_cast<int>(l.Line.y2())) + ")");
                break;
            }
        }
    }
    return faults;
}

// The time grid's dotted lines across the plot box.
inline std::size_t TimeGridLines(const RecordingPrinter& p)
{
    return LinesWhere(p,
                      [](const PrintCall& c) {
                          return c.DrawStyle == 2 && c.Color == 0 && c.X1 == c.X2 && c.Y1 == kBoxTop &&
                                 c.Y2 == kBoxBottom;
                      })
        .size();
}

// The page frame and plot box of the trace pages.
inline QRectF TraceFrame()
{
    return {QPointF(kFrameLeft, kFrameTop), QPointF(kFrameRight, kFrameBottom)};
}
inline QRectF TraceBox()
{
    return {QPointF(kBoxLeft, kBoxTop), QPointF(kBoxRight, kBoxBottom)};
}

// The checks of every trace page's table of cases: each text legible and,
// on a long record's page, a time grid of 20 to 40 lines (no hatching,
// still a grid).
inline void ExpectLegibleTracePage(const RecordingPrinter& p, bool longRecord)
{
    for (const std::string& f : IllegibleTexts(p, TraceFrame(), TraceBox()))
        ADD_FAILURE() << f;
    if (longRecord) {
        const std::size_t lines = TimeGridLines(p);
        EXPECT_TRUE(lines >= 20u && lines <= 40u) << lines << " time grid lines";
    }
}

// The window font of a page printed in the recording printer's own font
// (12 twips a character and 24 a line per point): the measure a window
// hands over when its font is the one the printer prints in.
inline MedidaTexto PrinterFont(double points = 10)
{
    return {[points](const QString& t) { return 12.0 * points * static_cast<double>(t.size()); },
            [points](const QString&) { return 24.0 * points; }, QStringLiteral("Arial"), points, false};
}

// ---- names of every length ----

// The lengths of channel names every page is printed with: short (a
// channel's number, as some relays name them), as long as real relays write
// them (36 characters), and 64 characters that share a long prefix, so that
// only their ends tell them apart.
inline constexpr int kNameLengths[] = {1, 36, 64};
// Channel k's name (1-based) of that length; the names differ near their end.
inline QString NameOfLength(int length, int k)
{
    if (length <= 4)
        return QString::number(k);
    const QString name = QStringLiteral("TENSION FASE %1 BARRA PRINCIPAL %2kV")
                             .arg(QChar(static_cast<char16_t>(u'A' + (k - 1) % 26)))
                             .arg(200 + k % 100);
    return length <= 36 ? name : QStringLiteral("SUBESTACION ELECTRICA NORTE ") + name;
}

// A page printed to a PDF in the font of a plain window (the views' own),
// and the PDF's text in the order it was printed, each run of white space
// one blank.
template <typename Page> QString TextOnPaper(Page&& page)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    auto p = QtPrinter::ForPdf(pdf);
    p->SetOrientation(2);
    const QWidget window;
    page(*p, MedidaDeVentana(window));
    p->EndDoc();
    return PdfText(pdf, {QStringLiteral("-raw")}).simplified();
}

// The sizes of the texts a page printed: one per kind of text at most (the
// page's own, and the one a column of read-outs or of names takes).
inline std::vector<double> FontSizes(const RecordingPrinter& p)
{
    std::vector<double> sizes;
    for (const PrintCall& c : p.Calls)
        if (c.What == PrintCall::Kind::Print && std::none_of(sizes.begin(), sizes.end(), [&](double s) {
                return std::abs(s - c.FontSize) < 1e-9;
            }))
            sizes.push_back(c.FontSize);
    return sizes;
}

// The texts not found whole in `text` as often as they are wanted (a text
// wanted twice must be there twice).
inline std::vector<std::string> NotWhole(const QString& text, const QStringList& wanted)
{
    std::vector<std::string> out;
    QStringList seen;
    for (const QString& w : wanted) {
        if (seen.contains(w))
            continue;
        seen.push_back(w);
        const auto times = wanted.count(w);
        if (text.count(w) < times)
            out.push_back("\"" + w.toStdString() + "\" " + std::to_string(times) + " times, found " +
                          std::to_string(text.count(w)));
    }
    return out;
}

} // namespace vesdra::test

namespace vesdra::test {

// ---- a page read back from paper ----

// A word or a line of a PDF page as pdftotext finds it, its box in points.
struct PaperLine {
    QString Text;
    QRectF Box;
};
// The words of a PDF in the order pdftotext gives them. "..." reads as the
// ellipsis a cut name shows.
inline std::vector<PaperLine> PaperWords(const QString& pdf)
{
    const QString boxes = PdfText(pdf, {QStringLiteral("-bbox")});
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<"));
    std::vector<PaperLine> words;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString t = m.captured(5);
        t.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("..."), QString(QChar(0x2026)));
        words.push_back({t, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}
// The lines of a PDF page: its words on one row less than a character's
// height apart, joined by one blank.
inline std::vector<PaperLine> PaperLines(const QString& pdf)
{
    std::vector<PaperLine> words = PaperWords(pdf);
    std::stable_sort(words.begin(), words.end(), [](const PaperLine& a, const PaperLine& b) {
        return std::abs(a.Box.top() - b.Box.top()) > 0.5 ? a.Box.top() < b.Box.top()
                                                         : a.Box.left() < b.Box.left();
    });
    std::vector<PaperLine> lines;
    for (const PaperLine& w : words) {
        if (!lines.empty()) {
            PaperLine& l = lines.back();
            if (std::abs(l.Box.top() - w.Box.top()) <= 0.5 && w.Box.left() >= l.Box.right() - 0.5 &&
                w.Box.left() - l.Box.right() < w.Box.height()) {
                l.Text += QStringLiteral(" ") + w.Text;
                l.Box = l.Box.united(w.Box);
                continue;
            }
        }
        lines.push_back(w);
    }
    return lines;
}

// A page printed to a PDF in a plain window's font on a printer in that
// colour mode, read back as lines, with the page's twips in points.
struct PaperPage {
    std::vector<PaperLine> Lines;
    QPointF Origin; // the printable area's corner, points
    double W{0.0};  // the page in twips, as the printer reports it
    double H{0.0};
    [[nodiscard]] double X(double twips) const { return Origin.x() + twips / 20.0; }
    [[nodiscard]] double Y(double twips) const { return Origin.y() + twips / 20.0; }
};
template <typename Page> PaperPage OnPaper(Page&& page, int colorMode = 2)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    auto p = QtPrinter::ForPdf(pdf);
    p->SetOrientation(2);
    p->SetColorMode(colorMode);
    const QWidget window;
    page(*p, MedidaDeVentana(window));
    PaperPage out;
    out.Origin = p->Device().pageLayout().paintRect(QPageLayout::Point).topLeft();
    out.W = p->Width();
    out.H = p->Height();
    p->EndDoc();
    out.Lines = PaperLines(pdf);
    return out;
}

// The texts of a paper page's left margin (every line ending left of
// `margen`, points) that cannot be told as one channel's, or that stand
// among the read-outs as if they were one:
// - a channel's value ("head: value", "head max: value", or a value alone
//   under a caption ending in ":") whose head is neither a key "(n)" the
//   legend holds nor a cut (its line or lines above joined to it where it
//   is a name's last) that reads as exactly one of `nombres`; `fijos` are
//   the captions of values no channel owns (the time between the cursors);
// - a bare value ("-8000.000 A", "0 kV", "42.03 kV", "NAME 0kV": an axis's
//   label) between the column's first and last read-out.
// Empty: every value tied to one channel.
inline std::vector<std::string> UntiedValues(const std::vector<PaperLine>& lines, double margen,
                                             const QStringList& nombres, const QStringList& fijos = {})
{
    const QString numero = QStringLiteral("-?[0-9]*[.,][0-9]+");
    const QRegularExpression valor(QStringLiteral("^(.*?)( max| min)?: (%1\\S*( \\S+)?)$").arg(numero));
    const QRegularExpression suelto(QStringLiteral("(^|\\s)(-?[0-9]*[.,][0-9]*|0) ?[^\\s:0-9]{0,3}$"));
    const QRegularExpression solo(QStringLiteral("^%1\\S*( \\S{1,3})?$").arg(numero));
    const QRegularExpression clave(QStringLiteral("^\\(([0-9]+)\\)"));
    std::vector<const PaperLine*> margin;
    for (const PaperLine& l : lines)
        if (l.Box.right() < margen)
            margin.push_back(&l);
    QStringList claves;
    for (const PaperLine* l : margin)
        if (const auto m = clave.match(l->Text); m.hasMatch() && !l->Text.contains(QLatin1Char(':')))
            claves << m.captured(1);
    const auto unaSola = [&](const QString& head) {
        return std::count_if(nombres.begin(), nombres.end(),
                             [&](const QString& n) { return ReadsAs(head, n); }) == 1;
    };
    double primera = 1e9;
    double ultima = -1e9;
    std::vector<std::string> faults;
    std::vector<bool> lectura(margin.size(), false);
    for (std::size_t i = 0; i < margin.size(); ++i) {
        const PaperLine& l = *margin[i];
        QString head;
        std::size_t arriba = i; // the head's first line above, where it has some
        if (const auto m = valor.match(l.Text); m.hasMatch()) {
            head = m.captured(1).trimmed();
        } else if (solo.match(l.Text).hasMatch() && i > 0 && margin[i - 1]->Text.endsWith(QLatin1Char(':'))) {
            head = margin[i - 1]->Text.chopped(1).trimmed();
            arriba = i - 1;
        } else {
            continue;
        }
        lectura[i] = true;
        primera = std::min(primera, l.Box.top());
        ultima = std::max(ultima, l.Box.bottom());
        if (head.isEmpty() || fijos.contains(head))
            continue;
        bool ligado = false;
        if (const auto k = clave.match(head); k.hasMatch()) {
            ligado = claves.contains(k.captured(1));
        } else {
            QString junto = head;
            ligado = unaSola(junto);
            for (std::size_t j = arriba; j > 0 && j + 3 > arriba && !ligado; --j) {
                junto = Joined({margin[j - 1]->Text, junto});
                ligado = unaSola(junto);
            }
        }
        if (!ligado)
            faults.push_back("\"" + l.Text.toStdString() + "\" reads as no channel or several (\"" +
                             head.toStdString() + "\")");
    }
    for (std::size_t i = 0; i < margin.size(); ++i) {
        const PaperLine& l = *margin[i];
        if (lectura[i] || l.Text.contains(QLatin1Char(':')) || !suelto.match(l.Text).hasMatch())
            continue;
        if (l.Box.bottom() > primera && l.Box.top() < ultima)
            faults.push_back("\"" + l.Text.toStdString() + "\" stands among the read-outs");
    }
    return faults;
}

} // namespace vesdra::test
