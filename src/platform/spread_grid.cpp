#include "platform/spread_grid.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <vector>

namespace vesdra {

class SpreadGrid::Modelo final : public QAbstractTableModel
{
public:
    Modelo(SpreadGrid* grid, std::int32_t columnas)
        : QAbstractTableModel(grid), cabeceras_(static_cast<std::size_t>(columnas + 1)), grid_(grid)
    {
    }

    Fuente Datos;
    std::vector<QString> cabeceras_;

    void Recargar()
    {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& padre) const override
    {
        return padre.isValid() || !Datos.Filas ? 0 : std::max(Datos.Filas(), 0);
    }
    int columnCount(const QModelIndex& padre) const override
    {
        return padre.isValid() ? 0 : static_cast<int>(cabeceras_.size());
    }
    QVariant data(const QModelIndex& i, int rol) const override
    {
        if (!i.isValid() || (rol != Qt::DisplayRole && rol != Qt::EditRole && rol != Qt::ToolTipRole))
            return {};
        if (i.column() == 0) {
            if (rol == Qt::ToolTipRole)
                return {};
            return Datos.Numero ? Datos.Numero(i.row() + 1) : QString::number(i.row() + 1);
        }
        const QString texto = Datos.Texto ? Datos.Texto(i.row() + 1, i.column()) : QString();
        if (rol == Qt::ToolTipRole)
            return grid_->CeldaRecortada(i.column(), texto) ? QVariant(texto) : QVariant();
        return texto;
    }
    bool setData(const QModelIndex& i, const QVariant& valor, int rol) override
    {
        if (!i.isValid() || rol != Qt::EditRole || i.column() == 0 || !Datos.Escribir)
            return false;
        const auto fila = static_cast<std::int32_t>(i.row() + 1);
        const auto columna = static_cast<std::int32_t>(i.column());
        Datos.Escribir(fila, columna, valor.toString());
        Q_EMIT dataChanged(i, i);
        Q_EMIT grid_->Change(fila, columna);
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        if (!i.isValid())
            return Qt::NoItemFlags;
        if (i.column() == 0)
            return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override
    {
        if (o != Qt::Horizontal || rol != Qt::DisplayRole || seccion < 0 ||
            static_cast<std::size_t>(seccion) >= cabeceras_.size())
            return {};
        return cabeceras_[static_cast<std::size_t>(seccion)];
    }

private:
    SpreadGrid* grid_;
};

SpreadGrid::SpreadGrid(std::int32_t columnas, QWidget* parent)
    : QTableView(parent), modelo_(new Modelo(this, columnas)), columnas_(columnas)
{
    setModel(modelo_);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setWordWrap(false);
}

SpreadGrid::~SpreadGrid() = default;

void SpreadGrid::SetFuente(Fuente fuente)
{
    modelo_->Datos = std::move(fuente);
    Recargar();
}

void SpreadGrid::Recargar()
{
    modelo_->Recargar();
}

std::int32_t SpreadGrid::MaxRows() const
{
    return static_cast<std::int32_t>(modelo_->rowCount({}));
}

void SpreadGrid::SetCabecera(std::int32_t columna, const QString& texto)
{
    if (columna < 0 || columna > columnas_)
        return;
    modelo_->cabeceras_[static_cast<std::size_t>(columna)] = texto;
    Q_EMIT modelo_->headerDataChanged(Qt::Horizontal, columna, columna);
}

QString SpreadGrid::Cabecera(std::int32_t columna) const
{
    return modelo_->headerData(columna, Qt::Horizontal, Qt::DisplayRole).toString();
}

void SpreadGrid::SetColWidth(std::int32_t columna, double unidades)
{
    const double unidad = unidad_ > 0 ? unidad_ : QFontMetrics(font()).averageCharWidth();
    setColumnWidth(columna, static_cast<int>(unidades * unidad));
}

void SpreadGrid::AjustarUnidad(double unidades)
{
    const int visible =
        width() - 2 * frameWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const double caracter = QFontMetrics(font()).averageCharWidth();
    unidad_ = unidades > 0 ? std::max(caracter, visible / unidades) : 0;
}

QString SpreadGrid::Text(std::int32_t fila, std::int32_t columna) const
{
    if (fila == 0)
        return Cabecera(columna);
    const QModelIndex i = modelo_->index(fila - 1, columna);
    return i.isValid() ? modelo_->data(i, Qt::DisplayRole).toString() : QString();
}

void SpreadGrid::Escribir(std::int32_t fila, std::int32_t columna, const QString& texto)
{
    const QModelIndex i = modelo_->index(fila - 1, columna);
    if (i.isValid())
        (void)modelo_->setData(i, texto, Qt::EditRole);
}

bool SpreadGrid::CeldaRecortada(std::int32_t columna, const QString& texto) const
{
    // The item delegate's text margin on each side.
    const int margen = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return fontMetrics().horizontalAdvance(texto) > columnWidth(columna) - 2 * margen;
}

} // namespace vesdra
