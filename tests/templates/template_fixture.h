#pragma once
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/process_state.h"
#include "common/test_support.h"
#include "platform/base/app_paths.h"
#include "record/record_model.h"
#include "templates/model_db.h"
#include "templates/template_state.h"
#include "templates/wizard_common.h"

namespace vesdra {
inline void PrintTo(const AvisoPaso& a, std::ostream* os)
{
    *os << "{text " << a.Texto << ", style " << a.Estilo << ", tail \"" << a.Cola.toStdString()
        << "\", before " << a.Previo << ", after " << a.Despues << "}";
}
} // namespace vesdra

namespace vesdra::test {

// Each test starts with no record open and no template, and writes its
// templates into a temporary folder.
class TemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CerrarRegistro();
        CerrarPlantillas();
        Plantillas().RutaPlantilla.clear();
    }
    void TearDown() override
    {
        CerrarRegistro();
        CerrarPlantillas();
    }

    // Writes the lines joined by the line end and points RutaPlantilla at them.
    QString Template(const QStringList& lines, const char* eol = "\r\n", const QString& name = "t.cnf")
    {
        const QString path = dir_.filePath(name);
        QByteArray bytes;
        for (const QString& l : lines)
            bytes += l.toLatin1() + eol;
        EXPECT_TRUE(WriteBytes(path, bytes));
        Plantillas().RutaPlantilla = path;
        return path;
    }

    // An open record of nA analog and nD digital channels with a template
    // being applied: the reader checks the fit.
    static void OpenRecord(std::int32_t nA, std::int32_t nD)
    {
        RecordModel& r = Registro();
        r.NumAnalogicos = nA;
        r.NumDigitales = nD;
        r.NombreEstacion = "ESTACION";
        r.TablaCanales.Resize(nA, 4);
        for (std::int32_t c = 1; c <= nA; ++c) {
            r.TablaCanales(c, 1) = QString::number(c);
            r.TablaCanales(c, 2) = QStringLiteral("C%1").arg(c);
        }
        r.RegistroAbierto = true;
        Plantillas().PlantillaAplicada = true;
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    // Subclasses point the program at a runtime tree in dir_; the override
    // the test found comes back when the fixture goes.
    ScopedExeFolder exeFolder_;
};

// Analog rows 1..n of the loaded template as the wizard's first step leaves
// them: channel i, then `nombre`, `segundo` and `unidades`, each "%1" in
// them standing for i.
inline void FilasAnalogicas(std::int32_t n, const QString& nombre, const QString& segundo = {},
                            const QString& unidades = {})
{
    const auto celda = [](const QString& t, std::int32_t i) { return t.contains("%1") ? t.arg(i) : t; };
    Matrix<QString>& t = Plantillas().AnalogicosPlantilla;
    t.Resize(n, 4);
    for (std::int32_t i = 1; i <= n; ++i) {
        t(i, 1) = QString::number(i);
        t(i, 2) = celda(nombre, i);
        t(i, 3) = celda(segundo, i);
        t(i, 4) = celda(unidades, i);
    }
}

// The model reader beside the executable whose folder the test points at,
// as an installation lays it out (a link to the one the build made).
inline void PonerLectorModelos()
{
    const QString hecho = QStringLiteral(VESDRA_RUNTIME_ROOT "/EXE/") + QLatin1String(kLectorModelos);
    const QString aqui = RutaLectorModelos();
    if (QFileInfo(aqui).exists() || QFileInfo(aqui).isSymLink())
        return;
    ASSERT_TRUE(QDir().mkpath(ExeFolder()));
    ASSERT_TRUE(QFile::link(hecho, aqui)) << aqui.toStdString();
}

// The databases `ficheros` of folder `desde` copied into `carpeta`, the
// runtime tree's Models folder, with the model reader in its place.
inline void CopiarModelos(const QString& carpeta, const QString& desde, const QStringList& ficheros)
{
    ASSERT_TRUE(QDir().mkpath(carpeta));
    ASSERT_EQ(CarpetaModelos(), carpeta);
    for (const QString& f : ficheros)
        ASSERT_TRUE(QFile::copy(desde + '/' + f, carpeta + '/' + f)) << f.toStdString();
    PonerLectorModelos();
}

// The cells of row `row` of a table, columns 1..cols.
inline QStringList Row(const Matrix<QString>& m, std::int32_t row)
{
    QStringList out;
    for (std::int32_t c = 1; c <= m.Cols(); ++c)
        out << m(row, c);
    return out;
}

} // namespace vesdra::test
