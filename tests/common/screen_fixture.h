#pragma once
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "common/test_support.h"
#include "shell/shell_hooks.h"

namespace vesdra::test {

// A view fixture run once per screen of the parameter: every window the
// views show goes into the main window's area on that screen. Base restores
// the hooks it saved in its own TearDown, so the area outlives it.
template <class Base> class EnPantalla : public Base, public ::testing::WithParamInterface<PantallaPrueba>
{
protected:
    void SetUp() override
    {
        Base::SetUp();
        area_ = std::make_unique<AreaPantalla>(this->GetParam());
        Hooks().MostrarVentana = [this](QWidget* w) { area_->Mostrar(w); };
    }

    void TearDown() override
    {
        Base::TearDown();
        area_.reset();
    }

    std::unique_ptr<AreaPantalla> area_;
};

} // namespace vesdra::test
