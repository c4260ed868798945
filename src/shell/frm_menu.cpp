#include "shell/frm_menu.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

#include "platform/base/colors.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/translations.h"
#include "platform/twips.h"
#include "shell/frm_plantilla.h"
#include "shell/ini_files.h"
#include "shell/language.h"
#include "shell/mdi_form.h"
#include "shell/menu_commands.h"
#include "shell/view_services.h"

namespace vesdra {

namespace {

// An item's shortcut key that runs a check of its own first: the key is
// taken, and the item not chosen, when the check says no. A click on the
// item in its opened menu is not a shortcut and is left alone.
class AtajoFiltrado : public QObject
{
public:
    AtajoFiltrado(QObject* accion, std::function<bool()> permitido)
        : QObject(accion), permitido_(std::move(permitido))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Shortcut && !permitido_())
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> permitido_;
};

QPointer<FrmMenu>& Cargado()
{
    static QPointer<FrmMenu> menu;
    return menu;
}

// The caption of tool entry 1 before any tool is read: 51 blanks.
QString EntradaVacia()
{
    return QString(51, QLatin1Char(' '));
}

constexpr double Pi = 3.14159265358979323846;

// The splash picture: three phases of a disturbance over a grid, the
// currents swelling at the fault.
QPixmap PintarPresentacion(int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(QColor(0, 0, 64));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 64, 128), 1));
    for (int x = 0; x < w; x += w / 12)
        p.drawLine(x, 0, x, h);
    for (int y = 0; y < h; y += h / 8)
        p.drawLine(0, y, w, y);
    const QColor colores[3] = {QColor(255, 255, 0), QColor(0, 255, 0), QColor(255, 80, 80)};
    const double falta = 0.45 * w;
    for (int fase = 0; fase < 3; ++fase) {
        QPainterPath path;
        for (int x = 0; x <= w; ++x) {
            const double amp = (x < falta ? 0.18 : 0.38 - 0.1 * fase) * h;
            const double y = h / 2.0 - amp * std::sin(2 * Pi * x / (w / 6.0) - fase * 2 * Pi / 3);
            if (x == 0)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.setPen(QPen(colores[fase], 2));
        p.drawPath(path);
    }
    p.setPen(QPen(Qt::white, 1, Qt::DashLine));
    p.drawLine(QPointF(falta, 0), QPointF(falta, h));
    return pm;
}

void Texto(QMenu* m, int n)
{
    m->setTitle(TextosIdioma(n));
}

void Texto(QAction* a, int n)
{
    a->setText(TextosIdioma(n));
}

} // namespace

FrmMenu* MenuForm()
{
    return Cargado().data();
}

void HabilitarFasoresInforme()
{
    if (FrmMenu* m = MenuForm()) {
        m->mnuFasores->setEnabled(true);
        m->mnuInform->setEnabled(true);
    }
}

void DeshabilitarFasoresInforme()
{
    if (FrmMenu* m = MenuForm()) {
        m->mnuFasores->setEnabled(false);
        m->mnuInform->setEnabled(false);
    }
}

DisposicionPresentacion CalcularPresentacion(std::int32_t anchoCliente, std::int32_t altoCliente,
                                             std::int32_t anchoImagen, std::int32_t altoImagen,
                                             std::int32_t altoTitulo, std::int32_t altoVersion)
{
    constexpr std::int32_t hueco = 50;
    DisposicionPresentacion d;
    const auto ancho = [&](double factor) {
        return static_cast<std::int32_t>(std::lround(anchoImagen * factor));
    };
    const std::int32_t bloque = altoImagen + hueco + altoTitulo + hueco + altoVersion + hueco;
    const std::int32_t centro = anchoCliente / 2;
    d.ImagenLeft = centro - anchoImagen / 2;
    d.ImagenTop = std::max<std::int32_t>(0, (altoCliente - bloque) / 2);
    d.EtiquetaWidth = ancho(1.8);
    d.EtiquetaLeft = centro - d.EtiquetaWidth / 2;
    d.EtiquetaTop = d.ImagenTop + altoImagen + hueco;
    d.VersionWidth = ancho(0.92);
    d.VersionLeft = centro - d.VersionWidth / 2;
    d.VersionTop = d.EtiquetaTop + altoTitulo + hueco;
    d.LineaWidth = ancho(1.8);
    d.LineaLeft = d.EtiquetaLeft;
    d.LineaTop = d.VersionTop + altoVersion + hueco;
    return d;
}

