#include "platform/list_keys.h"

#include <QKeyEvent>
#include <QListWidget>

namespace vesdra {

namespace {

class FiltroTeclas : public QObject
{
public:
    // `seguir`: the key goes on after the action (Enter only), else it is
    // taken (Enter and Space).
    FiltroTeclas(QListWidget& lista, std::function<void(int)> accion, bool seguir = false)
        : QObject(&lista), lista_(lista), accion_(std::move(accion)), seguir_(seguir)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &lista_ || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* k = static_cast<const QKeyEvent*>(event);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        const bool tecla = enter || (!seguir_ && k->key() == Qt::Key_Space);
        const bool sinModificador = (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const int fila = lista_.currentRow();
        const QListWidgetItem* actual = lista_.currentItem();
        if (!tecla || !sinModificador || fila < 0 || !actual || !actual->isSelected())
            return QObject::eventFilter(watched, event);
        accion_(fila);
        return !seguir_;
    }

private:
    QListWidget& lista_;
    std::function<void(int)> accion_;
    bool seguir_;
};

} // namespace

void PulsarComoDobleClic(QListWidget& lista, std::function<void(int fila)> accion)
{
    lista.installEventFilter(new FiltroTeclas(lista, std::move(accion)));
}

void TakeEntryOnEnter(QListWidget& lista, std::function<void(int fila)> accion)
{
    lista.installEventFilter(new FiltroTeclas(lista, std::move(accion), true));
}

} // namespace vesdra
