#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

#include "common/process_state.h"
#include "common/test_support.h"
#include "platform/base/formats.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "templates/template_file.h"
#include "templates/template_state.h"
#include "views/waves/lecturas.h"

namespace vesdra {
namespace {

// A 1997 ASCII record whose fields hold the forms of number recorders
// write: fractions, an exponent, a fractional time stamp and a real time
// multiplier.
const QByteArray kCfg = "SUBESTACION,REL 1,1997\r\n"
                        "3,2A,1D\r\n"
                        "1,IA,,,A,0.01220703,-0.5,12.5,-32767,32767,600,1,P\r\n"
                        "2,VA,,,kV,6.103516E-05,0,25.5,-32767,32767,132000,110,S\r\n"
                        "1,DISP,,,0\r\n"
                        "50\r\n"
                        "1\r\n"
                        "1200,4\r\n"
                        "11/12/2026,03:21:53.000000\r\n"
                        "11/12/2026,03:21:53.100000\r\n"
                        "ASCII\r\n"
                        "0.5\r\n";
const QByteArray kDat = "1,0,1000,-2000,0\r\n"
                        "2,833.5,1001,-1999,1\r\n"
                        "3,1667,-32767,32767,0\r\n"
                        "4,2500,12,-12,1\r\n";
const QByteArray kCnf = "ver 1.1\r\n"
                        "RELE PRUEBA\r\n"
                        "ANALOGICOS\r\n"
                        " 2 \r\n"
                        "1%IA%Phase A current%A$\r\n"
                        "2%VA%Phase A voltage%kV$\r\n"
                        "TRIFASICOS\r\n"
                        " 1 \r\n"
                        "1%2%1%SET%1.5$\r\n"
                        "DIGITALES\r\n"
                        "1\r\n"
                        " 1 \r\n"
                        "***\r\n"
                        "DISPAROS\r\n"
                        " 1 \r\n"
                        "1%DISPARO$\r\n"
                        "-----\r\n";

struct Leido {
    std::vector<double> Numeros; // every number the readers gave
    QStringList Lecturas;        // the read-outs, as shown
};

// The record and the template read under `locale`, and the read-outs of
// the values read.
Leido LeerBajo(const char* locale, const QTemporaryDir& dir)
{
    const test::ScopedLocale enUso(locale);
    EXPECT_TRUE(enUso.Available());
    Leido l;
    RecordModel& r = Registro();
    r = RecordModel{};
    r.RutaCfg = dir.filePath(QStringLiteral("r.cfg"));
    r.RutaDat = dir.filePath(QStringLiteral("r.dat"));
    EXPECT_TRUE(LeerCfg(r).Ok()) << locale;
    EXPECT_TRUE(LeerDat(r).Ok()) << locale;
    for (std::int32_t c = 1; c <= r.NumAnalogicos; ++c)
        l.Numeros.insert(l.Numeros.end(), {r.FactorA(c), r.FactorB(c), r.Desfase(c),
                                           r.TablaPrimSec(c).Primario, r.TablaPrimSec(c).Secundario});
    l.Numeros.insert(l.Numeros.end(), {double(r.TotalCanales), double(r.FrecuenciaLinea), double(r.NumTasas),
                                       double(r.TasasMuestreo(1)), double(r.MuestrasFinales(1)), r.MultTiempo,
                                       double(r.TasaCalculada), double(r.NumMuestras())});
    for (std::int32_t s = 1; s <= r.NumMuestras(); ++s) {
        l.Numeros.push_back(r.Tiempos(s));
        for (std::int32_t c = 1; c <= r.NumAnalogicos; ++c)
            l.Numeros.push_back(r.Valores(s, c));
        l.Numeros.push_back(r.EstadosDigitales(s, 1));
    }

    TemplateState& p = Plantillas();
    p = TemplateState{};
    p.RutaPlantilla = dir.filePath(QStringLiteral("t.cnf"));
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida) << locale;
    l.Numeros.insert(l.Numeros.end(), {double(p.NumAnalogicosPlantilla), double(p.NumTrifasicosPlantilla),
                                       ValorNumero(p.TrifasicosPlantilla(1, 5)), double(p.NumGruposPlantilla),
                                       double(p.NumMiembrosPlantilla)});

    const std::int32_t tasa = FrecuenciaMuestreo(r);
    for (std::int32_t s = 1; s <= r.NumMuestras(); ++s)
        l.Lecturas << TextoValor(r.Valores(s, 1), QStringLiteral("A"))
                   << TextoLecturaBanda(QStringLiteral("VA"), r.Valores(s, 2), QStringLiteral("kV"));
    l.Lecturas << TextoDiferenciaValores(r.Valores(1, 2), r.Valores(3, 2), QStringLiteral("kV"))
               << TextoTiempoEntre(1, 4, tasa) << TextoNumeroMuestra(2.5)
               << Format(r.FactorA(2), "0.00000000") << Format(r.Desfase(1), "#.##");
    const TextosMaximosOnda maximos =
        TextosMaximos(r.NumMuestras(), -400.5f, 399.25f, QStringLiteral("A"), tasa);
    l.Lecturas << maximos.Numero << maximos.Valor << maximos.Tiempo;
    r = RecordModel{};
    p = TemplateState{};
    return l;
}

// What an engineer reads of a record is the same under the locales the
// program's users run it in (the C library's locale with them): the readers
// take every number of the .cfg, the ASCII .dat and the .cnf alike, and the
// read-outs write the same digits, with the locale's decimal separator.
TEST(UsersLocales, TheReadersAndTheReadOutsGiveTheSameValuesUnderEveryLocale)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(test::WriteBytes(dir.filePath(QStringLiteral("r.cfg")), kCfg));
    ASSERT_TRUE(test::WriteBytes(dir.filePath(QStringLiteral("r.dat")), kDat));
    ASSERT_TRUE(test::WriteBytes(dir.filePath(QStringLiteral("t.cnf")), kCnf));
    const Leido c = LeerBajo("C", dir);
    ASSERT_EQ(c.Numeros.size(), 39u);
    EXPECT_DOUBLE_EQ(c.Numeros[7], 25.5) << "the second channel's skew";
    EXPECT_DOUBLE_EQ(c.Numeros[22], 416.75) << "the second time stamp, multiplied";
    EXPECT_EQ(c.Lecturas[0], QStringLiteral("11.707 A"));
    for (const char* locale : test::kUserLocales) {
        SCOPED_TRACE(locale);
        const Leido l = LeerBajo(locale, dir);
        EXPECT_EQ(l.Numeros, c.Numeros);
        ASSERT_EQ(l.Lecturas.size(), c.Lecturas.size());
        const QChar punto = QLocale(QString::fromLatin1(locale)).decimalPoint().at(0);
        for (qsizetype i = 0; i < c.Lecturas.size(); ++i)
            EXPECT_EQ(l.Lecturas[i],
                      QString(c.Lecturas[i]).replace(QRegularExpression(QStringLiteral("\\.(?=\\d)")), punto))
                << i;
    }
}

} // namespace
} // namespace vesdra