FrmMenu::FrmMenu(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmMenu"));
    setProperty("Tag", QStringLiteral("8"));
    setWindowTitle(QString::fromLatin1(TituloPrograma));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    BarraMenu = new QMenuBar(this);
    BarraMenu->setNativeMenuBar(false);
    // The toolkit's disabled text is a light grey that all but vanishes on
    // the form's grey: disabled titles (Fasores and Info before a template is
    // applied) take the lightest grey that still reads on the bar.
    QPalette barra = BarraMenu->palette();
    const QColor gris = QColor::fromRgb(ReadableGreyOn(barra.color(QPalette::Window).rgb() & 0xFFFFFFu));
    for (const QPalette::ColorRole rol : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        barra.setColor(QPalette::Disabled, rol, gris);
    BarraMenu->setPalette(barra);
    layout->setMenuBar(BarraMenu);
    layout->addStretch(1);
    CrearMenus();

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    const QPixmap splash = PintarPresentacion(TwipsToPixelX(5400), TwipsToPixelY(2700));
    Image1->setPixmap(splash);
    Image1->resize(splash.size());
    Image1->setFrameShape(QFrame::Box);
    Label1 = new QLabel(QStringLiteral("Visor de registros COMTRADE"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont f = Label1->font();
    f.setPointSize(18);
    f.setBold(true);
    Label1->setFont(f);
    Lblversion = new QLabel(this);
    Lblversion->setObjectName(QStringLiteral("Lblversion"));
    Lblversion->setAlignment(Qt::AlignCenter);
    Lblversion->setFrameShape(QFrame::Panel);
    Lblversion->setFrameShadow(QFrame::Raised);
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    Cargado() = this;
    ColocarPresentacion();
}

FrmMenu::~FrmMenu()
{
    if (Cargado() == this)
        Cargado() = nullptr;
}

void FrmMenu::CrearMenus()
{
    const auto item = [this](QMenu* menu, const char* nombre, const QString& design, QKeySequence atajo,
                             void (FrmMenu::*handler)()) {
        QAction* a = menu->addAction(design);
        a->setObjectName(QString::fromLatin1(nombre));
        if (!atajo.isEmpty()) {
            a->setShortcut(atajo);
            // The keys work whichever window of the frame is active (a
            // view's dialog in front of this form, say), as long as this
            // form and its menu bar are shown and no modal box or dialog is
            // up; a disabled item's key does nothing.
            a->setShortcutContext(Qt::ApplicationShortcut);
        }
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    const auto menu = [this](QMenu* padre, const char* nombre, const QString& design) {
        QMenu* m = padre ? padre->addMenu(design) : BarraMenu->addMenu(design);
        m->setObjectName(QString::fromLatin1(nombre));
        return m;
    };
    const auto ctrl = [](Qt::Key k) { return QKeySequence(Qt::CTRL | k); };

    mnuFicheros = menu(nullptr, "mnuFicheros", QStringLiteral("&Ficheros"));
    mnuAbrirComtrade = item(mnuFicheros, "mnuAbrirComtrade", QStringLiteral("Abrir ficheros C&OMTRADE"),
                            ctrl(Qt::Key_O), &FrmMenu::mnuAbrirComtrade_Click);
    mnuFicheros->addSeparator();
    mnuCerrarComtrade = item(mnuFicheros, "mnuCerrarComtrade", QStringLiteral("Cerrar ficheros &COMTRADE"),
                             ctrl(Qt::Key_C), &FrmMenu::mnuCerrarComtrade_Click);
    mnuFicheros->addSeparator();
    mnuPlantilla = item(mnuFicheros, "mnuPlantilla", QStringLiteral("Plan&tillas"), ctrl(Qt::Key_T),
                        &FrmMenu::mnuPlantilla_Click);
    mnuFicheros->addSeparator();
    mnuTools = menu(mnuFicheros, "mnuTools", QString::fromUtf8("Herramientas de Análisis"));
    mnuAnadirTool = item(mnuTools, "mnuAnadirTool", QString::fromUtf8("&Añadir herramienta "),
                         ctrl(Qt::Key_A), &FrmMenu::mnuAnadirTool_Click);
    mnuBorrartool = item(mnuTools, "mnuBorrartool", QStringLiteral("Elimina&r herramienta"), ctrl(Qt::Key_R),
                         &FrmMenu::mnuBorrartool_Click);
    mnuFicheros->addSeparator();
    mnuDir_defecto = item(mnuFicheros, "mnuDir_defecto", QString::fromUtf8("Configuración de &directorios"),
                          ctrl(Qt::Key_D), &FrmMenu::mnuDir_defecto_Click);
    mnuFicheros->addSeparator();
    mnutraducirCOMTRADE =
        item(mnuFicheros, "mnutraducirCOMTRADE", QStringLiteral("Convertir Oscilos a COMTRADE"),
             ctrl(Qt::Key_G), &FrmMenu::mnutraducirCOMTRADE_Click);
    mnuFicheros->addSeparator();
    mnuIdioma = menu(mnuFicheros, "mnuIdioma", QStringLiteral("Idioma"));
    mnuEspanol = item(mnuIdioma, "mnuEspanol", QString::fromUtf8("E&spañol"), ctrl(Qt::Key_S),
                      &FrmMenu::mnuEspanol_Click);
    mnuIngles =
        item(mnuIdioma, "mnuIngles", QStringLiteral("Ingl&es"), ctrl(Qt::Key_E), &FrmMenu::mnuIngles_Click);
    mnuFicheros->addSeparator();
    mnuSalir =
        item(mnuFicheros, "mnuSalir", QStringLiteral("Salir"), ctrl(Qt::Key_Q), &FrmMenu::mnuSalir_Click);

    mnuOndas = menu(nullptr, "mnuOndas", QStringLiteral("Oscilos"));
    connect(mnuOndas, &QMenu::aboutToShow, this, [this] { mnuOndas_Click(); });
    mnuCanalog = item(mnuOndas, "mnuCanalog", QString::fromUtf8("Canales analógicos individuales"),
                      QKeySequence(Qt::Key_F4), &FrmMenu::mnuCanalog_Click);
    mnuCompanalog = item(mnuOndas, "mnuCompanalog", QString::fromUtf8("Composición de canales analógicos"),
                         QKeySequence(Qt::Key_F5), &FrmMenu::mnuCompanalog_Click);

    mnuFasores = BarraMenu->addAction(QStringLiteral("Fasores"));
    mnuFasores->setObjectName(QStringLiteral("mnuFasores"));
    connect(mnuFasores, &QAction::triggered, this, [this] { mnuFasores_Click(); });
    mnuInform = BarraMenu->addAction(QStringLiteral("&Info"));
    mnuInform->setObjectName(QStringLiteral("mnuInform"));
    connect(mnuInform, &QAction::triggered, this, [this] { mnuInform_Click(); });
    mnuFasores->setEnabled(false);
    mnuInform->setEnabled(false);

    mnuDigital = menu(nullptr, "mnuDigital", QStringLiteral("Canales digitales"));
    connect(mnuDigital, &QMenu::aboutToShow, this, [this] { mnuDigital_Click(); });
    mnuDigGrupos = item(mnuDigital, "mnuDigGrupos", QString::fromUtf8("Visualización por grupos"),
                        QKeySequence(Qt::Key_F6), &FrmMenu::mnuDigGrupos_Click);
    mnuDigGrupos->installEventFilter(
        new AtajoFiltrado(mnuDigGrupos, [this] { return AtajoDigGruposPermitido(this); }));
    mnuCompdig = item(mnuDigital, "mnuCompdig", QString::fromUtf8("Composición de canales digitales"),
                      QKeySequence(Qt::Key_F7), &FrmMenu::mnuCompdig_Click);

    mnuanalisis = menu(nullptr, "mnuanalisis", QString::fromUtf8("Análisis"));
    connect(mnuanalisis, &QMenu::aboutToShow, this, [this] { mnuanalisis_Click(); });
    mnuanalisis->menuAction()->setVisible(false);
    AjustarEntradasTools(1);
}

void FrmMenu::AjustarEntradasTools(std::int32_t n)
{
    const auto cuantas = static_cast<size_t>(std::max<std::int32_t>(1, n));
    while (mnuanal.size() > cuantas) {
        QAction* a = mnuanal.back();
        mnuanal.pop_back();
        mnuanalisis->removeAction(a);
        delete a;
    }
    while (mnuanal.size() < cuantas) {
        const auto index = static_cast<std::int32_t>(mnuanal.size() + 1);
        QAction* a = mnuanalisis->addAction(index == 1 ? EntradaVacia() : QString());
        a->setObjectName(QStringLiteral("mnuanal%1").arg(index));
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this, index] { mnuanal_Click(index); });
        mnuanal.push_back(a);
    }
}

QAction* FrmMenu::EntradaTool(std::int32_t i) const
{
    if (i < 1 || i > NumEntradasTools())
        return nullptr;
    return mnuanal[static_cast<size_t>(i - 1)];
}

void FrmMenu::Form_Load()
{
    // A missing or damaged tools.ini is said, and the Análisis menu offers
    // no tools; the load goes on, so that the language is read and no
    // caption or box is left without its text.
    const bool tools = Atrapar(this, [this] {
        AjustarEntradasTools(LeerTools());
        mnuanalisis->menuAction()->setVisible(HabilitarTools());
    });
    if (!tools)
        mnuanalisis->menuAction()->setVisible(false);
    const bool cargado = Atrapar(this, [this] {
        // ficher.ini's line 1 is the language at start (over tools.ini's); a
        // missing or short file is rebuilt so the table can still load.
        (void)RenovarFicher();
        VbError error(0);
        if (!IniciarIdioma(&error)) {
            SetMousePointer(this, vbDefault);
            ShowErrorBox(error);
        }
        PonerTextos();
        mnuFasores->setEnabled(false);
        mnuInform->setEnabled(false);
        if (MDIForm1* p = VentanaPrincipal())
            p->TextoSalir(TextosIdioma(11));
        Lblversion->setText(QStringLiteral("   %1   ").arg(QString::fromLatin1(TituloPrograma)));
        ColocarPresentacion();
    });
    if (!cargado) {
        // The load stopped before the language was read: ficher.ini keeps
        // its language when it is next written, and the boxes shown from
        // now on (the exit confirmation) carry neutral texts rather than
        // none.
        (void)TomarIdiomaFicher();
        RellenarTextosVacios();
        (void)SetToolkitLanguage(Shell().Idioma == IdiomaEspanol ? QStringLiteral("es")
                                                                 : QStringLiteral("en"));
    }
}

void FrmMenu::PonerTextos()
{
    Texto(mnuFicheros, 1);
    Texto(mnuAbrirComtrade, 7);
    Texto(mnuPlantilla, 8);
    Texto(mnuTools, 9);
    Texto(mnuAnadirTool, 12);
    Texto(mnuBorrartool, 13);
    Texto(mnuIdioma, 10);
    Texto(mnuEspanol, 58);
    Texto(mnuIngles, 59);
    Texto(mnuSalir, 11);
    Texto(mnuOndas, 2);
    Texto(mnuCanalog, 14);
    Texto(mnuCompanalog, 15);
    Texto(mnuFasores, 3);
    Texto(mnuInform, 4);
    Texto(mnuDigital, 5);
    Texto(mnuDigGrupos, 16);
    Texto(mnuCompdig, 17);
    Texto(mnuanalisis, 6);
    Texto(mnutraducirCOMTRADE, 255);
    Texto(mnuDir_defecto, 192);
    Texto(mnuCerrarComtrade, 282);
}

void FrmMenu::CambiarIdiomaMenu(std::int32_t lang)
{
    Atrapar(this, [this, lang] {
        const LanguageSwitchResult r = ElegirIdioma(lang);
        if (r.Cambiado) {
            PonerTextos();
            // The close button keeps the same text as at start-up.
            if (MDIForm1* p = VentanaPrincipal())
                p->PonerTextoSalir();
        }
        if (r.ErrorGuardar) {
            SetMousePointer(this, vbDefault);
            ShowErrorBox(*r.ErrorGuardar);
        }
        if (r.ErrorCargar) {
            SetMousePointer(this, vbDefault);
            ShowErrorBox(*r.ErrorCargar);
        }
        update();
    });
}

void FrmMenu::ColocarPresentacion()
{
    if (!Image1)
        return;
    const auto alto = [](const QLabel* l) {
        return static_cast<std::int32_t>(std::lround(TextHeightTwips(l->font(), QString()) * 1.2));
    };
    const std::int32_t altoTitulo = alto(Label1);
    const std::int32_t altoVersion = alto(Lblversion);
    const DisposicionPresentacion d =
        CalcularPresentacion(ScaleWidthTwips(*this), ScaleHeightTwips(*this), WidthTwips(*Image1),
                             HeightTwips(*Image1), altoTitulo, altoVersion);
    SetLeftTwips(*Image1, d.ImagenLeft);
    SetTopTwips(*Image1, d.ImagenTop);
    MoveTwips(*Label1, d.EtiquetaLeft, d.EtiquetaTop, d.EtiquetaWidth, altoTitulo);
    MoveTwips(*Lblversion, d.VersionLeft, d.VersionTop, d.VersionWidth, altoVersion);
    MoveTwips(*Line1, d.LineaLeft, d.LineaTop, d.LineaWidth, 30);
}

void FrmMenu::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ColocarPresentacion();
}

// ---- Handlers ----

void FrmMenu::mnuAbrirComtrade_Click()
{
    Atrapar(this, [] { ComandoAbrirComtrade(); });
}

void FrmMenu::mnuCerrarComtrade_Click()
{
    Atrapar(this, [] { CerrarComtrade(); });
}

void FrmMenu::mnuPlantilla_Click()
{
    Atrapar(this, [] { AbrirFrmPlantilla(); });
}

void FrmMenu::mnuAnadirTool_Click()
{
    Atrapar(this, [] { Vistas().Herramientas.AbrirAnadir(); });
}

void FrmMenu::mnuBorrartool_Click()
{
    Atrapar(this, [] { Vistas().Herramientas.AbrirBorrar(); });
}

void FrmMenu::mnuDir_defecto_Click()
{
    Atrapar(this, [] { Vistas().Herramientas.AbrirDirectorios(); });
}

void FrmMenu::mnutraducirCOMTRADE_Click()
{
    ComandoConversor();
}

void FrmMenu::mnuSalir_Click()
{
    MDIForm1* p = VentanaPrincipal();
    if (!p) {
        (void)ConfirmarSalida();
        return;
    }
    // The frame unloads this form too: not from inside its own menu's signal.
    (void)p->PedirSalida(true);
}

void FrmMenu::mnuOndas_Click()
{
    const bool habilitar = MenuOndasAbierto(this);
    mnuCanalog->setEnabled(habilitar);
    mnuCompanalog->setEnabled(habilitar);
}

void FrmMenu::mnuCanalog_Click()
{
    Atrapar(this, [] { ComandoCanalog(); });
}

void FrmMenu::mnuCompanalog_Click()
{
    Atrapar(this, [] { ComandoCompanalog(); });
}

void FrmMenu::mnuFasores_Click()
{
    ComandoFasores(this);
}

void FrmMenu::mnuInform_Click()
{
    ComandoInforme(this);
}

void FrmMenu::mnuDigital_Click()
{
    const bool habilitar = MenuDigitalAbierto(this);
    mnuDigGrupos->setEnabled(habilitar);
    mnuCompdig->setEnabled(habilitar);
}

void FrmMenu::mnuDigGrupos_Click()
{
    Atrapar(this, [] { ComandoDigGrupos(); });
}

void FrmMenu::mnuCompdig_Click()
{
    ComandoCompdig(this);
}

void FrmMenu::mnuanalisis_Click()
{
    Atrapar(this, [this] {
        // Until tools.ini is read whole no entry starts anything: a failure
        // leaves them all disabled.
        for (QAction* a : mnuanal)
            a->setEnabled(false);
        const MenuHerramientas m = LeerMenuHerramientas();
        AjustarEntradasTools(static_cast<std::int32_t>(m.Entradas.size()));
        RutasTools.clear();
        for (size_t i = 0; i < m.Entradas.size(); ++i) {
            RutasTools.push_back(m.Entradas[i].Ruta);
            mnuanal[i]->setText(m.Entradas[i].Nombre);
            mnuanal[i]->setEnabled(true);
        }
        if (!m.Habilitadas)
            for (QAction* a : mnuanal)
                a->setEnabled(false);
    });
}

void FrmMenu::mnuanal_Click(std::int32_t index)
{
    EjecutarHerramienta(index, RutasTools, this);
}

} // namespace vesdra
