// The composition dialog's plain parts: the state test, the column fill,
// the marks, the composition handed over and the layout.
#include <gtest/gtest.h>

#include <vector>

#include "platform/base/colors.h"
#include "platform/base/vb_error.h"
#include "platform/vb_error_of.h"
#include "record/record_model.h"
#include "views/digital/digital_selection.h"
#include "views/digital/grid_layout.h"
#include "views/digital/grid_model.h"

using namespace vesdra;
using namespace vesdra::grid;

namespace {

// Members table: row m names channel canales[m - 1], "M<m>".
Matrix<QString> Miembros(const std::vector<std::int32_t>& canales)
{
    Matrix<QString> t(static_cast<std::int32_t>(canales.size()), 2);
    for (std::int32_t m = 1; m <= t.Rows(); ++m) {
        t(m, 1) = QString::number(canales[static_cast<std::size_t>(m - 1)]);
        t(m, 2) = QStringLiteral("M%1").arg(m);
    }
    return t;
}

Matrix<QString> Grupos(const std::vector<QString>& cuentas)
{
    Matrix<QString> t(static_cast<std::int32_t>(cuentas.size()), 2);
    for (std::int32_t g = 1; g <= t.Rows(); ++g) {
        t(g, 1) = QStringLiteral("G%1").arg(g);
        t(g, 2) = cuentas[static_cast<std::size_t>(g - 1)];
    }
    return t;
}

} // namespace

