#include "mdb_reader/mdb_tables.h"

#include <QFile>
#include <mdbtools.h>
#include <memory>
#include <vector>

namespace vesdra {

namespace {

bool EsNumerica(int tipo)
{
    switch (tipo) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return true;
    default:
        return false;
    }
}

struct CerrarBase {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct LiberarTabla {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

} // namespace

TablaModelo ReadMdbTable(const QString& ruta, const QString& tabla)
{
    const std::unique_ptr<MdbHandle, CerrarBase> base(
        mdb_open(QFile::encodeName(ruta).constData(), MDB_NOFLAGS));
    if (!base || !mdb_read_catalog(base.get(), MDB_TABLE))
        throw VbError(3343);
    QByteArray nombre = tabla.toUtf8();
    const std::unique_ptr<MdbTableDef, LiberarTabla> t(
        mdb_read_table_by_name(base.get(), nombre.data(), MDB_TABLE));
    if (!t)
        throw VbError(3078);
    if (!mdb_read_columns(t.get()))
        throw VbError(3343);

    TablaModelo out;
    const unsigned int columnas = t->num_cols;
    const std::size_t ancho = base->bind_size;
    std::vector<std::vector<char>> valores(columnas, std::vector<char>(ancho + 1, '\0'));
    std::vector<int> largos(columnas, 0);
    std::vector<int> tipos(columnas, 0);
    for (unsigned int c = 0; c < columnas; ++c) {
        const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(t->columns, c));
        out.Campos << QString::fromUtf8(col->name);
        tipos[c] = col->col_type;
        mdb_bind_column(t.get(), static_cast<int>(c + 1), valores[c].data(), &largos[c]);
    }
    mdb_rewind_table(t.get());
    while (mdb_fetch_row(t.get())) {
        std::vector<ValorCampo> fila;
        fila.reserve(columnas);
        for (unsigned int c = 0; c < columnas; ++c) {
            const char* v = valores[c].data();
            if (EsNumerica(tipos[c])) {
                // A number field without a value binds nothing.
                if (largos[c] <= 0) {
                    fila.push_back(ValorCampo::Nulo());
                    continue;
                }
                // The engine writes fractions with the C library's
                // decimal separator, which follows the user's locale.
                bool ok = false;
                const QString texto = QString::fromUtf8(v);
                double x = texto.toDouble(&ok);
                if (!ok)
                    x = QString(texto).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
                fila.push_back(ok ? ValorCampo::DeNumero(x) : ValorCampo::DeTexto(texto));
            } else {
                // A text field without a value reads as the empty text.
                fila.push_back(ValorCampo::DeTexto(QString::fromUtf8(v, largos[c] > 0 ? largos[c] : 0)));
            }
        }
        out.Filas.push_back(std::move(fila));
    }
    return out;
}

} // namespace vesdra
