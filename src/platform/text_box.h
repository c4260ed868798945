#pragma once
#include <QStringList>

#include "platform/base/box_font_size.h"

class QAbstractButton;
class QAbstractItemView;
class QComboBox;
class QFont;
class QLineEdit;
class QWidget;

namespace vesdra {

class NameGroup;

// A read-only box whose text the program writes keeps the beginning of that
// text in sight, as a text box whose text is assigned does: every
// assignment, also of the text the box already holds, leaves the caret at
// the start. A QLineEdit would put it at the end and so show the tail of a
// text longer than the box. While the box has the focus the user's caret
// and selection are left alone.
void MostrarPrincipio(QLineEdit& caja);

// How a font (its family and style) measures text at pixel sizes.
[[nodiscard]] MedidorTexto MedidorDeFuente(const QFont& fuente);

// What a line edit keeps around its text (its style's frame, its text
// margins and its own inner margins), pixels.
[[nodiscard]] MargenesCaja MargenesDe(const QLineEdit& caja);

// Sets the pixel size of a widget's font, keeping its family and style.
void FijarPixelesFuente(QWidget& w, int px);

// Gives a box the size of PixelesCaja for its present width and height and
// the texts it may show; returns that size.
int AjustarFuenteCaja(QLineEdit& caja, const QStringList& textos);

// The width in pixels a box like `caja` (same style and margins) needs to
// show each of the texts whole in its font at px.
[[nodiscard]] double AnchoNecesarioCaja(const QLineEdit& caja, const QStringList& textos, int px);

// An option or check box shows its caption whole: it widens to what it
// needs as far as its container leaves room, and beyond that its font
// becomes smaller (not below the smallest read-out size).
void MostrarOpcionEntera(QAbstractButton& opcion);

// True when the box, at its present font and width, shows `texto` whole.
[[nodiscard]] bool MuestraEntero(const QLineEdit& caja, const QString& texto);

// True when the widget shows its text cut at its present font and width: a
// line edit, a combo box's entry, an option or check box's caption.
[[nodiscard]] bool TextoRecortado(const QWidget& w);

// Hovering the widget shows its whole text as a tool tip whenever it shows
// it cut (judged at the moment of hovering, so later texts and sizes count).
void AyudaSiRecortado(QWidget& w);

// A drop-down of names: its entry shows a long name's start (or, when the
// entry is an ElidedLineEdit, the name as the name rule gives way against
// the drop-down's entries, also while it has the focus until the user types
// into it), its pop-up list is as wide as the longest name, and a cut entry
// shows whole on hover. Run again after the list is filled.
void AjustarDesplegable(QComboBox& lista);

// A list of names: an entry too long for the list gives way by the name rule
// (platform/base/name_elide.h) against the list's other entries and the
// names of `grupo` (the names shown beside the list, when given), and shows
// whole on hover; the list does not scroll sideways. Made once per list.
void NombresEnLista(QAbstractItemView& lista, NameGroup* grupo = nullptr);
// The text a list made so draws for its row (the whole text when it fits).
[[nodiscard]] QString TextoVisibleEnLista(const QAbstractItemView& lista, int fila);

} // namespace vesdra
