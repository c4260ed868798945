#include "views/digital/impresion_digital.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "common/printed_page.h"
#include "common/test_support.h"
#include "digital_fixture.h"
#include "platform/base/name_elide.h"
#include "platform/common_dialog.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/printer_qt.h"
#include "platform/printer_recording.h"
#include "platform/scroll_bar.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "record/tablas_trazo.h"
#include "shell/cancelar.h"
#include "shell/impresion_piezas.h"
#include "shell/language.h"
#include "shell/shell_state.h"
#include "views/digital/frm19.h"

namespace vesdra {
namespace {

using Kind = PrintCall::Kind;

using namespace vesdra::test;

// The fixture's record (analog row 1 is column 3, 300 + s at sample s;
// digital channel 2 at 1 on samples 50..60, 3 on even samples, 4 always)
// printed on a recording printer from a picture 6000 twips tall.
class DigitalPage : public test::DigitalFixture
{
protected:
    void SetUp() override
    {
        test::DigitalFixture::SetUp();
        Registro().RutaDat = QStringLiteral("/registros/falta.dat");
        printer.SetOrientation(2);
    }

    DatosPaginaDigital Datos(std::int32_t primera, std::int32_t ultima)
    {
        DatosPaginaDigital d;
        d.FilaAnalogica = 1;
        d.Filas = {{2, QStringLiteral("D2")}, {3, QStringLiteral("D3")}, {4, QStringLiteral("D4")}};
        d.Nivel = {primera, ultima, primera, 0, 0};
        d.AltoPicture = 6000;
        d.Cursor1 = primera;
        d.Cursor2 = ultima;
        d.TextoTiempo = QStringLiteral("10.000 ms");
        d.Grupo = true;
        d.ModoDigital = 1;
        d.GrupoElegido = QStringLiteral("G2");
        return d;
    }
    static double F() { return 0.75 * kH / 6000; }
    static double Zero() { return kBoxTop + 600 * F(); }
    static double Base(int row, int rows = 3)
    {
        return kBoxTop + 1200 * F() + row * (kBoxBottom - kBoxTop - 1200 * F()) / (rows + 1);
    }

    // The step boxes standing on a base line.
    [[nodiscard]] std::vector<PrintCall> Boxes(double base) const
    {
        const double tpp = printer.TwipsPerPixelY();
        return LinesWhere(printer, [&](const PrintCall& c) {
            return c.Form != LineForm::Plain && std::fabs(c.Y1 - base) <= tpp / 2 &&
                   std::fabs(c.Y2 - (base - 75)) <= tpp / 2;
        });
    }
    [[nodiscard]] std::size_t TimeTicks() const { return test::TimeTicks(printer).size(); }
    [[nodiscard]] std::size_t Markers() const
    {
        return LinesWhere(
                   printer,
                   [](const PrintCall& c) { return c.DrawStyle == 2 && c.Y1 == c.Y2 && c.Color == kGreen; })
            .size();
    }

    RecordingPrinter printer;
};

// ---- the page ----

TEST_F(DigitalPage, GroupPageOfTheWholeRecord)
{
    PaginaDigital(printer, Datos(1, 200), FixedFont());

    const std::vector<QString> texts = printer.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], QStringLiteral("T47__T16"));
    EXPECT_EQ(texts[1], QStringLiteral("Fichero origen : /registros/falta.dat"));

