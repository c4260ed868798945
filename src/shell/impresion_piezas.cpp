#include "shell/impresion_piezas.h"

#include <algorithm>
#include <cmath>

#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "platform/printer.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"

namespace vesdra {

namespace {

// The smallest font a text is shrunk to, as a part of the page's.
constexpr double kMenorEscala = 0.6;

} // namespace

TamanoFuente::TamanoFuente(Printer& p) : p_(p), tamano_(p.FontSize) {}

TamanoFuente::~TamanoFuente()
{
    p_.FontSize = tamano_;
}

void TamanoFuente::Escala(double e)
{
    p_.FontSize = tamano_ * e;
}

TextosPagina::TextosPagina(Printer& p, const MarcoPagina& marco, std::optional<QRectF> caja)
    : p_(p), marco_(marco), caja_(caja)
{
}

double TextosPagina::Linea() const
{
    return p_.TextHeight(QString());
}

QRectF TextosPagina::Rectangulo(const QString& t, double x, double y) const
{
    qsizetype antes = 0;
    while (antes < t.size() && t[antes].isSpace())
        ++antes;
    const QString tinta = t.trimmed();
    return {x + p_.TextWidth(t.left(antes)), y, tinta.isEmpty() ? 0.0 : p_.TextWidth(tinta),
            p_.TextHeight(t)};
}

double TextosPagina::FueraDeCaja(const QString& t, double x, double y) const
{
    const double derecha = Rectangulo(t, x, y).right();
    if (!caja_ || x >= caja_->left() || derecha <= caja_->left())
        return x;
    return x - (derecha - (caja_->left() - p_.TextWidth(QStringLiteral(" ")) / 2));
}

bool TextosPagina::Libre(const QRectF& r, double holgura) const
{
    // Edges that only touch do not overprint.
    constexpr double kRoce = 0.5;
    const auto cubre = [](const QRectF& a, const QRectF& b) {
        return a.left() < b.right() - kRoce && b.left() < a.right() - kRoce && a.top() < b.bottom() - kRoce &&
               b.top() < a.bottom() - kRoce;
    };
    if (r.width() <= 0.0)
        return true;
    if (r.left() < marco_.Izquierda - kRoce || r.right() > marco_.Derecha + kRoce ||
        r.top() < marco_.Arriba - kRoce || r.bottom() > marco_.Abajo + kRoce)
        return false;
    if (caja_ && cubre(r, *caja_))
        return false;
    const QRectF holgado = r.adjusted(-holgura, 0.0, holgura, 0.0);
    return std::none_of(tomados_.begin(), tomados_.end(), [&](const QRectF& o) { return cubre(holgado, o); });
}

void TextosPagina::Tomar(const QRectF& r)
{
    if (r.width() > 0.0)
        tomados_.push_back(r);
}

void TextosPagina::Imprimir(const QString& t, double x, double y, std::uint32_t color)
{
    Tomar(Rectangulo(t, x, y));
    p_.CurrentX = x;
    p_.CurrentY = y;
    p_.ForeColor = color;
    p_.Print(t);
    p_.ForeColor = 0;
}

bool TextosPagina::ImprimirSiLibre(const QString& t, double x, double y, std::uint32_t color, double holgura)
{
    if (!Libre(Rectangulo(t, x, y), holgura))
        return false;
    Imprimir(t, x, y, color);
    return true;
}

void TextosPagina::ImprimirHasta(const QString& t, double x, double y, double derecha, std::uint32_t color)
{
    TamanoFuente fuente(p_);
    // The line ends where it would in the page's font.
    const double siguiente = y + p_.TextHeight(t);
    const double ancho = derecha - x;
    const double natural = Rectangulo(t, x, y).right() - x;
    if (natural > ancho && natural > 0.0) {
        // A font's widths do not follow its size exactly: smaller still
        // while it does not fit, down to the smallest.
        double escala = std::max(kMenorEscala, 0.999 * ancho / natural);
        fuente.Escala(escala);
        while (Rectangulo(t, x, y).right() > derecha && escala > kMenorEscala) {
            escala = std::max(kMenorEscala, escala * 0.97);
            fuente.Escala(escala);
        }
        QString corto = t;
        if (Rectangulo(corto, x, y).right() > derecha) {
            const QString puntos = QStringLiteral("...");
            while (!corto.isEmpty() && Rectangulo(corto + puntos, x, y).right() > derecha)
                corto.chop(1);
            corto += puntos;
        }
        Imprimir(corto, x, y, color);
        p_.CurrentY = siguiente;
        return;
    }
    Imprimir(t, x, y, color);
}

bool TextosPagina::ImprimirAjustadoA(const QString& t, double derecha, double y, std::uint32_t color)
{
    TamanoFuente fuente(p_);
    const double siguiente = y + p_.TextHeight(t);
    for (const double e : {1.0, 0.9, 0.8, 0.7, kMenorEscala}) {
        fuente.Escala(e);
        const QRectF r = Rectangulo(t, 0.0, y);
        const double x = derecha - r.right();
        if (ImprimirSiLibre(t, x, y, color)) {
            p_.CurrentY = siguiente;
            return true;
        }
    }
    return false;
}

std::optional<double> TextosPagina::FilaLibre(const QString& t, double x, double y, double holgura) const
{
    const double paso = std::max(1.0, Linea());
    for (double fila = y; fila + Linea() <= marco_.Abajo; fila += paso) {
        if (Libre(Rectangulo(t, x, fila), holgura))
            return fila;
    }
    return std::nullopt;
}

CajaPagina CajaDePagina(const Printer& p)
{
    const double w = p.Width();
    const double h = p.Height();
    return {w, h, MarcoDePagina(p), 0.15 * w, 0.92 * w, 0.05 * w, 0.82 * h};
}

double Cerca(double x)
{
    return static_cast<double>(CLng(x));
}

std::int32_t ColumnaConUnidad(std::int32_t fila)
{
    if (Registro().TablaCanales.Cols() < 4)
        throw VbError(vberr::SubscriptOutOfRange);
    return ColumnaAnalogica(fila);
}

std::int32_t ColumnaFila(std::int32_t fila)
{
    const std::int32_t c = ColumnaConUnidad(fila);
    const RecordModel& r = Registro();
    if (c > r.MinimosCanal.Size() || c > r.MaximosCanal.Size())
        throw VbError(vberr::SubscriptOutOfRange);
    return c;
}

float ValorMuestra(const RecordModel& r, std::int32_t muestra, std::int32_t c)
{
    if (muestra < 1 || muestra > r.NumMuestras() || c < 1 || c > r.Valores.Cols())
        throw VbError(vberr::SubscriptOutOfRange);
    return r.Valores(muestra, c);
}

std::span<const float> TramoColumna(const RecordModel& r, std::int32_t c, std::int32_t primera,
                                    std::int32_t ultima)
{
    if (primera > ultima)
        return {};
    if (primera < 1 || ultima > r.NumMuestras() || c < 1 || c > r.Valores.Cols())
        throw VbError(vberr::SubscriptOutOfRange);
    return r.Valores.Column(c).subspan(static_cast<size_t>(primera - 1),
                                       static_cast<size_t>(ultima - primera + 1));
}

ExtremosAlcanzados BuscarExtremos(std::span<const float> tramo, std::int32_t primera, float maximo,
                                  float minimo, const EnvelopeTables& tablas)
{
    ExtremosAlcanzados e;
    const auto n = static_cast<std::int64_t>(tramo.size());
    if (const std::span<const float> canal = tablas.Channel(tramo); !canal.empty()) {
        const auto ultima = [&](float x) {
            const std::int64_t i = tablas.Pyramid->LastEqual(canal, tablas.Offset, tablas.Offset + n - 1, x);
            return i < 0 ? 0 : primera + (i - tablas.Offset);
        };
        e.UltimoMaximo = ultima(maximo);
        e.UltimoMinimo = ultima(minimo);
        return e;
    }
    for (size_t i = 0; i < tramo.size(); ++i) {
        if (tramo[i] == maximo)
            e.UltimoMaximo = primera + static_cast<std::int64_t>(i);
        if (tramo[i] == minimo)
            e.UltimoMinimo = primera + static_cast<std::int64_t>(i);
    }
    return e;
}

double CursorImpreso(TextosPagina& textos, const MedidaTexto& m, double x, double arriba, double abajo,
                     std::uint32_t color, const QString& largoTick, double hueco, const QString& etiqueta,
                     double filaMinima)
{
    Printer& p = textos.Impresora();
    p.DrawWidth = 2;
    p.DrawStyle = 1;
    p.Line(x, arriba, x, abajo, color);
    p.DrawStyle = 0;
    p.DrawWidth = 3;
    const double fin = abajo + m.Ancho(largoTick);
    p.Line(x, abajo, x, fin, color);
    // The label starts where the tick ended, unless it would pass the
    // frame's right side.
    const QRectF r = textos.Rectangulo(etiqueta, x, 0.0);
    const double xe =
        std::max(textos.Marco().Izquierda, std::min(x, x - (r.right() - textos.Marco().Derecha)));
    const double ye = std::max(fin + hueco, filaMinima);
    if (const std::optional<double> fila = textos.FilaLibre(etiqueta, xe, ye)) {
        textos.Imprimir(etiqueta, xe, *fila, color);
        return fin;
    }
    // No row free down to the frame's foot: on its row, further right.
    const double paso = textos.Impresora().TextWidth(QStringLiteral(" "));
    double xl = xe;
    while (!textos.Libre(textos.Rectangulo(etiqueta, xl, ye)) &&
           xl + r.width() + paso <= textos.Marco().Derecha && paso > 0)
        xl += paso;
    textos.Imprimir(etiqueta, xl, ye, color);
    return fin;
}

bool EtiquetaDeLinea(TextosPagina& textos, const QString& etiqueta, double x, double y, std::uint32_t color)
{
    // Where the printer's font is wider than the measure, the label ends
    // where it should, half a blank short of the box.
    const double alineada = textos.FueraDeCaja(etiqueta, x, y);
    const double derecha = textos.Rectangulo(etiqueta, alineada, y).right();
    const double linea = textos.Linea();
    for (const double fila : {y, y - linea, y + linea}) {
        if (textos.ImprimirSiLibre(etiqueta, fila == y ? x : alineada, fila, color) ||
            (fila == y && textos.ImprimirSiLibre(etiqueta, alineada, fila, color)))
            return true;
    }
    return textos.ImprimirAjustadoA(etiqueta, derecha, y, color) ||
           textos.ImprimirAjustadoA(etiqueta, derecha, y - linea, color);
}

TrazoLeyenda TrazoAntesDe(double desde, double hasta, double limite, double finNombre)
{
    if (hasta <= limite)
        return {desde, hasta};
    const double largo = hasta - desde;
    return {std::min(std::max(limite - largo, finNombre + 100), limite - 100), limite};
}

void MarcadorExtremo(TextosPagina& textos, const MedidaTexto& m, double y, double izquierda, double derecha,
                     double arriba, double abajo, const QString& etiqueta, std::uint32_t color)
{
    if (!(y > arriba && y < abajo))
        return;
    Printer& p = textos.Impresora();
    p.DrawStyle = 2;
    p.DrawWidth = 1;
    p.Line(izquierda - m.Ancho(QStringLiteral(" ")), y, derecha, y, color);
    p.DrawStyle = 0;
    (void)EtiquetaDeLinea(textos, etiqueta, izquierda - m.Ancho(etiqueta + QStringLiteral("  ")), y, color);
}

void Encabezado(TextosPagina& textos, const MedidaTexto& m, double x, double arriba, std::int32_t titulo)
{
    const double derecha = textos.Marco().Derecha;
    const double y = arriba + m.Alto(QString());
    textos.ImprimirHasta(TextosIdioma(titulo).toUpper(), x, y, derecha);
    textos.ImprimirHasta(TextosIdioma(265) + Registro().RutaDat, x, textos.Impresora().CurrentY, derecha);
}

std::int64_t SiguienteEscalon(std::int64_t n)
{
    std::int64_t decada = 1;
    while (decada * 10 <= n)
        decada *= 10;
    const std::int64_t cifra = n / decada; // 1, 2 or 5
    return cifra == 1 ? 2 * decada : (cifra == 2 ? 5 * decada : 10 * decada);
}

std::int32_t PasoEscalaTiempo(std::int32_t marcas)
{
    std::int64_t paso = 1;
    while (static_cast<std::int64_t>(marcas) > paso * kLineasTiempo)
        paso = SiguienteEscalon(paso);
    return static_cast<std::int32_t>(std::min<std::int64_t>(paso, std::numeric_limits<std::int32_t>::max()));
}

double FilaEtiquetasTiempo(const MedidaTexto& m, double abajo)
{
    return abajo + m.Ancho(QStringLiteral("A"));
}

std::optional<double> DibujarEscalaTiempo(TextosPagina& textos, const MedidaTexto& m, const EscalaTiempo& e)
{
    Printer& p = textos.Impresora();
    const double ancho = p.Width();
    const double tpp = p.TwipsPerPixelX();
    const double base = Cerca(e.Izquierda);
    const double filaEtiquetas = FilaEtiquetasTiempo(m, e.Abajo);
    const auto columna = [tpp](double x) { return std::floor(x / tpp + 0.5); };
    // A line rounded to the twip may stand up to half a twip right of the
    // box's side and still be its own.
    const auto fuera = [&e](double x) { return e.Derecha && x > *e.Derecha + 0.5; };
    double ultimaLinea = std::nan("");
    double ultimoTick = std::nan("");
    // A dotted line across the box; false once x is off the sheet or past
    // the limit.
    const auto linea = [&](double x) {
        if (x > ancho || fuera(x))
            return false;
        if (columna(x) != ultimaLinea) {
            p.DrawStyle = 2;
            p.Line(x, e.Arriba, x, e.Abajo, 0u);
            ultimaLinea = columna(x);
        }
        return true;
    };

    // On a long record only every k-th tick is drawn, so that the lines
    // never merge into a hatching over the traces.
    const std::int32_t k = PasoEscalaTiempo(e.Marcas);
    std::optional<double> fila;
    const bool etiquetas = k > 1 || e.Paso >= e.Columna / 1.5;
    // The labels on every j-th line drawn, j from 1, 2, 5 x 10^n, so that
    // the widest (the last) with a blank either side fits between two.
    const double blanco = p.TextWidth(QStringLiteral(" "));
    std::int64_t ultima = e.Marcas;
    if (e.Derecha && e.Paso > 0.0)
        ultima =
            std::min<std::int64_t>(ultima, static_cast<std::int64_t>((*e.Derecha + 0.5 - base) / e.Paso));
    const double anchoEtiqueta =
        textos.Rectangulo(Str(static_cast<double>(ultima) * 50.0), 0.0, 0.0).width() + blanco;
    std::int64_t j = 1;
    while (static_cast<double>(j * k) * e.Paso < anchoEtiqueta && j * k < e.Marcas)
        j = SiguienteEscalon(j);
    for (std::int64_t i = k; i <= e.Marcas; i += k) {
        const double x = Cerca(base + static_cast<double>(i) * e.Paso);
        if (fuera(x))
            break;
        const bool cien = k == 1 && i == 2;
        const bool etiqueta = cien || (etiquetas && (i / k) % j == 0);
        const QString numero = etiqueta ? Str(static_cast<double>(i) * 50.0) : QString();
        const double mitad = etiqueta ? m.Ancho(e.Apilada ? numero.trimmed() : numero) / 2 : 0.0;
        if (!linea(x) && !(etiqueta && x - mitad <= ancho))
            break;
        if (columna(x) != ultimoTick) {
            p.DrawStyle = 0;
            p.DrawWidth = 1;
            p.Line(x, e.Abajo, x, filaEtiquetas, 0u);
            ultimoTick = columna(x);
        }
        fila = filaEtiquetas;
        if (etiqueta)
            (void)textos.ImprimirSiLibre(cien ? QStringLiteral("100") : numero + QStringLiteral(" "),
                                         x - mitad, filaEtiquetas, 0, blanco / 2);
    }
    const bool quintos = k == 1 && e.Paso >= 5 * e.Columna;
    const bool medios = k == 1 && (e.Apilada ? e.Paso >= 2 * e.Columna : !quintos && e.Paso >= 2 * e.Columna);
    if (medios) {
        for (std::int32_t i = 1; i <= e.Marcas; ++i) {
            if (!linea(Cerca(e.Paso / 2 + e.Izquierda + (i - 1) * e.Paso)))
                break;
        }
    }
    if (quintos) {
        bool enHoja = true;
        for (std::int32_t i = 1; i <= e.Marcas && enHoja; ++i) {
            const double desde = Cerca((i - 1) * e.Paso + base);
            for (int q = 1; q <= 4 && enHoja; ++q)
                enHoja = linea(Cerca(desde + q * e.Paso / 5));
        }
    }
    p.DrawStyle = 0;
    return fila;
}

void UnidadMs(TextosPagina& textos, const MedidaTexto& m, double derecha, double fila)
{
    const QString unidad = QStringLiteral("  ms");
    const double x = derecha - m.Ancho(QStringLiteral("  ms "));
    const double holgura = textos.Impresora().TextWidth(QStringLiteral(" ")) / 2;
    textos.Imprimir(unidad, x, textos.FilaLibre(unidad, x, fila, holgura).value_or(fila));
    textos.Impresora().DrawStyle = 0;
}

void PieConTiempo(TextosPagina& textos, const MedidaTexto& m, double filaMs, const QString& tiempo)
{
    const MarcoPagina& f = textos.Marco();
    UnidadMs(textos, m, f.Derecha, filaMs);
    // The line is placed by the width of its Spanish wording, whatever the
    // language printed.
    const double x =
        (f.Derecha - f.Izquierda) / 2 - m.Ancho(QStringLiteral("Tiempo entre cursores : ") + tiempo);
    // On the date's row, half a blank off the frame's foot.
    textos.Imprimir(TextosIdioma(264) + tiempo, x,
                    f.Abajo - std::max(m.Alto(tiempo), textos.Linea()) - m.Ancho(QStringLiteral(" ")) / 2);
    ImprimirFecha(textos.Impresora(), f, m);
}

std::int32_t MuestrasPor50ms()
{
    const std::int32_t tasa = FrecuenciaMuestreo();
    if (tasa <= 0)
        return 0;
    return CLng(50.0 / (1000.0 / tasa));
}

} // namespace vesdra
