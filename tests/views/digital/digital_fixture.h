#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/base/screen.h"
#include "platform/messages.h"
#include "shell/shell_hooks.h"
#include "views/digital/digital_selection.h"

namespace vesdra {
class frm19;
}

namespace vesdra::test {

// A small open record with an applied template, a language table whose
// text n reads "T<n>", a 1024 x 768 screen at 15 twips per pixel and shell
// hooks that count what the views ask of the shell.
//
// Record: nS samples, three analog channels; channel column c holds
// c * 100 + s at sample s. The channel table lists them out of record
// order: row 1 is column 3, row 2 column 1, row 3 column 2 (names "IC",
// "IA", "IB", unit "A"). Four digital channels: 1 all 0, 2 one at samples
// 50..60, 3 one on even samples, 4 all 1.
// Template: group "G1" members (1 "D1", 2 "D2"), group "G2" members
// (2 "D2b", 3 "D3", 4 "D4").
class DigitalFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Fills the record (revision "1991" or "1997"; a 1997 record's primary
    // side is the values times 10, the secondary side times 0.1).
    void LlenarRegistro(std::int32_t nS, const char* revision = "1991");
    // The template's group table; members as above.
    void Grupos(const std::vector<QString>& cuentas);

    // Opens the group dialog, picks group g, analog entry (0-based, -1 for
    // none) and side, and presses OK. Returns the view (null when none).
    frm19* AbrirVista(std::int32_t g, int entrada = -1, Referencia lado = Referencia::Ninguna);

    // Deletes what was closed (deferred deletes).
    static void Procesar();

    ScopedMsgBoxRecorder cajas_{};
    int menuMostrado_{0};
    int menuOculto_{0};
    bool menuALaVista_{true}; // as the last of the two hooks left it
    int progresoAbierto_{0};
    int progresoCerrado_{0};
    std::vector<float> progreso_{};

private:
    ShellHooks hooksGuardados_{};
    ScreenInfo pantallaGuardada_{};
};

// Pixel column (or row) of a position in twips at 15 twips per pixel.
std::int32_t ColumnaPixel(double twips);

} // namespace vesdra::test
