#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <memory>

#include "platform/base/app_paths.h"
#include "template_fixture.h"
#include "templates/model_db.h"
#include "templates/template_texts.h"

namespace vesdra {
namespace {

using V = ValorCampo;

// Databases held in memory, keyed by file name; the models folder is the
// only folder that exists unless SinCarpeta is set.
class LectorEnMemoria final : public LectorBasesModelo
{
public:
    std::map<QString, std::map<QString, TablaModelo>> Bases;
    bool SinCarpeta{false};

    TablaModelo LeerTabla(const QString& ruta, const QString& tabla) override
    {
        const QFileInfo f(ruta);
        if (SinCarpeta)
            throw VbError(vberr::InvalidDatabasePath);
        const auto base = Bases.find(f.fileName());
        if (f.absolutePath() != CarpetaModelos() || base == Bases.end())
            throw VbError(3024);
        const auto t = base->second.find(tabla);
        if (t == base->second.end())
            throw VbError(3078);
        return t->second;
    }
};

TablaModelo Indice(std::vector<std::pair<V, V>> filas)
{
    TablaModelo t{{"Modelo", "BaseDatos"}, {}};
    for (auto& [m, b] : filas)
        t.Filas.push_back({m, b});
    return t;
}

TablaModelo Medidas(std::vector<std::vector<V>> filas)
{
    return {{"$Id", "Nombre", "NombreIngles", "Unidades"}, std::move(filas)};
}

TablaModelo Estados(std::vector<std::vector<V>> filas)
{
    return {{"ByteOscilo", "Descripcion"}, std::move(filas)};
}

V T(const char* s)
{
    return V::DeTexto(QString::fromUtf8(s));
}
V N(double n)
{
    return V::DeNumero(n);
}

class ModelDbTest : public test::TemplateTest
{
protected:
    void SetUp() override
    {
        TemplateTest::SetUp();
        SetExeFolderOverride(dir_.filePath("vesdra/EXE"));
        auto lector = std::make_unique<LectorEnMemoria>();
        lector_ = lector.get();
        SetMotorBasesModelo(std::move(lector));
        lector_->Bases["Modelos.mdb"]["Modelos"] = Indice({{T("R1*"), T("R1.mdb")},
                                                           {T("R1-2"), T("Otro.mdb")},
                                                           {T("P?-#"), T("P.mdb")},
                                                           {T("[XY]Z"), T("XY.mdb")},
                                                           {T("MAL"), T("Mal.mdb")}});
        lector_->Bases["R1.mdb"]["ZENKMedidas oscilos R1"] =
            Medidas({{N(0), T("Tensión A"), T("Voltage A"), T("kV")},
                     {N(1), T("Ia"), V::Nulo(), T("A")},
                     {N(3), T("In"), T("In"), V::Nulo()}});
        lector_->Bases["R1.mdb"]["PEst R1"] = Estados(
            {{N(0), T("Disparo")}, {N(-1), T("Reserva")}, {N(2), T("Arranque")}, {N(-2), T("Reenganche")}});
    }
    void TearDown() override
    {
        SetMotorBasesModelo(nullptr);
        TemplateTest::TearDown();
    }

    // Something a failed load must leave as it was.
    static void Sembrar()
    {
        Plantillas().AnalogicosPlantilla.Resize(1, 4, "antes");
        Registro().NumAnalogicosOfrecidos = 7;
        Plantillas().ModeloCargado = true;
    }

