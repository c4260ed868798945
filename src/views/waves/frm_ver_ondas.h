#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <span>

#include "views/waves/onda_vista.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace vesdra {

class HScrollBar;
class LineControl;
class PictureBox;

// The waveform window: one analog channel over the whole record, with two
// cursors and their read-outs, a rubber-band zoom with a history of levels,
// and for 1997 records the primary/secondary indicator. One instance per
// shown channel, held in Ondas().VentanasOndas; Tag "5".
//
// The trace is drawn once per view change (layout, zoom, history step) as a
// per-pixel-column envelope into the picture's kept image; moving a cursor
// moves its line control and rewrites the read-outs, never the trace.
class frmVerOndas : public QWidget
{
    Q_OBJECT
public:
    explicit frmVerOndas(QWidget* parent = nullptr);
    ~frmVerOndas() override;

    // Makes this window the window of channel Ondas().IndiceVentana, gives it
    // its outer size and place (twips) and draws the whole record.
    void Form_activo(std::int32_t height, std::int32_t width, std::int32_t top, std::int32_t left);

    // Lays the controls out for the current size and shows the whole record
    // again (any zoom levels are discarded). Resizes come here, merged.
    void Form_Resize();
    // The other side of a 1997 record was put in force: the window shows it
    // as after a resize (scale, trace, read-outs and P/S indicator of that
    // side, the whole record). A failure unloads the window.
    void LadoCambiado();

    // True once the window has been closed (it is deleted soon after).
    [[nodiscard]] bool Descargada() const { return unloaded_; }

    // The read-outs' font size: the largest at which this window alone
    // holds its widest texts, and the one its boxes show (the tile's, when
    // another window of the tile needs a smaller one). 0 before a layout.
    [[nodiscard]] int PixelesPropios() const { return pixelesPropios_; }
    [[nodiscard]] int PixelesLecturas() const { return pixelesLecturas_; }
    // Places the read-out boxes, buttons and bars again at the tile's font
    // size at most; the view, the cursors and the texts stay as they are.
    void DisponerLecturas(int pixelesTesela);

    // Handlers, public so that the shell and the tests can drive them.
    void HScroll1_Change();
    void HScroll2_Change();
    void cmdzoom_Click();
    void cmdadel_Click();
    void cmdatras_Click();
    void picbox_MouseDown(double x, double y);
    void picbox_MouseMove(double x, double y);
    void picbox_MouseUp(double x, double y);
    // Prints the view shown (the zoom level, cursors and read-outs) through
    // the print frame, one landscape page per copy.
    void pctimpresora_Click();

    // Controls.
    PictureBox* picbox{};
    HScrollBar* HScroll1{};
    HScrollBar* HScroll2{};
    LineControl* Lineizq{};
    LineControl* Lineder{};
    LineControl* Line2{};
    LineControl* Line3{};
    LineControl* Line4{};
    LineControl* Line5{};
    QLineEdit* lblizq{};
    QLineEdit* lblamar{};
    QLineEdit* lblder{};
    QLineEdit* lblcian{};
    QLineEdit* lblms{};
    QLineEdit* lblDif{};
    QLineEdit* lbl_PS{};
    QPushButton* cmdzoom{};
    QPushButton* cmdadel{};
    QPushButton* cmdatras{};
    QPushButton* pctimpresora{};

    // State (read by the printout as well).
    std::int32_t CanalVentana{0};
    bool Activada{false};
    double MuestraCursor1{1};
    double MuestraCursor2{1};
    VistaOnda Vista{}; // the view shown, FactorZoom included
    HistorialOnda Historial{};
    bool ZoomPendiente{false};
    bool Arrastrando{false};
    double RectX1{0}, RectY1{0}, RectX2{0}, RectY2{0};
    QString TextoDiferencia;
    QString TextoTiempo;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ColocarControles();
    void Dibujar();
    void ColocarCursores(std::int32_t inicio, std::int32_t fin);
    void MoverCursor(bool primero);
    void Redibujar(const ResultadoZoomOnda& r);
    void RedibujarZoom();
    void Descargar();
    void Unload();
    void OcultarRectangulo();
    [[nodiscard]] std::span<const float> Canal() const;
    [[nodiscard]] QString Unidad() const;
    [[nodiscard]] float ValorEn(double muestra) const;

    QTimer* resizeTimer_{};
    int pixelesPropios_{0};
    int pixelesLecturas_{0};
    bool unloaded_{false};
    bool colocando_{false};
};

} // namespace vesdra
