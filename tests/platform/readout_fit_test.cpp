// Read-outs that show a name beside a value: the value always whole, the
// name giving way against the names beside it, over more lines where the box
// holds them, at a font no smaller than the screen's other read-outs where
// that still tells the names apart.
#include <gtest/gtest.h>

#include <cmath>

#include "common/test_support.h"
#include "platform/base/readout_fit.h"

namespace vesdra {
namespace {

// A font whose every character is 0.6 px wide per pixel of size, its line
// 1.2 px high.
const MedidorTexto kFuente{[](int px, const QString& t) { return 0.6 * px * static_cast<double>(t.size()); },
                           [](int px) { return 1.2 * px; }};
const MargenesCaja kMargenes{6.0, 4.0};

double Caracteres(const QString& t)
{
    return static_cast<double>(t.size());
}

const QString kSep = QStringLiteral(": ");

// What the lines show of the name reads as its own name and none other.
::testing::AssertionResult SeLeeAparte(const QStringList& lineas, const QString& valor, qsizetype i,
                                       const QStringList& nombres)
{
    const QString parte = NameShown(lineas, kSep, valor);
    if (parte.isEmpty() || parte == Ellipsis())
        return ::testing::AssertionFailure() << "no name in " << lineas.join('|').toStdString();
    return test::SeLeenAparte(QStringList{parte}, QStringList{nombres[i]}) &&
                   std::none_of(nombres.begin(), nombres.end(),
                                [&](const QString& o) { return o != nombres[i] && ReadsAs(parte, o); })
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure() << parte.toStdString() << " reads as another name";
}

TEST(ReadOutLines, TheValueStaysWholeAndTheNameGivesWayOnOneLineOrOverSeveral)
{
    const QStringList nombres = test::NombresSubestacion::Analogicos();
    const QString valor = QStringLiteral("-46.678 kV");
    struct Caso {
        const char* que;
        double ancho;
        int lineas;
        int lineasVistas;
    } casos[] = {
        {"one line: the name in the room the value leaves", 40, 1, 1},
        {"two lines: the name above, the value alone below", 20, 2, 2},
        {"three lines: the name over two", 12, 3, 3},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        for (qsizetype i = 0; i < nombres.size(); ++i) {
            const QStringList l =
                ReadOutLines(nombres[i], nombres, kSep, valor, c.ancho, c.lineas, Caracteres);
            ASSERT_EQ(l.size(), c.lineasVistas) << l.join('|').toStdString();
            for (const QString& linea : l)
                EXPECT_LE(Caracteres(linea), c.ancho) << linea.toStdString();
            EXPECT_TRUE(c.lineas == 1 ? l.back().endsWith(kSep + valor) : l.back() == valor);
            EXPECT_TRUE(SeLeeAparte(l, valor, i, nombres));
        }
    }
    // Whole when it fits; the value alone when not even "…" fits beside it;
    // one line again when the value is wider than a line.
    EXPECT_EQ(ReadOutLines(QStringLiteral("IA"), nombres, kSep, valor, 14, 1, Caracteres),
              QStringList{QStringLiteral("IA: -46.678 kV")});
    EXPECT_EQ(ReadOutLines(nombres[0], nombres, kSep, valor, 12, 1, Caracteres), QStringList{valor});
    EXPECT_EQ(ReadOutLines(nombres[0], nombres, kSep, valor, 9, 3, Caracteres), QStringList{valor});
}

TEST(ReadOutLines, ANameKeepsItsCutWhileTheValueChangesWidth)
{
    const QStringList nombres = test::NombresSubestacion::Analogicos();
    const double widest = Caracteres(kSep + QStringLiteral("-123456.789 kV"));
    QStringList partes;
    QStringList sinReserva;
    for (const char* v : {"0.000 kV", "-46.678 kV", "123.5 kV", "-123456.789 kV"}) {
        const QString valor = QString::fromLatin1(v);
        partes << NameShown(ReadOutLines(nombres[1], nombres, kSep, valor, 36, 1, Caracteres, widest), kSep,
                            valor);
        sinReserva << NameShown(ReadOutLines(nombres[1], nombres, kSep, valor, 36, 1, Caracteres), kSep,
                                valor);
    }
    EXPECT_EQ(partes.removeDuplicates(), 3) << partes.join('|').toStdString();
    EXPECT_LT(sinReserva.removeDuplicates(), 3) << "without the room kept the cut moves";
    // A name that fits beside the widest value shows whole beside any.
    EXPECT_EQ(ReadOutLines(QStringLiteral("IA"), {}, kSep, QStringLiteral("1 A"), 20, 1, Caracteres, 17),
              QStringList{QStringLiteral("IA: 1 A")});
}

TEST(WindowLines, AScrolledTextShowsFromItsFirstCharacterBrokenBetweenWordsAndCutAtItsEnd)
{
    const QString t = QStringLiteral("NORTE 220 kV POSICION LINEA 2");
    EXPECT_EQ(WindowLines(t, 40, 1, Caracteres), QStringList{t});
    EXPECT_EQ(WindowLines(t, 12, 1, Caracteres), QStringList{QStringLiteral("NORTE 220 k\u2026")});
    EXPECT_EQ(WindowLines(t, 12, 2, Caracteres),
              (QStringList{QStringLiteral("NORTE 220 kV"), QStringLiteral("POSICION LI\u2026")}));
    EXPECT_EQ(WindowLines(QStringLiteral("POSICIONLINEA"), 6, 2, Caracteres),
              (QStringList{QStringLiteral("POSICI"), QStringLiteral("ONLIN\u2026")}))
        << "a word wider than a line is broken";
    // A read-out's value whole on its last line, or after the window on one.
    EXPECT_EQ(ScrolledReadOutLines(t, kSep, QStringLiteral("1.5 A"), 12, 3, Caracteres),
              (QStringList{QStringLiteral("NORTE 220 kV"), QStringLiteral("POSICION LI\u2026"),
                           QStringLiteral("1.5 A")}));
    EXPECT_EQ(ScrolledReadOutLines(t, kSep, QStringLiteral("1.5 A"), 16, 1, Caracteres),
              QStringList{QStringLiteral("NORTE 22\u2026: 1.5 A")});
    EXPECT_EQ(ScrolledReadOutLines(t, kSep, QStringLiteral("1.5 A"), 7, 1, Caracteres),
              QStringList{QStringLiteral("1.5 A")});
}

TEST(FitReadOuts, TheScreensReadOutSizeWhereTheHeightHoldsItAndTheNamesStillReadApart)
{
    const QStringList largos = test::NombresSubestacion::Analogicos();
    const QStringList valores(largos.size(), QStringLiteral("-46.678 kV"));
    const int porAlto = PixelesPorAlto(30, kFuente, kMargenes);
    ASSERT_EQ(porAlto, 21);

    // Short names fit whole on one line at the size the height holds.
    const ReadOutFit cortos = FitReadOuts({QStringLiteral("VA"), QStringLiteral("IA")},
                                          {QStringLiteral("1.5 kV"), QStringLiteral("2 A")}, {}, kSep, 200,
                                          30, 30, 3, kFuente, kMargenes, 15);
    EXPECT_EQ(cortos.Pixels, porAlto);
    EXPECT_EQ(cortos.Lines, 1);
    EXPECT_EQ(cortos.Height, 30);

    // Long names at the reference size over as many lines as tell them
    // apart, the box as high as those lines.
    const ReadOutFit alto = FitReadOuts(largos, valores, {}, kSep, 120, 30, 90, 3, kFuente, kMargenes, 15);
    EXPECT_EQ(alto.Pixels, 15);
    ASSERT_GE(alto.Lines, 2);
    EXPECT_DOUBLE_EQ(alto.Height, alto.Lines * 18 + 4);
    const TextAdvance a15 = [](const QString& t) { return kFuente.Ancho(15, t); };
    for (qsizetype i = 0; i < largos.size(); ++i)
        EXPECT_TRUE(SeLeeAparte(ReadOutLines(largos[i], largos, kSep, valores[i], 114, alto.Lines, a15),
                                valores[i], i, largos));

    // On one line only: smaller than the reference, as little as lets every
    // name read apart beside its value.
    const ReadOutFit una = FitReadOuts(largos, valores, {}, kSep, 160, 30, 30, 3, kFuente, kMargenes, 15);
    EXPECT_EQ(una.Lines, 1);
    ASSERT_LT(una.Pixels, 15);
    const auto apartes = [&](int px) {
        const TextAdvance a = [px](const QString& t) { return kFuente.Ancho(px, t); };
        for (qsizetype i = 0; i < largos.size(); ++i)
            if (!SeLeeAparte(
                    ReadOutLines(largos[i], largos, kSep, valores[i], 154, 1, a, a(kSep + valores[i])),
                    valores[i], i, largos))
                return false;
        return true;
    };
    EXPECT_TRUE(apartes(una.Pixels));
    EXPECT_FALSE(apartes(una.Pixels + 1));

    // Names beside the boxes count too: among themselves the voltages need
    // only their phase; among the currents they keep what makes them
    // voltages, so their boxes take a smaller size.
    const QStringList tensiones = largos.mid(0, 3);
    const ReadOutFit entreSi =
        FitReadOuts(tensiones, valores.mid(0, 3), {}, kSep, 160, 30, 30, 3, kFuente, kMargenes, 15);
    const ReadOutFit entreTodos = FitReadOuts(tensiones, valores.mid(0, 3), largos.mid(3), kSep, 160, 30, 30,
                                              3, kFuente, kMargenes, 15);
    EXPECT_LT(entreTodos.Pixels, entreSi.Pixels);
    EXPECT_TRUE(apartes(entreTodos.Pixels));
}

} // namespace
} // namespace vesdra