    LectorEnMemoria* lector_{};
};

TEST_F(ModelDbTest, StoredModelNamesArePatternsAndTheFirstMatchWins)
{
    const struct {
        const char* nombre;
        const char* base;
    } casos[] = {
        {"R1-2", "R1.mdb"},                                              // "R1*" stands first
        {"R100", "R1.mdb"}, {"P7-3", "P.mdb"}, {"P7-x", ""}, {"r1", ""}, // case counts
        {"YZ", "XY.mdb"},   {"", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(BaseDeModelo(QString::fromUtf8(c.nombre)), QString::fromUtf8(c.base)) << c.nombre;
    const ListaModelos lista = ListarModelos();
    EXPECT_TRUE(lista.Resultado.Correcto());
    EXPECT_EQ(lista.Nombres, QStringList({"R1*", "R1-2", "P?-#", "[XY]Z", "MAL"}));
}

TEST_F(ModelDbTest, MeasurementsFillTheTemplateRowsWithGapsLeftEmpty)
{
    const ResultadoModelo r = CargarMedidasModelo("R1-A");
    ASSERT_TRUE(r.Correcto());
    const Matrix<QString>& t = Plantillas().AnalogicosPlantilla;
    // Last "$Id" 3: four rows, three of them read.
    ASSERT_EQ(t.Rows(), 4);
    ASSERT_EQ(t.Cols(), 4);
    EXPECT_EQ(test::Row(t, 1), QStringList({"1", "Tensión A", "Voltage A", "kV"}));
    EXPECT_EQ(test::Row(t, 2), QStringList({"2", "Ia", "", "A"}));
    EXPECT_EQ(test::Row(t, 3), QStringList({"3", "In", "In", ""}));
    EXPECT_EQ(test::Row(t, 4), QStringList({"", "", "", ""}));
    EXPECT_EQ(Registro().NumAnalogicosOfrecidos, 3);
    EXPECT_TRUE(Plantillas().ModeloCargado);
}

TEST_F(ModelDbTest, FaultyMeasurementTablesAreReportedAndLoadNothing)
{
    struct Caso {
        const char* que;
        TablaModelo tabla;
        bool conTabla;
    };
    const Caso casos[] = {
        {"more rows than the last $Id announces",
         Medidas({{N(0), T("a"), T("a"), T("V")}, {N(0), T("b"), T("b"), T("V")}}), true},
        {"$Id not a number", Medidas({{N(0), T("a"), T("a"), T("V")}, {T("dos"), T("b"), T("b"), T("V")}}),
         true},
        {"$Id without a value", Medidas({{V::Nulo(), T("a"), T("a"), T("V")}}), true},
        {"negative $Id", Medidas({{N(-1), T("a"), T("a"), T("V")}}), true},
        {"$Id beyond any table", Medidas({{N(2e9), T("a"), T("a"), T("V")}}), true},
        {"empty table", Medidas({}), true},
        {"no $Id field", TablaModelo{{"Nombre"}, {{T("a")}}}, true},
        {"missing table", {}, false},
    };
    for (const Caso& c : casos) {
        lector_->Bases["Mal.mdb"].clear();
        if (c.conTabla)
            lector_->Bases["Mal.mdb"]["ZENKMedidas oscilos Mal"] = c.tabla;
        Sembrar();
        const ResultadoModelo r = CargarMedidasModelo("MAL");
        EXPECT_EQ(r.Texto(), 245) << c.que;
        EXPECT_FALSE(Plantillas().ModeloCargado) << c.que;
        EXPECT_EQ(Plantillas().AnalogicosPlantilla.Rows(), 1) << c.que;
        EXPECT_EQ(Plantillas().AnalogicosPlantilla(1, 2), "antes") << c.que;
        EXPECT_EQ(Registro().NumAnalogicosOfrecidos, 7) << c.que;
    }
    // A model with no index row opens the models folder itself: a failure.
    Sembrar();
    EXPECT_EQ(CargarMedidasModelo("NADIE").Texto(), 245);
    EXPECT_FALSE(Plantillas().ModeloCargado);
}

TEST_F(ModelDbTest, MissingModelsFolderIsSilent)
{
    lector_->SinCarpeta = true;
    Sembrar();
    const ResultadoModelo r = CargarMedidasModelo("R1");
    EXPECT_FALSE(r.Correcto());
    EXPECT_EQ(r.Texto(), 0);
    EXPECT_FALSE(Plantillas().ModeloCargado);
    EXPECT_EQ(Plantillas().AnalogicosPlantilla(1, 2), "antes");
    EXPECT_EQ(ListarModelos().Resultado.Texto(), 0);
    const EstadosCargados e = CargarEstadosModelo("R1");
    EXPECT_EQ(e.Numero, 0);
    EXPECT_EQ(e.Resultado.Texto(), 0);
}

TEST_F(ModelDbTest, AModelBeyondSixteenBitsOfRowsLoads)
{
    std::vector<std::vector<V>> filas;
    for (int i = 0; i < 40000; ++i)
        filas.push_back({N(i), T("c"), T("c"), T("A")});
    lector_->Bases["Mal.mdb"]["ZENKMedidas oscilos Mal"] = Medidas(std::move(filas));
    ASSERT_TRUE(CargarMedidasModelo("MAL").Correcto());
    EXPECT_EQ(Registro().NumAnalogicosOfrecidos, 40000);
    EXPECT_EQ(Plantillas().AnalogicosPlantilla(40000, 1), "40000");
}

TEST_F(ModelDbTest, StatusSignalsSkipThoseNotOfferedInTableOrder)
{
    const EstadosCargados e = CargarEstadosModelo("R1");
    ASSERT_TRUE(e.Resultado.Correcto());
    ASSERT_EQ(e.Numero, 3);
    const Array<QString>& s = Plantillas().EstadosModelo;
    ASSERT_EQ(s.Size(), 3);
    EXPECT_EQ(s(1), "Disparo");
    EXPECT_EQ(s(2), "Arranque");
    EXPECT_EQ(s(3), "Reenganche");

    // No index row: nothing, silently.
    const EstadosCargados nadie = CargarEstadosModelo("NADIE");
    EXPECT_EQ(nadie.Numero, 0);
    EXPECT_TRUE(nadie.Resultado.Correcto());

    // Nothing offered, or a signal without a number: 245, the list kept.
    const std::vector<std::vector<V>> malos[] = {
        {{N(-1), T("Reserva")}, {N(-1), T("Reserva")}},
        {{N(0), T("a")}, {V::Nulo(), T("b")}},
        {{N(0), V::Nulo()}},
        {},
    };
    for (const auto& filas : malos) {
        lector_->Bases["Mal.mdb"]["PEst Mal"] = Estados(filas);
        const EstadosCargados m = CargarEstadosModelo("MAL");
        EXPECT_EQ(m.Numero, 0);
        EXPECT_EQ(m.Resultado.Texto(), 245);
        EXPECT_EQ(Plantillas().EstadosModelo.Size(), 3);
    }
}

TEST_F(ModelDbTest, ListingStopsAtAFailureWithTheNamesReadSoFar)
{
    lector_->Bases["Modelos.mdb"]["Modelos"] =
        Indice({{T("UNO"), T("U.mdb")}, {V::Nulo(), T("X.mdb")}, {T("TRES"), T("T.mdb")}});
    const ListaModelos lista = ListarModelos();
    EXPECT_EQ(lista.Nombres, QStringList({"UNO"}));
    EXPECT_EQ(lista.Resultado.Texto(), 245);
}

// The model reader on databases written by tools/models/make_models.sh,
// copied into a runtime tree with the reader beside its executable.
class MdbFixtureTest : public test::TemplateTest
{
protected:
    void SetUp() override
    {
        TemplateTest::SetUp();
        SetExeFolderOverride(dir_.filePath("vesdra/EXE"));
        SetMotorBasesModelo(nullptr);
        test::CopiarModelos(dir_.filePath("Models"), test::DataPath("Models"),
                            {"Modelos.mdb", "Mal.mdb", "P7.mdb", "R123.mdb", "Solo.mdb"});
    }
    void TearDown() override { TemplateTest::TearDown(); }
    static QString Base(const char* nombre)
    {
        return CarpetaModelos() + QLatin1Char('/') + QLatin1String(nombre);
    }
};

TEST_F(MdbFixtureTest, ReadsFieldsRowsNumbersAccentsAndEmptyValues)
{
    auto lector = CrearLectorMdb();
    const TablaModelo indice = lector->LeerTabla(RutaIndiceModelos(), "Modelos");
    EXPECT_EQ(indice.Campos, QStringList({"Modelo", "BaseDatos"}));
    ASSERT_EQ(indice.Filas.size(), 5U);
    EXPECT_EQ(indice.Valor(1, u"Modelo").Texto, QString::fromUtf8("Protección ?-7"));
    EXPECT_EQ(indice.Valor(1, u"BaseDatos").Texto, "P7.mdb");

    const TablaModelo medidas = lector->LeerTabla(Base("R123.mdb"), "ZENKMedidas oscilos R123");
    ASSERT_EQ(medidas.Filas.size(), 3U);
    EXPECT_EQ(medidas.Valor(2, u"$Id").Tipo, V::Clase::Numero);
    EXPECT_EQ(medidas.Valor(2, u"$Id").Numero, 3);
    EXPECT_EQ(medidas.Valor(0, u"Nombre").Texto, QString::fromUtf8("Tensión fase A"));
    EXPECT_EQ(medidas.Valor(2, u"Nombre").Texto, QString::fromUtf8("Ñ"));
    EXPECT_EQ(medidas.Valor(2, u"NombreIngles").Texto, "");

    // File and folder names are found whatever their case.
    const QString minusculas = QString(CarpetaModelos()).replace("Models", "models") + "/r123.MDB";
    const TablaModelo estados = lector->LeerTabla(minusculas, "PEst R123");
    ASSERT_EQ(estados.Filas.size(), 4U);
    EXPECT_EQ(estados.Valor(1, u"ByteOscilo").Numero, -1);
    EXPECT_EQ(estados.Valor(3, u"ByteOscilo").Numero, -2);

    // A number field without a value has none.
    const TablaModelo mal = lector->LeerTabla(Base("Mal.mdb"), "PEst Mal");
    EXPECT_EQ(mal.Valor(1, u"ByteOscilo").Tipo, V::Clase::Nulo);
}

TEST_F(MdbFixtureTest, ReportsAMissingFolderFileTableOrAFileThatIsNoDatabase)
{
    auto lector = CrearLectorMdb();
    const struct {
        QString ruta;
        const char* tabla;
        int error;
    } casos[] = {
        {CarpetaModelos() + "/no/Modelos.mdb", "Modelos", vberr::InvalidDatabasePath},
        {Base("Falta.mdb"), "Modelos", 3024},
        {CarpetaModelos(), "Modelos", 3024},
        {Base("Solo.mdb"), "PEst Solo", 3078},
        {test::DataPath("templates/escrita.cnf"), "Modelos", 3343},
    };
    for (const auto& c : casos) {
        try {
            (void)lector->LeerTabla(c.ruta, c.tabla);
            ADD_FAILURE() << c.ruta.toStdString();
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, c.error) << c.ruta.toStdString();
        }
    }
}

TEST_F(MdbFixtureTest, LoadsModelsFromRealDatabases)
{
    EXPECT_EQ(ListarModelos().Nombres.size(), 5);

    ASSERT_TRUE(CargarMedidasModelo("R123-B").Correcto());
    EXPECT_EQ(Plantillas().AnalogicosPlantilla.Rows(), 4);
    EXPECT_EQ(Registro().NumAnalogicosOfrecidos, 3);
    EXPECT_EQ(Plantillas().AnalogicosPlantilla(3, 2), QString::fromUtf8("Ñ"));

    ASSERT_TRUE(CargarMedidasModelo(QString::fromUtf8("Protección X-7")).Correcto());
    EXPECT_EQ(test::Row(Plantillas().AnalogicosPlantilla, 2),
              QStringList({"2", QString::fromUtf8("Corriente línea"), "Line current", "A"}));

    EXPECT_EQ(CargarEstadosModelo("R123").Numero, 3);
    EXPECT_EQ(Plantillas().EstadosModelo(3), "Reenganche");

    // Nothing offered; a missing status table; a duplicated "$Id"; a
    // database file that is not there.
    EXPECT_EQ(CargarEstadosModelo(QString::fromUtf8("Protección X-7")).Resultado.Texto(), 245);
    EXPECT_EQ(CargarEstadosModelo("SOLO").Resultado.Texto(), 245);
    EXPECT_EQ(CargarMedidasModelo("MAL").Texto(), 245);
    EXPECT_EQ(CargarMedidasModelo("FALTA").Texto(), 245);
    EXPECT_EQ(Plantillas().AnalogicosPlantilla(2, 1), "2");
    EXPECT_FALSE(Plantillas().ModeloCargado);
}

TEST_F(MdbFixtureTest, SampleModelsShippedInTheRuntimeTreeLoad)
{
    SetExeFolderOverride(QStringLiteral(VESDRA_RUNTIME_ROOT "/EXE"));
    const ListaModelos lista = ListarModelos();
    ASSERT_TRUE(lista.Resultado.Correcto());
    ASSERT_FALSE(lista.Nombres.isEmpty());
    for (QString nombre : lista.Nombres) {
        nombre.remove(QLatin1Char('*'));
        EXPECT_TRUE(CargarMedidasModelo(nombre).Correcto()) << nombre.toStdString();
        EXPECT_GT(CargarEstadosModelo(nombre).Numero, 0) << nombre.toStdString();
    }
}

// The reader's answers: what goes in comes out, and anything not exactly of
// the answer's form is taken for damage.
TEST(ModelTableText, TablesAndErrorsComeBackAsTheyWentAndDamagedAnswersAreRefused)
{
    const TablaModelo t{{"$Id", QString::fromUtf8("Descripción"), "a\tb"},
                        {{N(0), T("Tensión A"), V::Nulo()},
                         {N(-1.5), T("tab\tLF\nCR\rback\\slash"), T("")},
                         {N(2e9), V::Nulo(), T("-")}}};
    const auto ida = DecodeModelTable(EncodeModelTable(t));
    ASSERT_TRUE(ida && ida->Tabla);
    EXPECT_FALSE(ida->Error);
    EXPECT_EQ(*ida->Tabla, t);
    const TablaModelo vacia{{"Modelo"}, {}};
    EXPECT_EQ(DecodeModelTable(EncodeModelTable(vacia))->Tabla, vacia);
    const TablaModelo sinCampos{{}, {{}, {}}};
    EXPECT_EQ(DecodeModelTable(EncodeModelTable(sinCampos))->Tabla, sinCampos);

    const auto error = DecodeModelTable(EncodeModelTableError(VbError(3078, "No table\there")));
    ASSERT_TRUE(error && error->Error);
    EXPECT_FALSE(error->Tabla);
    EXPECT_EQ(error->Error->Number, 3078);
    EXPECT_EQ(error->Error->Description, "No table\there");

    const QByteArray bien = "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tTx\nend\n";
    ASSERT_TRUE(DecodeModelTable(bien));
    const char* malas[] = {
        "",
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tTx\nend",        // cut before its last LF
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tTx\n",           // no end
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t2\nN1\tTx\nend\n",      // fewer rows than said
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tTx\nend\nend\n", // something after the end
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\nend\n",          // a cell missing
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tTx\t-\nend\n",   // a cell too many
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nNx\tTx\nend\n",      // a number that is none
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nNinf\tTx\nend\n",    // nor a finite one
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tX\nend\n",       // a cell of no kind
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tT\\q\nend\n",    // an unknown escape
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tT\xff\nend\n",   // not UTF-8
        "vesdra-mdb 1\nfields\t2\nA\nB\nrows\t1\nN1\tTx\r\nend\n",    // a bare CR
        "vesdra-mdb 1\nfields\t-2\nrows\t0\nend\n",                   // a count that is none
        "vesdra-mdb 1\nfields\t2\nA\nrows\t0\nend\n",                 // a field name missing
        "vesdra-mdb 2\nfields\t0\nrows\t0\nend\n",                    // another form
        "vesdra-mdb 1\nerror\tx\tbad\nend\n",                         // an error without its number
        "vesdra-mdb 1\nerror\t3078\tbad\n",                           // an error without the end
        "garbage\n",
    };
    for (const char* m : malas)
        EXPECT_FALSE(DecodeModelTable(QByteArray(m))) << m;
}

// Damaged databases read by the model reader: a copy of a shipped model
// whose status table crashes libmdb, one cut short and one of random bytes.
// The reader ends or fails, this program goes on and says which file.
class DamagedModelTest : public test::TemplateTest
{
protected:
    void SetUp() override
    {
        TemplateTest::SetUp();
        SetExeFolderOverride(dir_.filePath("vesdra/EXE"));
        SetMotorBasesModelo(nullptr);
        test::CopiarModelos(dir_.filePath("Models"), QStringLiteral(VESDRA_RESOURCES_DIR "/Models"),
                            {"Modelos.mdb"});
    }
    void TearDown() override
    {
        SetMotorBasesModelo(nullptr);
        TemplateTest::TearDown();
    }
    // A stand-in for the model reader that runs `guion` in the shell.
    static void Lector(const QByteArray& guion)
    {
        const QString lector = RutaLectorModelos();
        QFile::remove(lector);
        ASSERT_TRUE(test::WriteBytes(lector, "#!/bin/sh\n" + guion));
        ASSERT_TRUE(QFile::setPermissions(lector, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    // A damaged fixture in the place of the model RD-21's database.
    QString Danar(const char* fixture)
    {
        const QString ruta = dir_.filePath("Models/RD21.mdb");
        QFile::remove(ruta);
        EXPECT_TRUE(
            QFile::copy(test::DataPath(QStringLiteral("Models/damaged/") + QLatin1String(fixture)), ruta));
        return ruta;
    }
};

TEST_F(DamagedModelTest, ADamagedModelDatabaseIsReportedByNameAndTheProgramGoesOn)
{
    const struct {
        const char* fixture;
        bool medidas;     // the measurements still load
        int errorEstados; // what reading the status table gives
    } casos[] = {
        {"RD21-crash.mdb", true, kErrorBaseDanada}, // libmdb dies in its page map
        {"RD21-truncated.mdb", true, 3021},         // the status rows are cut off
        {"random.mdb", false, 3343},
    };
    for (const auto& c : casos) {
        const QString ruta = Danar(c.fixture);
        const ResultadoModelo m = CargarMedidasModelo("RD-21");
        EXPECT_EQ(m.Correcto(), c.medidas) << c.fixture;
        if (c.medidas) {
            EXPECT_EQ(Registro().NumAnalogicosOfrecidos, 8) << c.fixture;
            EXPECT_EQ(Plantillas().AnalogicosPlantilla(1, 2), QString::fromUtf8("Tensión fase A"));
        } else {
            ASSERT_TRUE(m.Aviso()) << c.fixture;
            EXPECT_EQ(*m.Aviso(), AvisoPaso(245, vbInformation, ruta)) << c.fixture;
        }
        const EstadosCargados e = CargarEstadosModelo("RD-21");
        EXPECT_EQ(e.Numero, 0) << c.fixture;
        ASSERT_TRUE(e.Resultado.Error) << c.fixture;
        EXPECT_EQ(e.Resultado.Error->Number, c.errorEstados) << c.fixture;
        ASSERT_TRUE(e.Resultado.Aviso()) << c.fixture;
        EXPECT_EQ(*e.Resultado.Aviso(), AvisoPaso(245, vbInformation, ruta)) << c.fixture;
    }
    // A damaged index is named in its turn.
    const QString indice = dir_.filePath("Models/Modelos.mdb");
    ASSERT_TRUE(QFile::remove(indice));
    ASSERT_TRUE(QFile::copy(test::DataPath("Models/damaged/random.mdb"), indice));
    const ListaModelos lista = ListarModelos();
    EXPECT_TRUE(lista.Nombres.isEmpty());
    ASSERT_TRUE(lista.Resultado.Aviso());
    EXPECT_EQ(lista.Resultado.Aviso()->Cola, indice);
    // A missing model database too.
    ASSERT_TRUE(QFile::remove(indice));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VESDRA_RESOURCES_DIR "/Models/Modelos.mdb"), indice));
    ASSERT_TRUE(QFile::remove(dir_.filePath("Models/RD21.mdb")));
    EXPECT_EQ(CargarMedidasModelo("RD-21").Aviso(),
              AvisoPaso(245, vbInformation, dir_.filePath("Models/RD21.mdb")));
}

// Whatever the reader does short of a well-formed answer with a clean exit
// (a crash, a hang, an exit code, nonsense) is damage: error
// kErrorBaseDanada naming the database, and the program goes on.
TEST_F(DamagedModelTest, AReaderThatCrashesHangsOrAnswersNonsenseIsADamagedDatabase)
{
    const QString base = dir_.filePath("Models/Modelos.mdb");
    const QString respuesta = dir_.filePath("respuesta");
    ASSERT_TRUE(test::WriteBytes(respuesta, EncodeModelTable(TablaModelo{{"Modelo"}, {{T("X")}}})));
    const QByteArray bien = "cat '" + respuesta.toUtf8() + "'\n";
    const struct {
        const char* que;
        QByteArray guion; // the reader's stand-in
    } casos[] = {
        {"crash", "kill -SEGV $$\n"},
        {"hang", "exec sleep 30\n"},
        {"hang after answering", bien + "exec sleep 30\n"},
        {"exit code", bien + "exit 3\n"},
        {"nonsense", "echo nonsense\n"},
        {"nothing", "exit 0\n"},
    };
    for (const auto& c : casos) {
        Lector(c.guion);
        auto motor = CrearLectorMdb(std::chrono::milliseconds(300));
        try {
            (void)motor->LeerTabla(base, "Modelos");
            ADD_FAILURE() << c.que;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, kErrorBaseDanada) << c.que;
            EXPECT_EQ(e.Path, base) << c.que;
        }
    }
    // The stand-in that answers well is taken at its word.
    Lector(bien);
    EXPECT_EQ(CrearLectorMdb()->LeerTabla(base, "Modelos").Filas.size(), 1U);
}

// A model reader that is not there, or not a program that runs, is a fault
// of the installation: said as such, naming where it was looked for, never
// as a damaged database.
TEST_F(DamagedModelTest, MendedAMissingReaderIsReportedAsSuchWithWhereItWasLookedFor)
{
    const struct {
        const char* que;
        QByteArray contenido; // empty: no file
        QFile::Permissions permisos;
    } casos[] = {
        {"no reader", {}, {}},
        {"not executable", "#!/bin/sh\nexit 0\n", QFile::ReadOwner | QFile::WriteOwner},
        {"no interpreter", "#!/nonexistent/sh\nexit 0\n",
         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        const QString lector = RutaLectorModelos();
        QFile::remove(lector);
        if (!c.contenido.isEmpty()) {
            ASSERT_TRUE(test::WriteBytes(lector, c.contenido));
            ASSERT_TRUE(QFile::setPermissions(lector, c.permisos));
        }
        const ListaModelos lista = ListarModelos();
        EXPECT_TRUE(lista.Nombres.isEmpty());
        ASSERT_TRUE(lista.Resultado.Error);
        EXPECT_EQ(lista.Resultado.Error->Number, kErrorSinLectorModelos);
        EXPECT_EQ(lista.Resultado.Aviso(),
                  AvisoPaso(kTextoSinLectorModelos, vbInformation, QDir::toNativeSeparators(lector)));
        EXPECT_EQ(CargarEstadosModelo("RD-21").Resultado.Aviso(), lista.Resultado.Aviso());
    }
}

// The program's windows are painted and its timers run while a table is
// read (a reader may take up to its time limit): the stand-in reader
// answers only once a timer has fired and a window has been painted during
// the read, so a read that held the event loop up would run into its limit.
TEST_F(DamagedModelTest, MendedTheWindowsArePaintedWhileATableIsRead)
{
    const QString respuesta = dir_.filePath("respuesta");
    ASSERT_TRUE(test::WriteBytes(respuesta, EncodeModelTable(TablaModelo{{"Modelo"}, {{T("X")}}})));
    const QString reloj = dir_.filePath("reloj");
    const QString pintado = dir_.filePath("pintado");
    Lector("n=0\nwhile [ ! -e '" + reloj.toUtf8() + "' ] || [ ! -e '" + pintado.toUtf8() +
           "' ]; do\n  n=$((n + 1)); [ $n -gt 6000 ] && exit 1\n  sleep 0.01\ndone\ncat '" +
           respuesta.toUtf8() + "'\n");

    struct Pintado final : QWidget {
        QString Senal;
        void paintEvent(QPaintEvent*) override
        {
            if (!Senal.isEmpty())
                (void)test::WriteBytes(Senal, "1");
        }
    } ventana;
    ventana.resize(100, 100);
    ventana.show();
    QCoreApplication::processEvents();
    ventana.Senal = pintado;
    ventana.update();
    QTimer::singleShot(0, &ventana, [&reloj] { (void)test::WriteBytes(reloj, "1"); });
    const auto motor = CrearLectorMdb(std::chrono::milliseconds(test::kEventDeadlineMs));
    EXPECT_EQ(motor->LeerTabla(dir_.filePath("Models/Modelos.mdb"), "Modelos").Filas.size(), 1U);
    EXPECT_TRUE(QFile::exists(reloj));
    EXPECT_TRUE(QFile::exists(pintado));
}

} // namespace
} // namespace vesdra
