#include <QByteArray>
#include <gtest/gtest.h>

#include "record/cfg_reader.h"
#include "record_fixture.h"

namespace vesdra {
namespace {

using test::Crlf;

// A 1997 .cfg with 3 analog and 2 digital channels.
const QByteArray kCfg1997 = "SUBESTACION NORTE,REL-1,1997\n"
                            "5,3A,2D\n"
                            "1,IA,A,Linea 1,A,6.103516E-05,-0.5,12.5,-32767,32767,1200,5,P\n"
                            "2,IB,B,,A,2.836798e+000,1,0,-32767,32767,1200,5, s \n"
                            "3,VA,A,Barra,kV,0.01,0,0,-32767,32767,220,0.11,S\n"
                            "1,Disparo,,,0\n"
                            "2,Arranque,,,0\n"
                            "50\n"
                            "1\n"
                            "50000,1200\n"
                            "01/06/2004,10:15:30.000000\n"
                            "01/06/2004,10:15:30.500000\n"
                            "BINARY\n"
                            "0.001\n";

const QByteArray kCfg1991 = "SE SUR,REL-2\n"
                            "2,1A,1D\n"
                            "1,VA,,,V,1,0,0,-32767,32767\n"
                            "1,Disparo,,,0\n"
                            "60\n"
                            "1\n"
                            "960,100\n"
                            "01/06/2004,10:15:30.000000\n"
                            "01/06/2004,10:15:30.500000\n"
                            "ASCII\n";

class CfgTest : public test::RecordTest
{
protected:
    ResultadoLectura Leer(const QByteArray& cfg, const QString& nombre = "r")
    {
        EXPECT_TRUE(test::WriteBytes(Ruta(nombre + ".cfg"), cfg));
        Registro().RutaCfg = Ruta(nombre + ".cfg");
        return LeerCfg(Registro());
    }
};

TEST_F(CfgTest, ReadsEveryFieldOfA1997File)
{
    ASSERT_TRUE(Leer(Crlf(kCfg1997)).Ok());
    const RecordModel& r = Registro();
    EXPECT_EQ(r.NombreEstacion, "SUBESTACION NORTE");
    EXPECT_EQ(r.AnioRevision, "1997");
    EXPECT_EQ(r.TextoRevision, "1997");
    EXPECT_FALSE(r.RevisionErronea);
    EXPECT_EQ(r.TotalCanales, 5);
    EXPECT_EQ(r.NumAnalogicos, 3);
    EXPECT_EQ(r.NumDigitales, 2);
    EXPECT_EQ(r.NumAnalogicosOfrecidos, 3);
    EXPECT_EQ(r.NumDigitalesOfrecidos, 2);
    ASSERT_EQ(r.TablaCanales.Rows(), 3);
    ASSERT_EQ(r.TablaCanales.Cols(), 4);
    EXPECT_EQ(r.TablaCanales(1, 1), "1");
    EXPECT_EQ(r.TablaCanales(1, 2), "IA");
    EXPECT_EQ(r.TablaCanales(1, 3), "Linea 1");
    EXPECT_EQ(r.TablaCanales(1, 4), "A");
    EXPECT_EQ(r.TablaCanales(2, 3), "");
    EXPECT_EQ(r.TablaCanales(3, 4), "kV");
    // The factors and ratings as written, to the last digit of a double.
    EXPECT_EQ(r.FactorA(1), 6.103516e-05);
    EXPECT_EQ(r.FactorB(1), -0.5);
    EXPECT_FLOAT_EQ(r.Desfase(1), 12.5f);
    EXPECT_EQ(r.FactorA(2), 2.836798);
    EXPECT_EQ(r.FactorA(3), 0.01);
    ASSERT_EQ(r.TablaPrimSec.Size(), 3);
    EXPECT_EQ(r.TablaPrimSec(1).Primario, 1200);
    EXPECT_EQ(r.TablaPrimSec(1).Secundario, 5);
    EXPECT_EQ(r.TablaPrimSec(1).PS, "P");
    EXPECT_EQ(r.TablaPrimSec(2).PS, " s "); // kept as written
    EXPECT_EQ(r.TablaPrimSec(3).Secundario, 0.11);
    ASSERT_EQ(r.NombresDigitales.Size(), 2);
    EXPECT_EQ(r.NombresDigitales(2), "Arranque");
    EXPECT_EQ(r.FrecuenciaLinea, 50);
    EXPECT_EQ(r.NumTasas, 1);
    EXPECT_EQ(r.TasasMuestreo(1), 50000); // held now that rates are 32-bit
    EXPECT_EQ(r.MuestrasFinales(1), 1200);
    EXPECT_EQ(r.FechaInicio, "01/06/2004,10:15:30.000000");
    EXPECT_EQ(r.FechaDisparo, "01/06/2004,10:15:30.500000");
    EXPECT_EQ(r.TipoFichero, "BINARY");
    EXPECT_DOUBLE_EQ(r.MultTiempo, 0.001); // a real, not rounded to 0
}

TEST_F(CfgTest, LoneLfAndCrLfFilesReadAlike)
{
    ASSERT_TRUE(Leer(kCfg1997).Ok());
    const RecordModel lf = Registro();
    ASSERT_TRUE(Leer(Crlf(kCfg1997)).Ok());
    const RecordModel& crlf = Registro();
    EXPECT_EQ(lf.TablaCanales, crlf.TablaCanales);
    EXPECT_EQ(lf.TablaPrimSec(2).PS, crlf.TablaPrimSec(2).PS);
    EXPECT_EQ(lf.TipoFichero, crlf.TipoFichero);
    EXPECT_EQ(lf.FechaDisparo, crlf.FechaDisparo);
}

TEST_F(CfgTest, RevisionFieldDecidesTheRevisionOrRefusesTheFile)
{
    const struct {
        const char* linea1;
        bool aceptada;
        const char* anio;
    } casos[] = {
        {"SE,REL", true, "1991"},        {"SE,REL,", true, "1991"},  {"SE,REL,1997", true, "1997"},
        {"SE,REL, 1997 ", true, "1997"}, {"SE,REL,1991", false, ""}, {"SE,REL,1999", false, ""},
        {"SE,REL,2013", false, ""},
    };
    for (const auto& c : casos) {
        QByteArray cfg = kCfg1991;
        cfg.replace("SE SUR,REL-2", c.linea1);
        const ResultadoLectura res = Leer(cfg);
        EXPECT_EQ(res.Ok(), c.aceptada) << c.linea1;
        EXPECT_EQ(Registro().RevisionErronea, !c.aceptada) << c.linea1;
        if (c.aceptada) {
            EXPECT_EQ(Registro().AnioRevision, c.anio) << c.linea1;
        } else {
            EXPECT_EQ(res.Error, ErrorLectura::RevisionRechazada);
            EXPECT_EQ(res.Hallado, QString(c.linea1).section(',', 2)) << c.linea1; // the revision found
        }
    }
}

// Modern recorders write UTF-8, older ones Windows-1252: each file is read in
// its own encoding, decided once for the whole file.
TEST_F(CfgTest, TextIsUtf8WhenTheFileIsValidUtf8ElseWindows1252)
{
    const QString grados = QString::fromUtf8("°C");
    const QString estacion = QString::fromUtf8("SUBESTACIÓN ñ");
    QByteArray cfg = Crlf(kCfg1991);
    cfg.replace("SE SUR", "@E").replace(",V,1,", ",@U,1,");
    const struct {
        const char* que;
        QByteArray bytes;
    } casos[] = {
        {"UTF-8", QByteArray(cfg).replace("@E", estacion.toUtf8()).replace("@U", grados.toUtf8())},
        {"Windows-1252", QByteArray(cfg)
                             .replace("@E", "SUBESTACI\xD3N \xF1")
                             .replace("@U", "\xB0"
                                            "C")},
        // One byte that is no UTF-8 makes the whole file Windows-1252.
        {"UTF-8 sequence beside a Windows-1252 byte", QByteArray(cfg)
                                                          .replace("@E", "SUBESTACI\xD3N \xF1")
                                                          .replace("@U", "\xC2\xB0"
                                                                         "C")},
    };
    for (const auto& c : casos) {
        ASSERT_TRUE(Leer(c.bytes).Ok()) << c.que;
        EXPECT_EQ(Registro().NombreEstacion, estacion) << c.que;
        EXPECT_EQ(Registro().TablaCanales(1, 4),
                  QString(c.que).startsWith("UTF-8 seq") ? QString::fromUtf8("Â°C") : grados)
            << c.que;
    }
}

// Lines ended by CR alone, and end samples beyond 32-bit sample numbers or
// that are no number (which would read as 0 samples), are refused with what
// was found; the model stays as it was.
TEST_F(CfgTest, DamagedLineEndsAndEndSamplesAreRefusedNamingWhatWasFound)
{
    ASSERT_TRUE(Leer(Crlf(kCfg1991)).Ok());
    const struct {
        const char* que;
        QByteArray cfg;
        ErrorLectura error;
        const char* hallado;
    } casos[] = {
        {"CR only", QByteArray(kCfg1991).replace("\n", "\r"), ErrorLectura::FinesDeLineaCR, ""},
        {"end sample 10^12", Crlf(QByteArray(kCfg1991).replace("960,100", "960, 1000000000000 ")),
         ErrorLectura::MuestraFinalNoValida, "1000000000000"},
        {"end sample 2^31", Crlf(QByteArray(kCfg1991).replace("960,100", "960,2147483648")),
         ErrorLectura::MuestraFinalNoValida, "2147483648"},
        {"end sample no number", Crlf(QByteArray(kCfg1991).replace("960,100", "960, cien ")),
         ErrorLectura::MuestraFinalNoNumero, "cien"},
        {"end sample that only starts with one", Crlf(QByteArray(kCfg1991).replace("960,100", "960,100x")),
         ErrorLectura::MuestraFinalNoNumero, "100x"},
        {"no end sample", Crlf(QByteArray(kCfg1991).replace("960,100", "960")),
         ErrorLectura::MuestraFinalNoNumero, ""},
    };
    for (const auto& c : casos) {
        const ResultadoLectura res = Leer(c.cfg, "b");
        EXPECT_EQ(res.Error, c.error) << c.que;
        EXPECT_EQ(res.Hallado, c.hallado) << c.que;
        EXPECT_EQ(Registro().NombreEstacion, "SE SUR") << c.que;
        EXPECT_EQ(Registro().MuestrasFinales(1), 100) << c.que;
    }
    ASSERT_TRUE(Leer(Crlf(QByteArray(kCfg1991).replace("960,100", "960,2147483647")), "c").Ok());
    EXPECT_EQ(Registro().MuestrasFinales(1), 2147483647);
}

TEST_F(CfgTest, RefusedRevisionLeavesTheModelAsItWasAndTheNextReadClearsTheFlag)
{
    ASSERT_TRUE(Leer(kCfg1997).Ok());
    const RecordModel antes = Registro();

    QByteArray cfg1999 = kCfg1991;
    cfg1999.replace("SE SUR,REL-2", "OTRA,REL,1999");
    EXPECT_FALSE(Leer(cfg1999, "otra").Ok());
    const RecordModel& r = Registro();
    EXPECT_TRUE(r.RevisionErronea);
    EXPECT_EQ(r.NombreEstacion, antes.NombreEstacion);
    EXPECT_EQ(r.TextoRevision, antes.TextoRevision);
    EXPECT_EQ(r.AnioRevision, "1997");
    EXPECT_EQ(r.NumAnalogicos, antes.NumAnalogicos);
    EXPECT_EQ(r.TablaCanales, antes.TablaCanales);
    EXPECT_EQ(r.TipoFichero, antes.TipoFichero);

    ASSERT_TRUE(Leer(kCfg1991).Ok());
    EXPECT_FALSE(Registro().RevisionErronea);
}

TEST_F(CfgTest, A1991FileResetsTheTimeMultiplierToOne)
{
    ASSERT_TRUE(Leer(kCfg1997).Ok());
    ASSERT_DOUBLE_EQ(Registro().MultTiempo, 0.001);
    ASSERT_TRUE(Leer(kCfg1991).Ok());
    EXPECT_DOUBLE_EQ(Registro().MultTiempo, 1.0);
    EXPECT_EQ(Registro().AnioRevision, "1991");
    EXPECT_TRUE(Registro().TablaPrimSec.Size() == 3); // kept: read only for 1997 records
}

TEST_F(CfgTest, ChannelsAreNumberedByTheirPositionAndKeepTheNumberWritten)
{
    // From 0, with a gap, from 10: the channel number is the line's position;
    // what the file writes stays as text.
    const struct {
        const char* a;
        const char* b;
        const char* c;
    } casos[] = {{"0", "1", "2"}, {"1", "2", "4"}, {"10", "11", "12"}, {"1", "7", "3"}};
    for (const auto& caso : casos) {
        QByteArray cfg = kCfg1997;
        cfg.replace("\n1,IA,", "\n" + QByteArray(caso.a) + ",IA,")
            .replace("\n2,IB,", "\n" + QByteArray(caso.b) + ",IB,")
            .replace("\n3,VA,", "\n" + QByteArray(caso.c) + ",VA,");
        ASSERT_TRUE(Leer(cfg).Ok());
        const RecordModel& r = Registro();
        for (std::int32_t n = 1; n <= 3; ++n)
            EXPECT_EQ(r.TablaCanales(n, 1), QString::number(n)) << caso.a << caso.b << caso.c;
        EXPECT_EQ(r.NumerosAnalogicos(1), caso.a);
        EXPECT_EQ(r.NumerosAnalogicos(2), caso.b);
        EXPECT_EQ(r.NumerosAnalogicos(3), caso.c);
    }
}

TEST_F(CfgTest, ZeroRateCountStillReadsOneRateLineAndSeveralRatesAreKept)
{
    QByteArray cero = kCfg1991;
    cero.replace("60\n1\n960,100\n", "60\n0\n0,100\n");
    ASSERT_TRUE(Leer(cero).Ok());
    EXPECT_EQ(Registro().NumTasas, 0);
    ASSERT_EQ(Registro().MuestrasFinales.Size(), 1);
    EXPECT_EQ(Registro().MuestrasFinales(1), 100);
    EXPECT_EQ(Registro().TasasMuestreo(1), 0);
    EXPECT_EQ(Registro().FechaInicio, "01/06/2004,10:15:30.000000");

    QByteArray varias = kCfg1991;
    varias.replace("60\n1\n960,100\n", "60\n2\n960,100\n480,1000000\n");
    ASSERT_TRUE(Leer(varias).Ok());
    ASSERT_EQ(Registro().MuestrasFinales.Size(), 2);
    EXPECT_EQ(Registro().MuestrasFinales(2), 1000000);
    EXPECT_EQ(Registro().TipoFichero, "ASCII");
}

TEST_F(CfgTest, MalformedFieldsReadAsEmptyOrZeroAndTheReadGoesOn)
{
    QByteArray cfg = kCfg1991;
    cfg.replace("1,VA,,,V,1,0,0,-32767,32767", "1,VA,,,V,1.5D2, ");
    cfg.replace("\n60\n", "\nsesenta\n");
    ASSERT_TRUE(Leer(cfg).Ok());
    const RecordModel& r = Registro();
    EXPECT_EQ(r.FactorA(1), 150.0); // a "D" exponent is an exponent
    EXPECT_EQ(r.FactorB(1), 0.0);   // no offset written: none
    EXPECT_EQ(r.Desfase(1), 0.0f);
    EXPECT_EQ(r.FrecuenciaLinea, 0);
    EXPECT_EQ(r.MuestrasFinales(1), 100);
    EXPECT_EQ(r.TipoFichero, "ASCII");
}

// A factor the values cannot be scaled by refuses the file, naming the
// channel's line and the field: the channel would read 0, or a value made
// of the leading digits, or infinity.
TEST_F(CfgTest, AFactorMissingNoNumberOrBeyondSinglePrecisionRefusesTheFile)
{
    ASSERT_TRUE(Leer(kCfg1997).Ok());
    const RecordModel antes = Registro();
    const struct {
        const char* de;
        const char* a;
        std::int64_t linea;
        const char* hallado;
    } casos[] = {
        {"3,VA,A,Barra,kV,0.01,0,", "3,VA,A,Barra,kV,,0,", 5, ""},           // multiplier missing
        {"3,VA,A,Barra,kV,0.01,0,", "3,VA,A,Barra,kV,0.01x,0,", 5, "0.01x"}, // not a number
        {"3,VA,A,Barra,kV,0.01,0,", "3,VA,A,Barra,kV,abc,0,", 5, "abc"},
        {"3,VA,A,Barra,kV,0.01,0,", "3,VA,A,Barra,kV, 1e39 ,0,", 5, "1e39"}, // overflows a Single
        {"3,VA,A,Barra,kV,0.01,0,", "3,VA,A,Barra,kV,0.01,-1e39,", 5, "-1e39"},
        {"3,VA,A,Barra,kV,0.01,0,", "3,VA,A,Barra,kV,0.01,cero,", 5, "cero"},
        {",1200,5,P", ",1e39,5,P", 3, "1e39"}, // a rating beyond single precision
        // BINARY: 1e35 takes a 16-bit value beyond single precision.
        {"6.103516E-05", "1e35", 3, "1e35"},
        {"1,IA,A,Linea 1,A,6.103516E-05,-0.5,12.5,-32767,32767,1200,5,P", "1,IA", 3,
         ""}, // cut after the name
    };
    for (const auto& c : casos) {
        QByteArray cfg = kCfg1997;
        cfg.replace(c.de, c.a);
        const ResultadoLectura res = Leer(cfg, "mal");
        EXPECT_EQ(res.Error, ErrorLectura::FactorNoValido) << c.a;
        EXPECT_EQ(res.Linea, c.linea) << c.a;
        EXPECT_EQ(res.Hallado, c.hallado) << c.a;
        EXPECT_EQ(Registro().FactorA, antes.FactorA) << c.a; // the model as it was
    }
    // ASCII: 1e35 takes a 16-bit value beyond single precision; 1e33 does
    // not.
    QByteArray ascii = kCfg1991;
    const ResultadoLectura res = Leer(ascii.replace("1,VA,,,V,1,0,", "1,VA,,,V,1e35,0,"), "mal");
    EXPECT_EQ(res.Error, ErrorLectura::FactorNoValido);
    EXPECT_EQ(res.Linea, 3);
    EXPECT_EQ(res.Hallado, "1e35");
    ascii = kCfg1991;
    EXPECT_TRUE(Leer(ascii.replace("1,VA,,,V,1,0,", "1,VA,,,V,1e33,0,"), "bien").Ok());
}

// Line 2 announcing other channels than the file lists: a refusal that
// comes of it names line 2, its counts and the first line that does not
// fit, instead of what the lines read in the wrong places gave.
TEST_F(CfgTest, ChannelCountsThatDoNotMatchTheChannelLinesNameLine2)
{
    QByteArray cuatro = kCfg1997;
    cuatro.replace("5,3A,2D\n", "5,2A,3D\n")
        .replace("1,Disparo,,,0\n2,Arranque,,,0\n", "4,VB,B,Barra,kV,0.01,0,0,-32767,32767,220,0.11,S\n");
    const struct {
        const char* que;
        QByteArray cfg;
        const char* linea2;
        std::int32_t nA, nD;
        std::int64_t linea;
    } casos[] = {
        {"four analog lines and no digital one for 2A and 3D", cuatro, "5,2A,3D", 2, 3, 5},
        {"an analog line where a digital one is due", QByteArray(kCfg1997).replace("5,3A,2D", "5,2A,3D"),
         "5,2A,3D", 2, 3, 5},
        {"the line frequency where a digital line is due", QByteArray(kCfg1997).replace("5,3A,2D", "6,3A,3D"),
         "6,3A,3D", 3, 3, 8},
        {"a channel line where the line frequency is", QByteArray(kCfg1997).replace("5,3A,2D", "4,3A,1D"),
         "4,3A,1D", 3, 1, 7},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        const ResultadoLectura res = Leer(c.cfg, "cuentas");
        EXPECT_EQ(res.Error, ErrorLectura::CanalesNoCoinciden);
        EXPECT_EQ(res.Hallado, c.linea2);
        EXPECT_EQ(res.CuentaAnalogicos, c.nA);
        EXPECT_EQ(res.CuentaDigitales, c.nD);
        EXPECT_EQ(res.Linea, c.linea);
    }
    // Counts that match the lines: the refusal is the field's.
    EXPECT_EQ(Leer(QByteArray(kCfg1997).replace("50000,1200", "50000,x")).Error,
              ErrorLectura::MuestraFinalNoNumero);
}

// A skew beyond single precision is read as 0 and its channel named, so
// the phasors' correction is not dropped without a word.
TEST_F(CfgTest, ASkewBeyondSinglePrecisionIsReadAs0AndNamed)
{
    QByteArray cfg = kCfg1997;
    cfg.replace("2.836798e+000,1,0,", "2.836798e+000,1,-4e38,").replace("0.01,0,0,", "0.01,0,3e38,");
    const ResultadoLectura res = Leer(cfg);
    ASSERT_TRUE(res.Ok());
    EXPECT_EQ(res.CanalesDesfaseFuera, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(Registro().Desfase(2), 0.0f);
    EXPECT_EQ(Registro().Desfase(3), 3e38f);
    EXPECT_TRUE(Leer(kCfg1997).CanalesDesfaseFuera.empty());
}

TEST_F(CfgTest, BadCountsAreRefusedBeforeAnythingIsSizedAndLeaveTheModelAlone)
{
    ASSERT_TRUE(Leer(kCfg1991).Ok());
    const RecordModel antes = Registro();
    const struct {
        const char* de;
        const char* a;
        ErrorLectura error;
    } casos[] = {
        {"2,1A,1D", "2,-1A,1D", ErrorLectura::CuentaNoValida},
        {"2,1A,1D", "2,1A,-3D", ErrorLectura::CuentaNoValida},
        {"2,1A,1D", "x,1A,1D", ErrorLectura::CuentaNoValida},
        {"2,1A,1D", "2,unoA,1D", ErrorLectura::CuentaNoValida},
        {"2,1A,1D", "2,2000000000A,1D", ErrorLectura::CuentasNoCoinciden},
        {"2,1A,1D", "2,1A,2000000000D", ErrorLectura::CanalesNoCoinciden},
        {"2,1A,1D", "2,1A,9000000000D", ErrorLectura::CuentaNoValida},
        {"60\n1\n", "60\n-1\n", ErrorLectura::CuentaNoValida},
        {"60\n1\n", "60\n2000000000\n", ErrorLectura::CuentasNoCoinciden},
        {"960,100", "960,-5", ErrorLectura::CuentaNoValida},
    };
    for (const auto& c : casos) {
        QByteArray cfg = kCfg1991;
        cfg.replace(c.de, c.a);
        const ResultadoLectura res = Leer(cfg, "malo");
        EXPECT_EQ(res.Error, c.error) << c.a;
        EXPECT_FALSE(res.Detalle.isEmpty());
        const RecordModel& r = Registro();
        EXPECT_EQ(r.NumAnalogicos, antes.NumAnalogicos) << c.a;
        EXPECT_EQ(r.NumDigitales, antes.NumDigitales) << c.a;
        EXPECT_EQ(r.MuestrasFinales, antes.MuestrasFinales) << c.a;
        EXPECT_EQ(r.NombreEstacion, antes.NombreEstacion) << c.a;
    }
    // A file that stops before its rate lines.
    EXPECT_EQ(Leer("SE,REL\n2,1A,1D\n1,VA,,,V,1,0,0,0,1\n1,D,,,0\n").Error, ErrorLectura::CuentasNoCoinciden);
    EXPECT_EQ(Leer("").Error, ErrorLectura::CuentasNoCoinciden);
}

TEST_F(CfgTest, MissingFileIsReportedAndChangesNothing)
{
    ASSERT_TRUE(Leer(kCfg1991).Ok());
    Registro().RutaCfg = Ruta("no_esta.cfg");
    EXPECT_EQ(LeerCfg(Registro()).Error, ErrorLectura::NoSeAbre);
    EXPECT_EQ(Registro().NombreEstacion, "SE SUR");
    Registro().RutaCfg.clear();
    EXPECT_EQ(LeerCfg(Registro()).Error, ErrorLectura::NoSeAbre);
}

TEST_F(CfgTest, FileTypeLineIndexIsCountedFromTheCounts)
{
    ContenidoCfg cfg;
    ASSERT_TRUE(AnalizarCfg(kCfg1997.toStdString(), cfg).Ok());
    EXPECT_EQ(cfg.LineaTipoFichero, 2 + 3 + 2 + 2 + 1 + 2);
    QByteArray cero = kCfg1991;
    cero.replace("60\n1\n960,100\n", "60\n0\n0,100\n");
    ASSERT_TRUE(AnalizarCfg(cero.toStdString(), cfg).Ok());
    EXPECT_EQ(cfg.LineaTipoFichero, 2 + 1 + 1 + 2 + 1 + 2);
}

} // namespace
} // namespace vesdra
