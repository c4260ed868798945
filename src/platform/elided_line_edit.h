#pragma once
#include <QLineEdit>

class QStyleOptionFrame;

namespace vesdra {

// A one-line text box that holds its whole text but, while it does not have
// the focus, draws what its width holds: a name cut in the middle (its
// start and its end, where names that share a start differ), or a read-out
// "name + separator + value" with the value and its unit whole and the name
// cut in the middle to the room left. Hovering a cut box shows its whole
// text. text() is always the whole text; a box with the focus scrolls
// through it as any line edit does.
class ElidedLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit ElidedLineEdit(QWidget* parent = nullptr);

    // The read-out "nombre + separador + valor": setText of the whole text
    // (a box that shows it already is left alone), whose tail (separador +
    // valor) is kept whole when drawn. A later
    // setText keeps that rule while the text still ends in the tail (the
    // sideways scroll of a read-out drops characters from its start); any
    // other text is a plain name again.
    void MostrarLectura(const QString& nombre, const QString& separador, const QString& valor);

    // The text as drawn now (the whole text while the box has the focus).
    [[nodiscard]] QString TextoVisible() const;
    [[nodiscard]] bool Recortado() const { return TextoVisible() != text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The rectangle the text is drawn in: the contents less the text margins.
    [[nodiscard]] QRect RectTexto(const QStyleOptionFrame& panel) const;
    // The text as drawn in a line `ancho` pixels wide.
    [[nodiscard]] QString VisibleEn(double ancho) const;

    QString separador_;
    QString cola_; // separador_ and the value
};

} // namespace vesdra
