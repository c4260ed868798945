#pragma once
#include <QLabel>
#include <QPointer>

namespace vesdra {

class NameGroup;

// A label that shows as much of its text as its room holds, cut with an
// ellipsis where the mode says (the middle keeps a path's drive and its last
// folder in sight), and shows the whole text as its tool tip while it is
// cut. A label cut in the middle that holds a name of a group gives way by
// the rule of platform/base/name_elide.h against the group's other names,
// and may take more than one line where its height has room for them.
// text() is always the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(Qt::TextElideMode modo, QWidget* parent = nullptr);

    // The label's text joins `group` as one of its names. Null leaves it alone again.
    void SetNameGroup(NameGroup* group);
    // Up to `lines` lines, as many as the label's height holds (1 by default).
    void SetMaxLines(int lines);

    // The text as drawn now: the whole text, or its elided form (its lines
    // joined by "\n").
    [[nodiscard]] QString VisibleText() const;
    [[nodiscard]] bool IsCut() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Where the text is drawn: the contents less margin and indent.
    [[nodiscard]] QRect TextRect() const;
    // The lines drawn in the room the label has.
    [[nodiscard]] QStringList VisibleLines() const;

    Qt::TextElideMode modo_;
    QPointer<NameGroup> group_;
    int maxLines_{1};
};

// Answers a tool-tip request at `event` on `w`: the whole text on hover while
// what shows of it is cut, no tip otherwise.
void ShowWholeTextTip(QWidget& w, const QEvent& event, bool cut, const QString& whole);

// The sunken one-line box a dialog shows its folder in: a long path keeps its
// start and its last folders in sight, the whole path on hover.
ElidedLabel* EtiquetaRuta(QWidget* parent, const char* nombre);

} // namespace vesdra
