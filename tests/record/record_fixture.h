#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "gen/comtrade_gen.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/progress_hook.h"
#include "record/record_model.h"

namespace vesdra::test {

// A fresh record model and hooks for every test, and a scratch folder.
class RecordTest : public ::testing::Test
{
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

    // Writes a generated record as nombre.cfg / nombre.dat and points the
    // model at them.
    void RegistrarGenerado(const gen::GenSpec& spec, const QString& nombre)
    {
        ASSERT_TRUE(gen::WriteRecord(spec, Ruta(nombre)));
        Registro().RutaCfg = Ruta(nombre + ".cfg");
        Registro().RutaDat = Ruta(nombre + ".dat");
    }

    // The model's .cfg, then the .dat of the kind it names, as the open
    // sequence reads them: the .cfg's refusal or the .dat reader's result.
    static ResultadoLectura LeerRegistro()
    {
        if (ResultadoLectura cfg = LeerCfg(Registro()); !cfg.Ok())
            return cfg;
        return LeerDat(Registro());
    }

    QTemporaryDir dir_;
};

// The generator's 1997 record with sides of every kind: channel 2 referred
// to its secondary (flag " s ", ratio 132000 / 110), channel 3 under a flag
// that is neither P nor S, the others to their primary.
inline gen::GenSpec RegistroConLados(std::int32_t muestras, std::int32_t analogicos, std::int32_t digitales,
                                     gen::DataFormat formato)
{
    gen::GenSpec spec = gen::BenchRecordSpec(muestras, analogicos, digitales, formato);
    spec.analog[1].ps = " s ";
    spec.analog[1].primary = 132000;
    spec.analog[1].secondary = 110;
    spec.analog[2].ps = "x";
    return spec;
}

// "a\nb\n" with CR LF line ends.
inline QByteArray Crlf(QByteArray lf)
{
    return lf.replace("\n", "\r\n");
}

} // namespace vesdra::test
