#pragma once
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <optional>

class QStyleOptionFrame;

namespace vesdra {

class NameGroup;

// A one-line text box that holds its whole text but, while it does not have
// the focus, draws what its width holds: a name given way by the rule of
// platform/base/name_elide.h (against the names of its group, when it has
// one), or a read-out "name + separator + value" with the value and its unit
// whole and the name given the room left (platform/base/readout_fit.h).
// Where its height holds more lines and it is allowed them, a text too wide
// for one line takes them. Hovering a cut box shows its whole text. text()
// is always the whole text; a box with the focus shows one line and scrolls
// through it as any line edit does.
class ElidedLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit ElidedLineEdit(QWidget* parent = nullptr);

    // The read-out "name + separator + value": setText of the whole text
    // (a box that shows it already is left alone), whose tail (separator +
    // value) is kept whole when drawn. A later setText keeps that rule while
    // the text still ends in the tail (the sideways scroll of a read-out
    // drops characters from its start); any other text is a plain name again.
    void ShowReadOut(const QString& name, const QString& separator, const QString& value);

    // A read-out whose value changes (a cursor moves, a view scrolls) keeps
    // its name's cut where it is: the name gets the room the widest of
    // `values` leaves (its own value's, when that is wider), and shows whole
    // only where it does beside the widest. Empty: the value's own room.
    void ReserveValueRoom(const QStringList& values);

    // The box shows `shown`, what a sideways scroll leaves of `whole` (its
    // characters from some position on): from its first character, as much
    // as fits with "…" where it is cut (a read-out's value stays whole after
    // it), so that scrolling on brings every part of the text into view; the
    // whole text shows on hover. text() is `shown`; any other text set later
    // (or `shown` equal to `whole`) is drawn by the name rule again.
    void ShowScrolled(const QString& whole, const QString& shown);

    // Up to `lines` lines, as many as the box's height holds (1 by
    // default): a name is then broken between words, and a read-out shows
    // its name on the lines above and its value on the last.
    void SetMaxLines(int lines);

    // The box's name joins `group`: it gives way knowing the group's other
    // names. Null leaves it alone again.
    void SetNameGroup(NameGroup* group);

    // With `cut`, the box goes on showing its name cut while it has the
    // focus, until the user types into it: the entry of a drop-down, which
    // takes the focus as a name is picked from its list.
    void SetCutWhileFocused(bool cut);

    // The name the box shows: its text less a read-out's separator and value.
    [[nodiscard]] QString Name() const;

    // The text as drawn now (the whole text while the box has the focus),
    // its lines joined by "\n".
    [[nodiscard]] QString VisibleText() const;
    [[nodiscard]] bool IsCut() const { return VisibleText() != text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The rectangle the text is drawn in: the contents less the text margins.
    [[nodiscard]] QRect TextRect(const QStyleOptionFrame& panel) const;
    // The lines drawn in the text rectangle `r`.
    [[nodiscard]] QStringList VisibleLines(const QRect& r) const;
    [[nodiscard]] bool IsReadOut() const;
    // Whether the box shows its whole text for the user to edit.
    [[nodiscard]] bool Editing() const;
    [[nodiscard]] bool IsScrolled() const;

    QString separator_;
    QString tail_; // separator_ and the value
    QPointer<NameGroup> group_;
    bool cutWhileFocused_{false};
    std::optional<QString> typed_; // the text as the user last typed it
    QStringList reserved_;         // values whose room a read-out's name keeps
    int maxLines_{1};
    QString scrolledWhole_;
    QString scrolledShown_;
};

} // namespace vesdra
