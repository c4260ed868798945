#pragma once
#include <QString>
#include <QStringList>

#include "platform/base/box_font_size.h"
#include "platform/base/name_elide.h"

namespace vesdra {

// Read-out boxes that show a name beside a value ("…TENSIÓN FASE A: -46.678
// kV"): the value with its unit always whole, the name giving way by the
// rule of name_elide.h against the names shown beside it. Where a box's
// height holds more than one line, the name takes the lines above and the
// value the last one.

// A read-out in up to `lines` lines of `width`: the whole text on one line
// when it fits; else, on one line, the name given way in the room the value
// leaves; on more lines, the name given way over all but the last and the
// value alone on the last (one line again when the value is wider than a
// line). `reserve`, when wider than the separator and value, is the room
// the value keeps on one line: the widest one the box may show, so that the
// name's cut stays where it is while the value changes width.
[[nodiscard]] QStringList ReadOutLines(const QString& name, const QStringList& beside,
                                       const QString& separator, const QString& value, double width,
                                       int lines, const TextAdvance& advance, double reserve = 0.0);

// A text scrolled sideways (its characters from where the bar stands on),
// in up to `lines` lines of `width`: broken between words, the last line cut
// at its end with "…" when more follows.
[[nodiscard]] QStringList WindowLines(const QString& text, double width, int lines,
                                      const TextAdvance& advance);

// A read-out scrolled sideways: the name's window on the lines above and the
// value whole on the last, or on one line the window before the value.
[[nodiscard]] QStringList ScrolledReadOutLines(const QString& name, const QString& separator,
                                               const QString& value, double width, int lines,
                                               const TextAdvance& advance);

// What a read-out's lines show of its name (empty when only the value shows).
[[nodiscard]] QString NameShown(const QStringList& lines, const QString& separator, const QString& value);

struct ReadOutFit {
    int Pixels{kPixelesFuenteMinimos};
    int Lines{1};
    double Height{0.0}; // the boxes' height for those lines, pixels
};

// The font size and the lines of read-out boxes `width` x `height` pixels
// (growing to `maxHeight`, at most `maxLines` lines, where more lines are
// wanted) showing `names`, each beside the widest value it may show
// (`values`, one per name), among the names `beside` as well: the largest size the height holds at which
// every read-out fits whole on one line; where that is smaller than
// `reference` (the size of the screen's other read-outs), `reference` as far
// as the height holds it, on as few lines as let every name keep a part that
// reads as none of the others beside its whole value; smaller only where
// even that does not hold.
[[nodiscard]] ReadOutFit FitReadOuts(const QStringList& names, const QStringList& values,
                                     const QStringList& beside, const QString& separator, double width,
                                     double height, double maxHeight, int maxLines,
                                     const MedidorTexto& measure, MargenesCaja margins, int reference,
                                     int minimum = kPixelesFuenteMinimos,
                                     int maximum = kPixelesFuenteMaximos);

} // namespace vesdra
