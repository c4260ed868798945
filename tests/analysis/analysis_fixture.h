#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <cmath>
#include <memory>
#include <numbers>

#include "analysis/analysis_services.h"
#include "analysis/analysis_state.h"
#include "platform/base/formats.h"
#include "platform/base/screen.h"
#include "platform/messages.h"
#include "record/record_model.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"

namespace vesdra::test {

// A record of six analog channels at 1000 Hz on a 50 Hz line (N = 20): VA,
// VB, VC and IA, IB, IC, two three-phase sets "TENSION" and "CORRIENTE",
// the language texts the views use, and the shell's menu hooks counted.
class AnalysisFixture : public ::testing::Test
{
protected:
    static constexpr std::int32_t kN = 20;

    void SetUp() override
    {
        PrepararEstado();
        guardados_ = Hooks();
        Hooks().MostrarMenu = [this] {
            ++menuMostrado;
            menuALaVista = true;
        };
        Hooks().OcultarMenu = [this] {
            ++menuOculto;
            menuALaVista = false;
        };
    }

    // The record, the template, the language texts and the analysis state
    // as every test starts from.
    static void PrepararEstado()
    {
        SetDecimalSeparatorForTests(QChar('.'));
        Screen() = ScreenInfo{};
        for (int n = 1; n <= NumTextosIdioma; ++n)
            Shell().TextosIdioma[static_cast<size_t>(n)] = QStringLiteral("T%1").arg(n);
        Shell().TextosIdioma[266] = QStringLiteral("Ventana ");

        RecordModel& r = Registro();
        r = RecordModel{};
        r.RegistroAbierto = true;
        r.AnioRevision = QStringLiteral("1991");
        r.FrecuenciaLinea = 50;
        r.TasasMuestreo.Resize(1, 1000);
        r.NumAnalogicos = 6;
        r.TablaCanales.Resize(6, 5);
        const char* nombres[] = {"VA", "VB", "VC", "IA", "IB", "IC"};
        for (std::int32_t c = 1; c <= 6; ++c) {
            r.TablaCanales(c, 1) = QString::number(c);
            r.TablaCanales(c, 2) = QString::fromLatin1(nombres[c - 1]);
            r.TablaCanales(c, 4) = c <= 3 ? QStringLiteral("kV") : QStringLiteral("A");
        }
        TemplateState& t = Plantillas();
        t = TemplateState{};
        t.PlantillaAplicada = true;
        t.NumCanalesTabla = 6;
        t.NumTrifasicos = 2;
        t.TablaTrifasicos.Resize(2, 5);
        const char* sets[2][5] = {{"1", "2", "3", "TENSION", "1"}, {"4", "5", "6", "CORRIENTE", "1"}};
        for (std::int32_t g = 1; g <= 2; ++g)
            for (std::int32_t k = 1; k <= 5; ++k)
                t.TablaTrifasicos(g, k) = QString::fromLatin1(sets[g - 1][k - 1]);

        Analisis() = AnalysisState{};
    }

    void TearDown() override
    {
        DescargarFormulariosFasores();
        Procesar();
        Hooks() = guardados_;
        SetDecimalSeparatorForTests(QChar());
    }

    // Runs the deferred deletions of unloaded forms.
    static void Procesar()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // A phasor table with a constant phasor per channel (x, y) on every row
    // of a record of `muestras` samples.
    static void TablaConstante(const std::array<std::pair<float, float>, 6>& fasores,
                               std::int32_t muestras = 200)
    {
        TablaReal t(5 * kN + muestras, 12, 0.0f);
        for (std::int32_t r = 1; r <= t.Rows(); ++r)
            for (std::int32_t c = 1; c <= 6; ++c) {
                t(r, 2 * c - 1) = fasores[static_cast<size_t>(c - 1)].first;
                t(r, 2 * c) = fasores[static_cast<size_t>(c - 1)].second;
            }
        Analisis().Fasores = std::make_shared<const TablaReal>(std::move(t));
        Analisis().MuestrasCicloDFT = kN;
    }

    // 100 at 0°, −120°, +120° on channels 1..3; 10, 20, 30 on channels 4..6.
    static void TablaEquilibrada()
    {
        const float im = 86.6025403784f;
        TablaConstante(
            {{{100.0f, 0.0f}, {-50.0f, -im}, {-50.0f, im}, {10.0f, 0.0f}, {0.0f, 20.0f}, {-30.0f, 0.0f}}});
    }

    static void Elegir(std::vector<std::int32_t> fases, std::vector<std::int32_t> secuencias,
                       std::int32_t modo)
    {
        Analisis().SeleccionFases = std::move(fases);
        Analisis().SeleccionSecuencias = std::move(secuencias);
        Analisis().ModoVistas = modo;
    }

    int menuMostrado{0};
    int menuOculto{0};
    bool menuALaVista{true}; // as the last of the two hooks left it

private:
    ShellHooks guardados_;
};

} // namespace vesdra::test
