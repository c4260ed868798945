#include "shell/impresion.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <limits>

#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "platform/common_dialog.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "shell/cancelar.h"
#include "shell/language.h"

namespace vesdra {

namespace {

bool& EnCurso()
{
    static bool enCurso = false;
    return enCurso;
}

} // namespace

void DescartarTrabajo(Printer& p) noexcept
{
    try {
        p.KillDoc();
    } catch (...) {
        // Abandoning is the way out of a failure: it has no failure of its own.
    }
}

bool DestinoSinDialogo(const Printer& p)
{
    if (!p.HasDevice()) {
        (void)MsgBox(TextosIdioma(TextoSinImpresora), vbCritical);
        return false;
    }
    const QString archivo = p.OutputFile();
    if (!archivo.isEmpty() && QFileInfo::exists(archivo)) {
        (void)MsgBox(TextosIdioma(TextoFicheroExistente) + QDir::toNativeSeparators(archivo), vbCritical);
        return false;
    }
    return true;
}

MarcoImpresion MarcoDeVista(QWidget& vista, const PictureBox& picture, bool conCancelar)
{
    return {&vista, picture.Width() / 4.0, picture.Height() / 4.0, conCancelar};
}

bool ImpresionEnCurso()
{
    return EnCurso();
}

BanderaEnCurso::BanderaEnCurso()
{
    EnCurso() = true;
}

BanderaEnCurso::~BanderaEnCurso()
{
    EnCurso() = false;
}

FinImpresion ImprimirVista(const MarcoImpresion& marco, const PaginaImpresion& pagina)
{
    if (EnCurso())
        return FinImpresion::EnCurso;
    BanderaEnCurso bandera;
    const bool conVista = marco.Vista != nullptr;
    const QPointer<QWidget> vista(marco.Vista);
    // The view as it was before the print: enabled, default pointer.
    const auto restaurar = [&vista] {
        if (vista) {
            vista->setEnabled(true);
            SetMousePointer(vista, vbDefault);
        }
    };
    const auto terminarCopia = [&marco] {
        if (marco.ConCancelar)
            DescargarCancelar();
    };
    Printer* impresora = nullptr;
    // Every way out but the end of the last copy: the job begun discarded,
    // no cancel window, the view as it was.
    const auto abandonar = [&] {
        if (impresora)
            DescartarTrabajo(*impresora);
        terminarCopia();
        restaurar();
    };

    try {
        SetMousePointer(vista, vbHourglass);
        FrmCentrar& centrar = frm_centrar();
        centrar.Move(CLng(marco.DialogoX), CLng(marco.DialogoY), 1, 1);
        centrar.CommonDialog1.CancelError = true;
        try {
            centrar.CommonDialog1.ShowPrinter();
        } catch (const VbError& e) {
            if (e.Number != vberr::DialogCancel)
                throw;
            restaurar();
            return FinImpresion::DialogoCancelado;
        }
        const std::int32_t copias = centrar.CommonDialog1.Copies;
        // Copies printed to a file go into one document, a page each: a
        // document per copy would leave the file holding the last one only.
        bool aFichero = false;

        for (std::int32_t copia = 1; copia <= copias; ++copia) {
            Printer& p = CurrentPrinter();
            impresora = &p;
            if (copia == 1)
                aFichero = !p.OutputFile().isEmpty();
            if (p.Orientation() != 2)
                p.SetOrientation(2);
            if (marco.ConCancelar) {
                if (vista)
                    vista->setEnabled(false);
                // The window stays up from one copy to the next. The flag is
                // cleared once, when the window first stands (whatever an
                // earlier print left in it): from then on only the user sets
                // it, by the button or the close box, during any copy, and
                // the click counts before the next one.
                MostrarCancelar();
                if (copia == 1)
                    EmpezarImpresion();
                const bool cancelada = ImpresionCancelada();
                if (cancelada || (conVista && !vista)) {
                    abandonar();
                    return FinImpresion::Cancelada;
                }
                if (vista)
                    vista->setEnabled(true);
            }
            if (aFichero && copia > 1)
                p.NewPage();
            p.ResetDrawingState();
            if (const std::optional<RechazoPagina> rechazo = pagina(p)) {
                abandonar();
                (void)MsgBox(TextosIdioma(rechazo->Texto), rechazo->Estilo);
                return FinImpresion::Rechazada;
            }
            // The cancel window stays up from one copy to the next, so a
            // click made while this page was drawn counts before the next.
            if (copia == copias)
                terminarCopia();
            if (!aFichero || copia == copias)
                p.EndDoc();
            SetMousePointer(vista, vbDefault);
        }
        restaurar();
        return FinImpresion::Impresa;
    } catch (...) {
        const VbError e = ComoVbError(std::current_exception());
        abandonar();
        ShowErrorBox(e);
        return FinImpresion::Error;
    }
}

std::uint32_t ColorImpresora(const Printer& p, std::uint32_t color)
{
    return p.ColorMode() == 2 ? color : 0u;
}

std::uint32_t ColorTrazaImpresora(const Printer& p, std::int32_t n)
{
    static constexpr std::uint32_t kColores[] = {kAzulImpresora,
                                                 kVerdeImpresora,
                                                 kRojoImpresora,
                                                 kCianImpresora,
                                                 kAmarilloImpresora,
                                                 kMagentaImpresora,
                                                 0u,
                                                 kAzulImpresora};
    if (n < 1 || n > 8)
        return 0u;
    return ColorImpresora(p, kColores[n - 1]);
}

void FijarGrosor(Printer& p, std::int32_t ancho)
{
    if (p.ColorMode() == 2)
        return;
    const std::int64_t grosor = static_cast<std::int64_t>(ancho) + 3;
    if (grosor > std::numeric_limits<std::int16_t>::max())
        throw VbError(vberr::Overflow);
    p.DrawWidth = static_cast<int>(grosor);
}

void EngrosarPluma(Printer& p)
{
    FijarGrosor(p, p.DrawWidth);
}

MedidaTexto MedidaDeVentana(const QWidget& ventana)
{
    const QFont fuente = ventana.font();
    const QFontInfo info(fuente);
    return {[fuente](const QString& t) { return TextWidthTwips(fuente, t); },
            [fuente](const QString& t) { return TextHeightTwips(fuente, t); }, info.family(),
            info.pointSizeF(), info.bold()};
}

void FuenteDeMedida(Printer& p, const MedidaTexto& medida)
{
    if (!(medida.Puntos > 0.0))
        return;
    p.FontName = medida.Fuente;
    p.FontSize = medida.Puntos;
    p.FontBold = medida.Negrita;
}

MarcoPagina MarcoDePagina(const Printer& p)
{
    const double w = p.Width();
    const double h = p.Height();
    return {0.009 * w, 0.942 * w, 0.009 * h, 0.945 * h};
}

void RectanguloImpresora(Printer& p, double izquierda, double arriba, double derecha, double abajo)
{
    p.Line(izquierda, arriba, derecha, arriba, 0u);
    p.Line(derecha, arriba, derecha, abajo, 0u);
    p.Line(derecha, abajo, izquierda, abajo, 0u);
    p.Line(izquierda, abajo, izquierda, arriba, 0u);
}

void ImprimirFecha(Printer& p, const MarcoPagina& marco, const MedidaTexto& medida)
{
    const QString t = HoraTexto();
    // Measured in the window's font, unless the printer's is larger: the
    // date never passes the frame; half a blank off its lines, which it
    // would touch.
    const double margen = medida.Ancho(QStringLiteral(" ")) / 2;
    p.CurrentX = marco.Derecha - std::max(medida.Ancho(t), p.TextWidth(t)) - margen;
    p.CurrentY = marco.Abajo - std::max(medida.Alto(t), p.TextHeight(t)) - margen;
    p.Print(t);
}

TraceGeometry GeometriaImpresora(const Printer& p, double x0, double escalaX, double ceroY, double escalaY)
{
    return TraceGeometry{x0, escalaX, ceroY, escalaY, p.TwipsPerPixelX(), p.TwipsPerPixelY()};
}

void RecortarSegmentosY(std::vector<QLineF>& segmentos, double arriba, double abajo)
{
    // The point where a segment crosses the height y, by its x.
    const auto cruce = [](const QLineF& s, double y) {
        return QPointF(s.x1() + (s.x2() - s.x1()) * (y - s.y1()) / (s.y2() - s.y1()), y);
    };
    std::vector<QLineF> dentro;
    dentro.reserve(segmentos.size());
    for (const QLineF& s : segmentos) {
        const double y1 = s.y1();
        const double y2 = s.y2();
        if ((y1 < arriba && y2 < arriba) || (y1 > abajo && y2 > abajo))
            continue;
        QPointF a = s.p1();
        QPointF b = s.p2();
        if (y1 < arriba)
            a = cruce(s, arriba);
        else if (y1 > abajo)
            a = cruce(s, abajo);
        if (y2 < arriba)
            b = cruce(s, arriba);
        else if (y2 > abajo)
            b = cruce(s, abajo);
        // What is left of a segment that only touches an edge is no segment.
        if (a == b && s.p1() != s.p2())
            continue;
        dentro.emplace_back(a, b);
    }
    segmentos = std::move(dentro);
}

void TrazarEnImpresora(Printer& p, std::span<const float> valores, const TraceGeometry& g,
                       std::uint32_t color, std::optional<BandaY> banda, const EnvelopeTables& tablas)
{
    std::vector<QLineF> segmentos = TraceSegments(valores, g, tablas);
    if (banda)
        RecortarSegmentosY(segmentos, banda->Arriba, banda->Abajo);
    p.Lines(segmentos.data(), segmentos.size(), color);
}

QIcon IconoImpresora()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter g(&pixmap);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(Qt::black, 1.2));
    g.setBrush(Qt::white);
    g.drawRect(QRectF(4.5, 1.5, 7, 5)); // the sheet going in
    g.setBrush(QColor(0xC0, 0xC0, 0xC0));
    g.drawRect(QRectF(1.5, 6.5, 13, 5)); // the body
    g.setBrush(Qt::white);
    g.drawRect(QRectF(4.5, 10.5, 7, 4)); // the printed sheet
    return QIcon(pixmap);
}

} // namespace vesdra
