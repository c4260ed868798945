#pragma once
#include <QLabel>

namespace vesdra {

// A one-line label that shows as much of its text as its width holds, cut
// with an ellipsis where the mode says (the middle keeps a path's drive and
// its last folder in sight), and shows the whole text as its tool tip while
// it is cut. text() is always the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(Qt::TextElideMode modo, QWidget* parent = nullptr);

    // The text as drawn now: the whole text, or its elided form.
    [[nodiscard]] QString TextoVisible() const;
    [[nodiscard]] bool Recortado() const { return TextoVisible() != text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Where the line of text is drawn: the contents less margin and indent.
    [[nodiscard]] QRect RectTexto() const;

    Qt::TextElideMode modo_;
};

// Answers a tool-tip request at `event` on `w`: the whole text on hover while
// what shows of it is cut, no tip otherwise.
void ShowWholeTextTip(QWidget& w, const QEvent& event, bool cut, const QString& whole);

// The sunken one-line box a dialog shows its folder in: a long path keeps its
// start and its last folders in sight, the whole path on hover.
ElidedLabel* EtiquetaRuta(QWidget* parent, const char* nombre);

} // namespace vesdra
