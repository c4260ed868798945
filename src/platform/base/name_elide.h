#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace vesdra {

// How a name gives way when its box is too narrow for it.
//
// Recorders name channels, sets and groups with long texts that share most
// of their start ("SUBESTACIÓN NORTE 220 kV POSICIÓN LÍNEA 2 TENSIÓN FASE A",
// "... INTENSIDAD FASE A"): the part that tells one from the others shown
// beside it is what must stay in sight. So a name too wide for its room
// first lets go of the words it shares with the names beside it, shown as
// "…" ("…TENSIÓN FASE A"), as few as make it fit; only when the part that
// tells it apart is still too wide is that cut in the middle, keeping its
// start and its end. Whatever is shown never reads as another name beside
// it where the room allows that. Values and units beside a name never give
// way.

// How wide a text is, in the caller's units (pixels, twips).
using TextAdvance = std::function<double(const QString& text)>;

// `text` whole when it fits `width`; otherwise its start and end around "…",
// as many characters as fit (the end keeps the odd one); "…" alone when not
// even that fits, and an empty text when the ellipsis does not fit either.
// A surrogate pair is never split. Knows nothing of other names: for a text
// shown alone (a path, a caption).
[[nodiscard]] QString ElideMiddle(const QString& text, double width, const TextAdvance& advance);

// `name` as shown in `width` beside the names `beside` (the other names of
// the same list, dialog, view or page; the name itself and empty names among
// them are ignored): whole when it fits; else with the words it shares at
// its start with a name beside it left out as "…", as few as make it fit and
// keep it from reading as a name beside it; else the part that tells it
// apart cut in the middle. With nothing beside it, ElideMiddle.
[[nodiscard]] QString ElideName(const QString& name, const QStringList& beside, double width,
                                const TextAdvance& advance);

// The same rule where a box has room for up to `lines` lines of `width`:
// the name broken between words, whole when it fits in those lines; else
// shared words left out as above; else its last line cut in the middle.
// One line at least; never more than `lines`.
[[nodiscard]] QStringList ElideNameInLines(const QString& name, const QStringList& beside, double width,
                                           int lines, const TextAdvance& advance);

// A read-out "name + separator + value" in `width`: the value (with its unit)
// whole, the name given the room left by ElideName. `fits` tells whether the
// value itself fit (false: the caller should try a smaller font; the text
// returned is then the value alone, as wide as it is). A name with no room
// even for "…" is left out with its separator.
[[nodiscard]] QString FitNameAndValue(const QString& name, const QStringList& beside,
                                      const QString& separator, const QString& value, double width,
                                      const TextAdvance& advance, bool* fits = nullptr);
// The same for a name shown alone.
[[nodiscard]] QString FitNameAndValue(const QString& name, const QString& separator, const QString& value,
                                      double width, const TextAdvance& advance, bool* fits = nullptr);

// Whether `shown`, a text as drawn where each "…" stands for characters left
// out, could be read as `whole`: its pieces stand in `whole` in order, the
// first at its start unless `shown` begins with "…" and the last at its end
// unless `shown` ends with "…".
[[nodiscard]] bool ReadsAs(const QString& shown, const QString& whole);

// Whether `shown`, a text as drawn on one line or broken over several, is
// `whole` with nothing left out: only the blanks at its breaks may differ.
[[nodiscard]] bool ShownWhole(const QString& shown, const QString& whole);

// The ellipsis that stands for the characters a cut name leaves out.
[[nodiscard]] const QString& Ellipsis();

// The first `n` characters of `text`, one fewer when that would split a
// surrogate pair.
[[nodiscard]] QString HeadOf(const QString& text, qsizetype n);

} // namespace vesdra
