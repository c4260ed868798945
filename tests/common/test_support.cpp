#include "common/test_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QProcess>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/mount.h>

#include "platform/base/name_elide.h"
#include "platform/base/screen.h"
#include "platform/elided_label.h"
#include "platform/elided_line_edit.h"
#include "platform/mdi_forms.h"
#include "platform/text_box.h"
#include "platform/twips.h"

namespace vesdra::test {

QImage ImagenEnPantalla(const QWidget& ventana)
{
    const QWindow* w = ventana.windowHandle();
    QScreen* pantalla = w ? w->screen() : nullptr;
    if (!pantalla)
        return {};
    return pantalla->grabWindow(w->winId()).toImage();
}

int PixelesDeColor(const QImage& imagen, unsigned rgb)
{
    int n = 0;
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            n += (imagen.pixel(x, y) & 0xFFFFFFu) == rgb ? 1 : 0;
    return n;
}

QString DataPath(const QString& relative)
{
    return QString::fromUtf8(VESDRA_TEST_DATA_DIR) + QLatin1Char('/') + relative;
}

QString SamplePath(const QString& name)
{
    return QString::fromUtf8(VESDRA_SAMPLES_DIR) + QLatin1Char('/') + name;
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TextoEnteroEnCaja(const QLineEdit& caja)
{
    QLineEdit copia;
    copia.setFont(caja.font());
    copia.setPalette(caja.palette());
    copia.setAutoFillBackground(caja.autoFillBackground());
    copia.setFrame(caja.hasFrame());
    copia.setTextMargins(caja.textMargins());
    copia.setReadOnly(caja.isReadOnly());
    copia.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    copia.resize(caja.width() * 4 + 200, caja.height());
    copia.setText(caja.text());
    copia.setCursorPosition(0);
    const QImage img = copia.grab().toImage();
    const MargenesCaja m = MargenesDe(caja);
    const QColor fondo = caja.palette().color(QPalette::Base);
    const int arriba = static_cast<int>(m.Vertical / 2);
    int derecha = -1;
    for (int y = arriba; y < img.height() - arriba; ++y) {
        for (int x = static_cast<int>(m.Horizontal / 2); x < img.width() - 10; ++x) {
            const QColor c = img.pixelColor(x, y);
            const int d = std::abs(c.red() - fondo.red()) + std::abs(c.green() - fondo.green()) +
                          std::abs(c.blue() - fondo.blue());
            if (d > 60)
                derecha = std::max(derecha, x);
        }
    }
    const double limite = caja.width() - m.Horizontal / 2;
    const MedidorTexto medir = MedidorDeFuente(caja.font());
    const int px = QFontInfo(caja.font()).pixelSize();
    return derecha < limite && medir.Alto(px) <= caja.height() - m.Vertical;
}

QString RunTool(const QString& tool, const QStringList& args)
{
    QProcess proc;
    proc.start(tool, args);
    if (!proc.waitForFinished(30000))
        return {};
    return QString::fromUtf8(proc.readAllStandardOutput());
}

QImage RenderPdfPage(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    const QString base = dir.filePath(QStringLiteral("page"));
    (void)RunTool(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QString PdfText(const QString& pdf, const QStringList& options)
{
    // A ligature the face chose ("\uFB01" for "fi") reads as its letters.
    return RunTool(QStringLiteral("pdftotext"), QStringList(options) << pdf << QStringLiteral("-"))
        .normalized(QString::NormalizationForm_KC);
}

namespace {

class FailingFile final : public QIODevice
{
public:
    FailingFile(const QString& path, qint64 bytes) : file_(path), left_(bytes)
    {
        if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
            QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    void close() override
    {
        file_.close();
        QIODevice::close();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        if (left_ <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 n = file_.write(data, std::min(len, left_));
        left_ -= std::max<qint64>(n, 0);
        return n;
    }

private:
    QFile file_;
    qint64 left_;
};

} // namespace

std::unique_ptr<QIODevice> FileFailingAfter(const QString& path, qint64 bytes)
{
    return std::make_unique<FailingFile>(path, bytes);
}

SmallDisk::SmallDisk(int kilobytes)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    mounted_ = dir_.isValid() && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                                         options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

int DifferentPixels(const QImage& a, const QImage& b)
{
    int diff = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            diff += a.pixel(x, y) != b.pixel(x, y);
    return diff;
}

QString ControlTapado(const QWidget& form, const QWidget& control)
{
    if (!control.isVisibleTo(&form) || !form.isVisible())
        return QStringLiteral("hidden");
    const QRect r = control.geometry();
    const auto donde = [&r] {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    if (r.isEmpty())
        return QStringLiteral("empty at ") + donde();
    if (!form.rect().contains(r))
        return QStringLiteral("at %1 outside the client area %2x%3")
            .arg(donde())
            .arg(form.width())
            .arg(form.height());
    for (const QObject* o : form.children()) {
        const auto* otro = qobject_cast<const QWidget*>(o);
        if (otro && otro != &control && otro->isVisibleTo(&form) && otro->geometry().intersects(r))
            return QStringLiteral("at %1 overlapped by a %2 at %3,%4")
                .arg(donde(), QString::fromLatin1(otro->metaObject()->className()))
                .arg(otro->x())
                .arg(otro->y());
    }
    const QImage enForma = const_cast<QWidget&>(form).grab(r).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage solo = const_cast<QWidget&>(control).grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (enForma.size() == solo.size() && DifferentPixels(enForma, solo) > 0)
        return QStringLiteral("at %1 drawn over").arg(donde());
    return {};
}

std::string NombrePantalla(const PantallaPrueba& p)
{
    return std::to_string(p.Ancho) + "x" + std::to_string(p.Alto);
}

AreaPantalla::AreaPantalla(const PantallaPrueba& p) : area_(std::make_unique<QMdiArea>())
{
    Screen() = ScreenInfo{p.Ancho * 15, p.Alto * 15, 15, 15};
    area_->resize(p.Ancho, p.Alto);
    area_->show();
}

AreaPantalla::~AreaPantalla() = default;

void AreaPantalla::Mostrar(QWidget* vista)
{
    // As the main window shows its views: a form placed and sized before it
    // enters the area keeps its place and its outer size.
    auto* sub = qobject_cast<QMdiSubWindow*>(vista->parentWidget());
    if (!sub) {
        const bool movido = vista->testAttribute(Qt::WA_Moved);
        const QPoint pos = vista->pos();
        const QSize outer = vista->size().grownBy(DefaultFormFrame());
        sub = static_cast<QMdiArea*>(area_.get())->addSubWindow(vista);
        TituloCortadoEnMedio(*sub);
        sub->resize(outer);
        if (movido)
            sub->move(pos);
    }
    sub->show();
    vista->show();
}

QString AyudaAlPasar(QWidget& w)
{
    QHelpEvent e(QEvent::ToolTip, QPoint(2, 2), w.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&w, &e);
    const QString t = QToolTip::text();
    QToolTip::hideText();
    return t;
}

::testing::AssertionResult RutaCortadaEnMedio(ElidedLabel& etiqueta, const QString& ruta)
{
    if (etiqueta.text() != ruta)
        return ::testing::AssertionFailure() << "holds " << etiqueta.text().toStdString();
    const QString visible = etiqueta.VisibleText();
    const QString ultima = ruta.mid(ruta.lastIndexOf(QLatin1Char('/')));
    if (!etiqueta.IsCut() || !visible.contains(QChar(0x2026)) || !visible.startsWith(ruta.left(3)) ||
        !visible.endsWith(ultima))
        return ::testing::AssertionFailure() << "draws " << visible.toStdString();
    if (etiqueta.fontMetrics().horizontalAdvance(visible) > etiqueta.contentsRect().width())
        return ::testing::AssertionFailure() << "draws wider than the label: " << visible.toStdString();
    const QString consejo = AyudaAlPasar(etiqueta);
    if (consejo != ruta)
        return ::testing::AssertionFailure() << "tool tip " << consejo.toStdString();
    return ::testing::AssertionSuccess();
}

QString NombreLargo(const QString& fin)
{
    const QString prefijo = QString::fromUtf8("SUBESTACIÓN MONTAÑA ALTA – POSICIÓN 220 kV – ");
    return (prefijo + QString(std::max<qsizetype>(0, 64 - prefijo.size() - fin.size()), QLatin1Char('-')) +
            fin)
        .right(64);
}

ElidedLineEdit* CajaLectura(QWidget& ventana, const QRect& sitio, const QString& nombre, const QString& valor)
{
    auto* caja = new ElidedLineEdit(&ventana);
    caja->setReadOnly(true);
    caja->setGeometry(sitio);
    caja->ShowReadOut(nombre, QStringLiteral(": "), valor);
    return caja;
}

::testing::AssertionResult LecturaConValorEntero(ElidedLineEdit& caja, const QString& nombre,
                                                 const QString& valor)
{
    const QString entero = nombre + QStringLiteral(": ") + valor;
    if (caja.text() != entero)
        return ::testing::AssertionFailure() << "holds " << caja.text().toStdString();
    const QString visible = caja.VisibleText();
    const QStringList lineas = visible.split(QLatin1Char('\n'));
    const QString& ultima = lineas.back();
    if (lineas.size() > 1 ? ultima != valor
                          : !visible.endsWith(QStringLiteral(": ") + valor) && visible != valor)
        return ::testing::AssertionFailure() << "draws " << visible.toStdString();
    const MargenesCaja m = MargenesDe(caja);
    for (const QString& linea : lineas)
        if (caja.fontMetrics().horizontalAdvance(linea) > caja.width() - m.Horizontal)
            return ::testing::AssertionFailure() << "draws wider than the box: " << visible.toStdString();
    if (QFontMetricsF(caja.font()).height() * static_cast<double>(lineas.size()) > caja.height() - m.Vertical)
        return ::testing::AssertionFailure()
               << "draws more lines than the box holds: " << visible.toStdString();
    const bool nombreEntero =
        lineas.size() > 1 && lineas.mid(0, lineas.size() - 1).join(QLatin1Char(' ')) == nombre;
    if (caja.IsCut() && !nombreEntero) {
        if (!visible.contains(QChar(0x2026)) && visible != valor)
            return ::testing::AssertionFailure() << "cut with no ellipsis: " << visible.toStdString();
        const QString consejo = AyudaAlPasar(caja);
        if (consejo != entero)
            return ::testing::AssertionFailure() << "tool tip " << consejo.toStdString();
    }
    return ::testing::AssertionSuccess();
}

namespace {

QStringList ConComienzo(const QString& comienzo, const std::vector<const char*>& fines)
{
    QStringList nombres;
    for (const char* f : fines)
        nombres.append(comienzo + QString::fromUtf8(f));
    return nombres;
}

const std::vector<const char*> kFinesAnalogicos = {
    "TENSIÓN FASE A",    "TENSIÓN FASE B",    "TENSIÓN FASE C",    "INTENSIDAD FASE A",
    "INTENSIDAD FASE B", "INTENSIDAD FASE C", "INTENSIDAD NEUTRO", "TENSIÓN BARRA 220 kV"};

} // namespace

QString NombresSubestacion::Comun()
{
    return QString::fromUtf8("SUBESTACIÓN NORTE 220 kV POSICIÓN LÍNEA 2 – ");
}

QStringList NombresSubestacion::Analogicos()
{
    return ConComienzo(Comun(), kFinesAnalogicos);
}

QStringList NombresSubestacion::Circuitos()
{
    return ConComienzo(QString::fromUtf8("CIRCUITO LÍNEA 2 NORTE – POSICIÓN 220 kV – "), kFinesAnalogicos);
}

QStringList NombresSubestacion::Trifasicos()
{
    return ConComienzo(Comun(), {"TENSIONES DE FASE", "INTENSIDADES DE FASE"});
}

QStringList NombresSubestacion::Grupos()
{
    return ConComienzo(Comun(), {"DISPAROS MONOFÁSICOS", "ARRANQUES DE FASE", "POSICIÓN INTERRUPTOR",
                                 "RECIERRE Y BLOQUEOS", "TELEPROTECCIÓN"});
}

QStringList NombresSubestacion::Digitales()
{
    return ConComienzo(
        Comun(), {"DISPARO FASE A",       "DISPARO FASE B",    "DISPARO FASE C",      "ARRANQUE FASE A",
                  "ARRANQUE FASE B",      "ARRANQUE FASE C",   "ARRANQUE NEUTRO",     "INTERRUPTOR ABIERTO",
                  "INTERRUPTOR CERRADO",  "RECIERRE EN CURSO", "RECIERRE BLOQUEADO",  "PROTECCIÓN Z1",
                  "PROTECCIÓN Z2",        "PROTECCIÓN Z3",     "FALLO INTERRUPTOR",   "TELEDISPARO ENVIADO",
                  "TELEDISPARO RECIBIDO", "DISPARO TRIFÁSICO", "OSCILOPERTURBÓGRAFO", "ALARMA GENERAL"});
}

::testing::AssertionResult SeLeenAparte(const QStringList& vistos, const QStringList& nombres)
{
    if (vistos.size() != nombres.size())
        return ::testing::AssertionFailure() << vistos.size() << " texts for " << nombres.size() << " names";
    for (qsizetype i = 0; i < vistos.size(); ++i) {
        if (!ReadsAs(vistos[i], nombres[i]))
            return ::testing::AssertionFailure() << "\"" << vistos[i].toStdString() << "\" is not a cut of \""
                                                 << nombres[i].toStdString() << '"';
        for (qsizetype j = 0; j < nombres.size(); ++j)
            if (nombres[j] != nombres[i] && ReadsAs(vistos[i], nombres[j]))
                return ::testing::AssertionFailure()
                       << "\"" << vistos[i].toStdString() << "\" (for \"" << nombres[i].toStdString()
                       << "\") reads as \"" << nombres[j].toStdString() << '"';
    }
    return ::testing::AssertionSuccess();
}

namespace {

// Notes the text of every entry an item view asks it to draw.
class EstiloQueAnota : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement elemento, const QStyleOption* opcion, QPainter* p,
                     const QWidget* w) const override
    {
        if (const auto* o = qstyleoption_cast<const QStyleOptionViewItem*>(opcion);
            o && elemento == CE_ItemViewItem) {
            // The style draws an entry's text inside a margin of its text's rectangle.
            const int margen = pixelMetric(PM_FocusFrameHMargin, nullptr, w) + 1;
            const double sitio = subElementRect(SE_ItemViewItemText, o, w).width() - 2 * margen;
            const QFontMetricsF fm(o->font);
            QString texto = o->text;
            if (fm.horizontalAdvance(texto) > sitio) {
                if (o->textElideMode == Qt::ElideNone) {
                    // Clipped: the start that shows, and the rest left out.
                    while (!texto.isEmpty() && fm.horizontalAdvance(texto) > sitio)
                        texto.chop(1);
                    texto += Ellipsis();
                } else {
                    texto =
                        QFontMetrics(o->font).elidedText(o->text, o->textElideMode, static_cast<int>(sitio));
                }
            }
            Textos[{o->index.row(), o->index.column()}] = texto;
        }
        QProxyStyle::drawControl(elemento, opcion, p, w);
    }

    mutable std::map<std::pair<int, int>, QString> Textos;
};

} // namespace

std::map<std::pair<int, int>, QString> TextosDibujados(QAbstractItemView& vista)
{
    QStyle* antes = vista.style();
    EstiloQueAnota anota(QStyleFactory::create(antes->name()));
    vista.setStyle(&anota);
    QImage imagen(vista.size(), QImage::Format_ARGB32);
    vista.render(&imagen);
    vista.setStyle(antes == QApplication::style() ? nullptr : antes);
    return anota.Textos;
}

QString AyudaAlPasarEntrada(QAbstractItemView& vista, int fila, int columna)
{
    const QPoint centro = vista.visualRect(vista.model()->index(fila, columna, vista.rootIndex())).center();
    QHelpEvent e(QEvent::ToolTip, centro, vista.viewport()->mapToGlobal(centro));
    QApplication::sendEvent(vista.viewport(), &e);
    const QString t = QToolTip::text();
    QToolTip::hideText();
    return t;
}

void CheckSlotsReadApart(const std::vector<ElidedLineEdit*>& casillas, const QStringList& nombres,
                         std::size_t pulsada)
{
    ASSERT_EQ(casillas.size(), static_cast<std::size_t>(nombres.size()));
    ASSERT_LT(pulsada, casillas.size());
    QStringList vistos;
    for (std::size_t k = 0; k < casillas.size(); ++k) {
        ElidedLineEdit& g = *casillas[k];
        ASSERT_EQ(g.text(), nombres[static_cast<qsizetype>(k)]) << k;
        vistos << g.VisibleText();
        EXPECT_TRUE(g.IsCut());
        EXPECT_EQ(AyudaAlPasar(g), g.text());
    }
    EXPECT_TRUE(SeLeenAparte(vistos, nombres)) << vistos.join(QStringLiteral(" | ")).toStdString();
    ElidedLineEdit& g = *casillas[pulsada];
    QApplication::setActiveWindow(g.window());
    QTest::mouseClick(&g, Qt::LeftButton);
    ASSERT_TRUE(g.hasFocus());
    EXPECT_EQ(g.VisibleText(), vistos[static_cast<qsizetype>(pulsada)]);
}

void CheckListReadsApart(QListWidget& lista, const QStringList& nombres)
{
    const auto dibujados = TextosDibujados(lista);
    ASSERT_GE(dibujados.size(), 5U);
    QStringList vistos;
    for (int fila = 0; fila < lista.count(); ++fila) {
        vistos << TextoVisibleEnLista(lista, fila);
        if (const auto dibujado = dibujados.find({fila, 0}); dibujado != dibujados.end()) {
            EXPECT_EQ(dibujado->second, vistos.back());
            EXPECT_EQ(AyudaAlPasarEntrada(lista, fila), nombres[fila]);
        }
    }
    EXPECT_TRUE(SeLeenAparte(vistos, nombres)) << vistos.join(QStringLiteral(" | ")).toStdString();
}

std::vector<std::pair<int, int>> InkRowBands(QWidget& caja, int margen)
{
    const QImage img = caja.grab().toImage();
    const QColor fondo = caja.palette().color(QPalette::Base);
    const int hasta = img.height() - margen;
    std::vector<std::pair<int, int>> bandas;
    int desde = -1;
    for (int y = margen; y < hasta; ++y) {
        bool tinta = false;
        for (int x = margen + 1; x < img.width() - margen - 1 && !tinta; ++x) {
            const QColor p = img.pixelColor(x, y);
            tinta = std::abs(p.red() - fondo.red()) + std::abs(p.green() - fondo.green()) +
                        std::abs(p.blue() - fondo.blue()) >
                    200;
        }
        if (tinta && desde < 0)
            desde = y;
        if (!tinta && desde >= 0) {
            if (y - desde >= 5)
                bandas.emplace_back(desde, y);
            desde = -1;
        }
    }
    if (desde >= 0 && hasta - desde >= 5)
        bandas.emplace_back(desde, hasta);
    return bandas;
}

bool PaintCount::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        ++count;
    return false;
}

::testing::AssertionResult TodosDistintos(const QStringList& vistos)
{
    for (qsizetype i = 0; i < vistos.size(); ++i)
        for (qsizetype j = i + 1; j < vistos.size(); ++j)
            if (vistos[i] == vistos[j])
                return ::testing::AssertionFailure() << "shown alike: " << vistos[i].toStdString();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PorGruposDistintos(const QStringList& vistos)
{
    for (qsizetype inicio : {0, 3}) {
        ::testing::AssertionResult r = TodosDistintos(vistos.mid(inicio, 3));
        if (!r)
            return r << " in " << vistos.join(QStringLiteral(" | ")).toStdString();
    }
    return ::testing::AssertionSuccess();
}

} // namespace vesdra::test
