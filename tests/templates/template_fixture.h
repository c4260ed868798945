#pragma once
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "record/record_model.h"
#include "templates/template_state.h"
#include "templates/wizard_common.h"

namespace vesdra
{
inline void PrintTo(const AvisoPaso& a, std::ostream* os)
{
    *os << "{text " << a.Texto << ", style " << a.Estilo << ", tail \"" << a.Cola.toStdString()
        << "\", before " << a.Previo << ", after " << a.Despues << "}";
}
} // namespace vesdra

namespace vesdra::test
{

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
};

// The cells of row `row` of a table, columns 1..cols.
inline QStringList Row(const Matrix<QString>& m, std::int32_t row)
{
    QStringList out;
    for (std::int32_t c = 1; c <= m.Cols(); ++c)
        out << m(row, c);
    return out;
}

} // namespace vesdra::test
