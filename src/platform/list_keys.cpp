#include "platform/list_keys.h"

#include <QKeyEvent>
#include <QListWidget>

namespace vesdra {

namespace {

class FiltroTeclas : public QObject
{
public:
    FiltroTeclas(QListWidget& lista, std::function<void(int)> accion)
        : QObject(&lista), lista_(lista), accion_(std::move(accion))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &lista_ || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* k = static_cast<const QKeyEvent*>(event);
        const bool tecla =
            k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Space;
        const bool sinModificador = (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const int fila = lista_.currentRow();
        const QListWidgetItem* actual = lista_.currentItem();
        if (!tecla || !sinModificador || fila < 0 || !actual || !actual->isSelected())
            return QObject::eventFilter(watched, event);
        accion_(fila);
        return true;
    }

private:
    QListWidget& lista_;
    std::function<void(int)> accion_;
};

} // namespace

void PulsarComoDobleClic(QListWidget& lista, std::function<void(int fila)> accion)
{
    lista.installEventFilter(new FiltroTeclas(lista, std::move(accion)));
}

} // namespace vesdra
