#include <gtest/gtest.h>

#include "platform/base/formats.h"
#include "template_fixture.h"
#include "templates/wizard_analog.h"

namespace vesdra {
namespace {

using Fila = PasoAnalogico::Fila;

class WizardAnalogTest : public test::TemplateTest
{
protected:
    // A record of n analog channels "C1".. with circuits "K1".. and units
    // "V", offered to the wizard as the record reader offers it.
    static void Registro3(std::int32_t n = 3)
    {
        RecordModel& r = Registro();
        r.RegistroAbierto = true;
        r.NumAnalogicos = n;
        r.NumAnalogicosOfrecidos = n;
        r.NombreEstacion = "EST";
        Plantillas().IdentificadorPlantilla.clear();
        test::FilasAnalogicas(n, "C%1", "K%1", "V");
    }
    static Fila F(const char* a, const char* b, const char* c) { return {a, b, c}; }
};

TEST_F(WizardAnalogTest, ProposalFollowsHowTheWizardWasEntered)
{
    enum Entrada { NuevaDeNada, NuevaConRegistro, NuevaConModelo, Modificando, NuevaAbortada };
    const struct {
        Entrada entrada;
        const char* identificador;
        const char* cuenta;
        std::vector<Fila> filas;
    } casos[] = {
        {NuevaDeNada, "", "0", {}},
        {NuevaConRegistro, "EST", "3", {F("C1", "K1", "V"), F("C2", "K2", "V"), F("C3", "K3", "V")}},
        {NuevaConModelo, "RD-21", "2", {F("Va", "Phase A", "kV"), F("Ia", "", "A")}},
        {Modificando, "REL", "2", {F("C1", "K1", "V"), F("C2", "K2", "V")}},
        {NuevaAbortada, " REL ", "2", {F("C1", "K1", "V"), F("C2", "K2", "V")}},
    };
    for (const auto& c : casos) {
        CerrarRegistro();
        CerrarPlantillas();
        TemplateState& p = Plantillas();
        p.PlantillaNueva = c.entrada != Modificando;
        switch (c.entrada) {
        case NuevaDeNada:
            p.IdentificadorPlantilla.clear();
            break;
        case NuevaConRegistro:
            Registro3();
            break;
        case NuevaConModelo:
            p.ModeloCargado = true;
            p.IdentificadorPlantilla = "RD-21";
            Registro().NumAnalogicosOfrecidos = 2;
            p.AnalogicosPlantilla.Resize(3, 4);
            p.AnalogicosPlantilla(1, 2) = "Va";
            p.AnalogicosPlantilla(1, 3) = "Phase A";
            p.AnalogicosPlantilla(1, 4) = "kV";
            p.AnalogicosPlantilla(2, 2) = "Ia";
            p.AnalogicosPlantilla(2, 4) = "A";
            break;
        case Modificando:
        case NuevaAbortada:
            Registro3();
            p.AsistenteAbortado = c.entrada == NuevaAbortada;
            p.IdentificadorPlantilla = c.identificador;
            p.NumAnalogicosPlantilla = 2;
            break;
        }
        PasoAnalogico paso;
        EXPECT_TRUE(paso.Cargar().empty()) << c.entrada;
        EXPECT_EQ(paso.Identificador, c.identificador) << c.entrada;
        EXPECT_EQ(paso.Cuenta, c.cuenta) << c.entrada;
        EXPECT_EQ(paso.Filas, c.filas) << c.entrada;
    }
}

TEST_F(WizardAnalogTest, FromNothingTheTypedRowsFollowTheCount)
{
    Plantillas().PlantillaNueva = true;
    PasoAnalogico paso;
    (void)paso.Cargar();
    EXPECT_FALSE(paso.CambiarCuenta("2"));
    (void)paso.CambiarCelda(1, 1, "Va");
    (void)paso.CambiarCelda(2, 3, "A");
    EXPECT_FALSE(paso.CambiarCuenta("3"));
    EXPECT_EQ(paso.Filas, (std::vector<Fila>{F("Va", "", ""), F("", "", "A"), F("", "", "")}));
    // The table mirrors the grid, channel column empty.
    EXPECT_EQ(test::Row(Plantillas().AnalogicosPlantilla, 1), QStringList({"", "Va", "", ""}));
    EXPECT_EQ(Plantillas().AnalogicosPlantilla.Rows(), 3);
    EXPECT_FALSE(paso.CambiarCuenta("1"));
    EXPECT_EQ(paso.Filas, (std::vector<Fila>{F("Va", "", "")}));
    // An empty box is 0 rows, no error.
    EXPECT_FALSE(paso.CambiarCuenta(""));
    EXPECT_TRUE(paso.Filas.empty());
}

// Rows renamed, then the count changed (up, down and up, or a refused
// keystroke and its Backspace): the rows that remain keep what was typed,
// and so do the typed rows a smaller count dropped when the count takes
// them back; only rows never typed are filled, from the table's rows of
// those numbers (blank where the table has none). However the wizard was
// entered.
TEST_F(WizardAnalogTest, MendedACountChangeKeepsTypedRowsAndFillsOnlyNewOnes)
{
    enum Entrada { ConRegistro, ConModelo, ModificandoSinRegistro, ModificandoConRegistro };
    const struct {
        const char* que;
        std::vector<const char*> cuentas;
        std::vector<Fila> filas;
    } pasos[] = {
        {"one more", {"4"}, {F("VA", "", ""), F("VB", "", ""), F("T3", "", ""), F("", "", "")}},
        {"a refused keystroke and Backspace",
         {"3a", "3"},
         {F("VA", "", ""), F("VB", "", ""), F("T3", "", "")}},
        {"down and up again", {"1", "3"}, {F("VA", "", ""), F("VB", "", ""), F("T3", "", "")}},
        {"cleared and typed again", {"", "3"}, {F("VA", "", ""), F("VB", "", ""), F("T3", "", "")}},
        {"up by one digit, a row past the old ones gained",
         {"", "3", "4"},
         {F("VA", "", ""), F("VB", "", ""), F("T3", "", ""), F("", "", "")}},
    };
    for (const Entrada entrada : {ConRegistro, ConModelo, ModificandoSinRegistro, ModificandoConRegistro}) {
        for (const auto& c : pasos) {
            CerrarRegistro();
            CerrarPlantillas();
            TemplateState& p = Plantillas();
            RecordModel& r = Registro();
            test::FilasAnalogicas(3, "T%1");
            p.IdentificadorPlantilla = "X";
            p.NumAnalogicosPlantilla = 3;
            switch (entrada) {
            case ConRegistro:
                r.RegistroAbierto = true;
                r.NumAnalogicos = r.NumAnalogicosOfrecidos = 3;
                p.PlantillaNueva = true;
                break;
            case ConModelo:
                p.ModeloCargado = true;
                r.NumAnalogicosOfrecidos = 3;
                p.PlantillaNueva = true;
                break;
            case ModificandoSinRegistro:
                p.ModificandoPlantilla = true;
                break;
            case ModificandoConRegistro:
                p.ModificandoPlantilla = true;
                r.RegistroAbierto = true;
                r.NumAnalogicos = r.NumAnalogicosOfrecidos = 5;
                break;
            }
            PasoAnalogico paso;
            (void)paso.Cargar();
            ASSERT_EQ(paso.Filas.size(), 3U) << c.que;
            (void)paso.CambiarCelda(1, 1, "VA");
            (void)paso.CambiarCelda(2, 1, "VB");
            for (const char* cuenta : c.cuentas)
                (void)paso.CambiarCuenta(cuenta);
            EXPECT_EQ(paso.Filas, c.filas) << c.que << ", entered " << entrada;
            // The table itself is left alone.
            EXPECT_EQ(p.AnalogicosPlantilla.Rows(), 3) << c.que;
            EXPECT_EQ(p.AnalogicosPlantilla(1, 2), "T1") << c.que;
        }
    }
}

// A smaller count hides rows without losing them: raised again, the rows
// come back as they were, typed or not, with their channels, even after
// continue stored the smaller count.
TEST_F(WizardAnalogTest, MendedRowsALowerCountHidComeBackAfterContinueStoredFewer)
{
    TemplateState& p = Plantillas();
    p.ModificandoPlantilla = true;
    p.IdentificadorPlantilla = "REL";
    p.NumAnalogicosPlantilla = 5;
    test::FilasAnalogicas(5, "T%1", "S%1", "A");
    PasoAnalogico paso;
    (void)paso.Cargar();
    (void)paso.CambiarCelda(4, 1, "TECLEADA");
    ASSERT_FALSE(paso.CambiarCuenta("2"));
    ASSERT_TRUE(paso.Continuar().Sale);
    ASSERT_EQ(p.AnalogicosPlantilla.Rows(), 2);

    ASSERT_FALSE(paso.CambiarCuenta("6"));
    EXPECT_EQ(paso.Filas, (std::vector<Fila>{F("T1", "S1", "A"), F("T2", "S2", "A"), F("T3", "S3", "A"),
                                             F("TECLEADA", "S4", "A"), F("T5", "S5", "A"), F("", "", "")}));
    EXPECT_EQ(paso.Canal(5), "5");
    EXPECT_EQ(paso.Canal(6), "6");
    ASSERT_FALSE(paso.CambiarCuenta("5"));
    ASSERT_TRUE(paso.Continuar().Sale);
    EXPECT_EQ(test::Row(p.AnalogicosPlantilla, 4), QStringList({"4", "TECLEADA", "S4", "A"}));
    EXPECT_EQ(test::Row(p.AnalogicosPlantilla, 5), QStringList({"5", "T5", "S5", "A"}));
}

TEST_F(WizardAnalogTest, ACountThatIsNotOneIsRefusedAndChangesNothing)
{
    // A count is read as the locale reads numbers: "." the point here.
    const test::ScopedLocale c("C");
    Registro3();
    Plantillas().PlantillaNueva = true;
    PasoAnalogico paso;
    (void)paso.Cargar();
    (void)paso.CambiarCelda(1, 1, "editado");
    const auto antes = paso.Filas;
    for (const char* texto : {"a", "3a", "-", "-3", "2.", "99999999", "1e9"}) {
        const auto aviso = paso.CambiarCuenta(texto);
        ASSERT_TRUE(aviso) << texto;
        EXPECT_EQ(aviso->Texto, 178) << texto;
        EXPECT_EQ(aviso->Estilo, 16) << texto;
        EXPECT_EQ(paso.Filas, antes) << texto;
        EXPECT_EQ(paso.Cuenta, texto);
    }
    // A fraction is cut down to its whole part.
    EXPECT_FALSE(paso.CambiarCuenta("2.7"));
    EXPECT_EQ(paso.Filas.size(), 2U);
}

// Under the users' locales a fraction is written with their separator; a
// "." groups digits there, so "2.7" is the count 27.
TEST_F(WizardAnalogTest, ACountFollowsTheUsersLocale)
{
    for (const char* locale : test::kUserLocales) {
        SCOPED_TRACE(locale);
        const test::ScopedLocale enUso(locale);
        ASSERT_TRUE(enUso.Available());
        Registro3();
        Plantillas().PlantillaNueva = true;
        PasoAnalogico paso;
        (void)paso.Cargar();
        EXPECT_FALSE(paso.CambiarCuenta(QStringLiteral("2") + DecimalSeparator() + QStringLiteral("7")));
        EXPECT_EQ(paso.Filas.size(), 2U);
        if (DecimalSeparator() == QLatin1Char(',')) {
            EXPECT_FALSE(paso.CambiarCuenta("2.7"));
            EXPECT_EQ(paso.Filas.size(), 27U);
        }
    }
}

TEST_F(WizardAnalogTest, ContinueStoresTrimmedRowsWithTheirChannels)
{
    Registro3();
    Plantillas().PlantillaNueva = true;
    Plantillas().AnalogicosPlantilla(2, 1) = "7";
    PasoAnalogico paso;
    (void)paso.Cargar();
    (void)paso.CambiarIdentificador("  RELE 1  ");
    (void)paso.CambiarCelda(1, 1, "  Va ");
    const SalidaPaso s = paso.Continuar();
    ASSERT_TRUE(s.Sale);
    const TemplateState& p = Plantillas();
    EXPECT_EQ(p.IdentificadorPlantilla, "RELE 1");
    EXPECT_EQ(p.NumAnalogicosPlantilla, 3);
    ASSERT_EQ(p.AnalogicosPlantilla.Rows(), 3);
    ASSERT_EQ(p.AnalogicosPlantilla.Cols(), 4);
    EXPECT_EQ(test::Row(p.AnalogicosPlantilla, 1), QStringList({"1", "Va", "K1", "V"}));
    EXPECT_EQ(test::Row(p.AnalogicosPlantilla, 2), QStringList({"7", "C2", "K2", "V"}));

    // Back keeps the identifier's blanks and checks no row.
    (void)paso.CambiarCelda(3, 1, "");
    (void)paso.CambiarCelda(3, 2, "");
    ASSERT_TRUE(paso.Volver().Sale);
    EXPECT_EQ(p.IdentificadorPlantilla, "  RELE 1  ");
    EXPECT_EQ(test::Row(p.AnalogicosPlantilla, 3), QStringList({"3", "", "", "V"}));
}

// Each row stands for a record channel: the one the template gives it, kept
// through count changes, continue and back; a row the grid gains takes the
// table's channel for it, else the lowest channel no row stands for.
TEST_F(WizardAnalogTest, MendedEachRowKeepsTheRecordChannelItStandsFor)
{
    enum Entrada { Modificando, ConRegistro, DeNada };
    const struct {
        const char* que;
        Entrada entrada;
        QStringList tabla;    // column 1 of the template's rows
        QStringList cargados; // the rows' channels once loaded
        std::vector<const char*> cuentas;
        QStringList guardados; // column 1 after continue
    } casos[] = {
        {"rows for channels 4, 5, 6", Modificando, {"4", "5", "6"}, {"4", "5", "6"}, {}, {"4", "5", "6"}},
        {"a row more", Modificando, {"4", "5", "6"}, {"4", "5", "6"}, {"4"}, {"4", "5", "6", "1"}},
        {"fewer and back", Modificando, {"4", "5", "6"}, {"4", "5", "6"}, {"2", "3"}, {"4", "5", "6"}},
        {"the text as the file holds it",
         Modificando,
         {"04", " 2", "x"},
         {"04", " 2", "x"},
         {},
         {"04", " 2", "x"}},
        {"a channel left empty", Modificando, {"2", "", "3"}, {"2", "1", "3"}, {}, {"2", "1", "3"}},
        {"a record's rows and one more",
         ConRegistro,
         {"1", "2", "3"},
         {"1", "2", "3"},
         {"4"},
         {"1", "2", "3", "4"}},
        {"from nothing", DeNada, {}, {}, {"3", "2", "4"}, {"1", "2", "3", "4"}},
    };
    for (const auto& c : casos) {
        CerrarRegistro();
        CerrarPlantillas();
        TemplateState& p = Plantillas();
        const auto n = static_cast<std::int32_t>(c.tabla.size());
        if (c.entrada == ConRegistro) {
            Registro3(n);
            p.PlantillaNueva = true;
        } else if (c.entrada == Modificando) {
            p.ModificandoPlantilla = true;
            p.IdentificadorPlantilla = "REL";
            p.NumAnalogicosPlantilla = n;
            test::FilasAnalogicas(n, "N%1");
        } else {
            p.PlantillaNueva = true;
        }
        for (std::int32_t i = 1; i <= n; ++i)
            p.AnalogicosPlantilla(i, 1) = c.tabla[i - 1];
        PasoAnalogico paso;
        (void)paso.Cargar();
        EXPECT_EQ(QStringList(paso.Canales.begin(), paso.Canales.end()), c.cargados) << c.que;
        for (const char* cuenta : c.cuentas)
            EXPECT_FALSE(paso.CambiarCuenta(cuenta)) << c.que;
        for (std::int32_t i = 1; i <= static_cast<std::int32_t>(paso.Filas.size()); ++i)
            (void)paso.CambiarCelda(i, 1, QStringLiteral("R%1").arg(i));
        ASSERT_TRUE(paso.Continuar().Sale) << c.que;
        QStringList guardados;
        for (std::int32_t i = 1; i <= p.NumAnalogicosPlantilla; ++i)
            guardados << p.AnalogicosPlantilla(i, 1);
        EXPECT_EQ(guardados, c.guardados) << c.que;
        // Back stores the same channels, and the step loaded again shows them.
        ASSERT_TRUE(paso.Volver().Sale) << c.que;
        PasoAnalogico otra;
        p.ModificandoPlantilla = true;
        p.PlantillaNueva = false;
        (void)otra.Cargar();
        EXPECT_EQ(QStringList(otra.Canales.begin(), otra.Canales.end()), c.guardados) << c.que;
    }
}

TEST_F(WizardAnalogTest, ContinueStaysWhileARowOrATextCannotBeStored)
{
    Registro3();
    Plantillas().PlantillaNueva = true;
    const struct {
        const char* que;
        std::function<void(PasoAnalogico&)> cambio;
        AvisoPaso aviso;
    } casos[] = {
        {"no rows", [](PasoAnalogico& p) { (void)p.CambiarCuenta("0"); }, {244, 0}},
        {"count not a number", [](PasoAnalogico& p) { p.Cuenta = "x"; }, {175, 16}},
        {"row 3 without names",
         [](PasoAnalogico& p) {
             (void)p.CambiarCelda(3, 1, "  ");
             (void)p.CambiarCelda(3, 2, "");
         },
         {275, 0, "3"}},
        {"% in the identifier", [](PasoAnalogico& p) { (void)p.CambiarIdentificador("A%B"); }, {176}},
        {"$ in a cell", [](PasoAnalogico& p) { (void)p.CambiarCelda(2, 3, "k$V"); }, {177}},
        {"line break in the identifier",
         [](PasoAnalogico& p) { (void)p.CambiarIdentificador("REL\r\n"); },
         {124}},
        {"line feed in a cell", [](PasoAnalogico& p) { (void)p.CambiarCelda(1, 2, "a\nb"); }, {124}},
        // Windows-1252 has no omega: the file would read back "?".
        {"a unit Windows-1252 cannot hold",
         [](PasoAnalogico& p) { (void)p.CambiarCelda(2, 3, QString::fromUtf8("M\u03a9")); },
         {200, vbCritical, QString::fromUtf8("\u03a9 (U+03A9)")}},
    };
    for (const auto& c : casos) {
        // Continue stores the identifier even when it stays.
        Plantillas().IdentificadorPlantilla.clear();
        PasoAnalogico paso;
        (void)paso.Cargar();
        Plantillas().AnalogicosPlantilla(1, 2) = "C1";
        c.cambio(paso);
        const SalidaPaso s = paso.Continuar();
        EXPECT_FALSE(s.Sale) << c.que;
        EXPECT_EQ(s.Aviso, c.aviso) << c.que;
        // The rows stay as they were until the step is left.
        EXPECT_EQ(Plantillas().AnalogicosPlantilla(1, 2), "C1") << c.que;
    }

    // A row with only its units blank, or only one name, passes.
    Plantillas().IdentificadorPlantilla.clear();
    PasoAnalogico paso;
    (void)paso.Cargar();
    (void)paso.CambiarCelda(1, 1, "");
    (void)paso.CambiarCelda(2, 3, "");
    EXPECT_TRUE(paso.Continuar().Sale);
}

TEST_F(WizardAnalogTest, TypedTextsWarnAsTheyChange)
{
    Plantillas().PlantillaNueva = true;
    PasoAnalogico paso;
    (void)paso.Cargar();
    (void)paso.CambiarCuenta("1");
    const auto id = paso.CambiarIdentificador("R%$\n");
    EXPECT_EQ(id.Avisos, (std::vector<AvisoPaso>{{176}, {177}, {124}}));
    EXPECT_TRUE(id.Siguiente);
    EXPECT_EQ(paso.CambiarCelda(1, 1, "a$"), (std::vector<AvisoPaso>{{177}}));
    EXPECT_EQ(paso.CambiarCelda(1, 3, QString::fromUtf8("\u00b5\u03a9")),
              (std::vector<AvisoPaso>{{200, vbCritical, QString::fromUtf8("\u03a9 (U+03A9)")}}));
    EXPECT_TRUE(paso.CambiarCelda(1, 1, "ab").empty());
    // Cells outside the grid take nothing.
    EXPECT_TRUE(paso.CambiarCelda(2, 1, "a%").empty());
    EXPECT_EQ(paso.Celda(2, 1), "");
}

TEST_F(WizardAnalogTest, BackWithACountThatIsNoNumberIsAnError)
{
    PasoAnalogico paso;
    (void)paso.Cargar();
    paso.Cuenta = "x";
    const SalidaPaso s = paso.Volver();
    EXPECT_FALSE(s.Sale);
    ASSERT_TRUE(s.Error);
    EXPECT_EQ(s.Error->Number, vberr::TypeMismatch);
}

// What a cancelled pass puts back: the loaded template and what was on
// offer as the pass found them, the applied template as it is now; nothing
// once the record has changed underneath.
TEST_F(WizardAnalogTest, MendedACancelledPassLeavesTheLoadedTemplateAsItFoundIt)
{
    const struct {
        const char* que;
        int entre; // 0 nothing, 1 the record read again, 2 the record closed
    } casos[] = {{"cancelled", 0}, {"another record read meanwhile", 1}, {"the record closed meanwhile", 2}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        CerrarPlantillas();
        Registro3();
        Plantillas().IdentificadorPlantilla = "EST";
        EmpezarEdicionPlantilla();
        TemplateState& p = Plantillas();
        // What a pass does: a model's rows taken, the template edited.
        p.ModeloCargado = true;
        p.PlantillaNueva = true;
        Registro().NumAnalogicosOfrecidos = 8;
        Registro().NumDigitalesOfrecidos = 5;
        test::FilasAnalogicas(8, "M%1");
        p.IdentificadorPlantilla = "MODELO";
        p.NumAnalogicosPlantilla = 8;
        p.GruposEdicion.Resize(1, 21, "G");
        p.EstadosModelo.Resize(2);
        // The applied template is not the wizard's.
        p.PlantillaAplicada = true;
        p.NumGruposDigitales = 1;
        if (c.entre == 1)
            OfrecerCanalesPlantilla();
        else if (c.entre == 2)
            CerrarPlantillas();
        const TemplateState antes = p;
        TerminarEdicionPlantilla();
        if (c.entre != 0) {
            EXPECT_EQ(p.IdentificadorPlantilla, antes.IdentificadorPlantilla);
            EXPECT_EQ(p.AnalogicosPlantilla, antes.AnalogicosPlantilla);
            EXPECT_EQ(p.ModeloCargado, antes.ModeloCargado);
            continue;
        }
        EXPECT_EQ(p.IdentificadorPlantilla, "EST");
        EXPECT_EQ(p.AnalogicosPlantilla.Rows(), 3);
        EXPECT_EQ(p.AnalogicosPlantilla(1, 2), "C1");
        EXPECT_FALSE(p.ModeloCargado || p.PlantillaNueva);
        EXPECT_EQ(p.GruposEdicion.Rows(), 0);
        EXPECT_EQ(p.EstadosModelo.Size(), 0);
        EXPECT_EQ(Registro().NumAnalogicosOfrecidos, 3);
        EXPECT_EQ(Registro().NumDigitalesOfrecidos, 0);
        EXPECT_TRUE(p.PlantillaAplicada);
        EXPECT_EQ(p.NumGruposDigitales, 1);
        // Once only.
        p.IdentificadorPlantilla = "OTRO";
        TerminarEdicionPlantilla();
        EXPECT_EQ(p.IdentificadorPlantilla, "OTRO");
    }
}

} // namespace
} // namespace vesdra
