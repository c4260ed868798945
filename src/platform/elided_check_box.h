#pragma once
#include <QCheckBox>
#include <QPointer>
#include <QRadioButton>

namespace vesdra {

class NameGroup;

// A check box or option button whose caption, when it does not fit, gives
// way by the rule of platform/base/name_elide.h (against the names of its
// group, when it has one), taking more than one line where its height has
// room for them, and shows whole on hover. text() is always the whole
// caption.
template <class Button> class ElidedButton : public Button
{
public:
    explicit ElidedButton(QWidget* parent = nullptr) : Button(parent) {}

    // The caption joins `group` as one of its names. Null leaves it alone again.
    void SetNameGroup(NameGroup* group);
    // Up to `lines` lines, as many as the button's height holds (1 by default).
    void SetMaxLines(int lines);

    // The caption as drawn now (its lines joined by "\n").
    [[nodiscard]] QString VisibleText() const;
    // Whether some of the caption is left out (a caption broken over lines
    // is whole).
    [[nodiscard]] bool IsCut() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Option(QStyleOptionButton& option) const;

    QPointer<NameGroup> group_;
    int maxLines_{1};
};

using ElidedCheckBox = ElidedButton<QCheckBox>;
using ElidedRadioButton = ElidedButton<QRadioButton>;

extern template class ElidedButton<QCheckBox>;
extern template class ElidedButton<QRadioButton>;

} // namespace vesdra