    // The band: the analog name with its zero, its trace in green, the
    // zero line and the rows' base lines in the cursors' solid pen.
    const PrintCall* nombre = FindText(printer, QStringLiteral("IC    0A"));
    ASSERT_TRUE(nombre);
    // 900 by the window's measure would carry the printer's wider 960 into
    // the box: it ends a blank of the window's (100) short of it instead.
    EXPECT_DOUBLE_EQ(nombre->X1, kBoxLeft - 100 - 960);
    EXPECT_DOUBLE_EQ(nombre->Y1, Zero());
    EXPECT_EQ(nombre->Color, kGreen);
    for (int row = 0; row <= 3; ++row) {
        const double y = row == 0 ? Zero() : Base(row);
        const auto line = LinesWhere(
            printer, [&](const PrintCall& c) { return c.Y1 == y && c.Y2 == y && c.X1 == kBoxLeft; });
        ASSERT_EQ(line.size(), 1u) << row;
        EXPECT_EQ(line[0].X2, kBoxRight);
        EXPECT_EQ(line[0].DrawWidth, 3);
        EXPECT_EQ(line[0].DrawStyle, 0);
    }
    const std::vector<PrintCall> traces = printer.OfKind(Kind::Lines);
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0].Color, kGreen);
    EXPECT_EQ(traces[0].DrawWidth, 2);
    for (const QLineF& l : traces[0].Segments) {
        EXPECT_GE(std::min(l.y1(), l.y2()), kBoxTop - 3) << "the band's scale fills it, no more";
        EXPECT_LE(std::max(l.y1(), l.y2()), Zero() + 3);
    }
    // The maximum (500 at the last sample) marked at the band's top; the
    // minimum, 0, is never reached.
    EXPECT_EQ(Markers(), 1u);
    const PrintCall* max = FindText(printer, QStringLiteral("500.000 A"));
    ASSERT_TRUE(max);
    EXPECT_NEAR(max->Y1, kBoxTop, 1e-6);

    // The group block, the rows' names on their base lines, the boxes of
    // each state 1 from the sample before to the sample, in blue.
    const PrintCall* grupo = FindText(printer, QStringLiteral("T49"));
    ASSERT_TRUE(grupo);
    EXPECT_DOUBLE_EQ(grupo->X1, kFrameLeft + 50) << "half a blank off the frame's line";
    EXPECT_DOUBLE_EQ(grupo->Y1, Zero() + 200);
    ASSERT_TRUE(FindText(printer, QStringLiteral("G2")));
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("G2"))->Y1, Zero() + 200 + 240 + 200);
    const char* names[] = {"D2", "D3", "D4"};
    for (int row = 1; row <= 3; ++row) {
        const PrintCall* n = FindText(printer, QString::fromLatin1(names[row - 1]));
        ASSERT_TRUE(n) << row;
        EXPECT_DOUBLE_EQ(n->X1, kFrameLeft + 200);
        EXPECT_DOUBLE_EQ(n->Y1, Base(row) - 240) << "standing on its own base line, a printer line high";
    }
    const double sx = (kBoxRight - kBoxLeft) / 199;
    const double tpp = printer.TwipsPerPixelX();
    const struct {
        int Row;
        std::size_t Count;
        int FirstSample;
        int LastSample;
    } rows[] = {{1, 11, 50, 60}, {2, 100, 2, 200}, {3, 199, 2, 200}};
    for (const auto& r : rows) {
        const std::vector<PrintCall> b = Boxes(Base(r.Row));
        ASSERT_EQ(b.size(), r.Count) << r.Row;
        EXPECT_NEAR(b.front().X1, kBoxLeft + (r.FirstSample - 2) * sx, tpp) << r.Row;
        EXPECT_NEAR(b.back().X2, kBoxLeft + (r.LastSample - 1) * sx, tpp) << r.Row;
        for (const PrintCall& c : b) {
            EXPECT_EQ(c.Form, LineForm::Box) << "samples wider than a dot: one outlined box each";
            EXPECT_EQ(c.Color, kBlue);
        }
    }

    // The time scale: four 50 ms steps, the fourth (200 ms) past the last
    // sample and the box; labels, half and fifth lines kept inside too.
    EXPECT_EQ(TimeTicks(), 3u);
    EXPECT_TRUE(FindText(printer, QStringLiteral(" 50 ")));
    EXPECT_TRUE(FindText(printer, QStringLiteral("100")));
    EXPECT_FALSE(FindText(printer, QStringLiteral(" 200 ")));
    EXPECT_TRUE(LinesWhere(printer, [](const PrintCall& c) {
                    return c.Color == 0 && c.X1 == c.X2 && c.X1 > kBoxRight + 0.5 && c.X1 < 0.942 * kW;
                }).empty());

    // Read-outs, unit, cursors in their colours.
    const PrintCall* c1 = FindText(printer, QStringLiteral("T2621"));
    ASSERT_TRUE(c1);
    EXPECT_DOUBLE_EQ(c1->X1, kFrameLeft + 200);
    EXPECT_DOUBLE_EQ(c1->Y1, kBoxBottom);
    ASSERT_TRUE(FindText(printer, QStringLiteral("T263200")));
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("T263200"))->Y1, kBoxBottom + 240 + 200);
    EXPECT_TRUE(FindText(printer, QStringLiteral("T26410.000 ms")));
    ASSERT_TRUE(FindText(printer, QStringLiteral("  ms")));
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("  ms"))->Y1, kBoxBottom + 100);
    EXPECT_EQ(
        LinesWhere(printer, [](const PrintCall& c) { return c.DrawStyle == 1 && c.Color == kYellow; }).size(),
        1u);
    EXPECT_EQ(
        LinesWhere(printer, [](const PrintCall& c) { return c.DrawStyle == 1 && c.Color == kCyan; }).size(),
        1u);
}

