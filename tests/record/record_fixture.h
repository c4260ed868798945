#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "record/progress_hook.h"
#include "record/record_model.h"

namespace vesdra::test {

// A fresh record model and hooks for every test, and a scratch folder.
class RecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        Reiniciar();
    }
    void TearDown() override { Reiniciar(); }

    static void Reiniciar()
    {
        Registro() = RecordModel{};
        ProgresoRegistro() = RecordProgress{};
    }

    QString Ruta(const QString& nombre) const { return dir_.filePath(nombre); }

    // Writes name.cfg / name.dat and points the model at them.
    void Registrar(const QString& nombre, const QByteArray& cfg, const QByteArray& dat)
    {
        ASSERT_TRUE(WriteBytes(Ruta(nombre + ".cfg"), cfg));
        ASSERT_TRUE(WriteBytes(Ruta(nombre + ".dat"), dat));
        Registro().RutaCfg = Ruta(nombre + ".cfg");
        Registro().RutaDat = Ruta(nombre + ".dat");
    }

    QTemporaryDir dir_;
};

// "a\nb\n" with CR LF line ends.
inline QByteArray Crlf(QByteArray lf)
{
    return lf.replace("\n", "\r\n");
}

} // namespace vesdra::test
