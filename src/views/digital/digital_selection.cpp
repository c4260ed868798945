#include "views/digital/digital_selection.h"

#include <algorithm>

#include "platform/base/vb_error.h"
#include "record/record_model.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"
#include "views/waves/waves_state.h"

namespace vesdra {

const QString& CeldaTabla(const Matrix<QString>& t, std::int32_t fila, std::int32_t columna)
{
    if (fila < 1 || fila > t.Rows() || columna < 1 || columna > t.Cols())
        throw VbError(vberr::SubscriptOutOfRange);
    return t(fila, columna);
}

std::int32_t EnteroTabla(const Matrix<QString>& t, std::int32_t fila, std::int32_t columna)
{
    const std::optional<std::int32_t> n = EnteroCelda(CeldaTabla(t, fila, columna));
    if (!n)
        throw VbError(vberr::TypeMismatch);
    return *n;
}

FilaListaDigital& ListaDigitalesTabla::Fila(std::int32_t r)
{
    if (r < 2 || r > FilasListaDigitales)
        throw VbError(vberr::SubscriptOutOfRange);
    return Filas[static_cast<std::size_t>(r)];
}

const FilaListaDigital& ListaDigitalesTabla::Fila(std::int32_t r) const
{
    if (r < 2 || r > FilasListaDigitales)
        throw VbError(vberr::SubscriptOutOfRange);
    return Filas[static_cast<std::size_t>(r)];
}

DigitalState& Digitales()
{
    static DigitalState state;
    return state;
}

RangoGrupo CalcularRangoGrupo(const Matrix<QString>& tablaGrupos, std::int32_t g)
{
    if (g < 1 || g > tablaGrupos.Rows())
        throw VbError(vberr::SubscriptOutOfRange);
    // 64-bit sums: a template whose counts add up beyond 32 bits is refused
    // rather than wrapped into a plausible row.
    std::int64_t primero = 1;
    for (std::int32_t j = 1; j < g; ++j)
        primero += EnteroTabla(tablaGrupos, j, 2);
    const std::int64_t cuenta = EnteroTabla(tablaGrupos, g, 2);
    const std::int64_t ultimo = primero + cuenta - 1;
    if (primero > INT32_MAX || ultimo > INT32_MAX || ultimo < INT32_MIN)
        throw VbError(vberr::Overflow);
    return {static_cast<std::int32_t>(primero), static_cast<std::int32_t>(ultimo),
            static_cast<std::int32_t>(cuenta)};
}

void EscribirSeleccionGrupo(std::int32_t g, std::int32_t analogico)
{
    const TemplateState& p = Plantillas();
    const RangoGrupo rango = CalcularRangoGrupo(p.TablaGruposDigitales, g);
    const QString nombre = CeldaTabla(p.TablaGruposDigitales, g, 1);
    DigitalState& d = Digitales();
    d.AnalogicoElegido = analogico;
    d.ListaDigitales.UltimaFila = 0;
    const std::int32_t filas = std::min(rango.NumFilas, MaxFilasDigitales);
    d.PrimerMiembro = rango.PrimerMiembro;
    d.UltimoMiembro = rango.PrimerMiembro + filas - 1;
    d.NumFilasDigitales = filas;
    d.GrupoElegido = nombre;
    d.ModoDigital = 1;
}

std::optional<QString> NombreGrupoRecortado(std::int32_t g)
{
    const Matrix<QString>& grupos = Plantillas().TablaGruposDigitales;
    if (g < 1 || g > grupos.Rows() || grupos.Cols() < 2)
        return std::nullopt;
    const std::optional<std::int32_t> cuenta = EnteroCelda(grupos(g, 2));
    if (!cuenta || *cuenta <= MaxFilasDigitales)
        return std::nullopt;
    return grupos(g, 1);
}

std::int32_t TotalMarcados(const std::array<std::vector<std::int32_t>, 17>& marcas)
{
    std::int32_t total = 0;
    for (std::size_t k = 1; k < marcas.size(); ++k) {
        const std::vector<std::int32_t>& m = marcas[k];
        if (m.empty() || m[0] <= 0)
            continue;
        const auto n = static_cast<std::ptrdiff_t>(std::min(static_cast<std::size_t>(m[0]), m.size() - 1));
        total += static_cast<std::int32_t>(std::count(m.begin() + 1, m.begin() + 1 + n, 1));
    }
    return total;
}

Composicion ComponerMarcados(const std::array<std::vector<std::int32_t>, 17>& marcas,
                             const Matrix<QString>& tablaMiembros)
{
    Composicion c;
    std::int64_t desplazamiento = 0; // members of the columns before
    for (std::size_t k = 1; k < marcas.size(); ++k) {
        const std::vector<std::int32_t>& m = marcas[k];
        const std::int32_t n = m.empty() ? 0 : m[0];
        if (n <= 0)
            continue;
        const std::size_t hasta = std::min(static_cast<std::size_t>(n), m.size() - 1);
        for (std::size_t j = 1; j <= hasta; ++j) {
            if (m[j] != 1)
                continue;
            const std::int64_t fila = desplazamiento + static_cast<std::int64_t>(j);
            if (fila > tablaMiembros.Rows())
                throw VbError(vberr::SubscriptOutOfRange);
            const auto f = static_cast<std::int32_t>(fila);
            c.Filas.push_back({EnteroTabla(tablaMiembros, f, 1), CeldaTabla(tablaMiembros, f, 2)});
        }
        desplazamiento += n;
    }
    c.Total = static_cast<std::int32_t>(c.Filas.size());
    return c;
}

void EscribirSeleccionComposicion(const Composicion& c, std::int32_t analogico)
{
    if (c.Total + 1 > FilasListaDigitales)
        throw VbError(vberr::SubscriptOutOfRange);
    DigitalState& d = Digitales();
    d.AnalogicoElegido = analogico;
    d.NumFilasDigitales = c.Total;
    d.PrimerMiembro = 0;
    d.UltimoMiembro = 0;
    d.ListaDigitales.UltimaFila = c.Total + 1;
    std::int32_t r = 2;
    for (const FilaListaDigital& f : c.Filas)
        d.ListaDigitales.Fila(r++) = f;
    d.ModoDigital = 2;
}

std::vector<FilaDigitalVista> FilasDigitalesElegidas()
{
    const DigitalState& d = Digitales();
    std::vector<FilaDigitalVista> filas;
    if (d.PrimerMiembro + d.UltimoMiembro != 0) {
        const Matrix<QString>& miembros = Plantillas().TablaMiembrosDigitales;
        for (std::int32_t m = d.PrimerMiembro; m <= d.UltimoMiembro; ++m)
            filas.push_back({EnteroTabla(miembros, m, 1), CeldaTabla(miembros, m, 2)});
    }
    if (d.ListaDigitales.UltimaFila != 0) {
        for (std::int32_t r = 2; r <= d.ListaDigitales.UltimaFila; ++r) {
            const FilaListaDigital& f = d.ListaDigitales.Fila(r);
            filas.push_back({f.Canal, f.Nombre});
        }
    }
    return filas;
}

void LimpiarSeleccionAlDescargar()
{
    Digitales().ModoDigital = 0;
}

void CerrarSeleccionDigital()
{
    DigitalState& d = Digitales();
    d.ModoDigital = 0;
    d.PrimerMiembro = 0;
    d.UltimoMiembro = 0;
    d.AnalogicoElegido = 0;
    d.NumFilasDigitales = 0;
    d.GrupoElegido.clear();
    for (std::vector<std::int32_t>& m : d.MarcasGrupo)
        m.clear();
}

void ElegirReferencia(Referencia lado)
{
    // One switch for every choice dialog: the waveform views own it.
    if (lado == Referencia::Ninguna)
        return;
    ElegirReferencia(lado == Referencia::Primario);
}

} // namespace vesdra