// Samples closer than the printer's dots: each row's runs are merged into
// filled boxes, never more than the device columns of the box.
TEST_F(DigitalPage, DenseStepsAreMergedPerDeviceColumn)
{
    LlenarRegistro(100000);
    PaginaDigital(printer, Datos(1, 100000), FixedFont());
    const double tpp = printer.TwipsPerPixelX();
    for (int row = 1; row <= 3; ++row) {
        const std::vector<PrintCall> b = Boxes(Base(row));
        ASSERT_EQ(b.size(), 1u) << "one run per row: " << row;
        EXPECT_EQ(b[0].Form, LineForm::FilledBox);
    }
    const PrintCall all = Boxes(Base(3))[0];
    EXPECT_NEAR(all.X1, kBoxLeft, tpp);
    EXPECT_NEAR(all.X2, kBoxRight, tpp);
    EXPECT_LE(printer.OfKind(Kind::Lines)[0].Segments.size(),
              4 * static_cast<std::size_t>((kBoxRight - kBoxLeft) / tpp + 2));
}

// A composition at a zoom level: its title, no group block, the level over
// the whole box, no time scale and "  ms" on the cursor-2 row.
TEST_F(DigitalPage, ZoomedCompositionPage)
{
    DatosPaginaDigital d = Datos(50, 150);
    d.Grupo = false;
    d.ModoDigital = 2;
    PaginaDigital(printer, d, FixedFont());
    EXPECT_EQ(printer.Texts()[0], QStringLiteral("T47__T17"));
    EXPECT_FALSE(FindText(printer, QStringLiteral("T49")));
    EXPECT_EQ(TimeTicks(), 0u);
    // Cursor 2 at the level's end: its label drawn back inside the frame on
    // the unit's row, so "  ms" goes a line lower.
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("  ms"))->Y1, kBoxBottom + 300 + 240);
    const std::vector<QLineF> s = printer.OfKind(Kind::Lines)[0].Segments;
    EXPECT_NEAR(s.front().x1(), kBoxLeft, 3);
    EXPECT_NEAR(s.back().x2(), kBoxRight, 3);
    // Samples 51..60 of channel 2 (sample 50 is the level's origin).
    const std::vector<PrintCall> b = Boxes(Base(1));
    ASSERT_EQ(b.size(), 10u);
    EXPECT_NEAR(b.front().X1, kBoxLeft, printer.TwipsPerPixelX());
}

TEST_F(DigitalPage, AMonochromePrinterPrintsEverythingBlack)
{
    printer.SetColorMode(1);
    PaginaDigital(printer, Datos(1, 200), FixedFont());
    for (const PrintCall& c : printer.Calls)
        EXPECT_EQ(c.Color, 0u);
    EXPECT_EQ(Boxes(Base(3)).size(), 199u);
}

