#include "platform/name_group.h"

#include <QListWidget>
#include <QPointer>
#include <QWidget>
#include <utility>

namespace vesdra {

NameGroup::NameGroup(QObject* parent) : QObject(parent) {}

void NameGroup::Add(QWidget* member, std::function<QString()> name)
{
    for (const Member& m : members_)
        if (m.widget == member)
            return;
    members_.push_back({member, std::move(name)});
}

void NameGroup::AddNames(std::function<QStringList()> names)
{
    names_.push_back(std::move(names));
}

void NameGroup::AddEntriesOf(const QListWidget& list)
{
    AddNames([l = QPointer<const QListWidget>(&list)] {
        QStringList entries;
        for (int row = 0; l && row < l->count(); ++row)
            entries.append(l->item(row)->text());
        return entries;
    });
}

QStringList NameGroup::Names() const
{
    QStringList all;
    for (const Member& m : members_)
        if (m.widget)
            all.append(m.name());
    for (const auto& names : names_)
        all.append(names());
    return all;
}

void NameGroup::Drawing(const QWidget* member)
{
    QStringList now = Names();
    if (now == drawn_)
        return;
    drawn_ = std::move(now);
    for (const Member& m : members_)
        if (m.widget && m.widget != member)
            m.widget->update();
}

} // namespace vesdra
