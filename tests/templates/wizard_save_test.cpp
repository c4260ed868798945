#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "platform/base/vb_error.h"
#include "template_fixture.h"
#include "templates/template_apply.h"
#include "templates/template_file.h"
#include "templates/template_texts.h"
#include "templates/wizard_analog.h"
#include "templates/wizard_digital.h"
#include "templates/wizard_save.h"
#include "templates/wizard_trifasic.h"

namespace vesdra {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class WizardSaveTest : public test::TemplateTest
{
protected:
    // A small template as the steps leave it: two analog rows, no sets, one
    // group of one member.
    static void Plantilla()
    {
        TemplateState& p = Plantillas();
        p.IdentificadorPlantilla = "RELE";
        p.NumAnalogicosPlantilla = 2;
        p.AnalogicosPlantilla.Resize(2, 4);
        p.AnalogicosPlantilla(1, 1) = "1";
        p.AnalogicosPlantilla(1, 2) = "Va";
        p.AnalogicosPlantilla(2, 1) = "2";
        p.AnalogicosPlantilla(2, 2) = "Ia";
        p.NumGruposPlantilla = 1;
        p.NumMiembrosPlantilla = 1;
        p.GruposEdicion.Resize(1, 21);
        p.CanalesEdicion.Resize(1, 21);
        p.GruposEdicion(1, 1) = "DISPAROS";
        p.GruposEdicion(1, 2) = "1";
        p.GruposEdicion(1, 3) = "Disparo";
        p.CanalesEdicion(1, 3) = 4;
    }
    QStringList Ficheros() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

    int preguntas_{0};
    bool respuesta_{true};
    std::function<bool()> Sustituir()
    {
        return [this] {
            ++preguntas_;
            return respuesta_;
        };
    }
};

TEST_F(WizardSaveTest, PathAndNameFromTheFolderTheNameAndAFileClicked)
{
    EXPECT_EQ(RutaPlantillaNueva("/plantillas", "rele"), "/plantillas/rele.cnf");
    EXPECT_EQ(RutaPlantillaNueva("/", "rele"), "/rele.cnf");
    EXPECT_EQ(RutaPlantillaNueva("/p", " Rele 2 "), "/p/ Rele 2 .cnf");
    const struct {
        const char* fichero;
        const char* nombre;
    } casos[] = {{"rele.cnf", "rele"}, {"Rele.CNF", "Rele"}, {"a.b.cnf", "a.b"},
                 {"ab", "ab"},         {"a.b", "a"},         {".cnf", ""}};
    for (const auto& c : casos)
        EXPECT_EQ(NombreSinExtension(c.fichero), c.nombre) << c.fichero;
}

TEST_F(WizardSaveTest, SavesRefusesAndAsksBeforeReplacing)
{
    Plantilla();
    // No name: text 243 in a plain box; a folder in the name is refused.
    SalidaPaso s = GuardarPlantillaNueva(dir_.path(), "", Sustituir());
    ASSERT_TRUE(s.Aviso.has_value());
    EXPECT_EQ(*s.Aviso, AvisoPaso(243, 0));
    // A name no file or later listing of the templates can hold: refused
    // with its message, nothing written. Blanks and any letters are names.
    const struct {
        const char* nombre;
        bool valido;
    } nombres[] = {{"*", false},         {"../fuera", false}, {"a\\b", false}, {"a:b", false},
                   {"r?", false},        {"\"r\"", false},    {"<r>", false},  {"a|b", false},
                   {"a\tb", false},      {".oculta", false},  {"..", false},   {"  ", true},
                   {"relé ñ 2.1", true}, {"a.", true},        {"Ω", true}};
    for (const auto& n : nombres) {
        const QString nombre = QString::fromUtf8(n.nombre);
        EXPECT_EQ(NombrePlantillaValido(nombre), n.valido) << n.nombre;
        if (n.valido)
            continue;
        s = GuardarPlantillaNueva(dir_.path(), nombre, Sustituir());
        ASSERT_TRUE(s.Aviso.has_value()) << n.nombre;
        EXPECT_EQ(*s.Aviso, AvisoPaso(kTextoNombrePlantillaNoValido, vbCritical)) << n.nombre;
    }
    EXPECT_TRUE(Ficheros().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath("../fuera.cnf")));