// An extreme reached at many samples of the level is marked once; a
// channel at 0 throughout lies on the zero line with one marker.
TEST_F(DigitalPage, EachExtremeIsMarkedOnce)
{
    struct Case {
        const char* Name;
        float Odd, Even;
        std::vector<QString> Labels;
    };
    const Case cases[] = {{"alternating", 0.0f, 7.0f, {QStringLiteral("0.000 A"), QStringLiteral("7.000 A")}},
                          {"all zero", 0.0f, 0.0f, {QStringLiteral("0.000 A")}}};
    for (const Case& c : cases) {
        for (std::int32_t s = 1; s <= 200; ++s)
            Registro().Valores(s, 3) = s % 2 ? c.Odd : c.Even;
        printer.Calls.clear();
        PaginaDigital(printer, Datos(1, 200), FixedFont());
        EXPECT_EQ(Markers(), c.Labels.size()) << c.Name;
        for (const QString& l : c.Labels)
            EXPECT_EQ(CountText(printer, l), 1) << c.Name;
    }
    const std::vector<QLineF> trazo = printer.OfKind(Kind::Lines)[0].Segments;
    for (const QLineF& l : trazo)
        EXPECT_NEAR(l.y1(), Zero(), printer.TwipsPerPixelY()) << "scale 0: the trace on the zero line";
}

// A rate with no whole sample per 50 ms prints without the time scale, and
// sample numbers past 32767 print as they are.
TEST_F(DigitalPage, LowRateAndLongRecordPrintWithoutAScale)
{
    LlenarRegistro(40000);
    Registro().TasasMuestreo = Array<std::int32_t>(1, 5);
    PaginaDigital(printer, Datos(1, 40000), FixedFont());
    EXPECT_EQ(TimeTicks(), 0u);
    EXPECT_TRUE(FindText(printer, QStringLiteral("T26340000")));
    // Below cursor 2's label, which is drawn back inside the frame.
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("  ms"))->Y1, kBoxBottom + 300 + 240);
}

TEST_F(DigitalPage, ALevelOfOneSampleOrAClosedRecordIsAnError)
{
    const auto error = [&](const DatosPaginaDigital& d) {
        try {
            PaginaDigital(printer, d, FixedFont());
        } catch (const VbError& e) {
            return e.Number;
        }
        return 0;
    };
    EXPECT_EQ(error(Datos(20, 20)), vberr::DivisionByZero);
    Registro().EstadosDigitales = Matrix<std::uint8_t>();
    printer.Calls.clear();
    EXPECT_EQ(error(Datos(1, 200)), vberr::SubscriptOutOfRange);
    EXPECT_TRUE(printer.Calls.empty()) << "nothing drawn before the record is checked";
}

// ---- every text legible ----

