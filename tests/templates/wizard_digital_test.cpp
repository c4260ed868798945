#include <functional>
#include <gtest/gtest.h>

#include "platform/base/app_paths.h"
#include "template_fixture.h"
#include "templates/model_db.h"
#include "templates/template_texts.h"
#include "templates/wizard_digital.h"

namespace vesdra {
namespace {

using Miembros = std::vector<std::pair<QString, QString>>; // number, name

class WizardDigitalTest : public test::TemplateTest
{
protected:
    void SetUp() override
    {
        TemplateTest::SetUp();
        SetMotorBasesModelo(nullptr);
        SetExeFolderOverride(dir_.filePath("vesdra/EXE"));
    }
    void TearDown() override { TemplateTest::TearDown(); }

    // The fixture databases in the runtime tree's Models folder: "R123*"
    // offers three status signals, "MAL" cannot be read.
    void Modelos()
    {
        test::CopiarModelos(dir_.filePath("Models"), test::DataPath("Models"),
                            {"Modelos.mdb", "R123.mdb", "Mal.mdb"});
    }
    // A record with digital channels D1..Dn.
    static void Registro(std::int32_t nD)
    {
        OpenRecord(4, nD);
        RecordModel& r = vesdra::Registro();
        r.NombresDigitales.Resize(nD);
        for (std::int32_t d = 1; d <= nD; ++d)
            r.NombresDigitales(d) = QStringLiteral("D%1").arg(d);
        r.NumDigitalesOfrecidos = nD;
        Plantillas().PlantillaAplicada = false;
    }
    // A template read from a file, being modified.
    static void Modificando(const std::vector<std::pair<QString, Miembros>>& grupos)
    {
        TemplateState& p = Plantillas();
        p.ModificandoPlantilla = true;
        p.PlantillaNueva = false;
        p.NumGruposPlantilla = static_cast<std::int32_t>(grupos.size());
        p.GruposPlantilla.Resize(p.NumGruposPlantilla, 2);
        std::int32_t total = 0;
        for (const auto& g : grupos)
            total += static_cast<std::int32_t>(g.second.size());
        p.NumMiembrosPlantilla = total;
        p.MiembrosPlantilla.Resize(total, 2);
        std::int32_t j = 0;
        for (std::int32_t g = 1; g <= p.NumGruposPlantilla; ++g) {
            const auto& [nombre, miembros] = grupos[static_cast<std::size_t>(g - 1)];
            p.GruposPlantilla(g, 1) = nombre;
            p.GruposPlantilla(g, 2) = QStringLiteral(" %1 ").arg(miembros.size());
            for (const auto& [numero, miembro] : miembros) {
                ++j;
                p.MiembrosPlantilla(j, 1) = numero;
                p.MiembrosPlantilla(j, 2) = miembro;
            }
        }
    }
    // As the template dialog's nueva starts the wizard.
    static PasoDigital Nueva()
    {
        Plantillas().PlantillaNueva = true;
        Plantillas().ModificandoPlantilla = false;
        Plantillas().GruposEditados = false;
        PasoDigital paso;
        EXPECT_TRUE(paso.Cargar().empty());
        return paso;
    }
    // A group added with the signals at the given list positions.
    static void Grupo(PasoDigital& paso, const QString& nombre, const std::vector<std::int32_t>& posiciones)
    {
        (void)paso.CambiarNombre(nombre);
        EXPECT_TRUE(paso.Anadir().empty()) << nombre.toStdString();
        for (std::int32_t p : posiciones)
            EXPECT_TRUE(paso.Elegir(p).empty());
    }
    // Row g of the editing tables as "name", "count", then "number:member".
    static QStringList Fila(std::int32_t g)
    {
        const TemplateState& p = Plantillas();
        QStringList out{p.GruposEdicion(g, 1), p.GruposEdicion(g, 2)};
        const std::int32_t k = EnteroCeldaTest(p.GruposEdicion(g, 2));
        for (std::int32_t c = 1; c <= k; ++c)
            out << QStringLiteral("%1:%2").arg(p.CanalesEdicion(g, c + 2)).arg(p.GruposEdicion(g, c + 2));
        return out;
    }
    static std::int32_t EnteroCeldaTest(const QString& s) { return s.trimmed().toInt(); }
    static QStringList Casillas(const PasoDigital& paso)
    {
        QStringList out;
        for (std::int32_t i = 1; i <= PasoDigital::kCasillas; ++i) {
            const auto& c = paso.Casillas(i);
            if (!c.Nombre.isEmpty() || !c.Numero.isEmpty())
                out << QStringLiteral("%1:%2:%3").arg(i).arg(c.Numero, c.Nombre);
        }
        return out;
    }
    static std::vector<int> Textos(const std::vector<AvisoPaso>& avisos)
    {
        std::vector<int> t;
        for (const AvisoPaso& a : avisos)
            t.push_back(a.Texto);
        return t;
    }
};

TEST_F(WizardDigitalTest, OfferedSignalsFollowTheFirstRuleThatHolds)
{
    const QStringList modelo{"Disparo general", "Arranque fase B", "Reenganche"};
    const QStringList registro{"D1", "D2", "D3", "D4", "D5"};
    const struct {
        const char* que;
        bool nueva, modificando, abierto, modeloCargado;
        const char* guardado;      // station name when modification started
        const char* identificador; // the template's, a Like pattern
        QStringList lista;
        std::vector<int> avisos;
        bool modeloDespues;
    } casos[] = {
        {"new, no record: the model's signals", true, false, false, false, "", "R1234", modelo, {}, false},
        {"new, no record, no such model", true, false, false, false, "", "OTRO", {}, {}, false},
        {"new, no record, unreadable model", true, false, false, false, "", "MAL", {}, {245}, false},
        {"modifying, no record: the model's", false, true, false, false, "", "R123", modelo, {}, false},
        // The model stays taken for the rest of the pass: entered again, the
        // step offers its signals again.
        {"new over a record from a model", true, false, true, true, "", "R1234", modelo, {}, true},
        {"modifying, record matching the pattern",
         false,
         true,
         true,
         false,
         " ESTACION 3 ",
         "EST*#",
         registro,
         {},
         false},
        {"modifying, another record", false, true, true, false, "OTRA", "ESTACION", {}, {}, false},
        {"modifying, identifier no valid pattern", false, true, true, false, "[X", "[X", registro, {}, false},
        {"new over a record", true, false, true, false, "", "R1234", registro, {}, false},
        {"neither, no record", false, false, false, false, "", "R1234", {}, {}, false},
        {"model loaded but no record", true, false, false, true, "", "R1234", modelo, {}, true},
    };
    Modelos();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        CerrarRegistro();
        CerrarPlantillas();
        if (c.abierto)
            Registro(5);
        TemplateState& p = Plantillas();
        p.PlantillaNueva = c.nueva;
        p.ModificandoPlantilla = c.modificando;
        p.ModeloCargado = c.modeloCargado;
        p.NombreRegistroGuardado = c.guardado;
        p.IdentificadorPlantilla = c.identificador;
        PasoDigital paso;
        EXPECT_EQ(Textos(paso.Cargar()), c.avisos);
        EXPECT_EQ(paso.Lista, c.lista);
        EXPECT_EQ(p.ModeloCargado, c.modeloDespues);
        if (c.lista == modelo) {
            EXPECT_EQ(vesdra::Registro().NumDigitalesOfrecidos, 3);
        }
    }
}

TEST_F(WizardDigitalTest, NewTemplateGroupsAreAddedFilledSwitchedAndStored)
{
    Registro(8);
    PasoDigital paso = Nueva();
    EXPECT_EQ(paso.Cuenta, "0");
    EXPECT_TRUE(paso.Grupos.isEmpty());
    // No group yet: a pick is refused.
    const auto antes = paso.Elegir(0);
    ASSERT_EQ(antes.size(), 1u);
    EXPECT_EQ(antes.front(), AvisoPaso(249, 64));

    Grupo(paso, "DISPAROS", {0, 2, 4});
    EXPECT_EQ(paso.Cuenta, "1");
    EXPECT_EQ(Plantillas().NumGruposPlantilla, 1);
    EXPECT_EQ(Casillas(paso), QStringList({"1:1:D1", "2:3:D3", "3:5:D5"}));
    EXPECT_EQ(paso.Casillas.Actual(), 4);

    // Adding stores the group on display under its own name and starts the
    // new one empty.
    Grupo(paso, "ALARMAS", {7});
    EXPECT_EQ(paso.Grupos, QStringList({"DISPAROS", "ALARMAS"}));
    EXPECT_EQ(paso.Seleccion, 1);
    EXPECT_EQ(Fila(1), QStringList({"DISPAROS", "3", "1:D1", "3:D3", "5:D5"}));
    EXPECT_EQ(Casillas(paso), QStringList({"1:8:D8"}));

    // Switching stores the group left and shows the one clicked.
    EXPECT_TRUE(paso.ElegirGrupo(0).empty());
    EXPECT_EQ(paso.GrupoActual, 1);
    EXPECT_EQ(paso.Nombre, "DISPAROS");
    EXPECT_EQ(Casillas(paso), QStringList({"1:1:D1", "2:3:D3", "3:5:D5"}));
    EXPECT_EQ(paso.Casillas.Actual(), 1);
    EXPECT_EQ(Fila(2), QStringList({"ALARMAS", "1", "8:D8"}));
    paso.Vaciar(2);
    EXPECT_TRUE(paso.Elegir(5).empty());

    const auto salida = paso.Continuar();
    EXPECT_TRUE(salida.Paso.Sale);
    EXPECT_TRUE(salida.Avisos.empty());
    const TemplateState& p = Plantillas();
    EXPECT_EQ(p.NumGruposPlantilla, 2);
    EXPECT_EQ(p.NumMiembrosPlantilla, 4);
    EXPECT_EQ(Fila(1), QStringList({"DISPAROS", "3", "1:D1", "6:D6", "5:D5"}));
}

TEST_F(WizardDigitalTest, AddingRefusesEmptyDuplicateAndSeventeenthNames)
{
    Registro(4);
    PasoDigital paso = Nueva();
    (void)paso.CambiarNombre("");
    EXPECT_TRUE(paso.Anadir().empty());
    EXPECT_TRUE(paso.Grupos.isEmpty());
    for (const char* g : {"DISPAROS", "AL*", "[X"})
        Grupo(paso, g, {});
    // Names are compared as written: case counts, and the characters of a
    // pattern stand for themselves.
    const struct {
        const char* nombre;
        bool anadido;
    } casos[] = {{"DISPAROS", false}, {"disparos", true}, {"ALARMAS", true},
                 {"[X", false},       {"X", true},        {"AL*", false}};
    for (const auto& c : casos) {
        const auto n = paso.Grupos.size();
        (void)paso.CambiarNombre(c.nombre);
        (void)paso.Anadir();
        EXPECT_EQ(paso.Grupos.size(), n + (c.anadido ? 1 : 0)) << c.nombre;
        EXPECT_EQ(paso.Cuenta.toInt(), paso.Grupos.size()) << c.nombre;
    }
    ASSERT_EQ(paso.Grupos.size(), 6);
    for (int g = 7; g <= 16; ++g)
        Grupo(paso, QStringLiteral("G%1").arg(g), {0});
    EXPECT_EQ(paso.Cuenta, "16");
    // The 17th: text 150, and the name box gets the current group's back.
    (void)paso.CambiarNombre("G17");
    EXPECT_EQ(Textos(paso.Anadir()), std::vector<int>({150}));
    EXPECT_EQ(paso.Nombre, "G16");
    EXPECT_EQ(paso.Grupos.size(), 16);
    EXPECT_EQ(Plantillas().NumGruposPlantilla, 16);
}

TEST_F(WizardDigitalTest, DeletingMovesLaterGroupsDownAndTheLastLeavesNothing)
{
    Registro(8);
    PasoDigital paso = Nueva();
    Grupo(paso, "G1", {0});
    Grupo(paso, "G2", {1, 2});
    Grupo(paso, "G3", {3});
    Grupo(paso, "G4", {4, 5, 6});
    (void)paso.ElegirGrupo(1);
    EXPECT_TRUE(paso.Eliminar().empty());
    EXPECT_EQ(paso.Grupos, QStringList({"G1", "G3", "G4"}));
    EXPECT_EQ(paso.Cuenta, "3");
    EXPECT_EQ(Plantillas().GruposEdicion.Rows(), 3);
    EXPECT_EQ(paso.Seleccion, 0);
    EXPECT_EQ(paso.Nombre, "G1");
    EXPECT_EQ(Casillas(paso), QStringList({"1:1:D1"}));
    EXPECT_EQ(Fila(2), QStringList({"G3", "1", "4:D4"}));
    EXPECT_EQ(Fila(3), QStringList({"G4", "3", "5:D5", "6:D6", "7:D7"}));

    // Nothing selected: nothing happens.
    paso.Seleccion = -1;
    EXPECT_TRUE(paso.Eliminar().empty());
    EXPECT_EQ(paso.Grupos.size(), 3);

    for (int i = 0; i < 2; ++i) {
        paso.Seleccion = 0;
        (void)paso.Eliminar();
    }
    EXPECT_EQ(paso.Grupos, QStringList({"G4"}));
    EXPECT_EQ(Casillas(paso), QStringList({"1:5:D5", "2:6:D6", "3:7:D7"}));
    paso.Seleccion = 0;
    EXPECT_EQ(Textos(paso.Eliminar()), std::vector<int>({182}));
    EXPECT_EQ(paso.Cuenta, "0");
    EXPECT_EQ(paso.Nombre, "");
    EXPECT_TRUE(Casillas(paso).isEmpty());
    EXPECT_TRUE(paso.Continuar().Paso.Sale);
    EXPECT_EQ(Plantillas().NumMiembrosPlantilla, 0);
}

// What the group list shows is what is stored (and written): a name typed
// over the current group's renames it in both when the group is stored (a
// click on another group, continue, back), for a new template as for one
// being modified; a name already in the list is refused with a message and
// changes nothing.
TEST_F(WizardDigitalTest, MendedTheListShowsWhatIsStoredAndDuplicateNamesAreRefused)
{
    using Accion = std::function<std::vector<int>(PasoDigital&)>;
    const auto textos = [](const std::vector<AvisoPaso>& a) { return Textos(a); };
    const struct {
        const char* que;
        Accion accion;
        std::vector<int> avisos;
        QStringList grupos;  // list and stored names alike
        const char* nombre;  // the name box afterwards
        std::int32_t actual; // the group shown
    } casos[] = {
        {"a rename, then a click on another group",
         [&](PasoDigital& p) {
             (void)p.CambiarNombre("B2");
             return textos(p.ElegirGrupo(0));
         },
         {},
         {"A", "B2"},
         "B2",
         2},
        {"Añadir with a name in the list",
         [&](PasoDigital& p) {
             (void)p.CambiarNombre("A");
             return textos(p.Anadir());
         },
         {kTextoGrupoRepetido},
         {"A", "B"},
         "B",
         2},
        {"Añadir with the current group's own name",
         [&](PasoDigital& p) { return textos(p.Anadir()); },
         {kTextoGrupoRepetido},
         {"A", "B"},
         "B",
         2},
        {"a rename to a name in the list, then a click",
         [&](PasoDigital& p) {
             (void)p.CambiarNombre("A");
             return textos(p.ElegirGrupo(0));
         },
         {kTextoGrupoRepetido},
         {"A", "B"},
         "A",
         1},
        {"a rename to a name in the list, then continue",
         [&](PasoDigital& p) {
             (void)p.CambiarNombre("A");
             const PasoDigital::Salida s = p.Continuar();
             EXPECT_FALSE(s.Paso.Sale);
             std::vector<int> t = textos(s.Avisos);
             if (s.Paso.Aviso)
                 t.push_back(s.Paso.Aviso->Texto);
             return t;
         },
         {kTextoGrupoRepetido},
         {"A", "B"},
         "B",
         2},
        {"a rename, then continue",
         [&](PasoDigital& p) {
             (void)p.CambiarNombre("B2");
             EXPECT_TRUE(p.Continuar().Paso.Sale);
             return std::vector<int>{};
         },
         {},
         {"A", "B2"},
         "B2",
         2},
        {"a name emptied, then back",
         [&](PasoDigital& p) {
             std::vector<int> t = textos(p.CambiarNombre(""));
             const PasoDigital::Salida s = p.Volver();
             EXPECT_TRUE(s.Paso.Sale);
             for (const int x : textos(s.Avisos))
                 t.push_back(x);
             return t;
         },
         {182},
         {"A", "B"},
         "B",
         2},
    };
    for (const bool modificando : {false, true}) {
        for (const auto& c : casos) {
            CerrarPlantillas();
            Registro(8);
            PasoDigital paso;
            if (modificando) {
                Plantillas().NombreRegistroGuardado = "ESTACION";
                Plantillas().IdentificadorPlantilla = "ESTACION";
                Modificando({{"A", {{"1", "D1"}}}, {"B", {{"2", "D2"}}}});
                (void)paso.Cargar();
                (void)paso.ElegirGrupo(1);
            } else {
                paso = Nueva();
                Grupo(paso, "A", {0});
                Grupo(paso, "B", {1});
            }
            const std::string que = std::string(c.que) + (modificando ? ", modifying" : ", new");
            EXPECT_EQ(c.accion(paso), c.avisos) << que;
            EXPECT_EQ(paso.Grupos, c.grupos) << que;
            EXPECT_EQ(paso.Nombre, c.nombre) << que;
            EXPECT_EQ(paso.GrupoActual, c.actual) << que;
            EXPECT_EQ(paso.Seleccion, c.actual - 1) << que;
            // Stored as the list shows, members where they were.
            (void)paso.Volver();
            EXPECT_EQ(Fila(1), QStringList({c.grupos[0], "1", "1:D1"})) << que;
            EXPECT_EQ(Fila(2), QStringList({c.grupos[1], "1", "2:D2"})) << que;
        }
    }
}

TEST_F(WizardDigitalTest, SlotsPickCompactAndTakeOnlyChannelNumbers)
{
    Registro(30);
    PasoDigital paso = Nueva();
    Grupo(paso, "G", {4});
    // The same signal again right after is not placed twice; one standing
    // only at or after the current slot is.
    EXPECT_TRUE(paso.Elegir(4).empty());
    EXPECT_EQ(Casillas(paso), QStringList({"1:5:D5"}));
    paso.Seleccionar(1);
    (void)paso.Elegir(4);
    EXPECT_EQ(Casillas(paso), QStringList({"1:5:D5"}));
    EXPECT_EQ(paso.Casillas.Actual(), 2);

    // All 19 filled: slot 19 stays current and a further pick replaces it.
    for (std::int32_t p = 10; p < 28; ++p)
        (void)paso.Elegir(p);
    EXPECT_EQ(paso.Casillas.Actual(), 19);
    EXPECT_EQ(paso.Casillas(19).Numero, "28");
    (void)paso.Elegir(29);
    EXPECT_EQ(paso.Casillas(19).Numero, "30");
    EXPECT_EQ(paso.Casillas.Actual(), 19);

    // Slots 1, 3 and 7 kept: stored as members 1..3 in that order.
    for (std::int32_t i = 1; i <= 19; ++i)
        if (i != 1 && i != 3 && i != 7)
            paso.Vaciar(i);
    // A number typed alone is not a member, nor does it take the place of
    // the named slots after it; a name without a number is left out with
    // text 139.
    std::vector<AvisoPaso> avisos;
    EXPECT_TRUE(paso.CambiarNumeroCasilla(9, "4", avisos));
    EXPECT_TRUE(paso.CambiarNombreCasilla(11, "Sin numero").empty());
    EXPECT_TRUE(paso.CambiarNombreCasilla(12, "Extra").empty());
    EXPECT_TRUE(paso.CambiarNumeroCasilla(12, "9", avisos));
    const auto salida = paso.Continuar();
    EXPECT_EQ(salida.Avisos, std::vector<AvisoPaso>({AvisoPaso(139, 64, "Sin numero")}));
    EXPECT_TRUE(salida.Paso.Sale);
    EXPECT_EQ(Fila(1), QStringList({"G", "4", "5:D5", "12:D12", "16:D16", "9:Extra"}));
    EXPECT_EQ(Casillas(paso),
              QStringList({"1:5:D5", "2:12:D12", "3:16:D16", "4:4:", "5::Sin numero", "6:9:Extra"}));
    for (std::int32_t i = 1; i <= 19; ++i)
        EXPECT_EQ(paso.Casillas.Marcador(i), kMarcadorLibre) << i;

    // The number box takes channel numbers only, refusing anything else as
    // typed.
    const struct {
        const char* texto;
        bool tomado;
    } numeros[] = {{"12", true},  {"", true},     {"32767", true},  {"1a", false},    {"-1", false},
                   {" 3", false}, {"1.5", false}, {"32768", false}, {"123456", false}};
    for (const auto& n : numeros) {
        avisos.clear();
        (void)paso.CambiarNumeroCasilla(2, "7", avisos);
        EXPECT_EQ(paso.CambiarNumeroCasilla(2, n.texto, avisos), n.tomado) << n.texto;
        EXPECT_EQ(paso.Casillas(2).Numero, n.tomado ? QString(n.texto) : QString("7")) << n.texto;
        EXPECT_EQ(Textos(avisos), n.tomado ? std::vector<int>{} : std::vector<int>({175})) << n.texto;
    }
    EXPECT_EQ(Textos(paso.CambiarNombreCasilla(2, "a%b$")), std::vector<int>({176, 177}));
}

TEST_F(WizardDigitalTest, ContinueNeedsMembersAndNamesTheFileCanHold)
{
    Registro(8);
    PasoDigital paso = Nueva();
    // No groups at all: on with a total of 0.
    EXPECT_TRUE(paso.Continuar().Paso.Sale);
    EXPECT_EQ(Plantillas().NumMiembrosPlantilla, 0);

    Grupo(paso, "G1", {0});
    Grupo(paso, "G2", {});
    Grupo(paso, "G3", {2});
    auto salida = paso.Continuar();
    EXPECT_FALSE(salida.Paso.Sale);
    ASSERT_TRUE(salida.Paso.Aviso.has_value());
    EXPECT_EQ(*salida.Paso.Aviso, AvisoPaso(179, 16, "2", 0, 180));
    EXPECT_EQ(salida.Paso.Aviso->Componer([](int n) { return QString::number(n); }), "1792180");

    // What the file cannot hold in a group's or a member's name.
    const struct {
        const char* nombre;
        bool miembro;
        int texto;
    } casos[] = {{"G%2", false, 176},  {"G$", false, 177}, {"G\r", false, 124},
                 {"A\nB", false, 124}, {"D%1", true, 176}, {"D$", true, 177}};
    (void)paso.ElegirGrupo(1);
    (void)paso.Elegir(1);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        (void)paso.ElegirGrupo(0);
        if (c.miembro) {
            (void)paso.CambiarNombre("G1");
            (void)paso.CambiarNombreCasilla(1, c.nombre);
        } else {
            (void)paso.CambiarNombre(c.nombre);
            (void)paso.CambiarNombreCasilla(1, "D1");
        }
        salida = paso.Continuar();
        EXPECT_FALSE(salida.Paso.Sale);
        ASSERT_TRUE(salida.Paso.Aviso.has_value());
        EXPECT_EQ(salida.Paso.Aviso->Texto, c.texto);
    }
    (void)paso.CambiarNombre("G1");
    (void)paso.CambiarNombreCasilla(1, "D1");
    EXPECT_TRUE(paso.Continuar().Paso.Sale);
    EXPECT_EQ(Plantillas().NumMiembrosPlantilla, 3);

