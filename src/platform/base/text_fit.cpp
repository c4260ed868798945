#include "platform/base/text_fit.h"

#include <algorithm>

namespace vesdra {

int PixelesPorAlto(double altoCaja, const MedidorTexto& medir, MargenesCaja m, int minimo, int maximo)
{
    const double libre = altoCaja - m.Vertical;
    for (int px = maximo; px > minimo; --px) {
        if (medir.Alto(px) <= libre)
            return px;
    }
    return minimo;
}

double AnchoNecesario(const QStringList& textos, int px, const MedidorTexto& medir, MargenesCaja m)
{
    double ancho = 0.0;
    for (const QString& t : textos)
        ancho = std::max(ancho, medir.Ancho(px, t));
    return ancho + m.Horizontal;
}

bool CabenEnCaja(double anchoCaja, const QStringList& textos, int px, const MedidorTexto& medir,
                 MargenesCaja m)
{
    return AnchoNecesario(textos, px, medir, m) <= anchoCaja;
}

int PixelesCaja(double anchoCaja, double altoCaja, const QStringList& textos, const MedidorTexto& medir,
                MargenesCaja m, int minimo, int maximo)
{
    for (int px = PixelesPorAlto(altoCaja, medir, m, minimo, maximo); px > minimo; --px) {
        if (CabenEnCaja(anchoCaja, textos, px, medir, m))
            return px;
    }
    return minimo;
}

} // namespace vesdra

namespace vesdra {

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// The first `n` characters of `t`, one fewer when that would split a pair.
QString Head(const QString& t, qsizetype n)
{
    if (n > 0 && n < t.size() && t.at(n - 1).isHighSurrogate())
        --n;
    return t.left(n);
}

// The last `n` characters of `t`, one fewer when that would split a pair.
QString Tail(const QString& t, qsizetype n)
{
    if (n > 0 && n < t.size() && t.at(t.size() - n).isLowSurrogate())
        --n;
    return t.right(n);
}

QString Kept(const QString& text, qsizetype keep)
{
    return Head(text, keep / 2) + kEllipsis + Tail(text, keep - keep / 2);
}

} // namespace

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

QString FitNameAndValue(const QString& name, const QString& separator, const QString& value, double width,
                        const TextAdvance& advance, bool* fits)
{
    const QString tail = separator + value;
    const double room = width - advance(tail);
    if (fits)
        *fits = room >= 0;
    if (room < 0)
        return value;
    const QString cut = ElideMiddle(name, room, advance);
    return cut.isEmpty() ? value : cut + tail;
}

} // namespace vesdra
