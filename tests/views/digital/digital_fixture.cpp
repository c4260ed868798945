#include "digital_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QRadioButton>
#include <QWidget>
#include <cmath>

#include "platform/base/formats.h"
#include "record/record_model.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "views/digital/digital_services.h"
#include "views/digital/frm19.h"
#include "views/digital/frm_elecdig.h"

namespace vesdra::test {

void DigitalFixture::SetUp()
{
    pantallaGuardada_ = Screen();
    Screen() = ScreenInfo{1024 * 15, 768 * 15, 15, 15};
    SetDecimalSeparatorForTests(QLatin1Char('.'));
    for (int n = 1; n <= NumTextosIdioma; ++n)
        Shell().TextosIdioma[static_cast<std::size_t>(n)] = QStringLiteral("T%1").arg(n);
    Digitales() = {};

    hooksGuardados_ = Hooks();
    ShellHooks& h = Hooks();
    h.MostrarMenu = [this] {
        ++menuMostrado_;
        menuALaVista_ = true;
    };
    h.OcultarMenu = [this] {
        ++menuOculto_;
        menuALaVista_ = false;
    };
    h.MostrarVentana = [](QWidget* w) { w->show(); };
    h.MostrarProgresoOndas = [this] {
        ++progresoAbierto_;
        return true;
    };
    h.ValorProgresoOndas = [this](float v) { progreso_.push_back(v); };
    h.CerrarProgresoOndas = [this] { ++progresoCerrado_; };

    LlenarRegistro(200);
    Grupos({"2", "3"});
}

void DigitalFixture::TearDown()
{
    DescargarFormasDigitales();
    Procesar();
    Hooks() = hooksGuardados_;
    Screen() = pantallaGuardada_;
    SetDecimalSeparatorForTests(QChar());
    vesdra::Registro() = {};
    Plantillas() = {};
    Digitales() = {};
}

void DigitalFixture::LlenarRegistro(std::int32_t nS, const char* revision)
{
    RecordModel& r = vesdra::Registro();
    r = {};
    r.AnioRevision = QString::fromLatin1(revision);
    r.NumAnalogicos = 3;
    r.NumDigitales = 4;
    r.FrecuenciaLinea = 50;
    r.TasasMuestreo = Array<std::int32_t>(1, 1000);
    r.Valores.Resize(nS, 3);
    for (std::int32_t c = 1; c <= 3; ++c) {
        for (std::int32_t s = 1; s <= nS; ++s)
            r.Valores(s, c) = static_cast<float>(c * 100 + s);
    }
    if (r.AnioRevision == QLatin1String("1997")) {
        // The primary side ten times those values, the secondary a tenth.
        Matrix<float> primario = r.Valores;
        Matrix<float> secundario = r.Valores;
        for (std::int32_t c = 1; c <= 3; ++c) {
            for (std::int32_t s = 1; s <= nS; ++s) {
                primario(s, c) *= 10.0f;
                secundario(s, c) *= 0.1f;
            }
        }
        PonerLados(r, std::move(primario), std::move(secundario));
    }
    r.EstadosDigitales.Resize(nS, 4);
    for (std::int32_t s = 1; s <= nS; ++s) {
        r.EstadosDigitales(s, 2) = s >= 50 && s <= 60 ? 1 : 0;
        r.EstadosDigitales(s, 3) = s % 2 == 0 ? 1 : 0;
        r.EstadosDigitales(s, 4) = 1;
    }
    r.TablaCanales.Resize(3, 5);
    const char* nombres[] = {"IC", "IA", "IB"};
    const char* columnas[] = {"3", "1", "2"};
    for (std::int32_t f = 1; f <= 3; ++f) {
        r.TablaCanales(f, 1) = QString::fromLatin1(columnas[f - 1]);
        r.TablaCanales(f, 2) = QString::fromLatin1(nombres[f - 1]);
        r.TablaCanales(f, 4) = QStringLiteral("A");
    }
    r.RegistroAbierto = true;
    Plantillas().NumCanalesTabla = 3;
}

void DigitalFixture::Grupos(const std::vector<QString>& cuentas)
{
    TemplateState& p = Plantillas();
    p.NumGruposDigitales = static_cast<std::int32_t>(cuentas.size());
    p.TablaGruposDigitales.Resize(p.NumGruposDigitales, 2);
    for (std::int32_t g = 1; g <= p.NumGruposDigitales; ++g) {
        p.TablaGruposDigitales(g, 1) = QStringLiteral("G%1").arg(g);
        p.TablaGruposDigitales(g, 2) = cuentas[static_cast<std::size_t>(g - 1)];
    }
    const char* nombres[] = {"D1", "D2", "D2b", "D3", "D4"};
    const char* canales[] = {"1", "2", "2", "3", "4"};
    p.TablaMiembrosDigitales.Resize(5, 2);
    for (std::int32_t m = 1; m <= 5; ++m) {
        p.TablaMiembrosDigitales(m, 1) = QString::fromLatin1(canales[m - 1]);
        p.TablaMiembrosDigitales(m, 2) = QString::fromLatin1(nombres[m - 1]);
    }
    p.NumMiembrosDigitales = 5;
    p.PlantillaAplicada = true;
}

frm19* DigitalFixture::AbrirVista(std::int32_t g, int entrada, Referencia lado)
{
    AbrirElecdig();
    frmElecdig* d = ElecdigCargado();
    if (!d)
        return nullptr;
    if (g >= 1 && g <= 16)
        d->optdg[static_cast<std::size_t>(g)]->setChecked(true);
    if (entrada >= 0)
        d->ElegirAnalogico(entrada);
    if (lado == Referencia::Primario)
        d->CmdPrimario->setChecked(true);
    else if (lado == Referencia::Secundario)
        d->CmdSecundario->setChecked(true);
    d->cmdOK_Click();
    Procesar();
    return Frm19();
}

void DigitalFixture::Procesar()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

std::int32_t ColumnaPixel(double twips)
{
    return static_cast<std::int32_t>(std::floor(twips / 15 + 0.5));
}

} // namespace vesdra::test
