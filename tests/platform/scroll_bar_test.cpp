#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

#include "platform/scroll_bar.h"

namespace vesdra {
namespace {

// Counts Change notifications and the Value each one saw.
struct Listener {
    std::vector<std::int32_t> seen;
    explicit Listener(ScrollBar& bar)
    {
        QObject::connect(&bar, &ScrollBar::Change, [this, &bar] { seen.push_back(bar.Value()); });
    }
};

enum class Op { Value, Min, Max };

struct Step {
    const char* name;
    Op op;
    std::int32_t arg;
    std::int32_t value; // Value afterwards
    bool notified;      // whether Change was raised
};

TEST(ScrollBar, ChangeIsRaisedOnceAndOnlyWhenTheValueReallyChanges)
{
    // Starting from Min 1, Max 100, Value 50; each step applies to the state
    // the previous one left.
    const Step steps[] = {
        {"same value", Op::Value, 50, 50, false},
        {"new value", Op::Value, 60, 60, true},
        {"above Max is clamped", Op::Value, 500, 100, true},
        {"below Min is clamped", Op::Value, -7, 1, true},
        {"Max above Value", Op::Max, 200, 1, false},
        {"Value back up", Op::Value, 150, 150, true},
        {"Max below Value clamps", Op::Max, 120, 120, true},
        {"Value down", Op::Value, 50, 50, true},
        {"Min above Value clamps", Op::Min, 60, 60, true},
        {"Min below Value", Op::Min, 0, 60, false},
        {"Max equal to Value", Op::Max, 60, 60, false},
        {"large values are 32-bit", Op::Max, 100000, 60, false},
        {"value beyond 16 bits", Op::Value, 70000, 70000, true},
    };
    HScrollBar bar;
    bar.SetMin(1);
    bar.SetMax(100);
    bar.SetValue(50);
    Listener l(bar);
    for (const Step& s : steps) {
        l.seen.clear();
        switch (s.op) {
        case Op::Value:
            bar.SetValue(s.arg);
            break;
        case Op::Min:
            bar.SetMin(s.arg);
            break;
        case Op::Max:
            bar.SetMax(s.arg);
            break;
        }
        EXPECT_EQ(bar.Value(), s.value) << s.name;
        ASSERT_EQ(l.seen.size(), s.notified ? 1u : 0u) << s.name;
        if (s.notified) {
            EXPECT_EQ(l.seen[0], s.value) << s.name << ": the handler sees the new Value";
        }
    }
}

TEST(ScrollBar, UserStepsMoveBySmallAndLargeChangeAndNotify)
{
    HScrollBar bar;
    bar.SetMin(1);
    bar.SetMax(1000);
    bar.SetSmallChange(1);
    bar.SetLargeChange(20);
    Listener l(bar);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(l.seen, (std::vector<std::int32_t>{2, 22, 21}));
    bar.triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(bar.Value(), 1000);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd); // at the end: no change, no event
    EXPECT_EQ(l.seen.size(), 4u);
}

void Press(QWidget& w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&w, &press);
}

TEST(ScrollBar, TakesTheFocusByTabAndMovesByKeyboard)
{
    QWidget form;
    auto* before = new QWidget(&form);
    before->setFocusPolicy(Qt::StrongFocus);
    auto* bar = new HScrollBar(&form);
    EXPECT_TRUE(bar->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(bar->focusPolicy() & Qt::ClickFocus);
    QWidget::setTabOrder(before, bar);
    EXPECT_EQ(before->nextInFocusChain(), bar) << "Tab goes from the control before to the bar";

    bar->SetMin(1);
    bar->SetMax(1000);
    bar->SetSmallChange(1);
    bar->SetLargeChange(20);
    bar->SetValue(500);
    Listener l(*bar);
    struct Key {
        int key;
        std::int32_t value;
    };
    const Key keys[] = {
        {Qt::Key_Right, 501},    {Qt::Key_Down, 502},   {Qt::Key_Left, 501}, {Qt::Key_Up, 500},
        {Qt::Key_PageDown, 520}, {Qt::Key_PageUp, 500}, {Qt::Key_End, 1000}, {Qt::Key_Home, 1},
    };
    for (const Key& k : keys) {
        Press(*bar, k.key);
        EXPECT_EQ(bar->Value(), k.value) << "key " << k.key;
    }
    EXPECT_EQ(l.seen, (std::vector<std::int32_t>{501, 502, 501, 500, 520, 500, 1000, 1}))
        << "every key move is reported once, as a user's move";
    Press(*bar, Qt::Key_Home);
    Press(*bar, Qt::Key_Left);
    EXPECT_EQ(l.seen.size(), 8u) << "at the end a key changes nothing and reports nothing";
    Press(*bar, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(bar->Value(), 1) << "keys with Alt are left to the exit key and the menus";
}

TEST(ScrollBar, ReversedRangeRunsFromMinTowardsMax)
{
    HScrollBar bar;
    bar.SetMax(0);
    bar.SetMin(10);
    EXPECT_EQ(bar.Value(), 0) << "0 is still inside 0..10";
    bar.SetValue(20);
    EXPECT_EQ(bar.Value(), 10);
    bar.SetValue(10);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd); // thumb one step right
    EXPECT_EQ(bar.Value(), 9);
}

TEST(ScrollBar, LinkedBarsSettingEachOtherSettle)
{
    // Two views that follow each other's bar, as the linked phasor views do.
    HScrollBar a, b;
    for (HScrollBar* bar : {&a, &b}) {
        bar->SetMin(0);
        bar->SetMax(500);
    }
    int changesA = 0, changesB = 0;
    QObject::connect(&a, &ScrollBar::Change, [&] {
        ++changesA;
        b.SetValue(a.Value());
    });
    QObject::connect(&b, &ScrollBar::Change, [&] {
        ++changesB;
        a.SetValue(b.Value());
    });
    a.SetValue(123);
    EXPECT_EQ(b.Value(), 123);
    EXPECT_EQ(changesA, 1);
    EXPECT_EQ(changesB, 1);
}

} // namespace
} // namespace vesdra
