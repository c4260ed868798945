#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/elided_line_edit.h"
#include "views/waves/todo_vista.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace vesdra {

class HScrollBar;
class LineControl;
class NameGroup;
class PictureBox;

// The stacked analog view: every channel chosen in the dialog as a band of
// one picture, in channel-row order, with its name, value and unit at both
// cursors at the band's left; two cursors, a span zoom between them with a
// history of levels; for 1997 records the primary/secondary indicator.
// One instance (TodoAnalog()); Tag "3".
//
// Every band is drawn as a per-pixel-column envelope; a cursor move moves a
// line control and rewrites the read-outs, never a trace.
class frmTodoanalog : public QWidget
{
    Q_OBJECT
public:
    static constexpr std::int32_t MaxBandas = 8;

    explicit frmTodoanalog(QWidget* parent = nullptr);
    ~frmTodoanalog() override;

    // Builds the view from Ondas().CanalesVisibles while it is hidden.
    // False after a failure (already reported); the caller then unloads it.
    [[nodiscard]] bool Form_Load();
    // Lays out and draws the whole record for the current size; the history
    // and the cursors' ranges stay.
    void Form_Resize();
    // The other side of a 1997 record was put in force: the view shows it as
    // after a resize. A failure unloads the view.
    void LadoCambiado();

    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll_Nombres_Change();
    void lblet_Click(std::int32_t index);
    void cmdzoom_Click();
    void cmdadel_Click();
    void cmdatras_Click();
    // Prints the view shown (the zoom level, cursors and read-outs) through
    // the print frame, one landscape page per copy.
    void pctimpresora_Click();

    // Controls (lblet 1..16; element 0 unused).
    PictureBox* Picture1{};
    LineControl* lnam{};
    LineControl* lnci{};
    std::array<ElidedLineEdit*, 2 * MaxBandas + 1> lblet{};
    HScrollBar* HScroll1{};
    HScrollBar* HScroll2{};
    HScrollBar* HScroll_Nombres{};
    QLineEdit* lblam{};
    QLineEdit* lblci{};
    QLineEdit* lblms{};
    QLineEdit* lbl_PS{};
    QPushButton* cmdzoom{};
    QPushButton* cmdadel{};
    QPushButton* cmdatras{};
    QPushButton* pctimpresora{};

    // State (read by the printout as well).
    bool Cargada{false};
    std::int32_t MuestrasCiclo{1};
    std::int32_t NumBandas{0};
    VistaTodo Vista{};
    HistorialTodo Historial{};
    bool ZoomPendiente{false};
    std::array<QString, 2 * MaxBandas + 1> TextosCompletos{};
    std::int32_t LongitudMaxima{0};
    QString TextoTiempo;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BandaCanal {
        std::int32_t Fila{0};
        std::size_t Indice{0}; // into filas_
    };
    void Colocar();
    void LeerCanales();
    // The channels read again, the layout and the whole record for the
    // present size (a resize, a side change).
    void Redisponer();
    void DibujarBandas(const EscalasAV& escalas);
    void MoverCursor(bool primero);
    void ColocarCursores(std::int32_t inicio, std::int32_t fin);
    void Mostrar(const ResultadoZoomTodo& r);
    void Descargar();
    [[nodiscard]] float ValorEn(const CanalBanda& c, std::int32_t muestra) const;

    // Rows of the channel table with their columns, units and extremes,
    // taken at the build, at every resize and side change; the bands are the visible ones.
    std::vector<CanalBanda> filas_;
    std::vector<BandaCanal> bandas_;
    NameGroup* nombres_{}; // the bands' names, shown beside each other
    QStringList canales_;  // every channel's caption, the company they were chosen from
    QTimer* resizeTimer_{};
    bool unloaded_{false};
    bool colocando_{false};
};

// The view's instance, when loaded.
[[nodiscard]] frmTodoanalog* TodoAnalog();
// Creates and builds the view; after a failure (reported) it is unloaded
// again and the result is null.
[[nodiscard]] frmTodoanalog* CargarTodoAnalog();
void DescargarTodoAnalog();

} // namespace vesdra
