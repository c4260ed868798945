#include "platform/base/name_elide.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vesdra {

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// The last `n` characters of `t`, one fewer when that would split a pair.
QString Tail(const QString& t, qsizetype n)
{
    if (n > 0 && n < t.size() && t.at(t.size() - n).isLowSurrogate())
        --n;
    return t.right(n);
}

// `head` characters of the start and `tail` of the end around "…".
QString Cut(const QString& text, qsizetype head, qsizetype tail)
{
    return HeadOf(text, head) + kEllipsis + Tail(text, tail);
}

QString Kept(const QString& text, qsizetype keep)
{
    return Cut(text, keep / 2, keep - keep / 2);
}

// Blanks and punctuation part the words of a name.
bool Separates(QChar c)
{
    return !c.isLetterOrNumber();
}

qsizetype SharedStart(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a.at(i) == b.at(i))
        ++i;
    return i;
}

// The names beside `name` that count: not itself, not empty.
QStringList Others(const QString& name, const QStringList& beside)
{
    QStringList others;
    for (const QString& o : beside)
        if (!o.isEmpty() && o != name)
            others.append(o);
    return others;
}

bool ReadsAsAnother(const QString& shown, const QStringList& others)
{
    return std::any_of(others.begin(), others.end(), [&](const QString& o) { return ReadsAs(shown, o); });
}

// Where the name may start once the words it shares with a name beside it
// are left out: the start of each word after the first whose words before
// it (and the blanks and marks after them) the name shares with one of the
// others. In order, fewest words left out first.
std::vector<qsizetype> SharedWordEnds(const QString& name, const QStringList& others)
{
    qsizetype shared = 0;
    for (const QString& o : others)
        shared = std::max(shared, SharedStart(name, o));
    std::vector<qsizetype> ends;
    for (qsizetype i = 1; i < name.size(); ++i) {
        if (!Separates(name.at(i - 1)) || Separates(name.at(i)))
            continue;
        // Between the shared start and this word only blanks and marks.
        bool onlyMarks = true;
        for (qsizetype k = shared; k < i && onlyMarks; ++k)
            onlyMarks = Separates(name.at(k));
        if (!onlyMarks)
            break;
        ends.push_back(i);
    }
    return ends;
}

// A name with its first `start` characters left out.
QString Without(const QString& name, qsizetype start)
{
    return start == 0 ? name : kEllipsis + name.mid(start);
}

// The part of the name that tells it apart: the most shared words left out
// that still keeps it from reading as one of the others (the whole name when
// every such cut would).
qsizetype DistinctStart(const QString& name, const QStringList& others, const std::vector<qsizetype>& ends)
{
    for (auto it = ends.rbegin(); it != ends.rend(); ++it)
        if (!ReadsAsAnother(Without(name, *it), others))
            return *it;
    return 0;
}

// `rest` (what is left of the name from `start`) cut in the middle to fit
// `fits`: as many characters as fit, split between start and end so that
// the result reads as none of the others where a split does, the even split
// otherwise.
QString MiddleCut(const QString& name, qsizetype start, const QStringList& others,
                  const std::function<bool(const QString&)>& fits)
{
    const QString rest = name.mid(start);
    const QString lead = start == 0 ? QString() : kEllipsis;
    auto shown = [&](qsizetype head, qsizetype tail) {
        // "……" reads as one ellipsis: a cut that keeps no start drops the second.
        return head == 0 ? kEllipsis + Tail(rest, tail) : lead + Cut(rest, head, tail);
    };
    // The most characters kept whose even split fits: widths grow with the count.
    qsizetype lo = 0, hi = rest.size() - 1;
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fits(shown(mid / 2, mid - mid / 2)))
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo == 0)
        return fits(kEllipsis) ? kEllipsis : QString();
    // A few counts below the most, each split from the even one outwards.
    for (qsizetype keep = lo; keep >= std::max<qsizetype>(1, lo - 6); --keep) {
        const qsizetype even = keep / 2;
        for (qsizetype d = 0; d <= std::max(even, keep - even); ++d) {
            for (const qsizetype head : {even - d, even + d}) {
                if (head < 0 || head > keep)
                    continue;
                const QString t = shown(head, keep - head);
                if (fits(t) && !ReadsAsAnother(t, others))
                    return t;
                if (d == 0)
                    break;
            }
        }
    }
    return shown(lo / 2, lo - lo / 2);
}

