#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "common/test_support.h"
#include "platform/base/app_paths.h"
#include "platform/messages.h"
#include "record/progress_hook.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/open_hooks.h"
#include "shell/progress_windows.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"

namespace vesdra::test {

// "a\nb\n" with CR LF line ends.
inline QByteArray Crlf(QByteArray lf)
{
    return lf.replace("\n", "\r\n");
}

// Fresh process-wide state for every test: an empty record and template, the
// shell's state with a scratch ini folder, default hooks, every message box
// recorded (and answered OK) instead of shown.
class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        exeFolder_ = ExeFolderOverride();
        ASSERT_TRUE(dir_.isValid());
        Registro() = RecordModel{};
        Plantillas() = TemplateState{};
        Shell() = ShellState{};
        Shell().CarpetaIni = dir_.path();
        // Messages are compared with the real English texts.
        SetRuntimeSpanish(false);
        Shell().Idioma = IdiomaIngles;
        Shell().FicheroIdioma = QStringLiteral(VESDRA_RESOURCES_DIR "/ini/vsingles.ini");
        ASSERT_TRUE(CargarIdioma());
        ProgresoRegistro() = RecordProgress{};
        hooks_ = AperturaHooks();
        shellHooks_ = Hooks();
        boxes_ = std::make_unique<ScopedMsgBoxRecorder>();
    }

    void TearDown() override
    {
        DescargarVentanasProgreso();
        boxes_.reset();
        AperturaHooks() = hooks_;
        Hooks() = shellHooks_;
        ProgresoRegistro() = RecordProgress{};
        SetExeFolderOverride(exeFolder_);
        Registro() = RecordModel{};
        Plantillas() = TemplateState{};
        Shell() = ShellState{};
        SetRuntimeSpanish(false);
    }

    QString Ruta(const QString& nombre) const { return dir_.filePath(nombre); }
    void Escribir(const QString& nombre, const QByteArray& bytes)
    {
        ASSERT_TRUE(WriteBytes(Ruta(nombre), bytes));
    }
    QByteArray Leer(const QString& nombre) const { return ReadBytes(Ruta(nombre)); }

    ScopedMsgBoxRecorder& Boxes() { return *boxes_; }

    QTemporaryDir dir_;
    QString exeFolder_; // the override the test found
    std::unique_ptr<ScopedMsgBoxRecorder> boxes_;
    OpenHooks hooks_;
    ShellHooks shellHooks_;
};

} // namespace vesdra::test