// One to nineteen rows with long names, in group or composition mode, over
// the fixture's record or one of 10^7 samples; the analog channel all zero
// or not; cursor 2 on the last sample or not; measured in the fixed window
// font or in the printer's own.
TEST_F(DigitalPage, EveryTextStandsClear)
{
    struct Case {
        int Rows;
        std::int32_t Samples;
        bool Zeros;
        bool LastCursor;
        bool PrinterMeasure;
        int Mode;
        bool Zoomed{false}; // samples 50..150, cursor 2 on the last
    };
    const Case cases[] = {{1, 0, false, false, false, 1},        {19, 0, false, true, false, 1},
                          {19, 0, true, false, true, 2},         {8, 0, true, true, false, 1},
                          {19, 10000000, false, true, false, 1}, {3, 10000000, true, false, true, 2},
                          {19, 0, false, true, false, 2, true},  {5, 0, true, true, true, 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Rows) + " rows, " + std::to_string(c.Samples) + " samples" +
                     (c.Zeros ? ", zeros" : "") + (c.LastCursor ? ", cursor 2 at the end" : "") +
                     (c.PrinterMeasure ? ", printer font" : "") + ", mode " + std::to_string(c.Mode) +
                     (c.Zoomed ? ", zoomed" : ""));
        printer.Calls.clear();
        if (c.Samples > 0) {
            LlenarRegistro(c.Samples);
            Registro().RutaDat = QStringLiteral("/registros/falta.dat");
        }
        RecordModel& r = Registro();
        if (c.Zeros) {
            for (std::int32_t s = 1; s <= r.NumMuestras(); ++s)
                r.Valores(s, 3) = 0.0f;
        }
        ConstruirTablasTrazo(r);
        MaxMinCanales(r.Valores);
        const std::int32_t n = r.NumMuestras();
        DatosPaginaDigital d = c.Zoomed ? Datos(50, 150) : Datos(1, n);
        d.Filas.clear();
        for (int k = 1; k <= c.Rows; ++k)
            d.Filas.push_back(
                {(k - 1) % 3 + 2, QStringLiteral("PROTECCION_DISTANCIA_ZONA_%1_DISPARO").arg(k)});
        d.Cursor1 = 5;
        d.Cursor2 = c.Zoomed ? 150 : (c.LastCursor ? n : n / 2);
        d.ModoDigital = c.Mode;
        d.Grupo = c.Mode == 1;
        d.GrupoElegido = QStringLiteral("GRUPO DE DISPAROS DE LA LINEA");
        PaginaDigital(printer, d, c.PrinterMeasure ? PrinterFont() : FixedFont());
        ExpectLegibleTracePage(printer, c.Samples >= 10000000);
    }
}

// With channel names short, 36 characters long or 64 with a shared prefix,
// the page of three and of nineteen rows keeps every text legible and clear
// of every line, and on paper every value with its unit whole: the analog
// channel's zero and unit and its extreme, the read-outs of both cursors
// and the time between them.
TEST_F(DigitalPage, EveryValueIsWholeWithNamesOfEveryLength)
{
    RecordModel& r = Registro();
    for (const int largo : kNameLengths) {
        for (const int filas : {3, 19}) {
            SCOPED_TRACE(std::to_string(largo) + " characters, " + std::to_string(filas) + " rows");
            r.TablaCanales(1, 2) = NameOfLength(largo, 1);
            DatosPaginaDigital d = Datos(1, 200);
            d.Filas.clear();
            for (int k = 1; k <= filas; ++k)
                d.Filas.push_back({(k - 1) % 3 + 2, NameOfLength(largo, k + 1)});
            d.GrupoElegido = NameOfLength(largo, 21);
            d.Cursor1 = 5;
            d.Cursor2 = 150;
            printer.Calls.clear();
            PaginaDigital(printer, d, FixedFont());
            ExpectLegibleTracePage(printer, false);
            EXPECT_LE(FontSizes(printer).size(), 2u) << "one size per kind of text";
            const QStringList valores{QStringLiteral(" 0A"), QStringLiteral("500.000 A"),
                                      QStringLiteral("T2625"), QStringLiteral("T263150"),
                                      QStringLiteral("T26410.000 ms")};
            const QString papel =
                TextOnPaper([&](Printer& p, const MedidaTexto& m) { PaginaDigital(p, d, m); });
            for (const std::string& f : NotWhole(papel, valores))
                ADD_FAILURE() << f;
        }
    }
}

