#pragma once
#include <QString>
#include <QStringList>
#include <QTableView>
#include <cstdint>
#include <functional>

namespace vesdra {

// A spreadsheet grid over rows the program keeps elsewhere: column 0 shows
// the row numbers (or what the source numbers its rows by), row 0 is the
// header row, rows 1.. and columns 1..n are
// plain text cells. The grid reads the rows through its source as they come
// into sight, so its cost follows what it shows, not the number of rows.
// A cell's text too wide for its column gives way by the name rule
// (platform/base/name_elide.h) against the cells of the same column in
// sight, and shows whole on hover.
class SpreadGrid : public QTableView
{
    Q_OBJECT
public:
    // Where the data rows live (rows and columns 1-based).
    struct Fuente {
        std::function<std::int32_t()> Filas;
        std::function<QString(std::int32_t fila, std::int32_t columna)> Texto;
        // A cell the user typed; the source keeps the text.
        std::function<void(std::int32_t fila, std::int32_t columna, const QString& texto)> Escribir;
        // What column 0 shows for a row; unset, the row's number.
        std::function<QString(std::int32_t fila)> Numero;
    };

    explicit SpreadGrid(std::int32_t columnas, QWidget* parent = nullptr);
    ~SpreadGrid() override;

    void SetFuente(Fuente fuente);
    // The rows or cells of the source changed: shown again.
    void Recargar();

    [[nodiscard]] std::int32_t MaxRows() const;
    [[nodiscard]] std::int32_t MaxCols() const { return columnas_; }
    // Header text of a column (row 0); column 0 heads the row numbers.
    void SetCabecera(std::int32_t columna, const QString& texto);
    [[nodiscard]] QString Cabecera(std::int32_t columna) const;
    // Width of a column in the grid's width unit: a character of its font
    // unless AjustarUnidad has made it larger.
    void SetColWidth(std::int32_t columna, double unidades);
    // Makes `unidades` columns' worth of width fill the grid's visible width
    // (a vertical scroll bar left room for); never below one character.
    void AjustarUnidad(double unidades);
    // A cell as shown: column 0's number, "" outside the grid.
    [[nodiscard]] QString Text(std::int32_t fila, std::int32_t columna) const;
    // The user types a text into a cell and leaves it (data cells only).
    void Escribir(std::int32_t fila, std::int32_t columna, const QString& texto);
    // Whether a cell of the column draws `texto` cut at its present width (a
    // cut cell shows its whole text on hover).
    [[nodiscard]] bool CeldaRecortada(std::int32_t columna, const QString& texto) const;
    // A data cell's text as the grid draws it now.
    [[nodiscard]] QString VisibleText(std::int32_t fila, std::int32_t columna) const;

Q_SIGNALS:
    // A data cell was typed (after the source took the text).
    void Change(std::int32_t fila, std::int32_t columna);

private:
    class Modelo;
    class Celdas;
    // The room a cell of the column has for its text, pixels.
    [[nodiscard]] double AnchoTexto(std::int32_t columna) const;
    // The texts of the column's cells in sight.
    [[nodiscard]] QStringList TextosALaVista(std::int32_t columna) const;

    Modelo* modelo_{};
    std::int32_t columnas_{0};
    double unidad_{0}; // pixels; 0 for a character of the font
};

} // namespace vesdra
