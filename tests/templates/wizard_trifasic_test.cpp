#include <gtest/gtest.h>

#include "template_fixture.h"
#include "templates/template_texts.h"
#include "templates/wizard_trifasic.h"

namespace vesdra {
namespace {

using Casilla = SelectorCasillas::Casilla;

class WizardTrifasicTest : public test::TemplateTest
{
protected:
    // Analog rows A1..An as step 1 leaves them (channel i in row i); a
    // template being modified unless said otherwise.
    static void Filas(std::int32_t n = 6)
    {
        Plantillas().NumAnalogicosPlantilla = n;
        test::FilasAnalogicas(n, "A%1");
    }
    static PasoTrifasico Cargado(std::int32_t cuenta)
    {
        PasoTrifasico paso;
        EXPECT_TRUE(paso.Cargar().empty());
        EXPECT_FALSE(paso.CambiarCuenta(QString::number(cuenta)));
        return paso;
    }
    static std::vector<std::int32_t> Marcadores(const PasoTrifasico& paso, std::int32_t s)
    {
        std::vector<std::int32_t> m;
        for (std::int32_t k = 1; k <= 3; ++k)
            m.push_back(paso(s).Casillas.Marcador(k));
        return m;
    }
};

TEST_F(WizardTrifasicTest, CountBoxTakesZeroToFour)
{
    Filas();
    const struct {
        const char* texto;
        int aviso; // 0 for none
        std::int32_t activos;
    } casos[] = {
        {"", 0, 0},   {"00", 0, 0},  {"2", 0, 2},   {"4", 0, 4},
        {"5", 87, 4}, {"-1", 87, 4}, {"-", 187, 4}, {"2a", 187, 4},
    };
    PasoTrifasico paso;
    (void)paso.Cargar();
    (void)paso.CambiarCuenta("4");
    for (const auto& c : casos) {
        const auto aviso = paso.CambiarCuenta(c.texto);
        EXPECT_EQ(aviso ? aviso->Texto : 0, c.aviso) << c.texto;
        std::int32_t activos = 0;
        for (const auto& conjunto : paso.Conjuntos)
            activos += conjunto.Activo ? 1 : 0;
        EXPECT_EQ(activos, c.activos) << c.texto;
    }
    // Out of range: the typed value is held, and neither continue nor back
    // leaves the step on it.
    (void)paso.CambiarCuenta("7");
    EXPECT_EQ(Plantillas().NumTrifasicosPlantilla, 7);
    EXPECT_EQ(paso.Continuar().Aviso, AvisoPaso(87));
    EXPECT_FALSE(paso.Volver().Sale);

    // Markers: the first slot of each active set yellow, inactive sets white.
    (void)paso.CambiarCuenta("2");
    EXPECT_EQ(Marcadores(paso, 1), (std::vector<std::int32_t>{14, 15, 15}));
    EXPECT_EQ(Marcadores(paso, 3), (std::vector<std::int32_t>{15, 15, 15}));
}

TEST_F(WizardTrifasicTest, PicksFillTheCurrentSlotRefuseRepeatsAndMoveOn)
{
    Filas(4);
    PasoTrifasico paso = Cargado(2);
    ASSERT_EQ(paso.Lista, QStringList({"A1", "A2", "A3", "A4"}));
    SelectorCasillas& s1 = paso(1).Casillas;
    const struct {
        const char* que;
        std::function<bool()> accion;
        bool cambia;
        std::int32_t actual;
        std::vector<Casilla> casillas;
    } pasos[] = {
        {"pick A1", [&] { return paso.Elegir(1, 0); }, true, 2, {{"A1", "1"}, {}, {}}},
        {"A1 again", [&] { return paso.Elegir(1, 0); }, false, 2, {{"A1", "1"}, {}, {}}},
        {"pick A2", [&] { return paso.Elegir(1, 1); }, true, 3, {{"A1", "1"}, {"A2", "2"}, {}}},
        {"pick A3 stays on 3",
         [&] { return paso.Elegir(1, 2); },
         true,
         3,
         {{"A1", "1"}, {"A2", "2"}, {"A3", "3"}}},
        {"A4 replaces slot 3",
         [&] { return paso.Elegir(1, 3); },
         true,
         3,
         {{"A1", "1"}, {"A2", "2"}, {"A4", "4"}}},
        {"slot 1 current",
         [&] {
             paso.Seleccionar(1, 1);
             return true;
         },
         true,
         1,
         {{"A1", "1"}, {"A2", "2"}, {"A4", "4"}}},
        // Only slots 1..current are compared: A4 in slot 3 does not stop it.
        {"A4 into slot 1",
         [&] { return paso.Elegir(1, 3); },
         true,
         2,
         {{"A4", "4"}, {"A2", "2"}, {"A4", "4"}}},
        {"empty slot 2",
         [&] {
             paso.Vaciar(1, 2);
             return true;
         },
         true,
         2,
         {{"A4", "4"}, {}, {"A4", "4"}}},
        {"no list line", [&] { return paso.Elegir(1, 4); }, false, 2, {{"A4", "4"}, {}, {"A4", "4"}}},
    };
    for (const auto& p : pasos) {
        EXPECT_EQ(p.accion(), p.cambia) << p.que;
        EXPECT_EQ(s1.Actual(), p.actual) << p.que;
        EXPECT_EQ((std::vector<Casilla>{s1(1), s1(2), s1(3)}), p.casillas) << p.que;
        EXPECT_EQ(s1.Marcador(p.actual), kMarcadorActual) << p.que;
    }
    // One channel may stand in several sets; an inactive set takes nothing.
    EXPECT_TRUE(paso.Elegir(2, 3));
    EXPECT_FALSE(paso.Elegir(3, 0));
}

TEST_F(WizardTrifasicTest, ContinueStoresChannelNumbersNamesAndFactorsAsText)
{
    Filas();
    // Rows whose channel column is not the row number store that column.
    Plantillas().AnalogicosPlantilla(5, 1) = "9";
    PasoTrifasico paso = Cargado(2);
    for (std::int32_t p : {0, 1, 2})
        (void)paso.Elegir(1, p);
    for (std::int32_t p : {3, 4, 5})
        (void)paso.Elegir(2, p);
    (void)paso.CambiarNombre(1, "Tensiones");
    (void)paso.CambiarFactor(1, "1.5");
    (void)paso.CambiarNombre(2, "");
    const SalidaPaso s = paso.Continuar();
    ASSERT_TRUE(s.Sale);
    const Matrix<QString>& t = Plantillas().TrifasicosPlantilla;
    ASSERT_EQ(t.Rows(), 2);
    ASSERT_EQ(t.Cols(), 5);
    EXPECT_EQ(test::Row(t, 1), QStringList({"1", "2", "3", "Tensiones", "1.5"}));
    EXPECT_EQ(test::Row(t, 2), QStringList({"4", "9", "6", "", ""}));
    EXPECT_FALSE(Plantillas().VueltaAtras);
    ASSERT_TRUE(paso.Volver().Sale);
    EXPECT_TRUE(Plantillas().VueltaAtras);

    // A count of 0 leaves the table as it was.
    (void)paso.CambiarCuenta("0");
    ASSERT_TRUE(paso.Continuar().Sale);
    EXPECT_EQ(Plantillas().TrifasicosPlantilla.Rows(), 2);
}

TEST_F(WizardTrifasicTest, NothingIsStoredWhileASlotIsEmptyOrATextCannotBeStored)
{
    Filas();
    Plantillas().PlantillaNueva = true;
    const struct {
        const char* que;
        std::function<void(PasoTrifasico&)> cambio;
        AvisoPaso aviso;
    } casos[] = {
        {"set 2 slot 3 empty", [](PasoTrifasico& p) { p.Vaciar(2, 3); }, {273, 64, {}, 44}},
        {"% in a name", [](PasoTrifasico& p) { (void)p.CambiarNombre(1, "L%1"); }, {176}},
        {"$ in a factor", [](PasoTrifasico& p) { (void)p.CambiarFactor(2, "1$"); }, {177}},
        {"line break in a name", [](PasoTrifasico& p) { (void)p.CambiarNombre(2, "L\r\n"); }, {124}},
    };
    for (const auto& c : casos) {
        Plantillas().TrifasicosPlantilla.Resize(1, 5, "antes");
        PasoTrifasico paso = Cargado(2);
        for (std::int32_t s : {1, 2})
            for (std::int32_t p : {0, 1, 2})
                (void)paso.Elegir(s, p);
        c.cambio(paso);
        const SalidaPaso s = paso.Continuar();
        EXPECT_FALSE(s.Sale) << c.que;
        EXPECT_EQ(s.Aviso, c.aviso) << c.que;
        EXPECT_EQ(Plantillas().TrifasicosPlantilla.Rows(), 1) << c.que;
    }
    // The frame caption leads the empty-slot message.
    EXPECT_EQ(AvisoPaso(273, 64, {}, 44).Componer([](int n) { return QString::number(n); }), "44 : 273");
    // A factor that is no number only warns.
    PasoTrifasico paso = Cargado(1);
    for (std::int32_t p : {0, 1, 2})
        (void)paso.Elegir(1, p);
    EXPECT_EQ(paso.CambiarFactor(1, "x"), (std::vector<AvisoPaso>{{186}}));
    EXPECT_EQ(paso.CambiarFactor(1, "1.5.2"), (std::vector<AvisoPaso>{{186}}));
    // Grouped digits the phasor views cannot read are no factor here either.
    EXPECT_EQ(paso.CambiarFactor(1, "1,000.5"), (std::vector<AvisoPaso>{{186}}));
    for (const char* factor : {"", "1.5", "1,5", " 2 ", "-0.5"})
        EXPECT_TRUE(paso.CambiarFactor(1, factor).empty()) << factor;
    EXPECT_TRUE(paso.Continuar().Sale);
}

TEST_F(WizardTrifasicTest, LoadShowsTheStoredSetsUnlessANewTemplateArrivesFirst)
{
    Filas(4);
    TemplateState& p = Plantillas();
    p.NumTrifasicosPlantilla = 5;
    p.TrifasicosPlantilla.Resize(5, 6);
    const QStringList filas[] = {{"1", "2", "3", "L1", "1.5"}, {"4", "3", "12", "L2", ""}};
    for (std::int32_t s = 1; s <= 5; ++s)
        for (std::int32_t k = 1; k <= 5; ++k)
            p.TrifasicosPlantilla(s, k) = filas[s == 1 ? 0 : 1].at(k - 1);

    // Modifying: the stored sets (at most four, and the user told), a phase
    // beyond the rows left empty.
    PasoTrifasico paso;
    EXPECT_EQ(paso.Cargar(), std::vector<AvisoPaso>({AvisoPaso(kTextoTrifasicosConservados, vbInformation)}));
    EXPECT_EQ(paso.Cuenta, "4");
    EXPECT_EQ(paso(1).Nombre, "L1");
    EXPECT_EQ(paso(1).Factor, "1.5");
    EXPECT_EQ(paso(1).Casillas(2), (Casilla{"A2", "2"}));
    EXPECT_EQ(paso(2).Casillas(3), Casilla{});
    EXPECT_TRUE(paso(4).Activo);
    // Continue keeps those four (their empty slots filled first).
    for (std::int32_t s = 2; s <= 4; ++s) {
        for (std::int32_t k = 1; k <= 3; ++k)
            paso.Vaciar(s, k);
        paso.Seleccionar(s, 1);
        for (std::int32_t k = 1; k <= 3; ++k)
            ASSERT_TRUE(paso.Elegir(s, k - 1));
    }
    ASSERT_TRUE(paso.Continuar().Sale);
    EXPECT_EQ(p.NumTrifasicosPlantilla, 4);
    EXPECT_EQ(p.TrifasicosPlantilla.Rows(), 4);

    // A new template on its first visit proposes nothing; after a back it
    // shows what was stored.
    p.PlantillaNueva = true;
    EXPECT_TRUE(paso.Cargar().empty());
    EXPECT_EQ(paso.Cuenta, "0");
    EXPECT_EQ(p.NumTrifasicosPlantilla, 0);
    EXPECT_EQ(paso(1).Nombre, "");
    p.VueltaAtras = true;
    p.NumTrifasicosPlantilla = 1;
    (void)paso.Cargar();
    EXPECT_EQ(paso.Cuenta, "1");
    EXPECT_EQ(paso(1).Casillas(3), (Casilla{"A3", "3"}));

    // No analog rows: text 244 in a plain box, empty lists.
    p.NumAnalogicosPlantilla = 0;
    EXPECT_EQ(paso.Cargar(), (std::vector<AvisoPaso>{{244, 0}}));
    EXPECT_TRUE(paso.Lista.isEmpty());
}

// Back is never refused for an empty slot (the row it wants may come back
// only through step 1), and the step entered again in the pass shows its
// four sets as it last stored them: a set beyond the count, and a phase
// whose row step 1 hid, come back; a kept phase goes once its slot is
// emptied or filled.
TEST_F(WizardTrifasicTest, MendedBackKeepsEverySetAndPhaseForTheStepEnteredAgain)
{
    Filas(6);
    TemplateState& p = Plantillas();
    p.NumTrifasicosPlantilla = 2;
    p.TrifasicosPlantilla.Resize(2, 5);
    const QStringList conjuntos[] = {{"1", "2", "3", "L1", "1"}, {"4", "5", "6", "L2", "2"}};
    for (std::int32_t s = 1; s <= 2; ++s)
        for (std::int32_t k = 1; k <= 5; ++k)
            p.TrifasicosPlantilla(s, k) = conjuntos[s - 1].at(k - 1);
    // Step 1 keeps rows 1..3 only.
    p.NumAnalogicosPlantilla = 3;
    PasoTrifasico paso;
    EXPECT_TRUE(paso.Cargar().empty());
    EXPECT_EQ(paso(2).Nombre, "L2");
    EXPECT_EQ(paso(2).Casillas(1), Casilla{});
    EXPECT_EQ(paso.Continuar().Aviso, AvisoPaso(273, vbInformation, {}, 44));
    (void)paso.CambiarNombre(3, "L3");
    ASSERT_TRUE(paso.Volver().Sale);
    EXPECT_TRUE(p.VueltaAtras);

    // Step 1 gives the rows back.
    p.NumAnalogicosPlantilla = 6;
    PasoTrifasico otra;
    EXPECT_TRUE(otra.Cargar().empty());
    EXPECT_EQ(otra.Cuenta, "2");
    EXPECT_EQ(otra(2).Casillas(1), (Casilla{"A4", "4"}));
    EXPECT_EQ(otra(2).Casillas(3), (Casilla{"A6", "6"}));
    EXPECT_EQ(otra(3).Nombre, "L3");
    EXPECT_FALSE(otra(3).Activo);

    // Hidden again; slot 1 emptied, slot 2 filled with row 1.
    p.NumAnalogicosPlantilla = 3;
    PasoTrifasico tercera;
    (void)tercera.Cargar();
    tercera.Vaciar(2, 1);
    tercera.Seleccionar(2, 2);
    ASSERT_TRUE(tercera.Elegir(2, 0));
    ASSERT_TRUE(tercera.Volver().Sale);
    p.NumAnalogicosPlantilla = 6;
    PasoTrifasico cuarta;
    (void)cuarta.Cargar();
    EXPECT_EQ(cuarta(2).Casillas(1), Casilla{});
    EXPECT_EQ(cuarta(2).Casillas(2), (Casilla{"A1", "1"}));
    EXPECT_EQ(cuarta(2).Casillas(3), (Casilla{"A6", "6"}));
}

TEST_F(WizardTrifasicTest, LayoutFollowsTheScreen)
{
    MedidasTrifasico m;
    m.AnchoPantalla = 19200;
    m.AltoPantalla = 15360;
    m.AnchoLabel1 = 3000;
    m.AltoLabel1 = 300;
    m.AnchoLabel2 = 4000;
    m.AltoLabel2 = 300;
    m.AnchoCuenta = 600;
    m.AltoCuenta = 360;
    m.AltoNombre = 330;
    m.AltoSeleccion = 240;
    const DisposicionTrifasico d = ColocarControles(m);
    EXPECT_EQ(d.Form, (RectTwips{1440, 768, 16320, 13824}));
    EXPECT_DOUBLE_EQ(d.Label1.Left, (16320 - 3000) / 3.0);
    EXPECT_DOUBLE_EQ(d.Cuenta.Left, d.Label1.Right());
    EXPECT_DOUBLE_EQ(d.Label2.Top, 300 + 180);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(d.Nombres[i].Width, 16320 / 4.4);
        EXPECT_DOUBLE_EQ(d.Factores[i].Right(), d.Nombres[i].Right());
        EXPECT_DOUBLE_EQ(d.Marcos[i].Left, d.Nombres[i].Left);
        EXPECT_DOUBLE_EQ(d.Marcos[i].Height, 13824 / 1.5);
        if (i > 0) {
            EXPECT_DOUBLE_EQ(d.Nombres[i].Left, d.Nombres[i - 1].Right() + 120);
        }
    }
    EXPECT_DOUBLE_EQ(d.Lista.Width, d.Marcos[0].Width / 1.1);
    EXPECT_DOUBLE_EQ(d.Casillas[0].Height, 1.4 * 360 / 2);
    EXPECT_LE(d.Casillas[2].Bottom(), d.Marcos[0].Height);
    for (std::size_t k = 0; k < 3; ++k) {
        // The marker is a square; the row box keeps a third of the standard
        // caption width; the caption box takes the rest, the row spanning the list.
        EXPECT_DOUBLE_EQ(d.Marcadores[k].Width, d.Marcadores[k].Height);
        EXPECT_DOUBLE_EQ(d.Filas[k].Width, d.Lista.Width / 1.8 / 3);
        EXPECT_GT(d.Casillas[k].Width, d.Lista.Width / 1.8);
        EXPECT_DOUBLE_EQ(d.Marcadores[k].Left, d.Lista.Left);
        EXPECT_NEAR(d.Filas[k].Right(), d.Lista.Right(), 1e-9);
        EXPECT_LT(d.Marcadores[k].Right(), d.Casillas[k].Left);
        EXPECT_LT(d.Casillas[k].Right(), d.Filas[k].Left);
    }
    // Buttons: one per third of the form, under the frames.
    for (std::size_t j = 0; j < 3; ++j) {
        EXPECT_DOUBLE_EQ(d.Botones[j].Left + d.Botones[j].Width / 2, (j + 0.5) * 16320 / 3);
        EXPECT_GT(d.Botones[j].Top, d.Marcos[0].Bottom());
    }
    EXPECT_LE(d.Botones[0].Bottom(), d.Form.Height);
}

} // namespace
} // namespace vesdra