// A substation's names (57-64 characters told apart by their signal): on a
// record of 2000000 samples, in Spanish and in English, the read-outs'
// captions and sample numbers print whole on paper ("Cursor 1, muestra:
// 1999999"); the rows' names (on two lines where four rows leave room,
// their signals then whole on paper) read as their own rows and none of the
// others, the analog channel's as its own channel and none of the record's
// others, and the group's as its own group and none of the template's
// others, in either font.
// On paper, in colour and in black, with a substation's names at 4 and 19
// rows: the analog channel's label reads as its channel only among the
// record's, and no label of its axis (zero, extreme) stands among the
// read-outs under the plot.
TEST_F(DigitalPage, OnPaperNoAxisLabelStandsAmongTheReadOuts)
{
    LlenarRegistro(2000);
    RecordModel& r = Registro();
    for (std::int32_t f = 1; f <= r.TablaCanales.Rows() && f <= 8; ++f)
        r.TablaCanales(f, 2) = NombresSubestacion::Analogicos()[f - 1];
    const QStringList rotulos = RotulosAnalogicos();
    const QStringList digitales = NombresSubestacion::Digitales();
    QString tiempo = TextosIdioma(264).trimmed();
    while (tiempo.endsWith(QLatin1Char(':')) || tiempo.endsWith(QLatin1Char(' ')))
        tiempo.chop(1);
    for (const int filas : {4, 19}) {
        DatosPaginaDigital d = Datos(1, 2000);
        d.Filas.clear();
        for (int k = 1; k <= filas; ++k)
            d.Filas.push_back({(k - 1) % 3 + 2, digitales[k - 1]});
        d.Grupos = NombresSubestacion::Grupos();
        d.GrupoElegido = d.Grupos[1];
        for (const int mode : {2, 1}) {
            SCOPED_TRACE(std::to_string(filas) + " rows" + (mode == 2 ? ", colour" : ", black"));
            const PaperPage paper =
                OnPaper([&](Printer& p, const MedidaTexto& m) { PaginaDigital(p, d, m); }, mode);
            for (const std::string& f : UntiedValues(paper.Lines, paper.X(0.15 * paper.W), rotulos, {tiempo}))
                ADD_FAILURE() << f;
            const auto etiqueta =
                std::find_if(paper.Lines.begin(), paper.Lines.end(),
                             [](const PaperLine& l) { return l.Text.endsWith(QStringLiteral(" 0A")); });
            ASSERT_NE(etiqueta, paper.Lines.end());
            const QString nombre = etiqueta->Text.chopped(3).trimmed();
            EXPECT_TRUE(SeLeenAparte({nombre}, {NombreCanal(1)}));
            EXPECT_FALSE(LeeComoOtro(nombre, NombreCanal(1), rotulos)) << nombre.toStdString();
        }
    }
}

