#pragma once
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <vector>

class QListWidget;
class QWidget;

namespace vesdra {

// The names a form shows beside each other: the slots of a choice dialog,
// the value boxes of a view, the captions of a set of options. Each member
// cuts its name by the rule of platform/base/name_elide.h knowing the
// others, so that two members never read alike; when one member's name
// changes, the others are drawn again against it.
class NameGroup : public QObject
{
    Q_OBJECT
public:
    explicit NameGroup(QObject* parent = nullptr);

    // `member` shows one of the group's names, the one `name` gives (the
    // elided boxes pass their own name). A member that goes leaves the group.
    void Add(QWidget* member, std::function<QString()> name);
    // Names shown beside the members without being a member's (the entries
    // of a list beside them).
    void AddNames(std::function<QStringList()> names);
    // The entries of `list` as they stand whenever the group is asked (the
    // channels on offer beside a dialog's slots).
    void AddEntriesOf(const QListWidget& list);

    // Every name of the group as it stands now.
    [[nodiscard]] QStringList Names() const;

    // A member about to draw its name: when a name of the group changed
    // since one was last drawn, the other members are drawn again.
    void Drawing(const QWidget* member);

private:
    struct Member {
        QPointer<QWidget> widget;
        std::function<QString()> name;
    };
    std::vector<Member> members_;
    std::vector<std::function<QStringList()>> names_;
    QStringList drawn_;
};

} // namespace vesdra