// The rule for one name, whatever "fits" means for its box.
QString ElideBy(const QString& name, const QStringList& beside,
                const std::function<bool(const QString&)>& fits)
{
    if (fits(name))
        return name;
    if (!fits(kEllipsis))
        return {};
    const QStringList others = Others(name, beside);
    const std::vector<qsizetype> ends = SharedWordEnds(name, others);
    for (const qsizetype start : ends) {
        const QString t = Without(name, start);
        if (fits(t) && !ReadsAsAnother(t, others))
            return t;
    }
    return MiddleCut(name, DistinctStart(name, others, ends), others, fits);
}

// `text` broken between words into lines of at most `width`, as many words
// on a line as fit; empty when it takes more than `lines` lines or a word is
// wider than a line.
QStringList Wrap(const QString& text, double width, int lines, const TextAdvance& advance)
{
    QStringList out;
    qsizetype from = 0;
    while (from < text.size()) {
        if (out.size() == lines)
            return {};
        // The longest run of whole words from `from` that fits.
        qsizetype best = -1;
        for (qsizetype i = from + 1; i <= text.size(); ++i) {
            const bool wordEnds = i == text.size() || (Separates(text.at(i - 1)) && !Separates(text.at(i)));
            if (!wordEnds)
                continue;
            if (advance(text.mid(from, i - from).trimmed()) > width)
                break;
            best = i;
        }
        if (best < 0)
            return {};
        out.append(text.mid(from, best - from).trimmed());
        from = best;
    }
    if (out.isEmpty())
        out.append(QString());
    return out;
}

} // namespace

const QString& Ellipsis()
{
    return kEllipsis;
}

QString HeadOf(const QString& text, qsizetype n)
{
    if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

bool ShownWhole(const QString& shown, const QString& whole)
{
    const auto bare = [](const QString& t) {
        QString b;
        for (const QChar c : t)
            if (!c.isSpace())
                b.append(c);
        return b;
    };
    return bare(shown) == bare(whole);
}

bool ReadsAs(const QString& shown, const QString& whole)
{
    const QStringList pieces = shown.split(kEllipsis);
    if (pieces.size() == 1)
        return shown == whole;
    const QString& first = pieces.front();
    const QString& last = pieces.back();
    if (!whole.startsWith(first) || !whole.endsWith(last))
        return false;
    qsizetype from = first.size();
    const qsizetype to = whole.size() - last.size();
    if (to < from)
        return false;
    for (qsizetype k = 1; k + 1 < pieces.size(); ++k) {
        const qsizetype at = whole.indexOf(pieces.at(k), from);
        if (at < 0 || at + pieces.at(k).size() > to)
            return false;
        from = at + pieces.at(k).size();
    }
    return true;
}

QString ElideMiddle(const QString& text, double width, const TextAdvance& advance)
{
    if (advance(text) <= width)
        return text;
    if (advance(kEllipsis) > width)
        return {};
    // The most characters kept whose cut text fits: widths grow with the count.
    qsizetype lo = 0, hi = text.size() - 1;
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (advance(Kept(text, mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo == 0 ? kEllipsis : Kept(text, lo);
}

QString ElideName(const QString& name, const QStringList& beside, double width, const TextAdvance& advance)
{
    return ElideBy(name, beside, [&](const QString& t) { return advance(t) <= width; });
}

QStringList ElideNameInLines(const QString& name, const QStringList& beside, double width, int lines,
                             const TextAdvance& advance)
{
    lines = std::max(lines, 1);
    if (lines == 1)
        return {ElideName(name, beside, width, advance)};
    const QString shown =
        ElideBy(name, beside, [&](const QString& t) { return !Wrap(t, width, lines, advance).isEmpty(); });
    const QStringList wrapped = Wrap(shown, width, lines, advance);
    return wrapped.isEmpty() ? QStringList{shown} : wrapped;
}

QString FitNameAndValue(const QString& name, const QStringList& beside, const QString& separator,
                        const QString& value, double width, const TextAdvance& advance, bool* fits)
{
    const QString tail = separator + value;
    const double room = width - advance(tail);
    if (fits)
        *fits = room >= 0;
    if (room < 0)
        return value;
    const QString cut = ElideName(name, beside, room, advance);
    return cut.isEmpty() ? value : cut + tail;
}

QString FitNameAndValue(const QString& name, const QString& separator, const QString& value, double width,
                        const TextAdvance& advance, bool* fits)
{
    return FitNameAndValue(name, {}, separator, value, width, advance, fits);
}

} // namespace vesdra