TEST_F(DigitalPage, SubstationNamesReadApartAndReadOutsPrintWhole)
{
    LlenarRegistro(2000000);
    RecordModel& r = Registro();
    // Rows 1..3: the voltage and the current of phase A, the voltage of B.
    QStringList circuitos;
    for (const int i : {0, 3, 1}) {
        const auto f = static_cast<std::int32_t>(circuitos.size()) + 1;
        r.TablaCanales(f, 2) = NombresSubestacion::Analogicos()[i];
        r.TablaCanales(f, 3) = NombresSubestacion::Circuitos()[i];
        circuitos << NombresSubestacion::Circuitos()[i];
    }
    const QStringList digitales = NombresSubestacion::Digitales();
    const auto sinComun = [](const QString& n) { return n.mid(NombresSubestacion::Comun().size()); };
    for (const char* idioma : {"vsotro.ini", "vsingles.ini"}) {
        Shell().FicheroIdioma = QStringLiteral(VESDRA_RESOURCES_DIR "/ini/") + QLatin1String(idioma);
        ASSERT_TRUE(CargarIdioma());
        for (const int filas : {4, 19}) {
            SCOPED_TRACE(std::string(idioma) + ", " + std::to_string(filas) + " rows");
            DatosPaginaDigital d = Datos(1, 2000000);
            d.Filas.clear();
            QStringList nombres;
            for (int k = 1; k <= filas; ++k) {
                d.Filas.push_back({(k - 1) % 3 + 2, digitales[k - 1]});
                nombres << digitales[k - 1];
            }
            d.Grupos = NombresSubestacion::Grupos();
            d.GrupoElegido = d.Grupos[1];
            d.Cursor1 = 1999999;
            d.Cursor2 = 2000000;
            for (const MedidaTexto& m : {FixedFont(), PrinterFont()}) {
                SCOPED_TRACE(m.Puntos > 0 ? "printer font" : "window font");
                printer.Calls.clear();
                PaginaDigital(printer, d, m);
                ExpectLegibleTracePage(printer, false);
                // Each row's lines stand above its base line, below the
                // base line above it.
                QStringList vistos;
                const double xNombre = kFrameLeft + m.Ancho(QStringLiteral("AA"));
                for (int k = 1; k <= filas; ++k) {
                    QString visto;
                    for (const PrintCall& c : printer.OfKind(Kind::Print)) {
                        if (c.X1 == xNombre && c.Y1 < Base(k, filas) && c.Y1 >= Base(k - 1, filas) - 1)
                            test::AppendPrintedLine(visto, c.Text);
                    }
                    vistos << visto;
                }
                EXPECT_TRUE(SeLeenAparte(vistos, nombres))
                    << vistos.join(QStringLiteral(" | ")).toStdString();
                const PrintCall* grupo = nullptr;
                const PrintCall* canal = nullptr;
                const std::vector<PrintCall> textos = printer.OfKind(Kind::Print);
                for (const PrintCall& c : textos) {
                    if (c.X1 == kFrameLeft + m.Ancho(QStringLiteral("A")) && c.Y1 < Base(1, filas))
                        grupo = &c;
                    if (c.Color == kGreen && c.Text.endsWith(QStringLiteral("    0A")))
                        canal = &c;
                }
                ASSERT_TRUE(grupo && canal);
                EXPECT_TRUE(ReadsAs(grupo->Text, d.GrupoElegido)) << grupo->Text.toStdString();
                for (const QString& g : d.Grupos)
                    EXPECT_TRUE(g == d.GrupoElegido || !ReadsAs(grupo->Text, g)) << grupo->Text.toStdString();
                const QString rotulo = canal->Text.chopped(6);
                EXPECT_TRUE(ReadsAs(rotulo, circuitos[0])) << rotulo.toStdString();
                for (const QString& o : {circuitos[1], circuitos[2]})
                    EXPECT_FALSE(ReadsAs(rotulo, o)) << rotulo.toStdString();
            }
            const QString papel =
                TextOnPaper([&](Printer& p, const MedidaTexto& m) { PaginaDigital(p, d, m); });
            QStringList enteros{TextosIdioma(262) + QStringLiteral("1999999"),
                                TextosIdioma(263) + QStringLiteral("2000000"),
                                TextosIdioma(264) + d.TextoTiempo};
            if (filas == 4)
                for (const QString& n : nombres)
                    enteros << sinComun(n);
            for (const std::string& f : NotWhole(papel, enteros))
                ADD_FAILURE() << f << " in " << papel.toStdString();
        }
    }
}

// ---- through the view ----

class DigitalPrint : public DigitalPage
{
protected:
    void SetUp() override
    {
        DigitalPage::SetUp();
        SetPrinterForTests(&printer);
    }
    void TearDown() override
    {
        SetPrinterForTests(nullptr);
        DescargarCancelar();
        DigitalPage::TearDown();
    }
};

// The print button prints the level shown and changes nothing of the view;
// a cancel window left from before, with its flag up, stops no copy.
TEST_F(DigitalPrint, TheViewPrintsItsLevelAndStaysAsItWas)
{
    frm19* v = AbrirVista(2, 0);
    ASSERT_TRUE(v);
    EXPECT_TRUE(v->pctimpresora->isEnabled());
    v->HScroll1->SetValue(40);
    v->HScroll2->SetValue(120);
    v->cmdzoom_Click();
    const digital::NivelDigital nivel = v->Historial().Actual();
    const QString tiempo = v->lbltiempo->text();
    const QImage picture = v->RenderImage();

    MostrarCancelar();
    Shell().CancelarImpresion = true;
    ScopedDialogAnswers dialog({false, {}, 2});
    v->pctimpresora_Click();
    EXPECT_EQ(printer.OfKind(Kind::EndDoc).size(), 2u) << "two copies, two jobs";
    EXPECT_TRUE(printer.OfKind(Kind::KillDoc).empty());
    EXPECT_EQ(CountText(printer, QStringLiteral("T47__T16")), 2);
    EXPECT_EQ(CountText(printer, QStringLiteral("T264") + tiempo), 2);
    EXPECT_EQ(CountText(printer, QStringLiteral("G2")), 2);
    EXPECT_EQ(TimeTicks(), 0u) << "a zoomed level";

    EXPECT_EQ(v->Historial().Actual(), nivel);
    EXPECT_EQ(v->HScroll1->Value(), nivel.Primera);
    EXPECT_EQ(v->RenderImage(), picture);
    EXPECT_TRUE(v->isEnabled());
    EXPECT_EQ(MousePointer(v), vbDefault);
    EXPECT_FALSE(CancelarCargado());
    EXPECT_EQ(cajas_.Count(), 0);
}

