#include "platform/spread_grid.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

#include "platform/base/name_elide.h"

namespace vesdra {

namespace {

// The item delegate keeps this margin inside a cell on either side of its text.
int MargenTexto(const QWidget& w)
{
    return w.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &w) + 1;
}

} // namespace

// Draws a data cell with its text as the grid shows it.
class SpreadGrid::Celdas final : public QStyledItemDelegate
{
public:
    explicit Celdas(SpreadGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& i) const override
    {
        if (i.column() == 0) {
            QStyledItemDelegate::paint(painter, option, i);
            return;
        }
        QStyleOptionViewItem o(option);
        initStyleOption(&o, i);
        o.text =
            grid_->VisibleText(static_cast<std::int32_t>(i.row() + 1), static_cast<std::int32_t>(i.column()));
        o.textElideMode = Qt::ElideNone;
        const QWidget* w = o.widget ? o.widget : grid_;
        w->style()->drawControl(QStyle::CE_ItemViewItem, &o, painter, w);
    }

private:
    SpreadGrid* grid_;
};

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
    setItemDelegate(new Celdas(this));
    // A cell gives way against the cells in sight: rows scrolled into sight
    // change what the others show.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
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

double SpreadGrid::AnchoTexto(std::int32_t columna) const
{
    // A cell is its column less the grid line.
    return columnWidth(columna) - (showGrid() ? 1 : 0) - 2 * MargenTexto(*this);
}

QStringList SpreadGrid::TextosALaVista(std::int32_t columna) const
{
    QStringList textos;
    const int primera = rowAt(0);
    if (primera < 0)
        return textos;
    int ultima = rowAt(viewport()->height() - 1);
    if (ultima < 0)
        ultima = modelo_->rowCount({}) - 1;
    for (int f = primera; f <= ultima; ++f)
        textos.append(Text(static_cast<std::int32_t>(f + 1), columna));
    return textos;
}

bool SpreadGrid::CeldaRecortada(std::int32_t columna, const QString& texto) const
{
    return QFontMetricsF(font()).horizontalAdvance(texto) > AnchoTexto(columna);
}

QString SpreadGrid::VisibleText(std::int32_t fila, std::int32_t columna) const
{
    const QString texto = Text(fila, columna);
    if (fila < 1 || columna < 1 || !CeldaRecortada(columna, texto))
        return texto;
    const QFontMetricsF fm(font());
    return ElideName(texto, TextosALaVista(columna), AnchoTexto(columna),
                     [&fm](const QString& t) { return fm.horizontalAdvance(t); });
}

} // namespace vesdra
