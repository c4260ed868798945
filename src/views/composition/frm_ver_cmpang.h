#pragma once
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/elided_line_edit.h"
#include "views/composition/composition_layout.h"
#include "views/composition/composition_zoom.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace vesdra {

class HScrollBar;
class LineControl;
class NameGroup;
class PictureBox;

// The composition window: the analog channels of one composition (one to
// six rows of the channel table) overlaid in one picture on a common time
// axis and a common vertical scale, each in its own colour, with two cursors
// and their value boxes, a rubber-band zoom and a history of 31 levels.
// Up to three live at once, one per composition; the build creates them,
// lays them out and calls Composicion. A window deletes itself when closed.
class frmVerCmpang : public QWidget
{
    Q_OBJECT
public:
    explicit frmVerCmpang(QWidget* parent = nullptr);
    ~frmVerCmpang() override;

    // Lays the controls out for an outer window size in twips; altoZoom is
    // the zoom button's height, which the later layouts keep.
    void DisponerControles(double ancho, double alto, double altoZoom);
    // The cursor bars' range 1..nS at sample 1 and their page step.
    void IniciarCursores(std::int32_t nS, std::int32_t muestrasPorCiclo);
    // Draws composition n at the full view: axes, traces on the common
    // scale, value boxes at sample 1, the history restarted at level 0.
    void Composicion(std::int32_t n);
    // Gives the read-out boxes the largest font at which the longest texts
    // they can show fit whole: in the right column the sample numbers up to
    // nS and the time from sample 1 to nS; in the value boxes each chosen
    // channel's caption with its extremes. Run by Composicion and by every
    // layout after it.
    void AjustarFuentesLecturas(std::int32_t nS, std::int32_t frecuenciaMuestreo);

    // Handlers of the controls, callable directly (tests, and the shell's
    // keyboard path needs none of them).
    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll_Amar_Change();
    void HScroll_Cian_Change();
    void lblam_Click(int index);
    void lblci_Click(int index);
    void cmdzoom_Click();
    void cmdadel_Click();
    void cmdatras_Click();
    // Prints the view in force through the print frame: the printer
    // dialog, one page per copy, the cancel window before each.
    void pctimpresora_Click();
    void Picture1_MouseDown(int button, int shift, double x, double y);
    void Picture1_MouseMove(int button, int shift, double x, double y);
    void Picture1_MouseUp(int button, int shift, double x, double y);
    // The layout for the present size, at once. Resize events arrive here
    // through a short single-shot timer, so a drag redraws once.
    void Form_Resize();
    // The other side of a 1997 record was put in force (the extremes of
    // every column already taken again): the layout and the whole record of
    // that side, as after a resize.
    void LadoCambiado();

    // State the other parts (and tests) read.
    [[nodiscard]] std::int32_t NumComposicion() const { return numComposicion_; }
    [[nodiscard]] const composicion::VistaTrazos& Vista() const { return vista_; }
    [[nodiscard]] double EscalaVertical() const { return escalaVertical_; }
    [[nodiscard]] const composicion::HistorialZoom& Historial() const { return historial_; }
    [[nodiscard]] bool ZoomPendiente() const { return zoomPendiente_; }
    [[nodiscard]] std::int32_t CursorAmar() const { return cursorAmar_; }
    [[nodiscard]] std::int32_t CursorCian() const { return cursorCian_; }
    [[nodiscard]] const QString& TextoTiempo() const { return textoTiempo_; }
    [[nodiscard]] const std::vector<std::int32_t>& FilasElegidas() const { return filas_; }
    // A window of a build that failed: destroyed without the unload's
    // counting and without bringing the menu form back.
    void Desechar();

    // The picture as shown (traces, cursors, rubber band).
    [[nodiscard]] QImage RenderImage() const;

    // Controls, named as the window's parts refer to them.
    PictureBox* Picture1{};
    LineControl* Lineamar{};
    LineControl* Linecian{};
    std::array<LineControl*, 6> LineasZoom{}; // [2..5]: the rubber band
    HScrollBar* HScroll1{};
    HScrollBar* HScroll2{};
    HScrollBar* HScroll_Amar{};
    HScrollBar* HScroll_Cian{};
    QLineEdit* marcamar{};
    QLineEdit* marcaci{};
    QLineEdit* Label1{};
    QLineEdit* Label2{};
    std::array<ElidedLineEdit*, 7> lblam{}; // 1..6
    std::array<ElidedLineEdit*, 7> lblci{}; // 1..6
    QLineEdit* lblamar{};
    QLineEdit* lblcian{};
    QLineEdit* lblms{};
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
    void PrepararBotones();
    // With captions (three windows): each button's picture, caption or
    // symbol as its width allows, the caption on hover when not shown.
    void AjustarBotones();
    void Aplicar(const composicion::DisposicionVentana& d);
    // The layout for the present size, the scale and the whole record.
    void Redisponer();
    void DibujarEjes();
    void DibujarTrazos();
    void DibujarVista(const composicion::VistaTrazos& v);
    void CalcularEscala();
    void MostrarVista(const composicion::VistaTrazos& v);
    // ">>" and "<<": the level reached, or the history's refusal in its box.
    void PasoHistorial(const composicion::ResultadoZoom& r);
    void PonerRangoCursores(std::int32_t primera, std::int32_t ultima);
    void ActualizarCursor(int cursor);
    void ActualizarCursores();
    void RedibujarZoom();
    void Desarmar();
    void OcultarRectangulo();
    void Form_Unload();

    // Form-level state.
    std::int32_t numComposicion_{0};
    std::vector<std::int32_t> filas_{}; // chosen rows, in increasing order
    composicion::VistaTrazos vista_{};  // the view drawn now
    double escalaVertical_{0};
    std::int32_t cursorAmar_{0};
    std::int32_t cursorCian_{0};
    QString textoTiempo_{};
    std::array<QString, 7> textosAmar_{};
    std::array<QString, 7> textosCian_{};
    std::int32_t longitudAmar_{0};
    std::int32_t longitudCian_{0};
    bool zoomPendiente_{false};
    bool arrastrando_{false};
    double zoomX1_{0}, zoomY1_{0}, zoomX2_{0}, zoomY2_{0};
    composicion::HistorialZoom historial_{};

    bool compuesta_{false};         // Composicion has run: read-outs and resizes may act
    bool ajustandoCursores_{false}; // the bars' range is being set: no read-out per step
    bool descargada_{false};
    double altoZoom_{495};
    double anchoDispuesto_{-1}, altoDispuesto_{-1};
    composicion::AreaCliente clienteDispuesto_{-1, -1};
    bool conTextos_{false}; // the buttons carry captions (three windows)
    QIcon gris_{};          // their picture, when Iconos holds it
    QTimer* temporizadorResize_{};
    NameGroup* nombres_{}; // the composition's captions, shown beside each other
    QStringList canales_;  // every channel's caption, the company they were chosen from
};

} // namespace vesdra