// A printer failing half-way: the error box, the job discarded, the cancel
// window gone, the view open, enabled and with its pointer.
TEST_F(DigitalPrint, AnErrorWhilePrintingKeepsTheViewOpen)
{
    frm19* v = AbrirVista(1, 0);
    ASSERT_TRUE(v);
    ScopedDialogAnswers dialog({false, {}, 1});
    printer.FailNextCall = true;
    v->pctimpresora_Click();
    Procesar();
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_EQ(cajas_.Last().Prompt, QStringLiteral("Error 482: Printer error"));
    EXPECT_EQ(cajas_.Last().Style, vbCritical);
    EXPECT_EQ(printer.OfKind(Kind::KillDoc).size(), 1u);
    EXPECT_TRUE(printer.OfKind(Kind::EndDoc).empty());
    EXPECT_FALSE(CancelarCargado());
    ASSERT_EQ(Frm19(), v);
    EXPECT_TRUE(v->isEnabled());
    EXPECT_EQ(MousePointer(v), vbDefault);

    v->pctimpresora_Click();
    EXPECT_EQ(printer.OfKind(Kind::EndDoc).size(), 1u);
    EXPECT_EQ(cajas_.Count(), 1);
}

// ---- on paper ----

TEST_F(DigitalPage, PrintedToPdf)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("digital.pdf"));
    auto p = QtPrinter::ForPdf(pdf);
    p->SetOrientation(2);
    PaginaDigital(*p, Datos(1, 200), FixedFont());
    p->EndDoc();
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(test::PdfText(pdf).contains(QStringLiteral("Fichero origen")));
    constexpr int kDpi = 100;
    const QImage img = test::RenderPdfPage(pdf, kDpi);
    ASSERT_FALSE(img.isNull());
    const double w = p->Width();
    const double h = p->Height();
    const QPointF margin = p->Device().pageLayout().paintRect(QPageLayout::Point).topLeft() * 20;
    const auto kind = [&](double x, double y, bool (*is)(QRgb)) {
        return NearPixel(img, (x + margin.x()) * kDpi / 1440.0, (y + margin.y()) * kDpi / 1440.0, 2, is);
    };
    const double f = 0.75 * h / 6000;
    const double t = 0.05 * w;
    const double pitch = (0.82 * h - t - 1200 * f) / 4;
    const double p0 = 0.15 * w;
    const double sx = (0.92 * w - p0) / 199;
    // Channel 2's run (samples 50..60) on row 1, channel 4's on row 3.
    EXPECT_TRUE(kind(p0 + 54 * sx, t + 1200 * f + pitch - 30, BluePixel));
    EXPECT_FALSE(kind(p0 + 100 * sx, t + 1200 * f + pitch - 30, BluePixel));
    EXPECT_TRUE(kind(p0 + 100 * sx, t + 1200 * f + 3 * pitch - 30, BluePixel));
    // The analog ramp at its last sample touches the band's top.
    EXPECT_TRUE(kind(0.92 * w - 20, t + 10, GreenPixel));
}

} // namespace
} // namespace vesdra
