#pragma once
#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/base/formats.h"
#include "platform/base/screen.h"
#include "platform/messages.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "views/waves/waves_services.h"
#include "views/waves/waves_state.h"

namespace vesdra::test {

// A small open record in the record model, the Spanish texts, and shell
// hooks that record what the views ask of the shell.
class WavesFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Screen() = ScreenInfo{};
        SetDecimalSeparatorForTests(QLatin1Char('.'));
        Shell().FicheroIdioma = QStringLiteral(VESDRA_RESOURCES_DIR "/ini/vsotro.ini");
        ASSERT_TRUE(CargarIdioma());
        saved_ = Hooks();
        Hooks().MostrarMenu = [this] { calls.push_back("MostrarMenu"); };
        Hooks().OcultarMenu = [this] { calls.push_back("OcultarMenu"); };
        Hooks().MostrarVentana = [this](QWidget* w) {
            calls.push_back("MostrarVentana");
            w->show();
        };
        Hooks().MostrarProgresoOndas = [this] {
            calls.push_back("MostrarProgreso");
            return true;
        };
        Hooks().ValorProgresoOndas = [this](float v) { progress.push_back(v); };
        Hooks().CerrarProgresoOndas = [this] { calls.push_back("CerrarProgreso"); };
        MakeRecord(2000, 1000);
        // No test may block on a modal box: any box not expected is recorded
        // (and fails the test that checks for none).
        SetMsgBoxHandler([this](const QString& prompt, int style, const QString&) {
            unexpectedBoxes.push_back(prompt);
            (void)style;
            return 1;
        });
    }

    void TearDown() override
    {
        SetMsgBoxHandler({});
        for (const QString& b : unexpectedBoxes)
            ADD_FAILURE() << "message box: " << b.toStdString();
        DescargarOndas();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ReiniciarOndas();
        Hooks() = saved_;
        CerrarRegistro();
        Plantillas().PlantillaAplicada = false;
        SetDecimalSeparatorForTests(QChar());
    }

    // Three channels: IA a 100 A sine, VA a constant 50 kV, DC a ramp in V;
    // for a 1997 record that is the primary side, in force, and every value
    // of the secondary side is 2.
    void MakeRecord(std::int32_t n, std::int32_t rate, const char* revision = "1991")
    {
        RecordModel& r = Registro();
        CerrarRegistro();
        r.AnioRevision = QString::fromLatin1(revision);
        r.NumAnalogicos = 3;
        r.FrecuenciaLinea = 50;
        r.NumTasas = 1;
        r.TasasMuestreo.Resize(1, rate);
        r.TablaCanales = Matrix<QString>(3, 4);
        const char* rows[3][4] = {{"1", "IA", "", "A"}, {"2", "VA", "", "kV"}, {"3", "DC", "", "V"}};
        for (int k = 0; k < 3; ++k)
            for (int c = 0; c < 4; ++c)
                r.TablaCanales(k + 1, c + 1) = QString::fromLatin1(rows[k][c]);
        r.Valores = Matrix<float>(n, 3);
        for (std::int32_t s = 1; s <= n; ++s) {
            r.Valores(s, 1) = static_cast<float>(100.0 * std::sin(2 * M_PI * 50.0 * (s - 1) / rate));
            r.Valores(s, 2) = 50.0f;
            r.Valores(s, 3) = static_cast<float>(s) / 10.0f;
        }
        if (QLatin1String(revision) == QLatin1String("1997"))
            PonerLados(r, std::move(r.Valores), Matrix<float>(n, 3, 2.0f));
        IniciarValores();
    }

    // A 1991 record of `n` samples at 1000 Hz, a channel per name: channel c
    // is named nombres[c - 1] (its second name circuitos[c - 1], where given),
    // in unidades[c - 1], and holds a 50 Hz sine of peak picos[c - 1] shifted
    // by c radians.
    static void SineRecord(const QStringList& nombres, const QStringList& circuitos,
                           const QStringList& unidades, const std::vector<double>& picos,
                           std::int32_t n = 2000)
    {
        RecordModel& r = Registro();
        CerrarRegistro();
        const auto canales = static_cast<std::int32_t>(nombres.size());
        r.AnioRevision = QStringLiteral("1991");
        r.NumAnalogicos = canales;
        r.FrecuenciaLinea = 50;
        r.NumTasas = 1;
        r.TasasMuestreo.Resize(1, 1000);
        r.TablaCanales = Matrix<QString>(canales, 4);
        for (std::int32_t c = 1; c <= canales; ++c) {
            r.TablaCanales(c, 1) = QString::number(c);
            r.TablaCanales(c, 2) = nombres[c - 1];
            if (c <= circuitos.size())
                r.TablaCanales(c, 3) = circuitos[c - 1];
            r.TablaCanales(c, 4) = unidades[c - 1];
        }
        r.Valores = Matrix<float>(n, canales);
        for (std::int32_t s = 1; s <= n; ++s)
            for (std::int32_t c = 1; c <= canales; ++c)
                r.Valores(s, c) = static_cast<float>(picos[static_cast<std::size_t>(c - 1)] *
                                                     std::sin(2 * M_PI * 50.0 * (s - 1) / 1000.0 + c));
        IniciarValores();
    }

    // The menu form in sight, as the last of the two menu hooks left it.
    [[nodiscard]] bool MenuALaVista() const
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
            if (*it == "MostrarMenu" || *it == "OcultarMenu")
                return *it == "MostrarMenu";
        }
        return true;
    }

    [[nodiscard]] int Count(const std::string& call) const
    {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    std::vector<std::string> calls;
    std::vector<float> progress;
    std::vector<QString> unexpectedBoxes;

private:
    ShellHooks saved_;
};

} // namespace vesdra::test
