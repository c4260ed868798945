#pragma once
#include <QString>
#include <QWidget>

#include "shell/cancelar.h"
#include "shell/gasolino.h"

class QFrame;
class QLabel;
class QProgressBar;

namespace vesdra {

class Animation;

// The progress bar of the ASCII copy of a BINARY record: a line of text
// (text 268) over a bar.
class Gasolino2 : public QWidget
{
    Q_OBJECT
public:
    explicit Gasolino2(QWidget* parent = nullptr);

    QProgressBar* ProgressBar1{nullptr};
    QLabel* lbltexto{nullptr};
};

// The default instance: its load centres it over the active window (the
// conversion dialog), shows it and yields once so that it is painted before
// the work starts.
Gasolino2& gasolino2();
[[nodiscard]] bool Gasolino2Cargado();
void DescargarGasolino2();

// The progress window of the views: a bar with a 0 / 50 / 100 % scale and the
// animation Iconos/onda.avi.
class GasolinoOndas : public QWidget
{
    Q_OBJECT
public:
    explicit GasolinoOndas(QWidget* parent = nullptr);

    QFrame* Frame1{nullptr};
    QProgressBar* ProgressBar1{nullptr};
    Animation* Animation1{nullptr};
    QLabel* Label2{nullptr};
    QLabel* Label3{nullptr};
    QLabel* Label4{nullptr};
    QFrame* Line1{nullptr};
    QFrame* Line2{nullptr};

    // ProgressBar1.Value, 0..100 (fractions are cut).
    void Valor(float value);
};

// The default instance. Its load places it at the lower middle of the menu
// form, opens and plays the animation, sets the bar to 10, sets the caption to
// text 285 and shows the window. An animation that cannot be opened
// (Iconos/onda.avi missing, or no movie the control plays) is left out, with
// a line on standard error: the window shows its bar all the same.
GasolinoOndas& gasolino_ondas();
[[nodiscard]] bool GasolinoOndasCargado();
void DescargarGasolinoOndas();

// The path of the animation: onda.avi in the Iconos folder beside the
// executable's folder.
[[nodiscard]] QString RutaAnimacionOndas();

// Plugs the windows into the hooks of the record readers (gauge, ASCII copy
// bar, language-table messages) and of the views (gasolino_ondas). Start-up
// calls it once.
void ConectarVentanasProgreso();

// Program end: unloads every progress window and Cancelar.
void DescargarVentanasProgreso();

} // namespace vesdra
