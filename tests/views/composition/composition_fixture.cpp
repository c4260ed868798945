#include "composition_fixture.h"

#include <QCoreApplication>
#include <QListWidget>

#include "views/composition/composition_services.h"

namespace vesdra::test {

void CompositionFixture::SetUp()
{
    SetDecimalSeparatorForTests(QLatin1Char('.'));
    Screen() = ScreenInfo{};
    for (int n = 1; n <= NumTextosIdioma; ++n)
        Shell().TextosIdioma[static_cast<std::size_t>(n)] = QStringLiteral("T%1").arg(n);
    hooksGuardados_ = Hooks();
    Hooks().MostrarMenu = [this] {
        ++menuMostrado_;
        menuALaVista_ = true;
    };
    Hooks().OcultarMenu = [this] {
        ++menuOculto_;
        menuALaVista_ = false;
    };
    Hooks().MostrarProgresoOndas = [] { return true; };
    Hooks().ValorProgresoOndas = [this](float v) {
        progreso_.push_back(v);
        if (alProgreso_)
            alProgreso_(v);
    };
    Hooks().CerrarProgresoOndas = [this] { ++progresoCerrado_; };
    Hooks().MostrarVentana = [](QWidget* w) { w->show(); };
}

void CompositionFixture::TearDown()
{
    DescargarComposiciones();
    ReiniciarComposiciones();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Hooks() = hooksGuardados_;
    CerrarRegistro();
    Plantillas().NumCanalesTabla = 0;
    SetDecimalSeparatorForTests(QChar());
}

void CompositionFixture::Registrar(std::int32_t nc, std::int32_t nS,
                                   const std::function<float(std::int32_t, std::int32_t)>& valor)
{
    RecordModel& r = Registro();
    r.AnioRevision = QStringLiteral("1991");
    r.NumAnalogicos = nc;
    r.FrecuenciaLinea = 50;
    r.NumTasas = 1;
    r.TasasMuestreo = Array<std::int32_t>(1, 1000);
    r.TablaCanales = Matrix<QString>(nc, 4);
    for (std::int32_t c = 1; c <= nc; ++c) {
        r.TablaCanales(c, 1) = QString::number(c);
        r.TablaCanales(c, 2) = QStringLiteral("C%1").arg(c);
        r.TablaCanales(c, 4) = QStringLiteral("U%1").arg(c);
    }
    r.Valores = Matrix<float>(nS, nc);
    for (std::int32_t c = 1; c <= nc; ++c)
        for (std::int32_t s = 1; s <= nS; ++s)
            r.Valores(s, c) = valor(s, c);
    r.RegistroAbierto = true;
    Plantillas().NumCanalesTabla = nc;
}

frmNewCompanalog& CompositionFixture::Dialogo(const std::vector<std::pair<int, int>>& casillas)
{
    AbrirComposicion();
    frmNewCompanalog& d = NewCompanalog();
    for (const auto& [casilla, fila] : casillas) {
        d.lblpunt_Click(casilla);
        d.List1->setCurrentRow(fila - 1);
        d.List1_DblClick();
    }
    return d;
}

void CompositionFixture::Construir(const std::vector<std::pair<int, int>>& casillas)
{
    Dialogo(casillas).cmdOK_Click();
}

} // namespace vesdra::test
