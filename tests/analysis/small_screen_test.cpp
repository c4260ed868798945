// The phasor and sequence views side by side on the screens users have:
// every row of the legend, the bar and the buttons lie inside the form's
// client area, uncovered, and the picture shows them.
#include "analysis_fixture.h"
#include "common/screen_fixture.h"
#include "common/test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <memory>
#include <vector>

#include "analysis/frm_fasecuencias.h"
#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "analysis/view_layout.h"
#include "platform/base/readout_fit.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"

namespace vesdra {
namespace {

class SmallScreen : public test::EnPantalla<test::AnalysisFixture>
{
protected:
    // Both views of a balanced table, two sets each.
    void AbrirAmbas()
    {
        TablaEquilibrada();
        Elegir({2, 1, 1}, {2, 1, 1}, 2);
        ASSERT_TRUE(CargarFases());
        ASSERT_TRUE(CargarSecuencias());
        Procesar();
    }
};

void ExpectEnteroYVisible(const QWidget& form, const QWidget* w, const char* que)
{
    EXPECT_EQ(test::ControlTapado(form, *w).toStdString(), "") << que;
}

TEST_P(SmallScreen, EverySwatchValueBoxAndButtonOfBothViewsLiesInsideTheClientArea)
{
    ASSERT_NO_FATAL_FAILURE(AbrirAmbas());
    for (VistaFasorial* v : std::vector<VistaFasorial*>{Fases(), Secuencias()}) {
        ASSERT_NE(v, nullptr);
        SCOPED_TRACE(v->windowTitle().toStdString());
        v->SetImpresion([] {}); // the print button shows once a printout is installed
        ExpectEnteroYVisible(*v, v->Picture1, "picture");
        ExpectEnteroYVisible(*v, v->HScroll1, "scroll bar");
        ExpectEnteroYVisible(*v, v->cmdmas, "zoom in");
        ExpectEnteroYVisible(*v, v->cmdmenos, "zoom out");
        ExpectEnteroYVisible(*v, v->pctimpresora, "print");
        for (std::size_t i = 0; i < 6; ++i) {
            ExpectEnteroYVisible(*v, v->Muestras[i], "swatch");
            ExpectEnteroYVisible(*v, v->Valores[i], "value box");
        }
        // The sixth row as drawn: its red swatch and its value box's text.
        const QImage img = v->grab().toImage();
        const QRect m = v->Muestras[5]->geometry();
        EXPECT_EQ(img.pixelColor(m.center()), QColor(255, 0, 0));
        EXPECT_FALSE(v->Valores[5]->text().isEmpty());
    }
}

// What a value line shows of its name (up to the last ": ").
QString NombreVisto(const QString& visible)
{
    return visible.left(visible.lastIndexOf(QStringLiteral(": ")));
}

TEST_P(SmallScreen, LongNamesGiveWayAndEveryMagnitudeAngleAndUnitShowsWhole)
{
    const char* fines[] = {"TENSIÓN FASE A",    "TENSIÓN FASE B",    "TENSIÓN FASE C",
                           "INTENSIDAD FASE A", "INTENSIDAD FASE B", "INTENSIDAD FASE C"};
    for (std::int32_t c = 1; c <= 6; ++c)
        Registro().TablaCanales(c, 2) = test::NombreLargo(QString::fromUtf8(fines[c - 1]));
    ASSERT_NO_FATAL_FAILURE(AbrirAmbas());
    for (VistaFasorial* v : std::vector<VistaFasorial*>{Fases(), Secuencias()}) {
        ASSERT_NE(v, nullptr);
        SCOPED_TRACE(v->windowTitle().toStdString());
        v->HScroll1->SetValue(v->HScroll1->Min() + 7);
        QStringList nombres;
        for (ElidedLineEdit* caja : v->Valores) {
            const QString t = caja->text();
            const qsizetype dos = t.lastIndexOf(QStringLiteral(": "));
            ASSERT_GT(dos, 0) << t.toStdString();
            EXPECT_TRUE(t.startsWith(QString::fromUtf8("SUBESTACIÓN MONTAÑA"))) << t.toStdString();
            // A magnitude that reads 0 (a balanced set's zero sequence)
            // stands without its angle.
            const QString valor = t.mid(dos + 2);
            EXPECT_TRUE(valor.contains(QStringLiteral(" @ ")) ||
                        (valor.startsWith(QLatin1Char('0')) && !valor.contains(QLatin1Char(' '))))
                << t.toStdString();
            EXPECT_TRUE(test::LecturaConValorEntero(*caja, t.left(dos), t.mid(dos + 2)));
            EXPECT_TRUE(caja->IsCut()) << "64 characters do not fit";
            nombres << NombreVisto(caja->VisibleText());
        }
        EXPECT_TRUE(test::TodosDistintos(nombres)) << "names that differ at their end read apart";
    }
}

// While the views scroll through rows whose magnitudes and angles take more
// and fewer digits, each value box's caption keeps its cut: what shows of
// the name stands still, the value beside it always whole.
TEST_P(SmallScreen, CaptionsKeepTheirCutWhileTheValuesChangeWidth)
{
    const QStringList nombres = test::NombresSubestacion::Analogicos();
    for (std::int32_t c = 1; c <= 6; ++c)
        Registro().TablaCanales(c, 2) = nombres[c - 1];
    const std::int32_t muestras = 200;
    TablaReal t(5 * kN + muestras, 12, 0.0f);
    for (std::int32_t r = 1; r <= t.Rows(); ++r) {
        const double a = r % 7 == 0 ? 5656.857 : r % 3 == 0 ? 0.5 : 99.25;
        for (std::int32_t c = 1; c <= 6; ++c) {
            const double fase = 0.37 * r + 2.1 * c;
            t(r, 2 * c - 1) = static_cast<float>(a * std::cos(fase));
            t(r, 2 * c) = static_cast<float>(a * std::sin(fase));
        }
    }
    Analisis().Fasores = std::make_shared<const TablaReal>(std::move(t));
    Analisis().MuestrasCicloDFT = kN;
    Elegir({2, 1, 1}, {2, 1, 1}, 2);
    ASSERT_TRUE(CargarFases());
    ASSERT_TRUE(CargarSecuencias());
    Procesar();
    for (VistaFasorial* v : std::vector<VistaFasorial*>{Fases(), Secuencias()}) {
        ASSERT_NE(v, nullptr);
        SCOPED_TRACE(v->windowTitle().toStdString());
        std::array<QSet<QString>, 6> cortes;
        std::array<QSet<qsizetype>, 6> anchos;
        for (std::int32_t p = v->HScroll1->Min(); p < v->HScroll1->Min() + 30; ++p) {
            v->HScroll1->SetValue(p);
            for (std::size_t i = 0; i < 6; ++i) {
                ElidedLineEdit& caja = *v->Valores[i];
                const QString texto = caja.text();
                const qsizetype dos = texto.lastIndexOf(QStringLiteral(": "));
                const QString valor = texto.mid(dos + 2);
                ASSERT_TRUE(test::LecturaConValorEntero(caja, texto.left(dos), valor));
                cortes[i].insert(NameShown({caja.VisibleText()}, QStringLiteral(": "), valor));
                anchos[i].insert(valor.size());
            }
        }
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_GT(anchos[i].size(), 1u) << "box " << i << ": the values changed width";
            EXPECT_EQ(cortes[i].size(), 1u)
                << "box " << i << ": " << QStringList(cortes[i].values()).join(" | ").toStdString();
        }
    }
}

using SetupDialog = test::AnalysisFixture;

TEST_F(SetupDialog, SetNamesThatDifferLateReadApartAndShowWholeOnHover)
{
    Plantillas().TablaTrifasicos(1, 4) = test::NombreLargo(QStringLiteral("TENSIONES LINEA 1"));
    Plantillas().TablaTrifasicos(2, 4) = test::NombreLargo(QStringLiteral("TENSIONES LINEA 2"));
    MostrarFasecuencias();
    frmFasecuencias* d = Fasecuencias();
    ASSERT_NE(d, nullptr);
    d->show();
    for (const auto& columna : {d->fas, d->sec}) {
        QStringList vistos;
        for (std::size_t g = 0; g < 2; ++g) {
            ElidedCheckBox& c = *columna[g];
            EXPECT_EQ(c.text(), Plantillas().TablaTrifasicos(static_cast<std::int32_t>(g + 1), 4));
            EXPECT_TRUE(c.IsCut());
            EXPECT_EQ(test::AyudaAlPasar(c), c.text());
            vistos << c.VisibleText();
        }
        EXPECT_TRUE(test::TodosDistintos(vistos));
    }
    DescargarFasecuencias();
}

INSTANTIATE_TEST_SUITE_P(Screens, SmallScreen,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

TEST(CalcularDisposicion, TheStandardRowsStandWhereTheyFitTheClientArea)
{
    // 1280 × 1024: a form of 9600 × 13150 twips with a 30-pixel caption.
    const DisposicionVista libre = CalcularDisposicion(9600, 13150, EstiloDisposicion::Fases);
    const DisposicionVista dentro =
        CalcularDisposicion(9600, 13150, EstiloDisposicion::Fases, AreaCliente{9480, 13150 - 510});
    EXPECT_EQ(dentro.Picture1.Height, libre.Picture1.Height);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(dentro.Muestras[i], libre.Muestras[i]);
        EXPECT_EQ(dentro.Valores[i], libre.Valores[i]);
    }
    EXPECT_EQ(dentro.Picture1.Width, 9480.0f); // the picture ends at the client's right edge
}

TEST(CalcularDisposicion, RowsGetLowerThenThePictureGivesWayToStayInsideTheClientArea)
{
    const auto fondo = [](const DisposicionVista& d) {
        float f = d.pctimpresora.Top + d.pctimpresora.Height;
        for (std::size_t i = 0; i < 6; ++i)
            f = std::max(
                {f, d.Muestras[i].Top + d.Muestras[i].Height, d.Valores[i].Top + d.Valores[i].Height});
        return f;
    };
    for (const auto estilo :
         {EstiloDisposicion::Fases, EstiloDisposicion::AperturaSecuencias, EstiloDisposicion::Secuencias}) {
        // 800 × 600: the outer height's rows end below the client area.
        const DisposicionVista libre = CalcularDisposicion(6000, 7900, estilo);
        const AreaCliente c{5880, 7900 - 510};
        ASSERT_GT(fondo(libre), c.Alto);
        const DisposicionVista d = CalcularDisposicion(6000, 7900, estilo, c);
        EXPECT_LE(fondo(d), c.Alto + 0.01f);
        EXPECT_EQ(d.Picture1.Height, libre.Picture1.Height); // the rows alone give way
        EXPECT_LT(d.Muestras[0].Height, libre.Muestras[0].Height);
        EXPECT_GE(d.Muestras[0].Height, kAltoFilaMinimo);
        EXPECT_EQ(d.Muestras[0].Height, d.Valores[5].Height);

        // Lower still: the rows stop at their least height, the picture shrinks.
        const AreaCliente bajo{5880, 4000};
        const DisposicionVista e = CalcularDisposicion(6000, 6000, estilo, bajo);
        EXPECT_LE(fondo(e), bajo.Alto + 0.01f);
        EXPECT_EQ(e.Muestras[0].Height, kAltoFilaMinimo);
        EXPECT_LT(e.Picture1.Height, 6000 * 6.4f / 10.0f);
    }
}

} // namespace
} // namespace vesdra
