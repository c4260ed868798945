#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <vector>

#include "platform/base/formats.h"
#include "platform/base/screen.h"
#include "record/record_model.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "views/composition/composition_services.h"
#include "views/composition/composition_state.h"
#include "views/composition/frm_new_companalog.h"
#include "views/composition/frm_ver_cmpang.h"

namespace vesdra::test {

// A record of nc analog channels and nS samples at 1000 samples/s, 50 Hz,
// whose channel c holds valor(s, c); the channel table names channel c
// "C<c>" with unit "U<c>"; language text n reads "T<n>"; a 1024 x 768
// screen at 15 twips per pixel; the shell hooks record what the views ask.
class CompositionFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    void Registrar(std::int32_t nc, std::int32_t nS,
                   const std::function<float(std::int32_t, std::int32_t)>& valor);
    // Opens the dialog and fills slots (1..18) with channel rows.
    frmNewCompanalog& Dialogo(const std::vector<std::pair<int, int>>& casillas);
    // Builds windows from the slots given.
    void Construir(const std::vector<std::pair<int, int>>& casillas);
    [[nodiscard]] frmVerCmpang* Ventana(int n) const
    {
        return Composiciones().VentanasComposicion[static_cast<std::size_t>(n)].data();
    }

    int menuMostrado_{0};
    int menuOculto_{0};
    bool menuALaVista_{true}; // as the last of the two hooks left it
    int progresoCerrado_{0};
    std::vector<float> progreso_;
    std::function<void(float)> alProgreso_;
    ShellHooks hooksGuardados_;
};

} // namespace vesdra::test