    // Back takes no check; with no members at all the count becomes 0.
    PasoDigital vacia = Nueva();
    Grupo(vacia, "E1", {});
    Grupo(vacia, "E2", {});
    EXPECT_TRUE(vacia.Volver().Paso.Sale);
    EXPECT_TRUE(Plantillas().VueltaAtras);
    EXPECT_EQ(Plantillas().NumGruposPlantilla, 0);
}

TEST_F(WizardDigitalTest, ModifiedTemplateIsConvertedAndLongGroupsCut)
{
    Miembros largo;
    for (int i = 1; i <= 21; ++i)
        largo.push_back({QString::number(i), QStringLiteral("L%1").arg(i)});
    Modificando({{"CORTO", {{"4", "Cuatro"}, {"x", "Sin numero"}}},
                 {"LARGO", largo},
                 {"ULTIMO", {{"30", "Treinta"}}}});
    PasoDigital paso;
    const auto avisos = paso.Cargar();
    EXPECT_EQ(avisos,
              std::vector<AvisoPaso>({AvisoPaso(140, 64, "LARGO"), AvisoPaso(139, 64, "Sin numero")}));
    EXPECT_TRUE(paso.Lista.isEmpty()); // no record, no model
    EXPECT_EQ(paso.Cuenta, "3");
    EXPECT_EQ(paso.Grupos, QStringList({"CORTO", "LARGO", "ULTIMO"}));
    EXPECT_EQ(paso.Nombre, "CORTO");
    // Group 1 was stored as shown: the member without a number is out.
    EXPECT_EQ(Fila(1), QStringList({"CORTO", "1", "4:Cuatro"}));
    EXPECT_EQ(Casillas(paso), QStringList({"1:4:Cuatro"}));
    // A count carried over is kept as the file had it; the long group holds
    // its first 19 members, and the members after it are still its own.
    EXPECT_EQ(Plantillas().GruposEdicion(3, 2), " 1 ");
    EXPECT_EQ(Fila(3), QStringList({"ULTIMO", " 1 ", "30:Treinta"}));
    EXPECT_EQ(Plantillas().GruposEdicion(2, 2), "19");
    EXPECT_EQ(Plantillas().GruposEdicion(2, 21), "L19");
    (void)paso.ElegirGrupo(1);
    EXPECT_EQ(paso.Casillas(19).Numero, "19");
    const auto salida = paso.Continuar();
    EXPECT_TRUE(salida.Paso.Sale);
    EXPECT_EQ(Plantillas().NumMiembrosPlantilla, 21);
}

