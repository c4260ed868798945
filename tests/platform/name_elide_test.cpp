// How a name gives way: the words it shares with the names beside it go
// first, then the part that tells it apart is cut in the middle; what is
// shown never reads as another name beside it.
#include <gtest/gtest.h>

#include "platform/base/name_elide.h"

namespace vesdra {
namespace {

double Count(const QString& t)
{
    return static_cast<double>(t.size());
}

TEST(TextFit, ANameGivesWayInTheMiddleAndTheValueStaysWhole)
{
    const QString a = QStringLiteral("TENSION FASE A BARRA PRINCIPAL 220kV");
    struct Case {
        double width;
        QString expected;
    } cases[] = {
        {60, a + QStringLiteral(": -86.25 kV")},                          // room for all
        {35, QStringLiteral("TENSION FAS\u2026NCIPAL 220kV: -86.25 kV")}, // the name is cut in the middle
        {13, QStringLiteral("\u2026V: -86.25 kV")},
        {12, QStringLiteral("\u2026: -86.25 kV")},
        {11, QStringLiteral("-86.25 kV")}, // not even "…": the value alone
        {5, QStringLiteral("-86.25 kV")},  // the value does not fit
    };
    for (const Case& c : cases) {
        bool fits = false;
        const QString got =
            FitNameAndValue(a, QStringLiteral(": "), QStringLiteral("-86.25 kV"), c.width, Count, &fits);
        EXPECT_EQ(got, c.expected) << c.width;
        EXPECT_EQ(fits, c.width >= 11) << c.width;
        if (fits) {
            EXPECT_LE(Count(got), c.width);
        }
    }
    // Names that share a long start stay apart.
    EXPECT_NE(ElideMiddle(QStringLiteral("DISPARO PROTECCION DISTANCIA ZONA 1"), 20, Count),
              ElideMiddle(QStringLiteral("DISPARO PROTECCION DISTANCIA ZONA 2"), 20, Count));
    // A surrogate pair is kept or dropped whole.
    const QString pair = QStringLiteral("ab\U0001F600cd\U0001F600ef");
    for (double w = 1; w < pair.size(); ++w) {
        const QString cut = ElideMiddle(pair, w, Count);
        EXPECT_LE(Count(cut), w);
        for (qsizetype i = 0; i < cut.size(); ++i)
            EXPECT_EQ(cut.at(i).isHighSurrogate(), i + 1 < cut.size() && cut.at(i + 1).isLowSurrogate()) << w;
    }
    EXPECT_EQ(ElideMiddle(QStringLiteral("IA"), 0.5, Count), QString());
}

// A substation's naming: one long shared start, then the quantity and the phase.
const QString kComun = QString::fromUtf8("SUBESTACIÓN NORTE 220 kV POSICIÓN LÍNEA 2 ");
QStringList Seis()
{
    QStringList n;
    for (const char* f : {"TENSIÓN FASE A", "TENSIÓN FASE B", "TENSIÓN FASE C", "INTENSIDAD FASE A",
                          "INTENSIDAD FASE B", "INTENSIDAD FASE C"})
        n.append(kComun + QString::fromUtf8(f));
    return n;
}

TEST(NameElide, TheSharedWordsGiveWayFirstAsFewAsMakeItFit)
{
    const QStringList seis = Seis();
    const QStringList tensiones = seis.mid(0, 3);
    struct Case {
        QStringList beside;
        int name;
        double width;
        const char* expected;
    } cases[] = {
        {seis, 0, 80, "SUBESTACIÓN NORTE 220 kV POSICIÓN LÍNEA 2 TENSIÓN FASE A"}, // room for all
        {seis, 0, 32, "…POSICIÓN LÍNEA 2 TENSIÓN FASE A"},
        {seis, 0, 25, "…LÍNEA 2 TENSIÓN FASE A"},
        {seis, 0, 20, "…2 TENSIÓN FASE A"},
        {seis, 3, 18, "…INTENSIDAD FASE A"},
        {seis, 0, 15, "…TENSIÓN FASE A"},
        // Only voltages beside it: the quantity is shared too and may go.
        {tensiones, 0, 8, "…FASE A"},
        {tensiones, 1, 3, "…B"},
    };
    for (const Case& c : cases) {
        const QString name = seis[c.name];
        const QString got = ElideName(name, c.beside, c.width, Count);
        EXPECT_EQ(got, QString::fromUtf8(c.expected)) << c.width;
        EXPECT_LE(Count(got), c.width);
        EXPECT_TRUE(ReadsAs(got, name)) << got.toStdString();
    }
    // Nothing beside it: cut in the middle as a name shown alone.
    EXPECT_EQ(ElideName(seis[0], {}, 20, Count), ElideMiddle(seis[0], 20, Count));
}

TEST(NameElide, WhatIsShownNeverReadsAsANameBesideIt)
{
    // Beside currents, "…FASE A" and "…A" would read as the current of the
    // same phase: the quantity stays, and a tighter box cuts it in the
    // middle without keeping a piece that "INTENSIDAD" also holds.
    const QStringList seis = Seis();
    // Below nine characters the quantity and the phase no longer both fit.
    for (double width = 9; width <= 60; ++width) {
        QStringList shown;
        for (const QString& n : seis)
            shown.append(ElideName(n, seis, width, Count));
        for (int i = 0; i < seis.size(); ++i) {
            EXPECT_LE(Count(shown[i]), width);
            EXPECT_TRUE(ReadsAs(shown[i], seis[i])) << shown[i].toStdString();
            for (int j = 0; j < seis.size(); ++j)
                if (j != i) {
                    EXPECT_FALSE(ReadsAs(shown[i], seis[j]))
                        << width << ": " << shown[i].toStdString() << " reads as " << seis[j].toStdString();
                }
        }
    }
    // The same channel twice, or an empty slot beside it, changes nothing.
    EXPECT_EQ(ElideName(seis[0], {seis[0], QString(), seis[3]}, 15, Count),
              ElideName(seis[0], {seis[3]}, 15, Count));
}

TEST(NameElide, ReadsAsTakesEachEllipsisForTheCharactersLeftOut)
{
    const QString n = QString::fromUtf8("ABC DEF GHI");
    struct Case {
        const char* shown;
        bool reads;
    } cases[] = {
        {"ABC DEF GHI", true}, {"ABC DEF", false},       {"…GHI", true},  {"…DEF", false},
        {"ABC…", true},        {"AB…HI", true},          {"…DEF…", true}, {"…C D…H…", true},
        {"…H…C…", false},      {"ABC D…DEF GHI", false}, {"…", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadsAs(QString::fromUtf8(c.shown), n), c.reads) << c.shown;
}

TEST(NameElide, InLinesANameBreaksBetweenWordsAndGivesWayTheSameWay)
{
    const QStringList seis = Seis();
    // Room for the whole name on two lines.
    EXPECT_EQ(ElideNameInLines(seis[3], seis, 35, 2, Count),
              (QStringList{QString::fromUtf8("SUBESTACIÓN NORTE 220 kV POSICIÓN"),
                           QString::fromUtf8("LÍNEA 2 INTENSIDAD FASE A")}));
    // Not on two lines: the shared words go first.
    EXPECT_EQ(
        ElideNameInLines(seis[3], seis, 22, 2, Count),
        (QStringList{QString::fromUtf8("…220 kV POSICIÓN LÍNEA"), QString::fromUtf8("2 INTENSIDAD FASE A")}));
    // Not even the part that tells it apart fits whole: cut in the middle.
    const QStringList cut = ElideNameInLines(seis[3], seis, 8, 2, Count);
    ASSERT_FALSE(cut.isEmpty());
    EXPECT_LE(cut.size(), 2);
    for (const QString& l : cut)
        EXPECT_LE(Count(l), 8);
    EXPECT_TRUE(ReadsAs(cut.join(QLatin1Char(' ')), seis[3])) << cut.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(ElideNameInLines(seis[3], seis, 22, 1, Count),
              QStringList{ElideName(seis[3], seis, 22, Count)});
}

} // namespace
} // namespace vesdra
