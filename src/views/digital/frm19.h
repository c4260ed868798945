#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/base/vb_error.h"
#include "platform/elided_line_edit.h"
#include "views/digital/digital_geometry.h"
#include "views/digital/digital_readouts.h"
#include "views/digital/digital_selection.h"
#include "views/digital/digital_zoom.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace vesdra {

class HScrollBar;
class LineControl;
class NameGroup;
class PictureBox;

// The digital view: one analog channel as a line trace in a band at the
// top of the picture and up to 19 digital channels as step traces, one row
// each, under it; two cursors with their read-outs, zoom to the samples
// between the cursors with a history of 31 levels, and sideways scrolling
// of long names and values. It reads the handover of the digital choice
// dialogs (Digitales()) when it is built. One instance at a time (Frm19());
// closing it deletes it and brings the menu form back.
class frm19 : public QWidget
{
    Q_OBJECT
public:
    explicit frm19(QWidget* parent = nullptr);
    ~frm19() override;

    // Builds the view from the handover: size from the screen, layout, the
    // whole record drawn at level 0, read-outs at sample 1. Throws VbError
    // (a bad handover, a line frequency of 0, a record without the channels
    // named); the caller then discards the form, nothing of it is shown.
    void Form_Load();
    // The form's outer size from the screen; the caller places the form
    // (left, top 0 in the main window) and calls it again once it is there.
    void AjustarAPantalla();
    // Lays out and draws the whole record again for the present size: the
    // history restarts at level 0 and both cursors go back to sample 1 over
    // the whole record. Resize events arrive through a short timer.
    void Form_Resize();
    // The same for a side of a 1997 record put in force, whatever the size:
    // the analog trace, its read-outs and the P/S indicator of that side. A
    // failure is reported and closes the view.
    void LadoCambiado();

    // Handlers of the controls, callable directly.
    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll_Analog_Change();
    void HScroll_Nombres_Change();
    void label_Click(int index);
    void lblanalog_Click();
    void lblamar_Click();
    void lblcian_Click();
    void cmdzoom_Click();
    void cmdatras_Click();
    void cmdadel_Click();
    // Prints the level shown through the print frame: the printer dialog,
    // one page per copy, the cancel window before each.
    void pctimpresora_Click();

    // State the printout and the tests read.
    [[nodiscard]] bool VistaCargada() const { return vistaCargada_; }
    [[nodiscard]] const digital::HistorialDigital& Historial() const { return historial_; }
    [[nodiscard]] std::int32_t MuestraOrigen() const { return muestraOrigen_; }
    [[nodiscard]] double EscalaX() const { return escalaX_; }
    [[nodiscard]] std::int32_t MuestrasPorCiclo() const { return muestrasPorCiclo_; }
    [[nodiscard]] const std::vector<FilaDigitalVista>& FilasDigitales() const { return filas_; }
    [[nodiscard]] const digital::CanalAnalogico& Analogico() const { return canal_; }
    [[nodiscard]] const std::array<QString, 20>& NombresCompletos() const { return nombresCompletos_; }
    [[nodiscard]] const QString& TextoAnalogico() const { return textoAnalogico_; }
    [[nodiscard]] const QString& TextoAmarillo() const { return textoAmarillo_; }
    [[nodiscard]] const QString& TextoCian() const { return textoCian_; }
    [[nodiscard]] const QString& TextoTiempo() const { return textoTiempo_; }
    [[nodiscard]] std::int32_t LargoTextos() const { return largoTextos_; }
    [[nodiscard]] std::int32_t LargoNombres() const { return largoNombres_; }
    // The picture as shown: traces with the cursor lines above them.
    [[nodiscard]] QImage RenderImage() const;

    // Controls, named as the view's parts refer to them.
    PictureBox* Picture1{};
    std::array<ElidedLineEdit*, 20> label{}; // 1..19
    ElidedLineEdit* lblanalog{};
    ElidedLineEdit* lblamar{};
    ElidedLineEdit* lblcian{};
    QLineEdit* lblizq{};
    QLineEdit* lblder{};
    QLineEdit* lbltiempo{};
    QLineEdit* lbl_PS{};
    HScrollBar* HScroll1{};
    HScrollBar* HScroll2{};
    HScrollBar* HScroll_Analog{};
    HScrollBar* HScroll_Nombres{};
    LineControl* lnizq{};
    LineControl* lnder{};
    QPushButton* cmdzoom{};
    QPushButton* cmdadel{};
    QPushButton* cmdatras{};
    QPushButton* pctimpresora{};

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CrearControles();
    void LeerSeleccion();
    void Construir(bool alCargar);
    // The view laid out again for its frame and the record's side as they
    // stand, under the hourglass; an error ends as the view's handlers' do.
    void Rebuild();
    void ColocarIndicadorPS();
    void Dibujar(const digital::NivelDigital& nivel);
    void RedibujarTrazas(const digital::PasoZoom& paso);
    void PonerCursores(std::int32_t primera, std::int32_t ultima);
    void CambioCursor(int cursor);
    void ErrorTail(const VbError& error);
    void Form_Unload();

    bool vistaCargada_{false};
    bool descargada_{false};
    bool ajustandoCursores_{false}; // the bars' ranges are being set: read-outs follow once at the end
    std::int32_t muestrasPorCiclo_{1};
    std::int32_t nS_{0};
    std::int32_t muestraOrigen_{1};
    double escalaX_{0};
    digital::HistorialDigital historial_{};
    digital::AnchosFila anchos_{};
    digital::CanalAnalogico canal_{};
    std::vector<FilaDigitalVista> filas_{};
    std::array<QString, 20> nombresCompletos_{}; // 1..19
    QString textoAnalogico_{};
    QString textoAmarillo_{};
    QString textoCian_{};
    QString textoTiempo_{};
    std::int32_t largoTextos_{0};
    std::int32_t largoNombres_{0};
    double anchoDispuesto_{-1};
    double altoDispuesto_{-1};
    QTimer* temporizadorResize_{};
    NameGroup* nombresFilas_{};     // the rows' names, shown beside each other
    QStringList nombresAnalogicos_; // the record's analog channels, the chosen one's company
    QStringList nombresDigitales_;  // the template's digital channels, the rows' company
};

// The open view, or null.
[[nodiscard]] frm19* Frm19();
// Closes the open view (its unload runs: ModoDigital cleared, the menu
// form shown). Nothing when none is open.
void DescargarFrm19();
// Creates the view and builds it from the handover. On an error the
// half-built form is deleted before the VbError is passed on.
[[nodiscard]] frm19& CargarFrm19();

} // namespace vesdra