// A template of more than 16 groups keeps its first 16, and says so; the
// members of the groups kept are their own.
TEST_F(WizardDigitalTest, MendedATemplateOfMoreThan16GroupsKeepsTheFirst16AndSaysSo)
{
    std::vector<std::pair<QString, Miembros>> grupos;
    for (int g = 1; g <= 20; ++g)
        grupos.push_back(
            {QStringLiteral("G%1").arg(g), {{QString::number(g), QStringLiteral("D%1").arg(g)}}});
    Modificando(grupos);
    PasoDigital paso;
    EXPECT_EQ(paso.Cargar(), std::vector<AvisoPaso>({AvisoPaso(kTextoGruposConservados, vbInformation)}));
    EXPECT_EQ(paso.Cuenta, "16");
    ASSERT_EQ(paso.Grupos.size(), 16);
    EXPECT_EQ(paso.Grupos.back(), "G16");
    EXPECT_EQ(Fila(16), QStringList({"G16", " 1 ", "16:D16"}));
    ASSERT_TRUE(paso.Continuar().Paso.Sale);
    EXPECT_EQ(Plantillas().NumGruposPlantilla, 16);
    EXPECT_EQ(Plantillas().NumMiembrosPlantilla, 16);
}

// Back to the three-phase step and on again: the step comes back with the
// groups as they were left, for a new template as for one modified.
TEST_F(WizardDigitalTest, MendedComingBackKeepsTheGroupsAsLeft)
{
    Registro(8);
    PasoDigital paso = Nueva();
    Grupo(paso, "G1", {0, 1});
    Grupo(paso, "G2", {5});
    EXPECT_TRUE(paso.Volver().Paso.Sale);
    PasoDigital otra;
    EXPECT_TRUE(otra.Cargar().empty());
    EXPECT_EQ(otra.Grupos, QStringList({"G1", "G2"}));
    EXPECT_EQ(otra.Cuenta, "2");
    EXPECT_EQ(otra.Nombre, "G1");
    EXPECT_EQ(Casillas(otra), QStringList({"1:1:D1", "2:2:D2"}));
    (void)otra.ElegirGrupo(1);
    EXPECT_EQ(Casillas(otra), QStringList({"1:6:D6"}));

    CerrarPlantillas();
    Plantillas().NombreRegistroGuardado = "ESTACION";
    Plantillas().IdentificadorPlantilla = "ESTACION";
    Modificando({{"G1", {{"1", "D1"}}}, {"G2", {{"2", "D2"}}}});
    PasoDigital mod;
    (void)mod.Cargar();
    (void)mod.CambiarNombre("PRIMERO");
    (void)mod.ElegirGrupo(1); // commits the rename, staying on it
    (void)mod.ElegirGrupo(1);
    mod.Seleccionar(2);
    (void)mod.Elegir(6);
    EXPECT_TRUE(mod.Volver().Paso.Sale);
    PasoDigital vuelta;
    (void)vuelta.Cargar();
    EXPECT_EQ(vuelta.Grupos, QStringList({"PRIMERO", "G2"}));
    EXPECT_EQ(Fila(2), QStringList({"G2", "2", "2:D2", "7:D7"}));
}

} // namespace
} // namespace vesdra