    ASSERT_TRUE(GuardarPlantillaNueva(dir_.path(), "rele", Sustituir()).Sale);
    EXPECT_EQ(preguntas_, 0);
    EXPECT_EQ(Ficheros(), QStringList({"rele.cnf"}));
    Plantillas().RutaPlantilla = Path("rele.cnf");
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    EXPECT_EQ(Plantillas().IdentificadorPlantilla, "RELE");

    // The same name, whatever its case: asked first; Cancel writes nothing,
    // OK replaces that very file.
    ASSERT_TRUE(QFile::rename(Path("rele.cnf"), Path("Rele.CNF")));
    ASSERT_TRUE(WriteBytes(Path("Rele.CNF"), "antes"));
    respuesta_ = false;
    s = GuardarPlantillaNueva(dir_.path(), "rele", Sustituir());
    EXPECT_FALSE(s.Sale);
    EXPECT_FALSE(s.Aviso.has_value());
    EXPECT_FALSE(s.Error.has_value());
    EXPECT_EQ(preguntas_, 1);
    EXPECT_EQ(ReadBytes(Path("Rele.CNF")), "antes");
    respuesta_ = true;
    EXPECT_TRUE(GuardarPlantillaNueva(dir_.path(), "rele", Sustituir()).Sale);
    EXPECT_EQ(preguntas_, 2);
    EXPECT_EQ(Ficheros(), QStringList({"Rele.CNF"}));
    EXPECT_TRUE(ReadBytes(Path("Rele.CNF")).startsWith("ver 1.1\r\nRELE\r\n"));
}

// A write that fails, after the user agreed to replace a template, leaves
// that template as it was and no stray file beside it.
TEST_F(WizardSaveTest, MendedFailedWritesLeaveTheEarlierTemplateWhole)
{
    const struct {
        const char* que;
        std::function<void(TemplateState&)> estropear;
        int texto; // refusal text, 0 for an error
        int error;
    } casos[] = {
        {"percent in the identifier", [](TemplateState& p) { p.IdentificadorPlantilla = "50%"; }, 176, 0},
        {"dollar in a member", [](TemplateState& p) { p.GruposEdicion(1, 3) = "US$"; }, 177, 0},
        {"line feed in a group name", [](TemplateState& p) { p.GruposEdicion(1, 1) = "A\nB"; }, 124, 0},
        {"a member Windows-1252 cannot hold",
         [](TemplateState& p) { p.GruposEdicion(1, 3) = QString::fromUtf8("R\u03a9"); }, 200, 0},
        {"a count past its table", [](TemplateState& p) { p.NumAnalogicosPlantilla = 3; }, 0,
         vberr::SubscriptOutOfRange},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        ASSERT_TRUE(WriteBytes(Path("rele.cnf"), "antes"));
        Plantilla();
        c.estropear(Plantillas());
        const int preguntas = preguntas_;
        const SalidaPaso s = GuardarPlantillaNueva(dir_.path(), "rele", Sustituir());
        EXPECT_EQ(preguntas_, preguntas + 1);
        EXPECT_FALSE(s.Sale);
        if (c.texto != 0) {
            ASSERT_TRUE(s.Aviso.has_value());
            EXPECT_EQ(s.Aviso->Texto, c.texto);
            // The character is named.
            EXPECT_EQ(s.Aviso->Cola, c.texto == 200 ? QString::fromUtf8("\u03a9 (U+03A9)") : QString());
        } else {
            ASSERT_TRUE(s.Error.has_value());
            EXPECT_EQ(s.Error->Number, c.error);
        }
        EXPECT_EQ(ReadBytes(Path("rele.cnf")), "antes");
        EXPECT_EQ(Ficheros(), QStringList({"rele.cnf"}));
    }
    // A folder that is gone.
    Plantilla();
    const SalidaPaso s = GuardarPlantillaNueva(Path("no/hay"), "rele", Sustituir());
    ASSERT_TRUE(s.Error.has_value());
    EXPECT_EQ(s.Error->Number, vberr::PathNotFound);
}

