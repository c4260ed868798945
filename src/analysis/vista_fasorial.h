#pragma once
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "analysis/float_table.h"
#include "analysis/polar.h"
#include "analysis/view_layout.h"
#include "platform/elided_line_edit.h"

class QLabel;
class QPushButton;

namespace vesdra {

class HScrollBar;
class LineControl;
class PictureBox;

// What the phasor view and the sequence view share: a diagram of up to six
// phasors of one window position of a table of (x, y) pairs, drawn as lines
// from the centre of a picture, six value boxes beside colour swatches, a
// position scroll bar over the DFT rows, zoom steps of 1.25 and the layout.
//
// Each view resolves at loading what its six lines show (a "slot": the
// table column of x, y next to it, the set's drawing factor and the texts of
// its value box) and keeps the table it was built on, so later changes of
// the record, the template or the selections never make it read outside
// that table. Moving the scroll bar redraws six lines and six boxes only.
//
// A row whose lines are too long to draw at the present scale and zoom (a
// peak far in, a set's factor out of all measure) shows its values and its
// number without lines, and the view scrolls on through it; the overflow is
// told once per opening (of the two views opened together, once for both).
class VistaFasorial : public QWidget
{
    Q_OBJECT
public:
    ~VistaFasorial() override;

    // Controls. Lines and slots: 0..2 the first chosen set (blue, green,
    // red), 3..5 the second (cyan, yellow, magenta). Swatch and value rows
    // 1..6 (index 0..5): the second set's three, then the first set's.
    PictureBox* Picture1{};
    std::array<LineControl*, 6> Lineas{};
    HScrollBar* HScroll1{};
    QLabel* lblNumero{};
    QPushButton* cmdmas{};
    QPushButton* cmdmenos{};
    QLabel* lblzoom{};
    QPushButton* pctimpresora{};
    std::array<QLabel*, 6> Muestras{};
    std::array<ElidedLineEdit*, 6> Valores{};

    // Handlers, callable directly.
    void HScroll1_Change();
    void cmdmas_Click();
    void cmdmenos_Click();
    void Form_Resize();
    // The print button: the installed printout, when there is one.
    void pctimpresora_Click();

    // State the printouts and the tests read.
    [[nodiscard]] bool Listo() const { return listo_; }
    [[nodiscard]] std::int32_t PasoZoom() const { return pasoZoom_; }
    [[nodiscard]] float Zoom() const { return zoom_; }
    [[nodiscard]] float EscalaBase() const { return escalaBase_; }
    // The largest magnitude of the chosen sets, drawn at the diagram's radius.
    [[nodiscard]] float Maximo() const { return maximo_; }
    [[nodiscard]] std::int32_t MuestrasCiclo() const { return muestrasCiclo_; }
    // The row the view shows (number, value boxes and lines).
    [[nodiscard]] std::int32_t FilaMostrada() const { return filaMostrada_; }
    [[nodiscard]] float CentroX() const { return centroX_; }
    [[nodiscard]] float CentroY() const { return centroY_; }
    [[nodiscard]] std::int32_t ModoVistas() const { return modo_; }
    [[nodiscard]] std::int32_t NumSets() const { return numSets_; }
    // The chosen sets, lowest first (0 for a set not chosen).
    [[nodiscard]] std::int32_t Set(int i) const { return sets_[static_cast<size_t>(i)]; }
    // Drawing offset of column j of row r: scale × table × zoom.
    [[nodiscard]] float Coordenadas(std::int32_t r, std::int32_t j) const;
    // What line i (0..5) draws, fixed at loading: its table column of x (y
    // in the next) and the drawing factor of its set.
    [[nodiscard]] std::int32_t ColumnaLinea(int i) const { return slots_[static_cast<size_t>(i)].ColumnaX; }
    [[nodiscard]] float FactorLinea(int i) const { return slots_[static_cast<size_t>(i)].Factor; }
    // Magnitude and angle of pair k (columns 2k − 1, 2k) of row r.
    [[nodiscard]] Polar PolarFila(std::int32_t r, std::int32_t k) const;
    [[nodiscard]] const TablaReal& Tabla() const { return *fuente_; }
    // What the picture shows: the kept drawing and the visible lines.
    [[nodiscard]] QImage RenderImage() const;

