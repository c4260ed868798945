#include "platform/messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "platform/mdi_forms.h"
#include "platform/modal_loops.h"
#include "platform/scroll_bar.h"

namespace vesdra {

namespace {

QString& Titulo()
{
    static QString titulo;
    return titulo;
}

MsgBoxHandler& Handler()
{
    static MsgBoxHandler handler;
    return handler;
}

QMessageBox::StandardButtons ButtonsOf(int style)
{
    switch (style & 7) {
    case vbOKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case vbAbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case vbYesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case vbYesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case vbRetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(int style)
{
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return vbOK;
    case QMessageBox::Cancel:
        return vbCancel;
    case QMessageBox::Abort:
        return vbAbort;
    case QMessageBox::Retry:
        return vbRetry;
    case QMessageBox::Ignore:
        return vbIgnore;
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    default:
        return vbCancel;
    }
}

// The second and third default-button bits pick the button that Enter presses.
QMessageBox::StandardButton DefaultOf(int style, QMessageBox::StandardButtons buttons)
{
    QList<QMessageBox::StandardButton> order;
    for (auto b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Abort, QMessageBox::Retry,
                   QMessageBox::Ignore, QMessageBox::Cancel})
        if (buttons & b)
            order.append(b);
    const int which = (style >> 8) & 3;
    return which < order.size() ? order[which] : order.front();
}

// A window manager's title bar holds the window's icon and its buttons
// (minimise, maximise, close) beside the title, each about a line high and
// a little apart, and a margin at either end.
constexpr int kBotonesTitulo = 4;

} // namespace

int AnchoParaTitulo(const QString& titulo, const QFont& fuente)
{
    // Title bars draw the title in bold, a point or so larger than dialogs' text.
    QFont negrita(fuente);
    negrita.setBold(true);
    if (negrita.pointSizeF() > 0)
        negrita.setPointSizeF(negrita.pointSizeF() + 1);
    const QFontMetrics fm(negrita);
    const int boton = fm.height() + fm.height() / 2;
    return fm.horizontalAdvance(titulo) + kBotonesTitulo * boton + 2 * fm.height();
}

void SetTituloPrograma(const QString& titulo)
{
    Titulo() = titulo;
}

QString TituloProgramaCajas()
{
    return Titulo().isEmpty() ? QCoreApplication::applicationName() : Titulo();
}

int MsgBox(const QString& prompt, int style, const QString& title)
{
    // Once the exit is confirmed nothing more is asked.
    if (ProgramEnding())
        return (ButtonsOf(style) & QMessageBox::Cancel) ? vbCancel : vbOK;
    // The box takes the mouse: a scroll bar held down behind it lets go.
    ScrollBar::SoltarPulsada();
    if (Handler())
        return Handler()(prompt, style, title);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return (style & 7) == vbOKOnly ? vbOK : vbCancel;

    const QString caption = title.isEmpty() ? TituloProgramaCajas() : title;
    const QMessageBox::StandardButtons buttons = ButtonsOf(style);
    QMessageBox box(IconOf(style), caption, prompt, buttons, VentanaDuena());
    PrepararCajaModal(box);
    box.setDefaultButton(DefaultOf(style, buttons));
    if (buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons == QMessageBox::Ok)
        box.setEscapeButton(QMessageBox::Ok);
    // A short message makes a narrow box, whose title a window manager
    // would cut: the box is made as wide as its title bar needs.
    if (auto* rejilla = qobject_cast<QGridLayout*>(box.layout()))
        rejilla->addItem(
            new QSpacerItem(AnchoParaTitulo(caption, box.font()), 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
            rejilla->rowCount(), 0, 1, rejilla->columnCount());
    // The box is answered with the arrow whatever pointer the program shows.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    int button = 0;
    {
        const NestedLoopGuard bucle;
        button = box.exec();
    }
    QApplication::restoreOverrideCursor();
    if (box.clickedButton())
        return AnswerOf(box.standardButton(box.clickedButton()));
    return AnswerOf(button);
}

void ShowErrorBox(const VbError& error)
{
    MsgBox(ErrorBoxText(error), vbCritical);
}

void SetMsgBoxHandler(MsgBoxHandler handler)
{
    Handler() = std::move(handler);
}

ScopedMsgBoxRecorder::ScopedMsgBoxRecorder(int answer) : answer_{answer}, previous_{Handler()}
{
    Handler() = [this](const QString& prompt, int style, const QString& title) {
        calls_.push_back({prompt, style, title});
        if (onBox_) {
            // A real box runs its own loop while it waits for the answer.
            const NestedLoopGuard bucle;
            const auto call = onBox_;
            call(calls_.back());
        }
        if (!queued_.empty()) {
            const int a = queued_.front();
            queued_.erase(queued_.begin());
            return a;
        }
        return answer_;
    };
}

ScopedMsgBoxRecorder::~ScopedMsgBoxRecorder()
{
    Handler() = std::move(previous_);
}

} // namespace vesdra