// The four steps as plain steps, from nothing and then modifying what was
// saved: the bytes of both files, and the applied tables equal to what the
// wizard held.
TEST_F(WizardSaveTest, TemplateFromNothingThenModifiedSavesTheExpectedBytes)
{
    TemplateState& p = Plantillas();
    p.PlantillaNueva = true;
    PasoAnalogico a;
    (void)a.Cargar();
    (void)a.CambiarIdentificador(QString::fromUtf8("RELÉ PRUEBA"));
    ASSERT_FALSE(a.CambiarCuenta("4"));
    const char* filas[4][3] = {
        {"VA", "Tensión A", "kV"}, {"VB", "", "kV"}, {"VC", "", "kV"}, {"IN", "", "A"}};
    for (std::int32_t i = 1; i <= 4; ++i)
        for (std::int32_t c = 1; c <= 3; ++c)
            (void)a.CambiarCelda(i, c, QString::fromUtf8(filas[i - 1][c - 1]));
    ASSERT_TRUE(a.Continuar().Sale);

    PasoTrifasico t;
    (void)t.Cargar();
    ASSERT_FALSE(t.CambiarCuenta("1"));
    for (std::int32_t k = 0; k < 3; ++k)
        ASSERT_TRUE(t.Elegir(1, k));
    (void)t.CambiarNombre(1, "TENSIONES");
    (void)t.CambiarFactor(1, "1.5");
    ASSERT_TRUE(t.Continuar().Sale);

    // No record and no model: the members are typed in.
    PasoDigital d;
    ASSERT_TRUE(d.Cargar().empty());
    const auto miembro = [&d](std::int32_t i, const char* nombre, const char* numero) {
        std::vector<AvisoPaso> avisos;
        (void)d.CambiarNombreCasilla(i, nombre);
        EXPECT_TRUE(d.CambiarNumeroCasilla(i, numero, avisos));
    };
    (void)d.CambiarNombre("DISPAROS");
    (void)d.Anadir();
    miembro(1, "Disparo A", "5");
    miembro(3, "Disparo B", "6");
    (void)d.CambiarNombre("ALARMAS");
    (void)d.Anadir();
    miembro(1, "Fallo", "12");
    (void)d.CambiarNombre("OTROS");
    (void)d.Anadir();
    miembro(1, "Reenganche", "2");
    ASSERT_TRUE(d.Continuar().Paso.Sale);

    ASSERT_TRUE(GuardarPlantillaNueva(dir_.path(), "prueba", Sustituir()).Sale);
    EXPECT_EQ(ReadBytes(Path("prueba.cnf")), ReadBytes(test::DataPath("templates/asistente_nueva.cnf")));

    // Applied: the record's tables are what the wizard held.
    const TemplateState antes = p;
    p.RutaPlantilla = Path("prueba.cnf");
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    AplicarPlantilla();
    EXPECT_EQ(Registro().NombreEstacion, antes.IdentificadorPlantilla);
    ASSERT_EQ(p.NumCanalesTabla, 4);
    for (std::int32_t i = 1; i <= 4; ++i)
        EXPECT_EQ(test::Row(Registro().TablaCanales, i), test::Row(antes.AnalogicosPlantilla, i) << "");
    ASSERT_EQ(p.NumTrifasicos, 1);
    EXPECT_EQ(test::Row(p.TablaTrifasicos, 1), test::Row(antes.TrifasicosPlantilla, 1) << "");
    ASSERT_EQ(p.NumGruposDigitales, 3);
    ASSERT_EQ(p.NumMiembrosDigitales, 4);
    std::int32_t j = 0;
    for (std::int32_t g = 1; g <= 3; ++g) {
        EXPECT_EQ(p.TablaGruposDigitales(g, 1), antes.GruposEdicion(g, 1));
        const std::int32_t k = antes.GruposEdicion(g, 2).toInt();
        EXPECT_EQ(EnteroCelda(p.TablaGruposDigitales(g, 2)), k);
        for (std::int32_t c = 1; c <= k; ++c) {
            ++j;
            EXPECT_EQ(p.TablaMiembrosDigitales(j, 1), QString::number(antes.CanalesEdicion(g, c + 2)));
            EXPECT_EQ(p.TablaMiembrosDigitales(j, 2), antes.GruposEdicion(g, c + 2));
        }
    }

    // modificar: the file read again, a group renamed, one deleted, saved
    // over the same name after the question.
    CerrarPlantillas();
    p.RutaPlantilla = Path("prueba.cnf");
    p.ModificandoPlantilla = true;
    p.PlantillaNueva = false;
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    PasoAnalogico a2;
    (void)a2.Cargar();
    ASSERT_TRUE(a2.Continuar().Sale);
    PasoTrifasico t2;
    (void)t2.Cargar();
    ASSERT_TRUE(t2.Continuar().Sale);
    PasoDigital d2;
    ASSERT_TRUE(d2.Cargar().empty());
    ASSERT_EQ(d2.Grupos, QStringList({"DISPAROS", "ALARMAS", "OTROS"}));
    (void)d2.CambiarNombre("DISPAROS LINEA");
    (void)d2.ElegirGrupo(2);
    (void)d2.ElegirGrupo(1);
    EXPECT_TRUE(d2.Eliminar().empty());
    ASSERT_EQ(d2.Grupos, QStringList({"DISPAROS LINEA", "OTROS"}));
    ASSERT_TRUE(d2.Continuar().Paso.Sale);
    ASSERT_TRUE(GuardarPlantillaNueva(dir_.path(), "prueba", Sustituir()).Sale);
    EXPECT_EQ(preguntas_, 1);
    EXPECT_EQ(ReadBytes(Path("prueba.cnf")), ReadBytes(test::DataPath("templates/asistente_modificada.cnf")));
    EXPECT_EQ(Ficheros(), QStringList({"prueba.cnf"}));
}

