#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>

class QLabel;

namespace vesdra {

// Size of the gauge's track (Label1) in twips; the filled part (Label2) is
// drawn over it from its left edge.
inline constexpr std::int32_t AnchoPistaGasolino = 4455;
inline constexpr std::int32_t AltoPistaGasolino = 255;

// What the gauge shows, kept apart from its labels so the rule is testable
// without a window.
struct EstadoGasolino {
    std::int32_t Recordado{0};  // the percentage last drawn
    bool RellenoVisible{false}; // Label2.Visible
    QString TextoRelleno;       // Label2.Caption, e.g. "35 %"
    QString TextoPista;         // Label1.Caption
    double AnchoRelleno{0.0};   // Label2.Width, twips
};

// The gauge's filling rule. pct 0 clears it. Otherwise add = true adds pct to
// the remembered percentage, add = false replaces it (so the bar can go
// back); a total above 100 draws nothing and, with add, leaves the remembered
// percentage as it was. Returns the new total (the value the caller's
// argument is given back).
std::int32_t LlenarGasolino(EstadoGasolino& e, double anchoPista, bool add, std::int32_t pct);

// The opening gauge: two labels, shown at the bottom left of the main window
// while a record is opened. Not modal.
class Gasolino : public QWidget
{
    Q_OBJECT
public:
    explicit Gasolino(QWidget* parent = nullptr);

    // The public operations of the window; see the free LlenarGasolino.
    std::int32_t LlenarGasolino(bool add, std::int32_t pct);
    // Sets the caption, shows the window and draws pct percent of the track,
    // leaving the text, visibility and remembered percentage alone. Returns 0.
    double PintaGasolino(const QString& caption, double pct);

    [[nodiscard]] const EstadoGasolino& Estado() const { return estado_; }

    QLabel* Label1{nullptr};
    QLabel* Label2{nullptr};

private:
    void Dibujar();
    EstadoGasolino estado_{};
};

// The default instance: loaded (placed, hidden) on first use, destroyed by
// DescargarGasolino. The remembered percentage lives while it stays loaded.
// It belongs to the main window and is titled with the program's title.
Gasolino& gasolino();
[[nodiscard]] bool GasolinoCargado();
void DescargarGasolino();

} // namespace vesdra
