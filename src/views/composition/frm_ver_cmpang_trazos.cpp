// Drawing of the composition window and its cursors and value boxes.
#include <QLineEdit>
#include <algorithm>

#include "platform/base/colors.h"
#include "platform/base/readout_fit.h"
#include "platform/base/screen.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "platform/text_box.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion_piezas.h"
#include "views/composition/colores.h"
#include "views/composition/composition_readouts.h"
#include "views/composition/composition_state.h"
#include "views/composition/composition_traces.h"
#include "views/composition/frm_ver_cmpang.h"
#include "views/waves/form_support.h"
#include "views/waves/lecturas.h"
#include "views/waves/waves_layout.h"

namespace vesdra {

namespace {

// What the window reads of one chosen row of the channel table.
struct CanalFila {
    std::int32_t Columna{0}; // column of Valores; 0 when the row names none
    QString Nombre{};
    QString Unidad{};
};

CanalFila LeerFila(std::int32_t c)
{
    const Matrix<QString>& t = Registro().TablaCanales;
    if (c < 1 || c > t.Rows() || t.Cols() < 1)
        return {};
    CanalFila f;
    f.Columna = ColumnaAnalogicaSiHay(c).value_or(0);
    f.Nombre = NombreCanal(c);
    f.Unidad = UnidadCanal(c);
    return f;
}

} // namespace

void frmVerCmpang::Composicion(std::int32_t n)
{
    numComposicion_ = n;
    filas_ = composicion::FilasElegidas(Composiciones().SeleccionComposicion, n);
    if (filas_.size() > 6)
        filas_.resize(6);
    // The captions give way against every channel the composition was
    // chosen from, so that each shows what tells it from any other.
    canales_ = RotulosAnalogicos();
    const std::int32_t nS = Registro().Valores.Rows();
    CalcularEscala();
    zoomPendiente_ = false;
    arrastrando_ = false;
    historial_.Reiniciar(Picture1->Width(), Picture1->Height(), nS);
    longitudAmar_ = 0;
    longitudCian_ = 0;
    compuesta_ = true;
    // The full view with both cursors on sample 1 and their boxes filled.
    AjustarFuentesLecturas(nS, FrecuenciaMuestreo());
    MostrarVista(composicion::VistaCompleta(Picture1->Width(), Picture1->Height(), nS));
    Picture1->setFocus();
}

void frmVerCmpang::AjustarFuentesLecturas(std::int32_t nS, std::int32_t frecuenciaMuestreo)
{
    const QStringList columna{composicion::TextoMuestra(std::max(nS, 1)),
                              composicion::TextoTiempo(1, std::max(nS, 1), frecuenciaMuestreo)
                                  .value_or(QStringLiteral("0.000 ms"))};
    int px = kPixelesFuenteMaximos;
    for (QLineEdit* caja : {lblamar, lblcian, lblms})
        px = std::min(px, AjustarFuenteCaja(*caja, columna));
    for (QLineEdit* caja : {lblamar, lblcian, lblms})
        FijarPixelesFuente(*caja, px);

    // The value boxes share one size too: the largest at which every chosen
    // channel's caption fits whole beside its extremes; where that is smaller
    // than the waveform windows' read-outs, theirs as far as the boxes'
    // height holds it, the captions giving way; smaller only where a caption
    // could not be told from the others beside its whole value. A caption's
    // cut keeps the room of its channel's widest value, so it does not move
    // with the cursors. A slot without a channel shows no box.
    QStringList nombres;
    QStringList valores;
    std::size_t k = 0;
    for (const std::int32_t c : filas_) {
        if (++k > 6)
            break;
        const CanalFila f = LeerFila(c);
        const bool conCanal = f.Columna != 0;
        lblam[k]->setVisible(conCanal);
        lblci[k]->setVisible(conCanal);
        if (!conCanal)
            continue;
        const composicion::Extremos e = composicion::ExtremosColumna(f.Columna);
        const QStringList extremos{TextoValor(e.Minimo, f.Unidad), TextoValor(e.Maximo, f.Unidad)};
        for (const QString& v : extremos) {
            nombres << f.Nombre;
            valores << v;
        }
        lblam[k]->ReserveValueRoom(extremos);
        lblci[k]->ReserveValueRoom(extremos);
    }
    for (std::size_t i = k + 1; i <= 6; ++i) {
        lblam[i]->setVisible(false);
        lblci[i]->setVisible(false);
    }
    const ElidedLineEdit& muestra = *lblam[1];
    const int valor =
        FitReadOuts(nombres, valores, canales_, QStringLiteral(": "), muestra.width(), muestra.height(),
                    muestra.height(), 1, MedidorDeFuente(muestra.font()), MargenesDe(muestra),
                    ondas::PixelesPorAltoCaja(muestra, DisenoOndas{}.AltoLectura))
            .Pixels;
    for (std::size_t i = 1; i <= 6; ++i) {
        FijarPixelesFuente(*lblam[i], valor);
        FijarPixelesFuente(*lblci[i], valor);
    }
}

void frmVerCmpang::CalcularEscala()
{
    std::vector<composicion::Extremos> extremos;
    for (const std::int32_t c : filas_) {
        const CanalFila f = LeerFila(c);
        if (f.Columna > 0)
            extremos.push_back(composicion::ExtremosColumna(f.Columna));
    }
    escalaVertical_ = composicion::EscalaComun(extremos, Picture1->Height());
}

void frmVerCmpang::MostrarVista(const composicion::VistaTrazos& v)
{
    vista_ = v;
    DibujarVista(vista_);
    PonerRangoCursores(v.PrimeraMuestra, v.UltimaMuestra);
}

void frmVerCmpang::DibujarEjes()
{
    const double w = Picture1->Width();
    const double h = Picture1->Height();
    Picture1->Cls();
    Picture1->Line(w / 50, h / 2, 49 * w / 50, h / 2, QBColor(15));
    Picture1->Line(w / 50, h / 50, w / 50, 49 * h / 50, QBColor(15));
}

void frmVerCmpang::DibujarVista(const composicion::VistaTrazos& v)
{
    if (v.Completa) {
        DibujarEjes();
    } else {
        Picture1->Cls();
        // No vertical axis at a zoom level; the time axis only when in sight.
        if (v.OrigenY < Picture1->Height())
            Picture1->Line(v.OrigenX, v.OrigenY, Picture1->Width(), v.OrigenY, QBColor(15));
    }
    DibujarTrazos();
}

void frmVerCmpang::DibujarTrazos()
{
    const Matrix<float>& valores = Registro().Valores;
    const ScreenInfo& pantalla = Screen();
    std::int32_t k = 0;
    for (const std::int32_t c : filas_) {
        ++k;
        const CanalFila f = LeerFila(c);
        if (f.Columna == 0)
            continue;
        // Later channels are drawn over earlier ones where traces cross.
        const std::vector<QPointF> puntos = composicion::PuntosTrazo(
            valores.Column(f.Columna), vista_, escalaVertical_, pantalla.TwipsPerPixelX,
            pantalla.TwipsPerPixelY, composicion::ExtremosColumna(f.Columna),
            TablaValores(Registro(), f.Columna));
        Picture1->Polyline(puntos.data(), puntos.size(), QBColor(*ColorTrazo(k)));
    }
}

void frmVerCmpang::PonerRangoCursores(std::int32_t primera, std::int32_t ultima)
{
    // The bars' own change events during the settings would each refresh the
    // read-outs half-way; both cursors are refreshed once at the end, so
    // their lines always stand on their samples in the new view.
    ajustandoCursores_ = true;
    for (HScrollBar* b : {HScroll1, HScroll2}) {
        b->SetMin(std::min(b->Min(), primera));
        b->SetMax(ultima);
        b->SetMin(primera);
        b->SetValue(primera);
    }
    ajustandoCursores_ = false;
    ActualizarCursores();
}

void frmVerCmpang::ActualizarCursores()
{
    ActualizarCursor(1);
    ActualizarCursor(2);
}

void frmVerCmpang::HScroll1_Change()
{
    ActualizarCursor(1);
}

void frmVerCmpang::HScroll2_Change()
{
    ActualizarCursor(2);
}

void frmVerCmpang::ActualizarCursor(int cursor)
{
    if (!compuesta_ || ajustandoCursores_)
        return;
    cursorAmar_ = HScroll1->Value();
    cursorCian_ = HScroll2->Value();
    const bool amar = cursor == 1;
    const std::int32_t s = amar ? cursorAmar_ : cursorCian_;
    LineControl* linea = amar ? Lineamar : Linecian;
    const double x = vista_.XDeMuestra(s);
    linea->SetPoints(x, 0, x, Picture1->Height());

    const Matrix<float>& valores = Registro().Valores;
    if (s < 1 || s > valores.Rows())
        return;
    (amar ? lblamar : lblcian)->setText(composicion::TextoMuestra(s));
    // Without a sampling rate there is no time to show: the read-out stays.
    if (const auto t = composicion::TextoTiempo(cursorAmar_, cursorCian_, FrecuenciaMuestreo())) {
        lblms->setText(*t);
        textoTiempo_ = *t;
    }
    auto& cajas = amar ? lblam : lblci;
    std::size_t k = 0;
    for (const std::int32_t c : filas_) {
        ++k;
        const CanalFila f = LeerFila(c);
        if (f.Columna == 0)
            continue;
        // The value and unit always show; a long caption gives way.
        cajas[k]->ShowReadOut(f.Nombre, QStringLiteral(": "), TextoValor(valores(s, f.Columna), f.Unidad));
    }
    auto& textos = amar ? textosAmar_ : textosCian_;
    std::int32_t& longitud = amar ? longitudAmar_ : longitudCian_;
    HScrollBar* lateral = amar ? HScroll_Amar : HScroll_Cian;
    for (std::size_t i = 1; i <= 6; ++i) {
        textos[i] = cajas[i]->text();
        if (textos[i].size() > longitud) {
            longitud = static_cast<std::int32_t>(textos[i].size());
            lateral->SetMax(longitud);
        }
    }
}

void frmVerCmpang::HScroll_Amar_Change()
{
    // Each box a window onto its text from where the bar stands, so that
    // scrolling on brings every part of a long caption into view.
    const std::int32_t v = HScroll_Amar->Value();
    for (std::size_t i = 1; i <= 6; ++i)
        lblam[i]->ShowScrolled(textosAmar_[i],
                               composicion::TextoDesplazado(textosAmar_[i], v, longitudAmar_));
}

void frmVerCmpang::HScroll_Cian_Change()
{
    const std::int32_t v = HScroll_Cian->Value();
    for (std::size_t i = 1; i <= 6; ++i)
        lblci[i]->ShowScrolled(textosCian_[i],
                               composicion::TextoDesplazado(textosCian_[i], v, longitudCian_));
}

void frmVerCmpang::lblam_Click(int index)
{
    if (index >= 1 && index <= 6)
        lblam[static_cast<std::size_t>(index)]->setText(textosAmar_[static_cast<std::size_t>(index)]);
}

void frmVerCmpang::lblci_Click(int index)
{
    if (index >= 1 && index <= 6)
        lblci[static_cast<std::size_t>(index)]->setText(textosCian_[static_cast<std::size_t>(index)]);
}

} // namespace vesdra