// modificar, the same channels picked again in step 2, save: every channel
// mapping comes back byte for byte (rows for record channels 4, 5, 6; the
// bundled sample's template).
TEST_F(WizardSaveTest, MendedModifyAndSaveKeepsEveryChannelMapping)
{
    const QByteArray corrientes = "ver 1.1\r\nCORRIENTES\r\nANALOGICOS\r\n 3 \r\n4%IA%Phase A%A$\r\n"
                                  "5%IB%Phase B%A$\r\n6%IC%Phase C%A$\r\nTRIFASICOS\r\n 1 \r\n"
                                  "4%5%6%CORR%1$\r\nDIGITALES\r\n2\r\n 1 \r\n***\r\nDISPAROS\r\n 2 \r\n"
                                  "3%Disparo A$\r\n9%Disparo B$\r\n-----\r\n";
    const struct {
        const char* que;
        QByteArray plantilla;
    } casos[] = {
        {"channels 4, 5, 6", corrientes},
        {"the bundled sample", ReadBytes(QStringLiteral(VESDRA_RESOURCES_DIR "/Plantillas/muestra.cnf"))},
    };
    for (const auto& c : casos) {
        CerrarPlantillas();
        ASSERT_TRUE(WriteBytes(Path("antes.cnf"), c.plantilla));
        TemplateState& p = Plantillas();
        p.RutaPlantilla = Path("antes.cnf");
        p.ModificandoPlantilla = true;
        p.PlantillaNueva = false;
        ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida) << c.que;
        PasoAnalogico a;
        (void)a.Cargar();
        ASSERT_TRUE(a.Continuar().Sale) << c.que;
        PasoTrifasico t;
        (void)t.Cargar();
        // Every slot emptied and its row picked again from the list.
        for (std::int32_t s = 1; s <= p.NumTrifasicosPlantilla; ++s) {
            std::int32_t filas[3]{};
            for (std::int32_t k = 1; k <= 3; ++k) {
                filas[k - 1] = t(s).Casillas(k).Numero.toInt();
                EXPECT_EQ(t.Canal(s, k), p.AnalogicosPlantilla(filas[k - 1], 1)) << c.que;
                t.Vaciar(s, k);
            }
            t.Seleccionar(s, 1);
            for (const std::int32_t fila : filas)
                ASSERT_TRUE(t.Elegir(s, fila - 1)) << c.que;
        }
        ASSERT_TRUE(t.Continuar().Sale) << c.que;
        PasoDigital d;
        (void)d.Cargar();
        ASSERT_TRUE(d.Continuar().Paso.Sale) << c.que;
        ASSERT_TRUE(GuardarPlantillaNueva(dir_.path(), "despues", Sustituir()).Sale) << c.que;
        EXPECT_EQ(ReadBytes(Path("despues.cnf")), c.plantilla) << c.que;
        QFile::remove(Path("despues.cnf"));
    }
}

} // namespace
} // namespace vesdra