    // The print button shows only once the printout is installed.
    void SetImpresion(std::function<void()> imprimir);

protected:
    // A line's source and its value box, fixed at loading.
    struct Slot {
        std::int32_t ColumnaX{0}; // x in this column of the table, y in the next
        float Factor{1.0f};
        QString Nombre;
        QString Digito;
        QString Unidades;
        float Maximo{0.0f}; // the largest magnitude its table column shows
    };

    VistaFasorial(QWidget* parent, EstiloDisposicion estiloResize, int textoTitulo, const char* tag);

    // The loading steps both views share, after the derived view has set
    // fuente_, slots_, numSets_, sets_ and modo_: size and place, layout,
    // scroll range, scale from `maximo`, first drawing. Throws VbError.
    void CargarComun(float maximo, EstiloDisposicion estiloApertura, bool mitadDerecha);
    // Shows the loaded view (MDI placement, normal state) and lays it out for
    // its final size.
    void MostrarCargada();

    // The other view of a pair opened together, while it is open.
    [[nodiscard]] virtual VistaFasorial* Pareja() const = 0;
    // The view's own unloading rule runs from closeEvent.
    virtual void Form_Unload() = 0;
    // The end of the unloading rule both views share, once the view has let
    // go of its instance: out of sight now, destroyed later. A view opened
    // alone brings the menu back; of a pair opened together, the first to
    // close marks itself closed (`cerrada`, its own mark) and the second
    // brings the menu back and clears both marks.
    void RetirarDelPar(bool& cerrada);
    // Set g's drawing factor. One that is not a number is told (text 110),
    // but not again by the second view of a pair opened together when the
    // first draws that set too.
    [[nodiscard]] float FactorSet(std::int32_t g) const;
    // Set g is among the sets this view draws.
    [[nodiscard]] bool DibujaSet(std::int32_t g) const;

    std::shared_ptr<const TablaReal> fuente_;
    std::array<Slot, 6> slots_{};
    std::array<std::int32_t, 2> sets_{};
    std::int32_t numSets_{0};
    std::int32_t modo_{1};
    bool descargada_{false};
    // The sequence view takes the keyboard to its picture after every move.
    bool enfocarTrasDesplazar_{false};
    // Of a pair opened together, the view loaded first, set by the second
    // before it loads: what the first told is not told again.
    QPointer<VistaFasorial> cargadaAntes_;

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CrearControles();
    void AplicarDisposicion(const DisposicionVista& d);
    // Axes, lines, value boxes and position number at the scroll bar's value.
    // On an overflow (a line too long to draw at this zoom) the value boxes
    // and the number still show that row, its lines are hidden, and the
    // result is false.
    [[nodiscard]] bool Redibujar();
    // The overflow of a row told (text 144 or 145) unless it was told in
    // this opening already, here or by the other view of the pair.
    void AvisarDesborde(int texto, const VistaFasorial* otra);
    // The far end (twips) of slot s's line at row p, from the centre.
    [[nodiscard]] QPointF ExtremoLinea(const Slot& s, std::int32_t p) const;
    // Whether every line of row p can be drawn at the present scale and zoom.
    [[nodiscard]] bool CabeFila(std::int32_t p) const;
    // Lines (when they all fit, else none) and value boxes of row p; false
    // when the lines do not fit.
    bool DibujarFila(std::int32_t p);
    void EscribirNumero(std::int32_t p);
    void PasoDeZoom(int delta);
    // After an overflow at zoom step pasoZoom_: the box of text 144, said
    // once, and the zoom one step back, drawn.
    void AvisarYRetrocederZoom();
    void CalcularEscala();
    [[nodiscard]] bool Minimizada() const;

    EstiloDisposicion estiloResize_;
    int textoTitulo_;
    std::function<void()> imprimir_;
    float maximo_{0};
    QStringList canales_; // every channel's caption, the boxes' company
    bool listo_{false};
    std::int32_t pasoZoom_{0};
    float zoom_{1.0f};
    float escalaBase_{0};
    std::int32_t muestrasCiclo_{1};
    // The row the number, the value boxes (and the lines, when they fit)
    // show; the scroll bar stands on it but for the moment of a change.
    std::int32_t filaMostrada_{0};
    // The row shown is shown without lines: a layout or a zoom step out that
    // cannot draw them either says nothing more.
    bool sinLineas_{false};
    // A row's overflow was told in this opening: scrolling through rows that
    // cannot be drawn says nothing more.
    bool desbordeAvisado_{false};
    float centroX_{0};
    float centroY_{0};
    float left_{0};
    float width_{0};
    float height_{0};
    QWidget* marcoObservado_{nullptr};
};

} // namespace vesdra
