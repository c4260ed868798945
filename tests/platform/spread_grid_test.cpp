#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <vector>

#include "common/test_support.h"
#include "platform/spread_grid.h"

namespace vesdra {
namespace {

struct Hoja {
    std::vector<std::array<QString, 2>> filas;
    int lecturas{0};

    SpreadGrid::Fuente Fuente()
    {
        return {
            .Filas = [this] { return static_cast<std::int32_t>(filas.size()); },
            .Texto =
                [this](std::int32_t f, std::int32_t c) {
                    ++lecturas;
                    return filas.at(static_cast<std::size_t>(f - 1)).at(static_cast<std::size_t>(c - 1));
                },
            .Escribir =
                [this](std::int32_t f, std::int32_t c, const QString& t) {
                    filas.at(static_cast<std::size_t>(f - 1)).at(static_cast<std::size_t>(c - 1)) = t;
                },
            .Numero = {},
        };
    }
};

TEST(SpreadGrid, ShowsRowNumbersHeadersAndTheSourceCellsAndPassesEditsOn)
{
    Hoja hoja;
    hoja.filas = {{"a", "b"}, {"c", "d"}};
    SpreadGrid g(2);
    g.SetFuente(hoja.Fuente());
    g.SetCabecera(0, "Canal");
    g.SetCabecera(2, "Unidades");
    EXPECT_EQ(g.MaxRows(), 2);
    EXPECT_EQ(g.Text(0, 0), "Canal");
    EXPECT_EQ(g.Text(0, 2), "Unidades");
    EXPECT_EQ(g.Text(2, 0), "2");
    EXPECT_EQ(g.Text(2, 1), "c");
    EXPECT_EQ(g.Text(3, 1), "");

    std::vector<std::pair<std::int32_t, std::int32_t>> cambios;
    QObject::connect(&g, &SpreadGrid::Change,
                     [&cambios](std::int32_t f, std::int32_t c) { cambios.emplace_back(f, c); });
    g.Escribir(1, 2, "x");
    EXPECT_EQ(hoja.filas[0][1], "x");
    EXPECT_EQ(cambios, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1, 2}}));
    // The row numbers are not cells.
    g.Escribir(1, 0, "9");
    EXPECT_EQ(g.Text(1, 0), "1");
    EXPECT_EQ(cambios.size(), 1U);

    hoja.filas.push_back({"e", "f"});
    g.Recargar();
    EXPECT_EQ(g.MaxRows(), 3);
    EXPECT_EQ(g.Text(3, 2), "f");
}

TEST(SpreadGrid, DrawingReadsOnlyTheRowsInSight)
{
    Hoja hoja;
    hoja.filas.assign(1'000'000, {"nombre", "A"});
    SpreadGrid g(2);
    g.resize(300, 200);
    g.SetFuente(hoja.Fuente());
    hoja.lecturas = 0;
    QImage imagen(g.size(), QImage::Format_ARGB32);
    g.render(&imagen);
    EXPECT_GT(hoja.lecturas, 0);
    EXPECT_LT(hoja.lecturas, 200);
}

// A cell too narrow for its text draws it cut: hovering it shows the whole
// text; a text that fits has no tip.
TEST(SpreadGrid, ACutCellShowsItsWholeTextOnHover)
{
    Hoja hoja;
    hoja.filas = {{"Phase A voltage of the line bus", "kV"}};
    SpreadGrid g(2);
    g.SetFuente(hoja.Fuente());
    g.resize(400, 200);
    g.SetColWidth(1, 6);
    g.SetColWidth(2, 6);
    g.show();
    QApplication::processEvents();
    const auto consejo = [&g](std::int32_t columna) {
        return g.model()->data(g.model()->index(0, columna), Qt::ToolTipRole);
    };
    ASSERT_TRUE(g.CeldaRecortada(1, hoja.filas[0][0]));
    EXPECT_EQ(test::AyudaAlPasarEntrada(g, 0, 1), hoja.filas[0][0]);
    EXPECT_FALSE(g.CeldaRecortada(2, "kV"));
    EXPECT_FALSE(consejo(2).isValid());
    EXPECT_FALSE(consejo(0).isValid()) << "the row number has no tip";
    // Widened to hold it, the text shows whole and the tip goes.
    g.SetColWidth(1, 60);
    EXPECT_FALSE(g.CeldaRecortada(1, hoja.filas[0][0]));
    EXPECT_FALSE(consejo(1).isValid());
}

// Names too long for their column read apart: each cell as drawn shows the
// part that tells it from the cells beside it in its column, whole on hover.
TEST(SpreadGrid, LongNamesOfAColumnGiveWayAgainstEachOther)
{
    Hoja hoja;
    const QStringList nombres = test::NombresSubestacion::Analogicos();
    const QStringList circuitos = test::NombresSubestacion::Circuitos();
    for (qsizetype i = 0; i < nombres.size(); ++i)
        hoja.filas.push_back({nombres[i], circuitos[i]});
    SpreadGrid g(2);
    g.SetFuente(hoja.Fuente());
    g.resize(420, 300);
    g.SetColWidth(1, 25);
    g.SetColWidth(2, 18);
    g.show();
    QApplication::processEvents();
    const auto dibujados = test::TextosDibujados(g);
    for (std::int32_t c = 1; c <= 2; ++c) {
        const QStringList& enteros = c == 1 ? nombres : circuitos;
        QStringList vistos;
        for (int f = 0; f < enteros.size(); ++f) {
            vistos.append(dibujados.at({f, c}));
            EXPECT_EQ(vistos.back(), g.VisibleText(f + 1, c));
            EXPECT_EQ(test::AyudaAlPasarEntrada(g, f, c), enteros[f]);
        }
        EXPECT_TRUE(test::SeLeenAparte(vistos, enteros)) << vistos.join(QStringLiteral(" | ")).toStdString();
    }
}

} // namespace
} // namespace vesdra
