#pragma once
#include <QCheckBox>

namespace vesdra {

// A check box whose caption, when it does not fit, is drawn cut in the
// middle (its start and its end, where names that share a start differ) and
// shows whole on hover. text() is always the whole caption.
class ElidedCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit ElidedCheckBox(QWidget* parent = nullptr);

    // The caption as drawn now.
    [[nodiscard]] QString TextoVisible() const;
    [[nodiscard]] bool Recortado() const { return TextoVisible() != text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Opcion(QStyleOptionButton& opcion) const;
};

} // namespace vesdra
