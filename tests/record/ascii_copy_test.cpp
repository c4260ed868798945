#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <new>

#include "gen/comtrade_gen.h"
#include "record/ascii_copy.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record_fixture.h"

namespace vesdra {
namespace {

using test::Crlf;
using test::ReadBytes;
using test::WriteBytes;

class CopiaTest : public test::RecordTest
{
protected:
    // Opens a generated BINARY record "<nombre>" of the scratch folder.
    void AbrirGenerado(const gen::GenSpec& spec, const QString& nombre)
    {
        ASSERT_TRUE(gen::WriteRecord(spec, Ruta(nombre)));
        Abrir(nombre);
    }
    void Abrir(const QString& nombre)
    {
        Registro().RutaDat = Ruta(nombre + ".dat");
        Registro().RutaCfg = Ruta(nombre + ".cfg");
        Registro().RutaHdr = Ruta(nombre + ".hdr");
        ASSERT_TRUE(LeerRegistro().Ok());
    }
    void Convertir(const QString& nombre)
    {
        Registro().NombreConversion = Ruta(nombre);
        const ResultadoCopia dat = GuardarDatAscii();
        ASSERT_TRUE(dat.Ok()) << dat.Detalle.toStdString();
        const ResultadoCopia cfg = GuardarCfgAscii();
        ASSERT_TRUE(cfg.Ok()) << cfg.Detalle.toStdString();
    }
    static gen::GenSpec Pequeno(int nA, int nD, int muestras)
    {
        gen::GenSpec spec = gen::BenchRecordSpec(muestras, nA, nD, gen::DataFormat::Binary);
        spec.header = "Informe";
        return spec;
    }
};

TEST_F(CopiaTest, DataLinesHoldRawValuesAndBitsWithoutATrailingComma)
{
    const struct {
        int nA, nD;
    } casos[] = {{2, 0}, {2, 3}, {1, 16}, {1, 17}, {3, 33}};
    for (const auto& c : casos) {
        const gen::GenSpec spec = Pequeno(c.nA, c.nD, 5);
        const QString nombre = QString("b%1_%2").arg(c.nA).arg(c.nD);
        AbrirGenerado(spec, nombre);
        Convertir(nombre + "_ascii");
        const QList<QByteArray> lineas = ReadBytes(Ruta(nombre + "_ascii.DAT")).split('\n');
        ASSERT_EQ(lineas.size(), 6) << nombre.toStdString(); // 5 lines and what follows the last LF
        EXPECT_TRUE(lineas[5].isEmpty());
        for (int s = 1; s <= 5; ++s) {
            QByteArray esperada =
                " " + QByteArray::number(s) + "," + QByteArray::number(gen::RawTimeStamp(spec, s));
            for (int a = 1; a <= c.nA; ++a)
                esperada += "," + QByteArray::number(gen::RawValue(spec, a, s));
            for (int d = 1; d <= c.nD; ++d)
                esperada += gen::DigitalState(spec, d, s) != 0 ? ",1" : ",0";
            EXPECT_EQ(lineas[s - 1].toStdString(), (esperada + "\r").toStdString())
                << nombre.toStdString() << " sample " << s;
        }
    }
}

TEST_F(CopiaTest, NegativeNumbersAndTheUnmultipliedTimeStampAreWritten)
{
    // One sample: number -3, time -1 (0xFFFFFFFF), raw values -12 and 407,
    // digital 0, 1, 0; a time multiplier the copy must not apply.
    QByteArray dat;
    char b[4];
    for (std::int32_t v : {-3, -1}) {
        qToLittleEndian(v, b);
        dat.append(b, 4);
    }
    for (std::int16_t v : {std::int16_t(-12), std::int16_t(407), std::int16_t(0x0002)}) {
        qToLittleEndian(v, b);
        dat.append(b, 2);
    }
    const QByteArray cfg = Crlf("SE,REL,1997\n5,2A,3D\n1,IA,,,A,1,0,0,0,1,1,1,P\n2,IB,,,A,1,0,0,0,1,1,1,P\n"
                                "1,D1,,,0\n2,D2,,,0\n3,D3,,,0\n50\n1\n1000,1\n01/01/2000,00:00:00\n"
                                "01/01/2000,00:00:00\nBINARY\n1000\n");
    Registrar("n", cfg, dat);
    ASSERT_TRUE(WriteBytes(Ruta("n.hdr"), "h"));
    Abrir("n");
    Convertir("n_ascii");
    EXPECT_EQ(ReadBytes(Ruta("n_ascii.DAT")), " -3,-1,-12,407,0,1,0\r\n");
}

TEST_F(CopiaTest, OnlyTheFileTypeLineOfTheConfigurationChanges)
{
    const QByteArray cuerpo1991 = "SE,REL\n2,1A,1D\n1,IA,,,A,1,0,0,0,1\n1,D1,,,0\n50\n1\n1000,1\n"
                                  "01/01/2000,00:00:00\n01/01/2000,00:00:00\n";
    const QByteArray cuerpo1997 = "SE,REL,1997\n2,1A,1D\n1,IA,,,A,1,0,0,0,1,1,1,P\n1,D1,,,0\n50\n1\n1000,1\n"
                                  "01/01/2000,00:00:00\n01/01/2000,00:00:00\n";
    const struct {
        const char* caso;
        QByteArray origen;
        QByteArray esperada;
    } casos[] = {
        {"1991 CR LF", Crlf(cuerpo1991 + "BINARY\n"), Crlf(cuerpo1991 + "ASCII\n")},
        {"1997 CR LF", Crlf(cuerpo1997 + "BINARY\n1\n"), Crlf(cuerpo1997 + "ASCII\n1\n")},
        // A multiplier of more than one character stays whole.
        {"1997 multiplier 1.0", Crlf(cuerpo1997 + "BINARY\n1.0\n"), Crlf(cuerpo1997 + "ASCII\n1.0\n")},
        {"1997 multiplier 0.001, LF", cuerpo1997 + "binary \n0.001\n", cuerpo1997 + "ASCII\n0.001\n"},
        {"no final line end", Crlf(cuerpo1991) + "BINARY", Crlf(cuerpo1991) + "ASCII"},
        {"lines after the file type", Crlf(cuerpo1991 + "BINARY\n\nextra\n"),
         Crlf(cuerpo1991 + "ASCII\n\nextra\n")},
    };
    int k = 0;
    for (const auto& c : casos) {
        const QString nombre = QString("c%1").arg(++k);
        QByteArray dat(8 + 2 + 2, '\0');
        Registrar(nombre, c.origen, dat);
        ASSERT_TRUE(WriteBytes(Ruta(nombre + ".hdr"), "cabecera"));
        Abrir(nombre);
        Convertir(nombre + "_a");
        EXPECT_EQ(ReadBytes(Ruta(nombre + "_a.cfg")), c.esperada) << c.caso;
        EXPECT_EQ(ReadBytes(Ruta(nombre + "_a.hdr")), "cabecera") << c.caso;
        EXPECT_EQ(ReadBytes(Ruta(nombre + ".cfg")), c.origen) << c.caso; // the source untouched
    }
}

TEST_F(CopiaTest, BinaryToAsciiCopyReadsBackIdentically)
{
    for (int nD : {0, 16, 21}) {
        gen::GenSpec spec = Pequeno(6, nD, 3000);
        spec.timeMultiplier = 0.25;
        spec.analog[3].ps = "S";
        spec.analog[3].primary = 400000;
        spec.analog[3].secondary = 110;
        const QString nombre = QString("rt%1").arg(nD);
        AbrirGenerado(spec, nombre);
        const RecordModel binario = Registro();
        Convertir(nombre + "_a");

        Registro() = RecordModel{};
        Registro().RutaCfg = Ruta(nombre + "_a.cfg");
        Registro().RutaDat = Ruta(nombre + "_a.DAT");
        ASSERT_TRUE(LeerCfg(Registro()).Ok());
        ASSERT_EQ(Registro().TipoFichero, "ASCII");
        ASSERT_TRUE(LeerDatAscii(Registro()).Ok());
        const RecordModel& ascii = Registro();
        EXPECT_EQ(ascii.Tiempos, binario.Tiempos) << nD;
        EXPECT_EQ(ascii.Valores, binario.Valores) << nD;
        EXPECT_EQ(ascii.ValoresPrimario(), binario.ValoresPrimario()) << nD;
        EXPECT_EQ(ascii.ValoresSecundario(), binario.ValoresSecundario()) << nD;
        EXPECT_EQ(ascii.EstadosDigitales, binario.EstadosDigitales) << nD;
        EXPECT_EQ(ascii.TasaCalculada, binario.TasaCalculada) << nD;
        EXPECT_EQ(ascii.NumMuestras(), 3000);
    }
}

// A BINARY record cut inside its last sample opens with its whole samples;
// the copy holds those and nothing made of the missing bytes.
TEST_F(CopiaTest, CopyOfARecordCutShortHoldsItsWholeSamplesOnly)
{
    const gen::GenSpec spec = Pequeno(3, 5, 20);
    ASSERT_TRUE(gen::WriteRecord(spec, Ruta("corto")));
    QByteArray dat = ReadBytes(Ruta("corto.dat"));
    dat.chop(7);
    ASSERT_TRUE(WriteBytes(Ruta("corto.dat"), dat));
    Abrir("corto");
    ASSERT_EQ(Registro().NumMuestras(), 19);
    Convertir("corto_a");
    const QList<QByteArray> lineas = ReadBytes(Ruta("corto_a.DAT")).split('\n');
    ASSERT_EQ(lineas.size(), 20);
    EXPECT_TRUE(lineas[18].startsWith(" 19," + QByteArray::number(gen::RawTimeStamp(spec, 19)) + ","));
}

// The data file changed after the record was opened: cut to fewer samples
// than the record's (inside a sample, or before the first), the copy is
// refused and writes nothing, an earlier copy of that name kept whole; no
// line is made of zeros the file does not hold.
TEST_F(CopiaTest, ACopyOfADataFileCutShortSinceTheOpenIsRefusedAndWritesNothing)
{
    const gen::GenSpec spec = Pequeno(8, 0, 1000);
    const auto tam = static_cast<qint64>(gen::BinaryRecordSize(spec));
    const struct {
        qint64 bytes;
        std::int32_t halladas;
    } casos[] = {{56 * tam + 9, 56}, {999 * tam, 999}, {tam - 1, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.bytes);
        AbrirGenerado(spec, "cambia");
        ASSERT_EQ(Registro().NumMuestras(), 1000);
        ASSERT_TRUE(WriteBytes(Ruta("copia.DAT"), "anterior"));
        ASSERT_TRUE(QFile::resize(Ruta("cambia.dat"), c.bytes));
        Registro().NombreConversion = Ruta("copia");
        const ResultadoCopia res = GuardarDatAscii();
        EXPECT_EQ(res.Error, ErrorCopia::DatCambiado);
        EXPECT_EQ(res.MuestrasHalladas, c.halladas);
        EXPECT_EQ(res.MuestrasRegistro, 1000);
        EXPECT_EQ(ReadBytes(Ruta("copia.DAT")), "anterior");
        EXPECT_EQ(QDir(dir_.path()).entryList({"copia*"}, QDir::Files), QStringList{"copia.DAT"});
        EXPECT_EQ(Registro().Valores(1000, 8), gen::ExpectedValue(spec, 8, 1000)); // the record as read
    }
}

TEST_F(CopiaTest, ProgressBarRunsFromZeroToTheSampleCount)
{
    int inicio = -1, ultimo = -1, fines = 0;
    ProgresoRegistro().BarraInicio = [&](int max) { inicio = max; };
    ProgresoRegistro().BarraValor = [&](int v) {
        EXPECT_GE(v, ultimo);
        ultimo = v;
    };
    ProgresoRegistro().BarraFin = [&] { ++fines; };
    AbrirGenerado(Pequeno(2, 2, 2500), "p");
    Convertir("p_a");
    EXPECT_EQ(inicio, 2500);
    EXPECT_EQ(ultimo, 2500);
    EXPECT_EQ(fines, 1);

    // A copy that runs out of memory half-way still takes its bar away.
    ProgresoRegistro().BarraValor = [](int v) {
        if (v > 1000)
            throw std::bad_alloc();
    };
    EXPECT_THROW(Convertir("p_b"), std::bad_alloc);
    EXPECT_EQ(fines, 2);
}

TEST_F(CopiaTest, ConvertAndStopZeroesTheOpenValuesButCopiesTheFile)
{
    AbrirGenerado(Pequeno(3, 5, 100), "z");
    Registro().SalirTrasConversion = true;
    Convertir("z_a");
    const RecordModel& r = Registro();
    EXPECT_EQ(r.Valores.Rows(), 100);
    EXPECT_EQ(r.Valores.Cols(), 3);
    EXPECT_EQ(r.Valores, Matrix<float>(100, 3));
    EXPECT_EQ(r.ValoresPrimario(), Matrix<float>(100, 3));
    EXPECT_EQ(r.EstadosDigitales, Matrix<std::uint8_t>(100, 5));
    // The tables of the values read go too: they would draw what is gone.
    EXPECT_EQ(TablaValores(r, 1), nullptr);
    EXPECT_EQ(TablaEstados(r, 1), nullptr);
    EXPECT_EQ(ReadBytes(Ruta("z_a.DAT")).count('\n'), 100);
}

// A record without a header copies none and says nothing; a header that
// cannot be copied is told (text 160) and the configuration still copied.
TEST_F(CopiaTest, AHeaderThatCannotBeCopiedIsToldAMissingOneIsNot)
{
    int texto = 0, estilo = 0, titulo = 0;
    ProgresoRegistro().Mensaje = [&](int t, int e, int c) {
        texto = t;
        estilo = e;
        titulo = c;
    };
    gen::GenSpec spec = Pequeno(1, 0, 3);
    spec.header.clear();
    AbrirGenerado(spec, "sin");
    Convertir("sin_a");
    EXPECT_EQ(texto, 0);
    EXPECT_TRUE(QFile::exists(Ruta("sin_a.cfg")));
    EXPECT_FALSE(QFile::exists(Ruta("sin_a.hdr")));

    AbrirGenerado(Pequeno(1, 0, 3), "con");
    ASSERT_TRUE(QFile::exists(Ruta("con.hdr")));
    for (const bool salir : {false, true}) {
        // The header's target is a folder: it cannot be written.
        const char* nombre = salir ? "con_b" : "con_a";
        ASSERT_TRUE(QDir().mkpath(Ruta(QString::fromLatin1(nombre) + QStringLiteral(".hdr"))));
        texto = 0;
        Registro().SalirTrasConversion = salir;
        Convertir(nombre);
        EXPECT_EQ(texto, 160) << salir;
        EXPECT_EQ(estilo, 48) << salir;
        EXPECT_EQ(titulo, salir ? 153 : 152);
        EXPECT_TRUE(QFile::exists(Ruta(QString::fromLatin1(nombre) + QStringLiteral(".cfg")))) << salir;
    }
}

TEST_F(CopiaTest, ATargetThatIsASourceFileIsRefusedAndTheSourceKept)
{
    AbrirGenerado(Pequeno(2, 3, 10), "fuente");
    const QByteArray dat = ReadBytes(Ruta("fuente.dat"));
    const QByteArray cfg = ReadBytes(Ruta("fuente.cfg"));
    for (const char* nombre : {"fuente", "FUENTE", "./sub/../fuente"}) {
        QDir().mkpath(Ruta("sub"));
        Registro().NombreConversion = Ruta(nombre);
        EXPECT_EQ(GuardarDatAscii().Error, ErrorCopia::DestinoEsOrigen) << nombre;
        EXPECT_EQ(GuardarCfgAscii().Error, ErrorCopia::DestinoEsOrigen) << nombre;
    }
    EXPECT_EQ(ReadBytes(Ruta("fuente.dat")), dat);
    EXPECT_EQ(ReadBytes(Ruta("fuente.cfg")), cfg);
    EXPECT_FALSE(QFile::exists(Ruta("FUENTE.DAT")));
}

TEST_F(CopiaTest, AFailedCopyLeavesNoDamagedTarget)
{
    AbrirGenerado(Pequeno(2, 3, 10), "f");
    // A folder that does not exist: told apart, nothing written.
    Registro().NombreConversion = Ruta("no/existe/x");
    EXPECT_EQ(GuardarDatAscii().Error, ErrorCopia::CarpetaNoExiste);
    EXPECT_EQ(GuardarCfgAscii().Error, ErrorCopia::CarpetaNoExiste);

    // Earlier copies are kept whole when the source has gone.
    ASSERT_TRUE(WriteBytes(Ruta("viejo.DAT"), "anterior"));
    ASSERT_TRUE(WriteBytes(Ruta("viejo.cfg"), "anterior"));
    ASSERT_TRUE(QFile::rename(Ruta("f.dat"), Ruta("f.bak")));
    ASSERT_TRUE(QFile::rename(Ruta("f.cfg"), Ruta("f.cbak")));
    Registro().NombreConversion = Ruta("viejo");
    EXPECT_EQ(GuardarDatAscii().Error, ErrorCopia::NoSeLee);
    EXPECT_EQ(GuardarCfgAscii().Error, ErrorCopia::NoSeLee);
    EXPECT_EQ(ReadBytes(Ruta("viejo.DAT")), "anterior");
    EXPECT_EQ(ReadBytes(Ruta("viejo.cfg")), "anterior");
    // No temporary left behind (the header, still there, was copied first).
    const QStringList restos = QDir(dir_.path()).entryList({"viejo*"}, QDir::Files, QDir::Name);
    EXPECT_EQ(restos, QStringList({"viejo.DAT", "viejo.cfg", "viejo.hdr"})) << restos.join(' ').toStdString();
}

} // namespace
} // namespace vesdra