TEST(CambiaEstadoGrid, StateTestTable)
{
    struct Caso {
        std::vector<std::uint8_t> estados;
        std::int32_t cambia;
    };
    const std::vector<Caso> casos = {
        {{}, 0},           {{1}, 0},          {{0, 0, 0, 0}, 0},
        {{1, 1, 1, 1}, 0}, {{0, 1, 1}, 1},    {{0, 0, 0, 1}, 1}, // the only change on the last sample
        {{1, 1, 1, 0}, 1}, {{1, 1, 0, 1}, 1},                    // falls and rises again
        {{0, 0, 1, 0}, 1},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(CambiaEstado(c.estados), c.cambia) << ::testing::PrintToString(c.estados);

    // Sample numbers beyond 16 bits: a change at sample 70000.
    std::vector<std::uint8_t> largo(70000, 0);
    EXPECT_EQ(CambiaEstado(largo), 0);
    largo.back() = 1;
    EXPECT_EQ(CambiaEstado(largo), 1);
}

TEST(LlenarColumnaGrid, GroupsOfNoneFiveNineteenAndMoreThanNineteenMembers)
{
    // Channel c changes state when it is odd; channels 1..30.
    RecordModel r;
    r.EstadosDigitales.Resize(50, 30);
    for (std::int32_t c = 1; c <= 30; c += 2)
        r.EstadosDigitales(50, c) = 1;
    std::vector<std::int32_t> canales;
    for (std::int32_t m = 1; m <= 49; ++m)
        canales.push_back((m - 1) % 30 + 1);
    const Matrix<QString> miembros = Miembros(canales);
    const Matrix<QString> grupos = Grupos({"0", "5", "19", "25"});

    const RellenoColumna vacia = LlenarColumna(1, 1, grupos, miembros, r);
    EXPECT_EQ(vacia.SlotsUsados(), 0);
    EXPECT_EQ(vacia.Siguiente, 1);
    EXPECT_EQ(vacia.Nombres[0], "");

    const RellenoColumna cinco = LlenarColumna(2, vacia.Siguiente, grupos, miembros, r);
    EXPECT_EQ(cinco.Siguiente, 6);
    EXPECT_EQ(cinco.Nombres[0], "M1");
    EXPECT_EQ(cinco.Nombres[4], "M5");
    EXPECT_EQ(cinco.Nombres[5], "");
    EXPECT_EQ(cinco.Cambia[0], true);  // channel 1
    EXPECT_EQ(cinco.Cambia[1], false); // channel 2
    EXPECT_EQ(cinco.ColorNormal[0], ColorCambia);
    EXPECT_EQ(cinco.ColorNormal[1], kSysWindowBackground);
    EXPECT_EQ(cinco.ColorNormal[5], 0u); // slots the group does not use keep nothing
    EXPECT_FALSE(cinco.FaltaCanal);

    const RellenoColumna diecinueve = LlenarColumna(3, cinco.Siguiente, grupos, miembros, r);
    EXPECT_EQ(diecinueve.SlotsUsados(), 19);
    EXPECT_EQ(diecinueve.Siguiente, 25);
    EXPECT_EQ(diecinueve.Nombres[18], "M24");

    // More than 19: the first 19 show, the next group still starts after all 25.
    const RellenoColumna mas = LlenarColumna(4, diecinueve.Siguiente, grupos, miembros, r);
    EXPECT_EQ(mas.SlotsUsados(), 19);
    EXPECT_EQ(mas.Siguiente, 50);
    EXPECT_EQ(mas.Nombres[0], "M25");
    EXPECT_EQ(mas.Nombres[18], "M43");
}

TEST(LlenarColumnaGrid, MissingChannelsAndBadCells)
{
    RecordModel r;
    r.EstadosDigitales.Resize(10, 2);
    r.EstadosDigitales(5, 1) = 1;
    const Matrix<QString> grupos = Grupos({"3"});
    // Channel 7 is not in the record, nor is channel 0.
    const RellenoColumna c = LlenarColumna(1, 1, grupos, Miembros({1, 7, 0}), r);
    EXPECT_TRUE(c.FaltaCanal);
    EXPECT_EQ(c.Nombres[1], "M2");
    EXPECT_FALSE(c.Cambia[1]);
    EXPECT_EQ(c.ColorNormal[1], kSysWindowBackground);
    EXPECT_TRUE(c.Cambia[0]);
    // A record without digital channels lacks every member's channel.
    EXPECT_TRUE(LlenarColumna(1, 1, grupos, Miembros({1, 1, 1}), RecordModel{}).FaltaCanal);

    Matrix<QString> mal = Miembros({1, 1, 1});
    mal(2, 1) = "uno";
    EXPECT_EQ(test::ErrorOf([&] { (void)LlenarColumna(1, 1, grupos, mal, r); }), vberr::TypeMismatch);
    EXPECT_EQ(test::ErrorOf([&] {
                  (void)LlenarColumna(1, 1, Grupos({"tres"}), Miembros({1, 1, 1}), r);
              }),
              vberr::TypeMismatch);
    EXPECT_EQ(test::ErrorOf([&] { (void)LlenarColumna(1, 1, Grupos({"-1"}), Miembros({1}), r); }),
              vberr::SubscriptOutOfRange);
    // Member rows and counts beyond 16 bits.
    std::vector<std::int32_t> muchos(40019, 2);
    muchos[40000] = 1;
    const RellenoColumna lejos = LlenarColumna(1, 40001, Grupos({"40000"}), Miembros(muchos), r);
    EXPECT_EQ(lejos.Siguiente, 80001);
    EXPECT_EQ(lejos.Nombres[0], "M40001");
    EXPECT_TRUE(lejos.Cambia[0]);
    EXPECT_FALSE(lejos.Cambia[1]);

    // Members beyond the member table.
    EXPECT_EQ(test::ErrorOf([&] {
                  (void)LlenarColumna(1, 2, grupos, Miembros({1, 1, 1}), r);
              }),
              vberr::SubscriptOutOfRange);
}

TEST(MarcasGrid, GestureTable)
{
    enum Accion { Click, DobleClick };
    struct Caso {
        const char* que;
        std::int32_t yaMarcados; // members 1.. of column 2 (19 members) marked first
        std::int32_t indice;     // of column 1 (3 members)
        bool marcadoAntes;
        Accion accion;
        std::vector<Gesto> gestos;
        bool marcadoDespues;
        std::int32_t cuentaDespues;
    };
    const std::vector<Caso> casos = {
        {"click on an unmarked member", 0, 2, false, Click, {Gesto::Marcado}, true, 1},
        {"click on a marked member", 0, 2, true, Click, {Gesto::Marcado}, true, 1},
        {"click on a marked member at 19", 18, 2, true, Click, {Gesto::Marcado}, true, 19},
        {"double-click on a marked member",
         4,
         2,
         true,
         DobleClick,
         {Gesto::Marcado, Gesto::Desmarcado},
         false,
         4},
        {"double-click on an unmarked member",
         4,
         2,
         false,
         DobleClick,
         {Gesto::Marcado, Gesto::Desmarcado},
         false,
         4},
        {"the 20th mark", 19, 1, false, Click, {Gesto::Rechazado}, false, 19},
        {"double-click at 19 on an unmarked member",
         19,
         1,
         false,
         DobleClick,
         {Gesto::Rechazado, Gesto::Rechazado},
         false,
         19},
        {"the group's name", 3, 0, false, DobleClick, {Gesto::Nada, Gesto::Nada}, false, 3},
        {"a slot without a member", 3, 4, false, Click, {Gesto::Nada}, false, 3},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        std::array<std::vector<std::int32_t>, 17> marcas;
        for (auto& m : marcas)
            m = {0};
        marcas[1] = MarcasNuevas(3);
        marcas[2] = MarcasNuevas(19);
        MarcasComposicion mc{&marcas, 0};
        for (std::int32_t j = 1; j <= c.yaMarcados; ++j) {
            ASSERT_EQ(mc.Click(2, j), Gesto::Marcado);
        }
        if (c.marcadoAntes) {
            ASSERT_EQ(mc.Click(1, c.indice), Gesto::Marcado);
        }

        std::vector<Gesto> gestos{mc.Click(1, c.indice)};
        if (c.accion == DobleClick)
            gestos.push_back(mc.DblClick(1, c.indice));
        EXPECT_EQ(gestos, c.gestos);
        EXPECT_EQ(mc.Marcado(1, c.indice), c.marcadoDespues);
        EXPECT_EQ(mc.NumElegidos, c.cuentaDespues);
        EXPECT_EQ(marcas[1][0], 3);
        EXPECT_EQ(marcas[1][4], 0); // the spare element is never marked
    }
}

TEST(ComposicionGrid, RowsGoColumnByColumnInMemberOrderSkippingEmptyGroups)
{
    // Groups of 0, 3 and 2 members: group 2 is rows 1..3, group 3 rows 4..5.
    const Matrix<QString> miembros = Miembros({11, 12, 13, 14, 15});
    std::array<std::vector<std::int32_t>, 17> marcas;
    for (auto& m : marcas)
        m = {0};
    marcas[1] = MarcasNuevas(0);
    marcas[2] = MarcasNuevas(3);
    marcas[3] = MarcasNuevas(2);
    MarcasComposicion mc{&marcas, 0};
    // Marked out of order: member 1 of column 3, then member 3 and 1 of column 2.
    mc.Click(3, 1);
    mc.Click(2, 3);
    mc.Click(2, 1);

    const Composicion c = ComponerMarcados(marcas, miembros);
    EXPECT_EQ(c.Total, 3);
    EXPECT_EQ(TotalMarcados(marcas), 3);
    EXPECT_EQ(TotalMarcados(std::array<std::vector<std::int32_t>, 17>{}), 0); // marks erased by a close
    ASSERT_EQ(c.Filas.size(), 3u);
    EXPECT_EQ(c.Filas[0].Canal, 11);
    EXPECT_EQ(c.Filas[0].Nombre, "M1");
    EXPECT_EQ(c.Filas[1].Canal, 13);
    EXPECT_EQ(c.Filas[2].Canal, 14);
    EXPECT_EQ(c.Filas[2].Nombre, "M4");

    // The handover: header row, rows 2.., no member range, later rows kept.
    Digitales() = {};
    DigitalState& d = Digitales();
    d.ListaDigitales.Fila(5) = {9, "antigua"};
    d.PrimerMiembro = 4;
    d.UltimoMiembro = 6;
    EscribirSeleccionComposicion(c, 2);
    EXPECT_EQ(d.ListaDigitales.UltimaFila, 4);
    EXPECT_EQ(d.ListaDigitales.Fila(2).Canal, 11);
    EXPECT_EQ(d.ListaDigitales.Fila(4).Nombre, "M4");
    EXPECT_EQ(d.ListaDigitales.Fila(5).Nombre, "antigua");
    EXPECT_EQ(d.PrimerMiembro + d.UltimoMiembro, 0);
    EXPECT_EQ(d.NumFilasDigitales, 3);
    EXPECT_EQ(d.AnalogicoElegido, 2);
    EXPECT_EQ(d.ModoDigital, 2);
    EXPECT_EQ(FilasDigitalesElegidas().size(), 3u);

    // Nothing marked: a list of its header alone.
    EscribirSeleccionComposicion(ComponerMarcados(std::array<std::vector<std::int32_t>, 17>{}, miembros), 1);
    EXPECT_EQ(d.ListaDigitales.UltimaFila, 1);
    EXPECT_EQ(d.NumFilasDigitales, 0);
    EXPECT_TRUE(FilasDigitalesElegidas().empty());

    // A marked member beyond the member table.
    marcas[3] = MarcasNuevas(3);
    marcas[3][3] = 1;
    EXPECT_EQ(test::ErrorOf([&] { (void)ComponerMarcados(marcas, miembros); }), vberr::SubscriptOutOfRange);
    Digitales() = {};
}

TEST(ComposicionGrid, AGroupCountBeyondTheSlotsSizesOnlyTheSlots)
{
    // A template may count a group in the billions: the marks hold its count
    // but no more than the slots, and later columns still follow from it.
    const std::vector<std::int32_t> enorme = MarcasNuevas(2'000'000'000);
    EXPECT_EQ(enorme[0], 2'000'000'000);
    EXPECT_EQ(enorme.size(), static_cast<std::size_t>(SlotsColumna) + 2);

    std::array<std::vector<std::int32_t>, 17> marcas;
    for (auto& m : marcas)
        m = {0};
    marcas[1] = MarcasNuevas(25);
    marcas[2] = MarcasNuevas(2);
    MarcasComposicion mc{&marcas, 0};
    EXPECT_EQ(mc.Click(1, 19), Gesto::Marcado);
    EXPECT_EQ(mc.Click(1, 20), Gesto::Nada);
    EXPECT_EQ(mc.Click(2, 2), Gesto::Marcado);
    std::vector<std::int32_t> canales(27);
    for (std::size_t i = 0; i < canales.size(); ++i)
        canales[i] = static_cast<std::int32_t>(i) + 1;
    const Composicion c = ComponerMarcados(marcas, Miembros(canales));
    ASSERT_EQ(c.Filas.size(), 2u);
    EXPECT_EQ(c.Filas[0].Canal, 19);
    EXPECT_EQ(c.Filas[1].Canal, 27); // member 2 of the group after 25 members

    marcas[1] = enorme;
    EXPECT_EQ(test::ErrorOf([&] { (void)ComponerMarcados(marcas, Miembros(canales)); }),
              vberr::SubscriptOutOfRange);
}

// ---- Layout ----

namespace {

EntradaDisposicion Pantalla(std::int32_t ancho, std::int32_t alto, std::int32_t tpp, bool es1997 = false,
                            bool redondear = true)
{
    EntradaDisposicion e;
    e.Pantalla = {ancho * tpp, alto * tpp, tpp, tpp};
    e.Es1997 = es1997;
    // The frame of a sizable form: 4-pixel borders and a 30-pixel caption.
    e.AltoMarco = 34.0 * tpp;
    e.AnchoMarco = 8.0 * tpp;
    e.Redondear = redondear;
    return e;
}

} // namespace

TEST(DisposicionGrid, FormSizeByScreenCase)
{
    struct Caso {
        std::int32_t ancho, alto, tpp, caso;
        double dH, dW;
    };
    const std::vector<Caso> casos = {
        {640, 480, 15, 1, 1.177, 1.0077}, {640, 480, 12, 1, 1.177, 1.0077},  {800, 600, 12, 2, 1.15, 1.0077},
        {1024, 768, 12, 3, 1.115, 1.005}, {800, 600, 15, 4, 1.1364, 1.005},  {1024, 768, 15, 5, 1.104, 1.005},
        {1024, 768, 10, 5, 1.104, 1.005}, {1920, 1080, 15, 5, 1.104, 1.005},
    };
    for (const Caso& c : casos) {
        const DisposicionGrid d = AjustarAPantalla(Pantalla(c.ancho, c.alto, c.tpp));
        EXPECT_EQ(d.Caso, c.caso) << c.ancho << " x " << c.alto << " at " << c.tpp;
        EXPECT_FLOAT_EQ(d.AltoFormulario, c.alto * c.tpp / c.dH);
        EXPECT_FLOAT_EQ(d.AnchoFormulario, c.ancho * c.tpp / c.dW);
    }
}

TEST(DisposicionGrid, TitlesStandOverTheirColumnsInWholePixels)
{
    // Stored in whole pixels: no title drifts off its column, and titles side
    // by side keep at least a pixel between them.
    for (const auto& [ancho, alto] : {std::pair{800, 600}, std::pair{1024, 768}, std::pair{1280, 1024}}) {
        const DisposicionGrid d = AjustarAPantalla(Pantalla(ancho, alto, 15));
        const auto& e = d.Etiquetas;
        for (std::size_t k = 1; k <= 16; ++k) {
            EXPECT_DOUBLE_EQ(e[k][0].Left, e[k][1].Left) << ancho << " column " << k;
            if (k % 8 != 0) {
                EXPECT_GE(e[k + 1][0].Left - e[k][0].Right(), 15) << ancho << " titles " << k;
            }
        }
    }
}

TEST(DisposicionGrid, FourThreeScreenFollowsTheFormulas)
{
    // 1024 x 768 at 15 twips per pixel, as computed (no rounding).
    const DisposicionGrid d = AjustarAPantalla(Pantalla(1024, 768, 15, false, false));
    const double fh = static_cast<float>(11520 / 1.104);
    const double fw = static_cast<float>(15360 / 1.005);
    const double h = static_cast<float>(fw / 63); // from the width
    const double w = static_cast<float>(fh / 7);  // from the height
    EXPECT_DOUBLE_EQ(d.AltoEtiqueta, h);
    EXPECT_DOUBLE_EQ(d.AnchoColumna, w);
    const auto& e = d.Etiquetas;
    // Each title stands over its members (which stand a little left of the
    // column's place, so that the borders of neighbouring columns fall
    // together), three pixels narrower than the column: a gap between titles.
    EXPECT_EQ(e[1][0], (RectTwips{0, 0, w - 45, h}));
    EXPECT_EQ(e[1][1], (RectTwips{0, h - 16, w, h}));
    for (std::size_t k = 1; k <= 16; ++k) {
        EXPECT_DOUBLE_EQ(e[k][0].Left, e[k][1].Left) << "column " << k;
        if (k % 8 != 0) {
            EXPECT_GE(e[k + 1][0].Left - e[k][0].Right(), 15) << "titles " << k << " and " << k + 1;
        }
    }
    EXPECT_DOUBLE_EQ(e[4][0].Left, 3 * w - 65);
    EXPECT_DOUBLE_EQ(e[4][7].Left, 3 * w - 65);
    EXPECT_DOUBLE_EQ(e[8][19].Left, 7 * w - 145);
    EXPECT_NEAR(e[8][19].Top, 19 * (h - 16), 1e-6);
    // Column 12 under column 4, one empty row below its last member.
    EXPECT_DOUBLE_EQ(e[12][0].Left, e[4][0].Left);
    EXPECT_NEAR(e[12][0].Top, 19 * (h - 16) + 2 * h, 1e-6);
    EXPECT_DOUBLE_EQ(e[12][3].Left, 3 * w - 65);
    EXPECT_DOUBLE_EQ(e[9][5].Left, 0);
    EXPECT_NEAR(e[16][19].Top, 2 * 19 * (h - 16) + 2 * h, 1e-6);

    // The stack of a record that is not of 1997: one tall analog frame.
    EXPECT_FALSE(d.ColocaFrame3);
    EXPECT_EQ(d.Frame1, (RectTwips{8.5 * w, 0, 1845, 20 * h}));
    EXPECT_EQ(d.Label101, (RectTwips{8.5 * w, 21 * h, 1455, 495}));
    EXPECT_EQ(d.Label102, (RectTwips{8.5 * w + 1845 - 495, 22 * h + 165, 495, 255}));
    EXPECT_DOUBLE_EQ(d.cmdOK.Top, 22 * h + 495);
    EXPECT_DOUBLE_EQ(d.cmdcancel.Top, 23 * h + 990);
    EXPECT_EQ(d.Label99, (RectTwips{8.5 * w, 24 * h + 1485, 1695, 735}));

    // A 1997 record: the analog frame is shorter, the reference frame under it.
    const DisposicionGrid r = AjustarAPantalla(Pantalla(1024, 768, 15, true, false));
    EXPECT_TRUE(r.ColocaFrame3);
    EXPECT_DOUBLE_EQ(r.Frame1.Height, 14 * h);
    EXPECT_EQ(r.Frame3, (RectTwips{8.5 * w, 15 * h, 1815, 6 * h}));
    EXPECT_DOUBLE_EQ(r.Label101.Top, 22 * h);
    EXPECT_DOUBLE_EQ(r.Label102.Left, 8.5 * w + 1815 - 495);
}

TEST(DisposicionGrid, EveryLabelInsideTheDialogOnEveryScreen)
{
    struct Caso {
        std::int32_t ancho, alto, tpp;
        bool formulas; // the sizes from the form's size stand
    };
    // On the smallest 4:3 screens a caption taller than the old toolkit's
    // leaves the stack's last label a few pixels short: the labels lose a
    // pixel there.
    const std::vector<Caso> casos = {
        {640, 480, 15, false},   {800, 600, 15, false},   {800, 600, 12, false},   {1024, 768, 15, true},
        {1280, 960, 15, true},   {1600, 1200, 12, true},  {1280, 1024, 15, false}, {1280, 800, 15, false},
        {1366, 768, 15, false},  {1920, 1080, 15, false}, {1920, 1200, 12, false}, {2560, 1440, 15, false},
        {3840, 2160, 15, false}, {800, 800, 15, false},
    };
    for (const Caso& c : casos) {
        for (const bool es1997 : {false, true}) {
            SCOPED_TRACE(::testing::Message()
                         << c.ancho << " x " << c.alto << " at " << c.tpp << (es1997 ? " (1997)" : ""));
            const EntradaDisposicion e = Pantalla(c.ancho, c.alto, c.tpp, es1997);
            const DisposicionGrid d = AjustarAPantalla(e);
            const double alto = d.AltoFormulario - e.AltoMarco;
            const double ancho = d.AnchoFormulario - e.AnchoMarco;
            for (std::size_t k = 1; k <= 16; ++k) {
                for (std::size_t i = 0; i < 20; ++i) {
                    const RectTwips& l = d.Etiquetas[k][i];
                    ASSERT_GE(l.Left, 0);
                    ASSERT_LE(l.Bottom(), alto) << "column " << k << " label " << i;
                    ASSERT_LE(l.Right(), ancho) << "column " << k << " label " << i;
                    ASSERT_GT(l.Height, 8 * c.tpp);
                }
            }
            for (const RectTwips* r :
                 {&d.Frame1, &d.Label101, &d.Label102, &d.cmdOK, &d.cmdcancel, &d.Label99}) {
                EXPECT_LE(r->Bottom(), alto);
                EXPECT_LE(r->Right(), ancho);
            }
            // A 4:3 screen keeps the label height from the form's width.
            if (c.formulas) {
                EXPECT_FLOAT_EQ(d.AltoEtiqueta, static_cast<float>(d.AnchoFormulario / 63));
                EXPECT_FLOAT_EQ(d.AnchoColumna, static_cast<float>(d.AltoFormulario / 7));
            }
        }
    }
}
