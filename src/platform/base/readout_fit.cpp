#include "platform/base/readout_fit.h"

#include <algorithm>
#include <cmath>

namespace vesdra {

QStringList ReadOutLines(const QString& name, const QStringList& beside, const QString& separator,
                         const QString& value, double width, int lines, const TextAdvance& advance,
                         double reserve)
{
    const QString tail = separator + value;
    const double own = advance(tail);
    const double room = std::max(own, reserve);
    const bool whole = reserve > own ? advance(name) + room <= width : advance(name + tail) <= width;
    if (whole)
        return {name + tail};
    if (lines > 1 && advance(value) <= width) {
        QStringList out = ElideNameInLines(name, beside, width, lines - 1, advance);
        out.removeAll(QString());
        out.append(value);
        return out;
    }
    if (room > width)
        return {FitNameAndValue(name, beside, separator, value, width, advance)};
    const QString cut = ElideName(name, beside, width - room, advance);
    return {cut.isEmpty() ? value : cut + tail};
}

namespace {

// The most characters of `t`'s start that fit `width` (with `suffix` after them).
qsizetype Fitting(const QString& t, const QString& suffix, double width, const TextAdvance& advance)
{
    qsizetype lo = 0, hi = t.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (advance(HeadOf(t, mid) + suffix) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return HeadOf(t, lo).size();
}

} // namespace

QStringList WindowLines(const QString& text, double width, int lines, const TextAdvance& advance)
{
    QStringList out;
    QString rest = text;
    for (int line = 1; line <= std::max(lines, 1) && !rest.isEmpty(); ++line) {
        if (advance(rest) <= width) {
            out.append(rest);
            return out;
        }
        if (line == std::max(lines, 1)) {
            const qsizetype n = Fitting(rest, Ellipsis(), width, advance);
            out.append(n > 0 || advance(Ellipsis()) <= width ? HeadOf(rest, n) + Ellipsis() : QString());
            return out;
        }
        // As many whole words as fit; a word wider than a line is broken.
        qsizetype n = Fitting(rest, QString(), width, advance);
        const qsizetype blank = rest.left(n + 1).lastIndexOf(QLatin1Char(' '));
        if (blank > 0)
            n = blank;
        if (n == 0)
            n = 1;
        out.append(rest.left(n).trimmed());
        rest = rest.mid(n).trimmed();
    }
    return out;
}

QStringList ScrolledReadOutLines(const QString& name, const QString& separator, const QString& value,
                                 double width, int lines, const TextAdvance& advance)
{
    const QString tail = separator + value;
    if (advance(name + tail) <= width)
        return {name + tail};
    if (lines > 1 && advance(value) <= width) {
        QStringList out = WindowLines(name, width, lines - 1, advance);
        out.removeAll(QString());
        out.append(value);
        return out;
    }
    const double room = width - advance(tail);
    const QStringList head = room >= 0 ? WindowLines(name, room, 1, advance) : QStringList();
    return {head.isEmpty() || head.front().isEmpty() ? value : head.front() + tail};
}

QString NameShown(const QStringList& lines, const QString& separator, const QString& value)
{
    if (lines.isEmpty())
        return {};
    if (lines.size() > 1)
        return lines.mid(0, lines.size() - 1).join(QLatin1Char(' '));
    const QString& t = lines.front();
    const QString tail = separator + value;
    if (t == value)
        return {};
    return t.endsWith(tail) ? t.left(t.size() - tail.size()) : t;
}

namespace {

// Whether every read-out at px on `lines` lines shows its value whole and a
// part of its name that reads as none of the other names.
bool ReadApart(const QStringList& names, const QStringList& values, const QStringList& others,
               const QString& separator, double width, int lines, int px, const MedidorTexto& measure)
{
    const TextAdvance advance = [&](const QString& t) { return measure.Ancho(px, t); };
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names.at(i);
        const QString& value = values.at(i);
        if (advance(value) > width)
            return false;
        if (name.isEmpty())
            continue;
        const QStringList shown =
            ReadOutLines(name, others, separator, value, width, lines, advance, advance(separator + value));
        const QString part = NameShown(shown, separator, value);
        if (part.isEmpty() || part == Ellipsis())
            return false;
        for (const QString& other : others)
            if (other != name && !other.isEmpty() && ReadsAs(part, other))
                return false;
    }
    return true;
}

} // namespace

ReadOutFit FitReadOuts(const QStringList& names, const QStringList& values, const QStringList& beside,
                       const QString& separator, double width, double height, double maxHeight, int maxLines,
                       const MedidorTexto& measure, MargenesCaja margins, int reference, int minimum,
                       int maximum)
{
    QStringList wholeTexts;
    for (qsizetype i = 0; i < names.size() && i < values.size(); ++i)
        wholeTexts.append(names.at(i) + separator + values.at(i));
    const int byHeight = PixelesPorAlto(height, measure, margins, minimum, maximum);
    const int whole = PixelesCaja(width, height, wholeTexts, measure, margins, minimum, maximum);
    const bool wholeFits = CabenEnCaja(width, wholeTexts, whole, measure, margins);
    const int floor = std::clamp(reference, minimum, byHeight);
    if (wholeFits && whole >= floor)
        return {whole, 1, height};
    const double inner = width - margins.Horizontal;
    const QStringList others = names + beside;
    for (int px = floor; px >= minimum; --px) {
        if (wholeFits && px <= whole)
            break;
        const double line = std::ceil(measure.Alto(px));
        const int most = std::clamp(static_cast<int>((maxHeight - margins.Vertical) / std::max(line, 1.0)), 1,
                                    std::max(maxLines, 1));
        for (int lines = 1; lines <= most; ++lines) {
            if (ReadApart(names, values, others, separator, inner, lines, px, measure))
                return {px, lines, lines == 1 ? height : std::max(height, lines * line + margins.Vertical)};
        }
    }
    return {whole, 1, height};
}

} // namespace vesdra
