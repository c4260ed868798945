#include "shell/impresion_piezas.h"

#include <algorithm>
#include <cmath>

#include "platform/base/name_elide.h"
#include "platform/base/numeric.h"
#include "platform/base/segment_clip.h"
#include "platform/base/vb_error.h"
#include "platform/printer.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"

namespace vesdra {

namespace {

// The few characters a name cut in the middle keeps at the least.
constexpr qsizetype kMenorNombre = 5;

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

double TextosPagina::Blanco() const
{
    return p_.TextWidth(QStringLiteral(" "));
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
    // Touching the box's line is as bad as entering the box.
    if (!caja_ || x >= caja_->left() || derecha <= caja_->left() - p_.TwipsPerPixelX())
        return x;
    return x - (derecha - (caja_->left() - Blanco() / 2));
}

namespace {

// Edges that only touch do not overprint.
constexpr double kRoce = 0.5;

bool Cubre(const QRectF& a, const QRectF& b)
{
    return a.left() < b.right() - kRoce && b.left() < a.right() - kRoce && a.top() < b.bottom() - kRoce &&
           b.top() < a.bottom() - kRoce;
}

// Whether two rectangles share rows (more than touching).
bool MismaFila(const QRectF& a, const QRectF& b)
{
    return a.top() < b.bottom() - kRoce && b.top() < a.bottom() - kRoce;
}

// What a text's glyphs cover of its line (the line's top and foot are
// mostly leading): a line through the rest of the line does not touch them.
QRectF TintaDeTexto(const QRectF& linea)
{
    const double margen = 0.1 * linea.height();
    return linea.adjusted(0.0, margen, 0.0, -margen);
}

// Whether a line (pen `grosor` twips wide) runs through a text covering
// `texto` (its line, as TextosPagina keeps it).
bool LineaCruzaTexto(const QLineF& l, double grosor, const QRectF& texto)
{
    if (texto.width() <= 0.0)
        return false;
    const double mitad = grosor / 2;
    QPointF a = l.p1();
    QPointF b = l.p2();
    return ClipSegment(a, b, TintaDeTexto(texto).adjusted(-mitad, -mitad, mitad, mitad));
}

} // namespace

bool TextosPagina::Libre(const QRectF& r, double holgura) const
{
    if (r.width() <= 0.0)
        return true;
    // Off the lines of the frame and the box by a pixel at least.
    const double px = p_.TwipsPerPixelX();
    if (r.left() < marco_.Izquierda + px || r.right() > marco_.Derecha - px || r.top() < marco_.Arriba + px ||
        r.bottom() > marco_.Abajo - px)
        return false;
    if (caja_ && Cubre(r, caja_->adjusted(-px, -px, px, px)))
        return false;
    const double hueco = std::max(holgura, Blanco());
    const QRectF holgado = r.adjusted(-hueco, 0.0, hueco, 0.0);
    if (std::any_of(tomados_.begin(), tomados_.end(), [&](const QRectF& o) { return Cubre(holgado, o); }))
        return false;
    return std::none_of(lineas_.begin(), lineas_.end(),
                        [&](const LineaTomada& l) { return LineaCruzaTexto(l.Linea, l.Grosor, r); });
}

void TextosPagina::Tomar(const QRectF& r)
{
    if (r.width() > 0.0)
        tomados_.push_back(r);
}

namespace {

// Whether one of `textos` stands on the row from y, a line high, and starts
// left of x (the row running from the frame's left edge `izquierda`).
bool AlgunoAntes(const std::vector<QRectF>& textos, double izquierda, double linea, double x, double y)
{
    const QRectF fila(QPointF(izquierda, y), QSizeF(x - izquierda, linea));
    return std::any_of(textos.begin(), textos.end(),
                       [&](const QRectF& r) { return MismaFila(r, fila) && r.left() < x - kRoce; });
}

} // namespace

bool TextosPagina::NadaAntes(double x, double y) const
{
    return !AlgunoAntes(tomados_, marco_.Izquierda, Linea(), x, y);
}

bool TextosPagina::RotuloAntes(double x, double y) const
{
    return AlgunoAntes(rotulos_, marco_.Izquierda, Linea(), x, y);
}

void TextosPagina::ReservarColumna(const QRectF& r)
{
    columnas_.push_back(r);
}

bool TextosPagina::FueraDeColumna(const QRectF& r) const
{
    return r.width() <= 0.0 ||
           std::none_of(columnas_.begin(), columnas_.end(), [&](const QRectF& c) { return Cubre(r, c); });
}

void TextosPagina::Linea(double x1, double y1, double x2, double y2, std::optional<std::uint32_t> color)
{
    p_.Line(x1, y1, x2, y2, color);
    TomarLinea(QLineF(x1, y1, x2, y2), std::max(1, p_.DrawWidth) * p_.TwipsPerPixelX());
}

void TextosPagina::TomarLinea(const QLineF& l, double grosor)
{
    lineas_.push_back({l, grosor});
}

std::vector<QRectF> TextosPagina::EnFila(double y) const
{
    const QRectF fila(QPointF(marco_.Izquierda, y), QSizeF(marco_.Derecha - marco_.Izquierda, Linea()));
    std::vector<QRectF> out;
    for (const QRectF& r : tomados_)
        if (MismaFila(r, fila))
            out.push_back(r);
    // A line across the row stands there as wide as it runs through it.
    for (const LineaTomada& l : lineas_) {
        QPointF a = l.Linea.p1();
        QPointF b = l.Linea.p2();
        const double mitad = l.Grosor / 2;
        const QRectF tinta = TintaDeTexto(fila);
        if (ClipSegment(a, b,
                        QRectF(QPointF(-1e12, tinta.top() - mitad), QPointF(1e12, tinta.bottom() + mitad))))
            out.emplace_back(QPointF(std::min(a.x(), b.x()) - mitad, y),
                             QPointF(std::max(a.x(), b.x()) + mitad, y + Linea()));
    }
    return out;
}

double TextosPagina::FinLibre(double x, double y, double derecha) const
{
    double fin = derecha;
    for (const QRectF& r : EnFila(y))
        if (r.right() > x + kRoce)
            fin = std::min(fin, r.left() - Blanco());
    return fin;
}

std::optional<double> TextosPagina::InicioLibre(double izquierda, double derecha, double y) const
{
    double inicio = std::max(izquierda, marco_.Izquierda);
    for (const QRectF& r : EnFila(y)) {
        if (r.left() >= derecha + Blanco() - kRoce)
            continue; // right of the text, a blank away
        if (r.right() + Blanco() > derecha)
            return std::nullopt;
        inicio = std::max(inicio, r.right() + Blanco());
    }
    if (caja_ && derecha > caja_->left() + kRoce && y < caja_->bottom() && y + Linea() > caja_->top())
        return std::nullopt;
    return inicio <= derecha ? std::optional<double>(inicio) : std::nullopt;
}

void TextosPagina::Imprimir(const QString& t, double x, double y, std::uint32_t color)
{
    const QRectF r = Rectangulo(t, x, y);
    Tomar(r);
    if (t.trimmed().endsWith(QLatin1Char(':')))
        rotulos_.push_back(r);
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

QString TextosPagina::NombreQueCabe(const QString& nombre, double ancho, const QString& antes,
                                    const QString& despues, const QStringList& junto) const
{
    const TextAdvance medida = [this](const QString& t) { return p_.TextWidth(t); };
    // The name's room is what its fixed company leaves; FitNameAndValue
    // keeps the value (here all that follows the name) whole.
    const QString cola = FitNameAndValue(nombre, junto, QString(), despues, ancho - medida(antes), medida);
    return antes + cola;
}

QString TextosPagina::ImprimirNombre(const QString& nombre, double x, double y, double derecha,
                                     std::uint32_t color, const QString& antes, const QString& despues,
                                     const QStringList& junto)
{
    const QString t = NombreQueCabe(nombre, derecha - x, antes, despues, junto);
    Imprimir(t, x, y, color);
    return t;
}

QStringList TextosPagina::NombreEnLineas(const QString& nombre, double ancho, int lineas,
                                         const QString& despues, const QStringList& junto) const
{
    const TextAdvance medida = [this](const QString& t) { return p_.TextWidth(t); };
    const QString una = NombreQueCabe(nombre, ancho, {}, despues, junto);
    if (lineas <= 1 || una == nombre + despues)
        return {una};
    // Every line keeps room for what follows the last: the lines are
    // broken before it is known which is the last.
    QStringList t = ElideNameInLines(nombre, junto, ancho - medida(despues), lineas, medida);
    if (t.isEmpty() || t.back().isEmpty())
        return {una};
    t.back() += despues;
    return t;
}

QStringList TextosPagina::ImprimirNombreEnLineas(const QString& nombre, double x, double y, double derecha,
                                                 int lineas, std::uint32_t color, const QString& despues,
                                                 const QStringList& junto)
{
    const QStringList t = NombreEnLineas(nombre, derecha - x, lineas, despues, junto);
    ImprimirLineas(t, x, y, color);
    return t;
}

void TextosPagina::ImprimirLineas(const QStringList& lineas, double x, double y, std::uint32_t color)
{
    for (qsizetype i = 0; i < lineas.size(); ++i)
        Imprimir(lineas[i], x, y + static_cast<double>(i) * Linea(), color);
}

void TextosPagina::ImprimirHasta(const QString& t, double x, double y, double derecha, std::uint32_t color)
{
    (void)ImprimirNombre(t, x, y, derecha, color);
}

double TextosPagina::FilaDesde(double x, double y, double ancho) const
{
    const double paso = std::max(1.0, Linea() / 8);
    for (double fila = y; fila + Linea() <= marco_.Abajo; fila += paso) {
        if (Libre(QRectF(x, fila, ancho, Linea())))
            return fila;
    }
    return y;
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

qsizetype MenorNombre(const QString& nombre)
{
    return std::min(nombre.size(), kMenorNombre);
}

ColumnaPagina::ColumnaPagina(TextosPagina& textos, double y, double limite, bool imprimir)
    : Y(y), textos_(textos), limite_(limite), linea_(textos.Linea()), imprimir_(imprimir)
{
}

void ColumnaPagina::Fila(double x)
{
    Y = textos_.FilaDesde(x, Y, limite_ - x - textos_.Blanco());
}

QString ColumnaPagina::Escribir(const QString& nombre, double x, double derecha, const QString& despues)
{
    QString t;
    if (imprimir_)
        t = textos_.ImprimirNombre(nombre, x, Y, textos_.FinLibre(x, Y, derecha), 0, {}, despues, Junto);
    Y += linea_;
    return t;
}

bool ColumnaPagina::Lectura(const QString& nombre, double x, const QString& despues, const QString& clave)
{
    const Printer& p = textos_.Impresora();
    Fila(x);
    const double fin = textos_.FinLibre(x, Y, limite_);
    // The name's cut with `antes` before it, where it reads as its channel
    // only.
    const auto ligada = [&](const QString& antes) -> std::optional<QString> {
        const QString t = textos_.NombreQueCabe(nombre, fin - x, antes, despues, Junto);
        const QString corte = t.mid(antes.size(), t.size() - antes.size() - despues.size());
        if (t.endsWith(despues) && !corte.trimmed().isEmpty() && !LeeComoOtro(corte, nombre, Junto))
            return t;
        return std::nullopt;
    };
    std::optional<QString> t = ligada({});
    const bool solo = t.has_value();
    if (!t && !clave.isEmpty())
        t = ligada(clave + QStringLiteral(" ")).value_or(clave + despues);
    if (t) {
        if (imprimir_)
            textos_.Imprimir(*t, x, Y);
        Y += linea_;
        return !solo;
    }
    // No key to stand for it: the name as a caption on up to two lines
    // (what precedes the value ending it) and the value alone under it.
    const qsizetype corte = despues.lastIndexOf(QStringLiteral(": "));
    const QString rotulo = corte < 0 ? QString() : despues.left(corte + 1);
    QStringList lineas = textos_.NombreEnLineas(nombre, fin - x, 2, rotulo, Junto);
    lineas.append(corte < 0 ? despues : despues.mid(corte + 2));
    for (const QString& l : lineas) {
        Fila(x);
        if (imprimir_) {
            const double hasta = textos_.FinLibre(x, Y, limite_);
            textos_.Imprimir(
                p.TextWidth(l) <= hasta - x
                    ? l
                    : ElideMiddle(l, hasta - x, [&p](const QString& s) { return p.TextWidth(s); }),
                x, Y);
        }
        Y += linea_;
    }
    return true;
}

QStringList ColumnaPagina::NombreEnLineas(const QString& nombre, double x, double derecha, int lineas,
                                          std::uint32_t color)
{
    const double hasta = std::min(derecha, limite_);
    const Printer& p = textos_.Impresora();
    // Broken to the room of the first free row, a blank short of a line
    // that may start at the column's limit on a row below it (an extreme's
    // dotted line).
    Fila(x);
    const double ancho =
        std::min(textos_.FinLibre(x, Y, hasta), hasta - textos_.Blanco() - p.TwipsPerPixelX()) - x;
    const QStringList t = textos_.NombreEnLineas(nombre, ancho, lineas, {}, Junto);
    // Its lines stay together: the first row from there at which all of
    // them are free.
    const auto libres = [&](double y) {
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (!textos_.Libre(
                    QRectF(x, y + static_cast<double>(i) * linea_, limite_ - x - textos_.Blanco(), linea_)))
                return false;
        }
        return true;
    };
    const double paso = std::max(1.0, linea_ / 8);
    for (double y = Y; y + static_cast<double>(t.size()) * linea_ <= textos_.Marco().Abajo; y += paso) {
        if (libres(y)) {
            Y = y;
            break;
        }
    }
    QStringList impresas;
    for (const QString& l : t) {
        if (imprimir_) {
            const double fin = textos_.FinLibre(x, Y, hasta);
            // A row that leaves less room cuts its line in the middle.
            const QString r = p.TextWidth(l) <= fin - x ? l : ElideMiddle(l, fin - x, [&p](const QString& s) {
                return p.TextWidth(s);
            });
            textos_.Imprimir(r, x, Y, color);
            impresas.append(r);
        }
        Y += linea_;
    }
    return impresas;
}

void ColumnaPagina::Entrada(const QString& t, double x, const QString& despues)
{
    const Printer& p = textos_.Impresora();
    if (!despues.isEmpty() || p.TextWidth(t) <= limite_ - x) {
        Fila(x);
        (void)Escribir(t, x, limite_, despues);
        return;
    }
    const QStringList lineas =
        ElideNameInLines(t, {}, limite_ - x, 2, [&p](const QString& s) { return p.TextWidth(s); });
    for (const QString& l : lineas) {
        Fila(x);
        if (imprimir_)
            textos_.Imprimir(l, x, Y);
        Y += linea_;
    }
}

void ColumnaPagina::Nombre(const QString& nombre, double x, const QString& despues)
{
    Fila(x);
    (void)Escribir(nombre, x, limite_, despues);
}

namespace {

// Each name once, in their order; empty ones left out.
QStringList UnaVezCada(const QStringList& todos)
{
    QStringList nombres;
    for (const QString& n : todos) {
        if (!n.isEmpty() && !nombres.contains(n))
            nombres.append(n);
    }
    return nombres;
}

} // namespace

QStringList RotulosAnalogicos()
{
    return UnaVezCada(NombresCanales());
}

QStringList NombresAnalogicos()
{
    QStringList nombres;
    for (std::int32_t k = 1; k <= Registro().TablaCanales.Rows(); ++k)
        nombres.append(NombreCanalId(k));
    return UnaVezCada(nombres);
}

bool LeeComoOtro(const QString& visto, const QString& nombre, const QStringList& junto)
{
    return std::any_of(junto.begin(), junto.end(),
                       [&](const QString& o) { return o != nombre && !o.isEmpty() && ReadsAs(visto, o); });
}

QString ClaveLeyenda(std::int32_t n)
{
    return QStringLiteral("(%1)").arg(n);
}

QString NombreQueSeDistingue(const QString& nombre, const QStringList& junto, const TextAdvance& medida)
{
    const auto otro = [&](const QString& t) { return LeeComoOtro(t, nombre, junto); };
    // The narrowest room in which the rule's text reads apart, found by
    // halving (the rule keeps more of the name as the room grows).
    double lo = 0.0;
    double hi = medida(nombre);
    QString mejor = nombre;
    for (int paso = 0; paso < 24 && hi - lo > 1.0; ++paso) {
        const double mitad = (lo + hi) / 2;
        const QString t = ElideName(nombre, junto, mitad, medida);
        if (!t.isEmpty() && !otro(t)) {
            hi = mitad;
            mejor = t;
        } else {
            lo = mitad;
        }
    }
    return mejor;
}

double EscalaQueCabe(Printer& p, const std::vector<std::pair<QString, double>>& textos)
{
    TamanoFuente fuente(p);
    const auto cabe = [&] {
        return std::all_of(textos.begin(), textos.end(), [&](const std::pair<QString, double>& t) {
            return p.TextWidth(t.first.trimmed()) <= t.second;
        });
    };
    double escala = 1.0;
    // A font's widths do not follow its size exactly: smaller by steps
    // until every text fits.
    for (int paso = 0; paso < 40 && !cabe(); ++paso) {
        escala *= 0.97;
        fuente.Escala(escala);
    }
    return escala;
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
    if (c > r.Valores.Cols())
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
    } else {
        for (size_t i = 0; i < tramo.size(); ++i) {
            if (tramo[i] == maximo)
                e.UltimoMaximo = primera + static_cast<std::int64_t>(i);
            if (tramo[i] == minimo)
                e.UltimoMinimo = primera + static_cast<std::int64_t>(i);
        }
    }
    if (maximo == minimo)
        (maximo < 0.0f ? e.UltimoMaximo : e.UltimoMinimo) = 0;
    return e;
}

double CursoresImpresos(TextosPagina& textos, const MedidaTexto& m, const CursorPagina& c1,
                        const CursorPagina& c2, double arriba, double abajo, double filaMinima)
{
    Printer& p = textos.Impresora();
    double fin[2] = {0.0, 0.0};
    const CursorPagina* cursores[2] = {&c1, &c2};
    for (int i = 0; i < 2; ++i) {
        const CursorPagina& c = *cursores[i];
        p.DrawWidth = 2;
        p.DrawStyle = 1;
        p.Line(c.X, arriba, c.X, abajo, c.Color);
        p.DrawStyle = 0;
        p.DrawWidth = 3;
        fin[i] = abajo + m.Ancho(c.LargoTick);
        textos.Linea(c.X, abajo, c.X, fin[i], c.Color);
    }
    for (int i = 0; i < 2; ++i) {
        const CursorPagina& c = *cursores[i];
        // The label starts where the tick ended, unless it would pass the
        // frame's right side (it keeps half a blank off the frame's lines).
        const QRectF r = textos.Rectangulo(c.Etiqueta, c.X, 0.0);
        const double margen = textos.Blanco() / 2;
        const double xe = std::max(textos.Marco().Izquierda + margen,
                                   std::min(c.X, c.X - (r.right() - (textos.Marco().Derecha - margen))));
        const double ye = std::max(fin[i] + c.Hueco, filaMinima);
        if (const std::optional<double> fila = textos.FilaLibre(c.Etiqueta, xe, ye)) {
            textos.Imprimir(c.Etiqueta, xe, *fila, c.Color);
            continue;
        }
        // No row free down to the frame's foot: on its row, further right.
        const double paso = textos.Blanco();
        double xl = xe;
        while (!textos.Libre(textos.Rectangulo(c.Etiqueta, xl, ye)) &&
               xl + r.width() + paso <= textos.Marco().Derecha && paso > 0)
            xl += paso;
        textos.Imprimir(c.Etiqueta, xl, ye, c.Color);
    }
    return fin[1];
}

namespace {

// The rows a label of the line at y tries, nearest first: on the line,
// resting on it, below and above.
std::vector<double> FilasDeLinea(const TextosPagina& textos, double y)
{
    const double linea = textos.Linea();
    return {y, y - linea, y + linea, y - 2 * linea, y + 2 * linea};
}

} // namespace

bool EtiquetaDeLinea(TextosPagina& textos, const QString& etiqueta, double x, double y, std::uint32_t color,
                     std::optional<double> finMaximo)
{
    // Where the printer's font is wider than the measure, the label ends
    // where it should, half a blank short of the box; or of the end given.
    const double alineada = textos.FueraDeCaja(etiqueta, x, y);
    std::vector<double> xs{alineada};
    if (finMaximo) {
        const QRectF r = textos.Rectangulo(etiqueta, x, y);
        const double antes = *finMaximo - textos.Blanco() / 2;
        if (r.right() > antes)
            xs.push_back(x - (r.right() - antes));
    }
    // First the rows where nothing stands left of it, whose value it would
    // be taken for; then, rather than leave it out, any free row but one
    // where a caption waits for its value.
    const auto admite = [&](bool sola, double xe, double fila) {
        if (!textos.FueraDeColumna(textos.Rectangulo(etiqueta, xe, fila)))
            return false;
        return sola ? textos.NadaAntes(xe, fila) : !textos.RotuloAntes(xe, fila);
    };
    for (const bool sola : {true, false}) {
        for (const double fila : FilasDeLinea(textos, y)) {
            if (fila == y && admite(sola, x, fila) && textos.ImprimirSiLibre(etiqueta, x, fila, color))
                return true;
            for (const double xe : xs)
                if (admite(sola, xe, fila) && textos.ImprimirSiLibre(etiqueta, xe, fila, color))
                    return true;
        }
    }
    return false;
}

bool EtiquetaConNombre(TextosPagina& textos, const QString& nombre, const QString& separador,
                       const QString& valor, double derecha, double y, std::uint32_t color,
                       const QStringList& junto)
{
    const Printer& p = textos.Impresora();
    // Half a blank off the frame's line, which it would touch.
    const double izquierda = textos.Marco().Izquierda + textos.Blanco() / 2;
    // Blanks between name and value close up to one where no row has room
    // for them all.
    std::vector<QString> separadores{separador};
    if (separador.size() > 1 && separador.trimmed().isEmpty())
        separadores.emplace_back(QStringLiteral(" "));
    for (const QString& sep : separadores) {
        const QString cola = sep + valor;
        for (const double fila : FilasDeLinea(textos, y)) {
            const std::optional<double> inicio = textos.InicioLibre(izquierda, derecha, fila);
            if (!inicio)
                continue;
            const QString t = textos.NombreQueCabe(nombre, derecha - *inicio, {}, cola, junto);
            // Too little of the name left to tell the channel by: the next row.
            if (!t.endsWith(cola) || t.size() - cola.size() < MenorNombre(nombre))
                continue;
            const double x = derecha - p.TextWidth(t);
            if (textos.FueraDeColumna(textos.Rectangulo(t, x, fila)) &&
                textos.ImprimirSiLibre(t, x, fila, color))
                return true;
        }
    }
    return false;
}

TrazoLeyenda TrazoAntesDe(double desde, double hasta, double limite, double finNombre, double hueco)
{
    // Never shorter than a fifth of an inch: a stroke is there to be seen.
    const double largo = std::max(hasta - desde, 288.0);
    const double inicio = std::max(desde, finNombre + hueco);
    if (inicio + largo <= limite)
        return {inicio, inicio + largo};
    return {std::max(limite - largo, finNombre + hueco), limite};
}

std::vector<std::size_t> MarcadoresExtremos(TextosPagina& textos, const MedidaTexto& m,
                                            const std::vector<MarcadorPagina>& marcadores, double izquierda,
                                            double derecha, double arriba, double abajo, bool conValores)
{
    Printer& p = textos.Impresora();
    const double desde = izquierda - m.Ancho(QStringLiteral(" "));
    p.DrawWidth = 1;
    for (const MarcadorPagina& k : marcadores) {
        if (!MarcadorDentro(k.Y, arriba, abajo))
            continue;
        p.DrawStyle = 2;
        p.Line(desde, k.Y, derecha, k.Y, k.Color);
        // Its stretch left of the box is what a text could meet.
        textos.TomarLinea(QLineF(desde, k.Y, izquierda, k.Y), p.TwipsPerPixelX());
    }
    p.DrawStyle = 0;
    return conValores ? ValoresDeMarcadores(textos, m, marcadores, izquierda, arriba, abajo)
                      : std::vector<std::size_t>{};
}

std::vector<std::size_t> ValoresDeMarcadores(TextosPagina& textos, const MedidaTexto& m,
                                             const std::vector<MarcadorPagina>& marcadores, double izquierda,
                                             double arriba, double abajo)
{
    std::vector<std::size_t> sinSitio;
    const double desde = izquierda - m.Ancho(QStringLiteral(" "));
    const auto dentro = [&](const MarcadorPagina& k) { return MarcadorDentro(k.Y, arriba, abajo); };
    for (std::size_t i = 0; i < marcadores.size(); ++i) {
        const MarcadorPagina& k = marcadores[i];
        // A value already printed for the same line (a channel whose
        // maximum is its minimum) is not printed again.
        const bool repetido = std::any_of(
            marcadores.begin(), marcadores.begin() + static_cast<std::ptrdiff_t>(i),
            [&](const MarcadorPagina& o) { return dentro(o) && o.Y == k.Y && o.Etiqueta == k.Etiqueta; });
        if (dentro(k) && !repetido &&
            !EtiquetaDeLinea(textos, k.Etiqueta, izquierda - m.Ancho(k.Etiqueta + QStringLiteral("  ")), k.Y,
                             k.Color, desde))
            sinSitio.push_back(i);
    }
    return sinSitio;
}

void Encabezado(TextosPagina& textos, const MedidaTexto& m, double x, double arriba, std::int32_t titulo)
{
    const double derecha = textos.Marco().Derecha - textos.Blanco() / 2;
    const double y = arriba + m.Alto(QString());
    textos.ImprimirHasta(TextosIdioma(titulo).toUpper(), x, y, derecha);
    (void)textos.ImprimirNombre(Registro().RutaDat, x, y + textos.Linea(), derecha, 0, TextosIdioma(265));
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
            textos.Linea(x, e.Abajo, x, filaEtiquetas, 0u);
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
