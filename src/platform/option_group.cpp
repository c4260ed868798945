#include "platform/option_group.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QRadioButton>
#include <algorithm>

namespace vesdra {

namespace {

class OptionGroup : public QObject
{
public:
    OptionGroup(QObject* owner, std::vector<QRadioButton*> options) : QObject(owner)
    {
        for (QRadioButton* o : options) {
            options_.emplace_back(o);
            o->installEventFilter(this);
            connect(o, &QAbstractButton::toggled, this, [this] { OneTabStop(); });
        }
        OneTabStop();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            // Qt hands the tab stop to whichever option takes the focus (a
            // press that ends in no click): it goes back to the one chosen
            // once Qt has done so.
            static_cast<QObject*>(watched)->event(event);
            OneTabStop();
            return true;
        }
        if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ShowToParent ||
            event->type() == QEvent::HideToParent) {
            OneTabStop();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* k = static_cast<const QKeyEvent*>(event);
        if ((k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        int step = 0;
        switch (k->key()) {
        case Qt::Key_Down:
        case Qt::Key_Right:
            step = 1;
            break;
        case Qt::Key_Up:
        case Qt::Key_Left:
            step = -1;
            break;
        default:
            return false;
        }
        const auto here = std::find(options_.begin(), options_.end(), watched);
        if (here == options_.end())
            return false;
        const int n = static_cast<int>(options_.size());
        int i = static_cast<int>(here - options_.begin());
        for (int tried = 1; tried < n; ++tried) {
            i = (i + step + n) % n;
            QRadioButton* next = options_[static_cast<std::size_t>(i)];
            if (Usable(next)) {
                next->click();
                next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                OneTabStop();
                break;
            }
        }
        return true;
    }

private:
    static bool Usable(const QRadioButton* o) { return o && o->isEnabled() && o->isVisibleTo(o->window()); }

    // The option chosen is the group's one stop of Tab; with none chosen,
    // the first usable one.
    void OneTabStop()
    {
        QRadioButton* stop = nullptr;
        for (const QPointer<QRadioButton>& o : options_)
            if (Usable(o) && o->isChecked())
                stop = o;
        for (const QPointer<QRadioButton>& o : options_)
            if (!stop && Usable(o))
                stop = o;
        for (const QPointer<QRadioButton>& o : options_)
            if (o)
                o->setFocusPolicy(o == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }

    std::vector<QPointer<QRadioButton>> options_;
};

} // namespace

void MakeOptionGroup(std::vector<QRadioButton*> options)
{
    if (options.empty() || !options.front())
        return;
    QObject* owner = options.front();
    new OptionGroup(owner, std::move(options));
}

} // namespace vesdra
