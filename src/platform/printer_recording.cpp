#include "platform/printer_recording.h"

#include <QStringList>
#include <algorithm>

#include "platform/base/vb_error.h"

namespace vesdra {

namespace {

// A4 in twips.
constexpr std::int32_t kShortSide = 11906;
constexpr std::int32_t kLongSide = 16838;

} // namespace

std::int32_t RecordingPrinter::Width() const
{
    return Orientation() == 2 ? kLongSide : kShortSide;
}
std::int32_t RecordingPrinter::Height() const
{
    return Orientation() == 2 ? kShortSide : kLongSide;
}

double RecordingPrinter::TextWidth(const QString& text) const
{
    qsizetype widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, line.size());
    return static_cast<double>(widest) * 12.0 * FontSize;
}

double RecordingPrinter::TextHeight(const QString& text) const
{
    return static_cast<double>(text.count(QLatin1Char('\n')) + 1) * 24.0 * FontSize;
}

std::vector<PrintCall> RecordingPrinter::OfKind(PrintCall::Kind kind) const
{
    std::vector<PrintCall> out;
    std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(out),
                 [kind](const PrintCall& c) { return c.What == kind; });
    return out;
}

std::vector<QString> RecordingPrinter::Texts() const
{
    std::vector<QString> out;
    for (const PrintCall& c : Calls)
        if (c.What == PrintCall::Kind::Print)
            out.push_back(c.Text);
    return out;
}

void RecordingPrinter::MaybeFail()
{
    const bool atCall = FailAtCall != 0 && Calls.size() + 1 == FailAtCall;
    if (!FailNextCall && !atCall)
        return;
    FailNextCall = false;
    if (atCall)
        FailAtCall = 0;
    throw VbError(482);
}

PrintCall RecordingPrinter::Snapshot(PrintCall::Kind kind, std::uint32_t color)
{
    PrintCall c;
    c.What = kind;
    c.Color = color;
    c.DrawWidth = DrawWidth;
    c.DrawStyle = DrawStyle;
    c.ForeColor = ForeColor;
    c.FontName = FontName;
    c.FontSize = FontSize;
    c.FontBold = FontBold;
    c.Orientation = Orientation();
    c.ColorMode = ColorMode();
    c.PageWidth = Width();
    c.PageHeight = Height();
    return c;
}

void RecordingPrinter::DoLine(double x1, double y1, double x2, double y2, std::uint32_t color, LineForm form)
{
    MaybeFail();
    PrintCall c = Snapshot(PrintCall::Kind::Line, color);
    c.X1 = x1;
    c.Y1 = y1;
    c.X2 = x2;
    c.Y2 = y2;
    c.Form = form;
    Calls.push_back(std::move(c));
}

void RecordingPrinter::DoPolyline(const QPointF* points, std::size_t n, std::uint32_t color)
{
    MaybeFail();
    PrintCall c = Snapshot(PrintCall::Kind::Polyline, color);
    c.Points.assign(points, points + n);
    Calls.push_back(std::move(c));
}

void RecordingPrinter::DoLines(const QLineF* lines, std::size_t n, std::uint32_t color)
{
    MaybeFail();
    PrintCall c = Snapshot(PrintCall::Kind::Lines, color);
    c.Segments.assign(lines, lines + n);
    Calls.push_back(std::move(c));
}

void RecordingPrinter::DoPrint(const QString& text)
{
    MaybeFail();
    PrintCall c = Snapshot(PrintCall::Kind::Print, ForeColor);
    c.X1 = CurrentX;
    c.Y1 = CurrentY;
    c.Text = text;
    Calls.push_back(std::move(c));
}

void RecordingPrinter::DoNewPage()
{
    MaybeFail();
    Calls.push_back(Snapshot(PrintCall::Kind::NewPage, 0));
}

void RecordingPrinter::DoEndDoc()
{
    MaybeFail();
    Calls.push_back(Snapshot(PrintCall::Kind::EndDoc, 0));
}

// Abandoning a job cannot fail: it is what error paths call.
void RecordingPrinter::DoKillDoc()
{
    Calls.push_back(Snapshot(PrintCall::Kind::KillDoc, 0));
}

} // namespace vesdra
