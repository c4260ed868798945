#include <QImage>
#include <gtest/gtest.h>
#include <vector>

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

} // namespace
} // namespace vesdra
