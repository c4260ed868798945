#include "views/digital/digital_selection.h"

#include "platform/base/vb_error.h"
#include "record/record_model.h"
#include "shell/shell_state.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"
#include "views/waves/waves_state.h"

namespace vesdra {

namespace {

// A table cell read as a whole number, as the template's tables hold them.
std::int32_t EnteroOError(const QString& celda)
{
    const std::optional<std::int32_t> n = EnteroCelda(celda);
    if (!n)
        throw VbError(vberr::TypeMismatch);
    return *n;
}

const QString& Celda(const Matrix<QString>& t, std::int32_t fila, std::int32_t columna)
{
    if (fila < 1 || fila > t.Rows() || columna < 1 || columna > t.Cols())
        throw VbError(vberr::SubscriptOutOfRange);
    return t(fila, columna);
}

} // namespace

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
        primero += EnteroOError(Celda(tablaGrupos, j, 2));
    const std::int64_t cuenta = EnteroOError(Celda(tablaGrupos, g, 2));
    const std::int64_t ultimo = primero + cuenta - 1;
    if (primero > INT32_MAX || ultimo > INT32_MAX || ultimo < INT32_MIN)
        throw VbError(vberr::Overflow);
    return {static_cast<std::int32_t>(primero), static_cast<std::int32_t>(ultimo), static_cast<std::int32_t>(cuenta)};
}

void EscribirSeleccionGrupo(std::int32_t g, std::int32_t analogico)
{
    const TemplateState& p = Plantillas();
    const RangoGrupo rango = CalcularRangoGrupo(p.TablaGruposDigitales, g);
    const QString nombre = Celda(p.TablaGruposDigitales, g, 1);
    DigitalState& d = Digitales();
    d.AnalogicoElegido = analogico;
    d.ListaDigitales.UltimaFila = 0;
    d.PrimerMiembro = rango.PrimerMiembro;
    d.UltimoMiembro = rango.UltimoMiembro;
    d.NumFilasDigitales = rango.NumFilas;
    d.GrupoElegido = nombre;
    d.ModoDigital = 1;
}

std::vector<FilaDigitalVista> FilasDigitalesElegidas()
{
    const DigitalState& d = Digitales();
    std::vector<FilaDigitalVista> filas;
    if (d.PrimerMiembro + d.UltimoMiembro != 0) {
        const Matrix<QString>& miembros = Plantillas().TablaMiembrosDigitales;
        for (std::int32_t m = d.PrimerMiembro; m <= d.UltimoMiembro; ++m)
            filas.push_back({EnteroOError(Celda(miembros, m, 1)), Celda(miembros, m, 2)});
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
    Shell().UsaPrimario = false;
    Shell().UsaSecundario = false;
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
    Shell().UsaPrimario = false;
    Shell().UsaSecundario = false;
}

void ElegirReferencia(Referencia lado)
{
    // One switch for every choice dialog: the waveform views own it.
    if (lado == Referencia::Ninguna)
        return;
    ElegirReferencia(lado == Referencia::Primario);
}

} // namespace vesdra
