#include "views/composition/impresion_composicion.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <span>

#include "common/one_circuit.h"
#include "common/printed_page.h"
#include "common/test_support.h"
#include "composition_fixture.h"
#include "platform/base/formats.h"
#include "platform/common_dialog.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "platform/printer_qt.h"
#include "platform/printer_recording.h"
#include "platform/scroll_bar.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/cancelar.h"
#include "shell/impresion_piezas.h"
#include "shell/language.h"

namespace vesdra {
namespace {

using Kind = PrintCall::Kind;

using namespace vesdra::test;

class CompositionPage : public test::CompositionFixture
{
protected:
    void SetUp() override
    {
        test::CompositionFixture::SetUp();
        printer.SetOrientation(2);
    }

    // A record of nc channels and nS samples at 1000 per second; channel c
    // a sawtooth of c * (-10 .. 9), each extreme reached every 20 samples.
    void Sawtooth(std::int32_t nc, std::int32_t nS)
    {
        Registrar(nc, nS,
                  [](std::int32_t s, std::int32_t c) { return static_cast<float>(c * (s % 20 - 10)); });
        Registro().RutaDat = QStringLiteral("/registros/falta.dat");
    }

    // The page of rows 1..filas over samples primera..ultima of a picture
    // 3000 twips tall with the zero at mid-height, one twip per unit.
    DatosPaginaComposicion Datos(std::int32_t filas, std::int32_t primera, std::int32_t ultima,
                                 double zoom = 1)
    {
        DatosPaginaComposicion d;
        for (std::int32_t f = 1; f <= filas; ++f)
            d.Filas.push_back(f);
        d.Vista.PrimeraMuestra = primera;
        d.Vista.UltimaMuestra = ultima;
        d.Vista.OrigenY = 1500;
        d.Vista.ZoomVertical = zoom;
        d.AltoPicture = 3000;
        d.EscalaVertical = 1;
        d.Cursor1 = primera;
        d.Cursor2 = ultima;
        d.TextoTiempo = QStringLiteral("999.000 ms");
        return d;
    }
    static double Scale() { return 0.75 * kH / 3000; }
    static double Zero() { return 1500 * Scale() + kBoxTop; }

    // The ticks of the time scale hanging below the box.
    [[nodiscard]] std::vector<PrintCall> TimeTicks() const { return test::TimeTicks(printer); }

    // The names the page printed in its column's entries: the legend's, the
    // lines before each of its strokes (`trazo` tells a stroke), from the
    // channels' title; the read-outs', what stands before ": " after each
    // cursor's sample.
    struct NombresColumna {
        QStringList Leyenda;
        QStringList Lecturas;
    };
    [[nodiscard]] NombresColumna NombresImpresos(const std::function<bool(const PrintCall&)>& trazo) const
    {
        NombresColumna n;
        QString nombre;
        bool enLecturas = false;
        double xEntrada = 0.0; // where the column's entries start, in its size
        for (const PrintCall& c : printer.OfKind(Kind::Print))
            if (c.Text.startsWith(TextosIdioma(266)))
                xEntrada = c.X1;
        for (const PrintCall& c : printer.Calls) {
            if (c.What == Kind::Line && trazo(c)) {
                n.Leyenda << nombre;
                nombre.clear();
                continue;
            }
            if (c.What != Kind::Print || c.X1 != xEntrada)
                continue;
            if (c.Text.startsWith(TextosIdioma(266))) {
                enLecturas = true;
            } else if (enLecturas) {
                n.Lecturas << c.Text.left(c.Text.lastIndexOf(QStringLiteral(": ")));
            } else if (!c.Text.contains(QStringLiteral(" max: ")) &&
                       !c.Text.contains(QStringLiteral(" min: "))) {
                test::AppendPrintedLine(nombre, c.Text);
            }
        }
        return n;
    }

    RecordingPrinter printer;
};

// ---- the page ----

// On a real record whose currents stay above 0 (the SEPAM sample's I2,
// circuit "2", never below 11.379 A) the legend's extremes are the channel's
// own: no minimum of 0 that no sample holds.
TEST_F(CompositionPage, ExtremesOfARealRecordAreTheChannelsOwn)
{
    RecordModel& r = Registro();
    r.RutaCfg = test::SamplePath(QStringLiteral("SEPAM_1997_BIN.CFG"));
    r.RutaDat = test::SamplePath(QStringLiteral("SEPAM_1997_BIN.DAT"));
    ASSERT_TRUE(LeerCfg(r).Ok());
    ASSERT_TRUE(LeerDat(r).Ok());
    IniciarValores();
    Plantillas().NumCanalesTabla = r.NumAnalogicos;
    Construir({{1, 1}, {2, 2}, {3, 3}});
    const std::span<const float> i2 = r.Valores.Column(2);
    const auto [menor, mayor] = std::minmax_element(i2.begin(), i2.end());
    ASSERT_GT(*menor, 11.0f);

    PaginaComposicion(printer, Datos(3, 1, r.NumMuestras()), FixedFont());
    const QString unidad = r.TablaCanales(2, 4);
    EXPECT_TRUE(FindText(printer, QStringLiteral("2 min: ") + TextoSingle(*menor) + unidad));
    EXPECT_TRUE(FindText(printer, QStringLiteral("2 max: ") + TextoSingle(*mayor) + unidad));
    for (const PrintCall& c : printer.OfKind(Kind::Print))
        EXPECT_FALSE(c.Text.endsWith(QStringLiteral(" 0A")) || c.Text.endsWith(QStringLiteral(": 0A")))
            << c.Text.toStdString();
}

TEST_F(CompositionPage, FullViewOnAColourPrinter)
{
    Sawtooth(3, 1000);
    PaginaComposicion(printer, Datos(3, 1, 1000), FixedFont());

    const std::vector<QString> texts = printer.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], QStringLiteral("T64"));
    EXPECT_EQ(texts[1], QStringLiteral("T265/registros/falta.dat"));

    // Per channel, in the pens blue, green, red, 1 pixel wide: its trace, and
    // its two extremes each marked once (a dotted line and, where it stands
    // clear of the others', the value) though reached at 50 samples. The six
    // extremes lie within 90 twips of the zero here: not all values fit.
    const std::vector<PrintCall> traces = printer.OfKind(Kind::Lines);
    ASSERT_EQ(traces.size(), 3u);
    const std::uint32_t pens[] = {kBlue, kGreen, kRed};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(traces[k].Color, pens[k]) << k;
        EXPECT_EQ(traces[k].DrawWidth, 1) << k;
        EXPECT_EQ(traces[k].DrawStyle, 0) << k;
        const auto c = static_cast<int>(k + 1);
        const auto markers =
            LinesWhere(printer, [&](const PrintCall& l) { return l.DrawStyle == 2 && l.Color == pens[k]; });
        ASSERT_EQ(markers.size(), 2u) << k;
        EXPECT_DOUBLE_EQ(markers[0].Y1, Zero() + 10 * c * Scale()) << "the minimum first";
        EXPECT_DOUBLE_EQ(markers[1].Y1, Zero() - 9 * c * Scale());
        EXPECT_LE(CountText(printer, Format(-10.0 * c, "0.000") + QStringLiteral(" U%1").arg(c)), 1) << k;
        EXPECT_LE(CountText(printer, Format(9.0 * c, "0.000") + QStringLiteral(" U%1").arg(c)), 1) << k;
    }
    // A marker's value stands by the plot only clear of the legend's column
    // (below its last read-out): the column's rows are its read-outs'.
    const PrintCall* last = nullptr;
    for (const PrintCall& c : printer.OfKind(Kind::Print))
        if (c.Text.startsWith(QStringLiteral("C3: ")))
            last = &c;
    ASSERT_TRUE(last);
    for (int c = 1; c <= 3; ++c)
        for (const double v : {-10.0 * c, 9.0 * c})
            if (const PrintCall* t = FindText(printer, Format(v, "0.000") + QStringLiteral(" U%1").arg(c))) {
                EXPECT_GT(t->Y1, last->Y1 + 240) << t->Text.toStdString();
            }
    ExpectLegibleTracePage(printer, false);
    // The trace spreads samples 1..1000 over the box, inside it.
    const std::vector<QLineF>& s = traces[0].Segments;
    ASSERT_FALSE(s.empty());
    EXPECT_NEAR(s.front().x1(), kBoxLeft, 3);
    EXPECT_NEAR(s.back().x2(), kBoxRight, 3);

    // Legend and the values at the cursors.
    for (const QString& t :
         {QStringLiteral("T31:"), QStringLiteral("C2"), QStringLiteral("C2 max: 18U2"),
          QStringLiteral("C2 min: -20U2"), QStringLiteral("Cursor 1: "), QStringLiteral("T2661"),
          QStringLiteral("C3: -27.000U3"), QStringLiteral("Cursor 2: "), QStringLiteral("T2661000"),
          QStringLiteral("C1: -10.000U1")})
        EXPECT_TRUE(FindText(printer, t)) << t.toStdString();
    // A stroke of each pen beside its name, 500 twips long.
    for (const std::uint32_t pen : pens)
        EXPECT_EQ(LinesWhere(printer,
                             [&](const PrintCall& l) {
                                 return l.DrawStyle == 0 && l.Color == pen && l.X2 - l.X1 == 500 &&
                                        l.Y1 == l.Y2;
                             })
                      .size(),
                  1u);

    // The 50 ms grid: 20 steps in the record, the 20th (1000 ms) past the
    // last sample and so past the box's right side, where nothing is drawn.
    EXPECT_EQ(TimeTicks().size(), 19u);
    EXPECT_TRUE(LinesWhere(printer, [](const PrintCall& l) {
                    return l.Color == 0 && l.X1 == l.X2 && l.X1 > kBoxRight + 0.5 && l.X1 < 0.942 * kW;
                }).empty());
    EXPECT_TRUE(FindText(printer, QStringLiteral("100")));
    EXPECT_TRUE(FindText(printer, QStringLiteral(" 950 ")));
    const PrintCall* ms = FindText(printer, QStringLiteral("  ms"));
    ASSERT_TRUE(ms);
    EXPECT_DOUBLE_EQ(ms->Y1, kBoxBottom + 100) << "on the labels' row";
    EXPECT_TRUE(FindText(printer, QStringLiteral("T264999.000 ms")));
}

TEST_F(CompositionPage, MonochromePensAreBlackAndWidenChannelByChannelPastTheMarkers)
{
    Sawtooth(6, 1000);
    printer.SetColorMode(1);
    PaginaComposicion(printer, Datos(6, 1, 1000), FixedFont());

    const std::vector<PrintCall> traces = printer.OfKind(Kind::Lines);
    ASSERT_EQ(traces.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(traces[k].Color, 0u) << k;
        EXPECT_EQ(traces[k].DrawWidth, 1 + 3 * static_cast<int>(k)) << "a marker's width never carries over";
    }
    const auto markers =
        LinesWhere(printer, [](const PrintCall& l) { return l.DrawStyle == 2 && l.Y1 == l.Y2; });
    EXPECT_EQ(markers.size(), 12u);
    for (const PrintCall& m : markers)
        EXPECT_EQ(m.DrawWidth, 1);
    for (const PrintCall& c : printer.Calls)
        EXPECT_EQ(c.Color, 0u) << "cursors, markers, labels: all black";
}

TEST_F(CompositionPage, TraceColoursOfSixChannels)
{
    Sawtooth(6, 1000);
    PaginaComposicion(printer, Datos(6, 1, 1000), FixedFont());
    std::vector<std::uint32_t> colours;
    for (const PrintCall& t : printer.OfKind(Kind::Lines))
        colours.push_back(t.Color);
    EXPECT_EQ(colours, (std::vector<std::uint32_t>{kBlue, kGreen, kRed, kCyan, kYellow, kMagenta}));
    const auto cursor = [&](std::uint32_t colour) {
        return LinesWhere(printer, [&](const PrintCall& l) { return l.DrawStyle == 1 && l.Color == colour; })
            .size();
    };
    EXPECT_EQ(cursor(kYellow), 1u);
    EXPECT_EQ(cursor(kCyan), 1u);
}

// Five or six channels would run the legend and the values at the cursors
// past the foot of the page: the blanks between its entries narrow, so that
// the column keeps inside the frame in the page's font.
TEST_F(CompositionPage, TheLeftColumnStaysOnThePage)
{
    for (const std::int32_t n : {3, 6}) {
        Sawtooth(n, 1000);
        printer.Calls.clear();
        PaginaComposicion(printer, Datos(n, 1, 1000), FixedFont());
        const PrintCall* last = nullptr;
        for (const PrintCall& c : printer.Calls)
            if (c.What == Kind::Print && c.Text.startsWith(QStringLiteral("C%1: ").arg(n)))
                last = &c;
        ASSERT_TRUE(last) << n;
        const double line = 24 * last->FontSize;
        EXPECT_LE(last->Y1 + line, 0.945 * kH - 200) << n;
        EXPECT_EQ(last->FontSize, 10) << n;
        EXPECT_EQ(FindText(printer, QStringLiteral("  ms"))->FontSize, 10)
            << "the rest of the page keeps its font";
    }
}

// A zoomed view: its samples over the whole box, the traces clipped at the
// box's edges (a step across the whole box is drawn from edge to edge), no
// time grid, "  ms" on the cursor-2 label row.
TEST_F(CompositionPage, AZoomedViewClipsItsTracesToTheBoxAndHasNoGrid)
{
    Registrar(1, 1000, [](std::int32_t s, std::int32_t) { return s <= 200 ? -1000.0f : 1000.0f; });
    PaginaComposicion(printer, Datos(1, 101, 301, 4), FixedFont());

    const std::vector<PrintCall> traces = printer.OfKind(Kind::Lines);
    ASSERT_EQ(traces.size(), 1u);
    const std::vector<QLineF>& s = traces[0].Segments;
    ASSERT_FALSE(s.empty());
    for (const QLineF& l : s) {
        EXPECT_GE(std::min(l.y1(), l.y2()), kBoxTop - 1e-6);
        EXPECT_LE(std::max(l.y1(), l.y2()), kBoxBottom + 1e-6);
    }
    const double xStep = (kBoxRight - kBoxLeft) / 200;
    bool across = false;
    for (const QLineF& l : s)
        across = across || (std::fabs(std::min(l.y1(), l.y2()) - kBoxTop) < 1e-6 &&
                            std::fabs(std::max(l.y1(), l.y2()) - kBoxBottom) < 1e-6 &&
                            std::fabs(l.x1() - (kBoxLeft + 99.5 * xStep)) < xStep);
    EXPECT_TRUE(across) << "the step from -1000 to 1000 crosses the whole box";

    EXPECT_TRUE(TimeTicks().empty());
    const PrintCall* ms = FindText(printer, QStringLiteral("  ms"));
    ASSERT_TRUE(ms);
    EXPECT_DOUBLE_EQ(ms->Y1, kBoxBottom + 300 + 240) << "below cursor 2's label, at the view's end";
    // Both extremes lie outside the box at this zoom: no markers.
    EXPECT_TRUE(
        LinesWhere(printer, [](const PrintCall& l) { return l.DrawStyle == 2 && l.Y1 == l.Y2; }).empty());
}

// A channel that sits at 0 has its minimum 0 at almost every sample: one
// marker, not one per sample; an extreme outside the range is not marked.
TEST_F(CompositionPage, EachExtremeIsMarkedOnceWhereTheRangeReachesIt)
{
    Registrar(1, 1000,
              [](std::int32_t s, std::int32_t) { return s == 300 || s == 500 || s == 700 ? 50.0f : 0.0f; });
    struct Case {
        std::int32_t Primera, Ultima;
        int Markers;
    };
    for (const Case c : {Case{1, 1000, 2}, Case{100, 250, 1}}) {
        printer.Calls.clear();
        PaginaComposicion(printer, Datos(1, c.Primera, c.Ultima), FixedFont());
        EXPECT_EQ(
            LinesWhere(printer, [](const PrintCall& l) { return l.DrawStyle == 2 && l.Y1 == l.Y2; }).size(),
            static_cast<std::size_t>(c.Markers))
            << c.Primera;
        EXPECT_EQ(CountText(printer, QStringLiteral("0.000 U1")), 1) << c.Primera;
        EXPECT_EQ(CountText(printer, QStringLiteral("50.000 U1")), c.Markers - 1) << c.Primera;
    }
}

TEST_F(CompositionPage, AViewOfOneSampleOrAnEmptiedTableIsAnError)
{
    Sawtooth(2, 100);
    const auto error = [&](const DatosPaginaComposicion& d) {
        try {
            PaginaComposicion(printer, d, FixedFont());
        } catch (const VbError& e) {
            return e.Number;
        }
        return 0;
    };
    EXPECT_EQ(error(Datos(1, 50, 50)), vberr::DivisionByZero);
    DatosPaginaComposicion sinAltura = Datos(1, 1, 100);
    sinAltura.AltoPicture = 0;
    EXPECT_EQ(error(sinAltura), vberr::DivisionByZero);
    Registro().TablaCanales = Matrix<QString>();
    printer.Calls.clear();
    EXPECT_EQ(error(Datos(1, 1, 100)), vberr::SubscriptOutOfRange);
    EXPECT_TRUE(printer.Calls.empty()) << "nothing drawn before the table is read";
}

// ---- every text legible ----

// One to six channels of a sample-sized record, or two of 10^7 samples at
// 1 kHz; channel 2 all zero or not; cursor 2 on the last sample or not;
// measured in the fixed window font or in the printer's own. Long names
// and units make the legend as wide as it gets.
TEST_F(CompositionPage, EveryTextStandsClear)
{
    struct Case {
        std::int32_t Channels;
        std::int32_t Samples;
        bool Zeros;
        bool LastCursor;
        bool PrinterMeasure;
        bool Zoomed{false}; // samples 400..600, cursor 2 on the last
    };
    const Case cases[] = {{1, 2000, false, false, false},      {6, 2000, false, true, false},
                          {6, 2000, true, false, true},        {3, 2000, true, true, false},
                          {2, 10000000, false, true, false},   {2, 10000000, true, false, true},
                          {6, 2000, false, true, false, true}, {2, 2000, true, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Channels) + " channels, " + std::to_string(c.Samples) + " samples" +
                     (c.Zeros ? ", zeros" : "") + (c.LastCursor ? ", cursor 2 at the end" : "") +
                     (c.PrinterMeasure ? ", printer font" : "") + (c.Zoomed ? ", zoomed" : ""));
        printer.Calls.clear();
        const bool zeros = c.Zeros;
        Registrar(c.Channels, c.Samples, [zeros](std::int32_t s, std::int32_t ch) {
            return zeros && ch == 2 ? 0.0f : static_cast<float>(ch * 9.9 * (s % 20 - 10));
        });
        RecordModel& r = Registro();
        r.RutaDat = QStringLiteral("/registros/falta.dat");
        for (std::int32_t ch = 1; ch <= c.Channels; ++ch) {
            r.TablaCanales(ch, 2) = QStringLiteral("LINEA_%1_FASE").arg(ch);
            r.TablaCanales(ch, 4) = QStringLiteral("kV");
        }
        DatosPaginaComposicion d = c.Zoomed ? Datos(c.Channels, 400, 600) : Datos(c.Channels, 1, c.Samples);
        d.Cursor1 = c.Zoomed ? 450 : 7;
        d.Cursor2 = c.Zoomed ? 600 : (c.LastCursor ? c.Samples : 1000);
        PaginaComposicion(printer, d, c.PrinterMeasure ? PrinterFont() : FixedFont());
        ExpectLegibleTracePage(printer, c.Samples >= 10000000);
    }
}

// With channel names short, 36 characters long or 64 with a shared prefix,
// the page of one, three and six channels keeps every text legible and
// clear of every line (the legend strokes whole, after their names), and
// on paper every value with its unit whole: each channel's maximum and
// minimum in the legend and at its marker, and its value at both cursors.
TEST_F(CompositionPage, EveryValueIsWholeWithNamesOfEveryLength)
{
    for (const int largo : kNameLengths) {
        for (const std::int32_t canales : {1, 3, 6}) {
            SCOPED_TRACE(std::to_string(largo) + " characters, " + std::to_string(canales) + " channels");
            Sawtooth(canales, 1000);
            RecordModel& r = Registro();
            for (std::int32_t c = 1; c <= canales; ++c)
                r.TablaCanales(c, 2) = NameOfLength(largo, c);
            DatosPaginaComposicion d = Datos(canales, 1, 1000);
            d.EscalaVertical = 20; // the extremes spread over the box
            d.Cursor1 = 5;
            d.Cursor2 = 12;
            printer.Calls.clear();
            PaginaComposicion(printer, d, FixedFont());
            ExpectLegibleTracePage(printer, false);
            EXPECT_LE(FontSizes(printer).size(), 2u) << "one size per kind of text";
            const auto trazos = LinesWhere(printer, [](const PrintCall& l) {
                return l.DrawStyle == 0 && l.Color != 0 && l.Y1 == l.Y2 && l.X2 < kBoxLeft;
            });
            ASSERT_EQ(trazos.size(), static_cast<std::size_t>(canales));
            for (const PrintCall& t : trazos)
                EXPECT_NEAR(t.X2 - t.X1, 500, 0.01) << "a legend stroke as long as ever";

            QStringList valores{d.TextoTiempo};
            for (std::int32_t c = 1; c <= canales; ++c) {
                const QString u = QStringLiteral("U%1").arg(c);
                // The markers' values are read in the legend where the
                // column takes their rows.
                valores << QStringLiteral(" max: %1").arg(9 * c) + u
                        << QStringLiteral(" min: %1").arg(-10 * c) + u;
                for (const std::int32_t muestra : {d.Cursor1, d.Cursor2})
                    valores << QStringLiteral(": ") + Format(r.Valores(muestra, c), "0.000") + u;
            }
            const QString papel =
                TextOnPaper([&](Printer& p, const MedidaTexto& m) { PaginaComposicion(p, d, m); });
            for (const std::string& f : NotWhole(papel, valores))
                ADD_FAILURE() << f;
        }
    }
}

// Six channels under a substation's names (57-64 characters told apart by
// quantity and phase), their captions second names: the legend's names
// (each on its lines, by its stroke) and the read-outs' names read as their
// own channels and none of the others, in either font, and on paper each
// channel's quantity and phase print whole, and every value.
TEST_F(CompositionPage, SubstationNamesReadApartInTheLegendAndTheReadOuts)
{
    Sawtooth(6, 1000);
    RecordModel& r = Registro();
    const QStringList circuitos = NombresSubestacion::Circuitos();
    QStringList nombres;
    for (std::int32_t c = 1; c <= 6; ++c) {
        r.TablaCanales(c, 2) = NombresSubestacion::Analogicos()[c - 1];
        r.TablaCanales(c, 3) = circuitos[c - 1];
        nombres << circuitos[c - 1];
    }
    DatosPaginaComposicion d = Datos(6, 1, 1000);
    d.EscalaVertical = 20;
    d.Cursor1 = 5;
    d.Cursor2 = 12;
    for (const MedidaTexto& m : {FixedFont(), PrinterFont()}) {
        SCOPED_TRACE(m.Puntos > 0 ? "printer font" : "window font");
        printer.Calls.clear();
        PaginaComposicion(printer, d, m);
        ExpectLegibleTracePage(printer, false);
        // In colour, the strokes are the column's solid lines in a pen.
        const auto [leyenda, lecturas] = NombresImpresos([](const PrintCall& c) {
            return c.DrawStyle == 0 && c.Color != 0 && c.Y1 == c.Y2 && c.X2 < kBoxLeft;
        });
        EXPECT_TRUE(SeLeenAparte(leyenda, nombres)) << leyenda.join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(SeLeenAparte(lecturas, nombres + nombres))
            << lecturas.join(QStringLiteral(" | ")).toStdString();
    }
    const QString papel = TextOnPaper([&](Printer& p, const MedidaTexto& m) { PaginaComposicion(p, d, m); });
    QStringList enteros{d.TextoTiempo};
    for (std::int32_t c = 1; c <= 6; ++c) {
        enteros << nombres[c - 1].mid(nombres[c - 1].lastIndexOf(QChar(0x2013)) + 2);
        for (const std::int32_t muestra : {d.Cursor1, d.Cursor2})
            enteros << QStringLiteral(": ") + Format(r.Valores(muestra, c), "0.000") +
                           QStringLiteral("U%1").arg(c);
    }
    for (const std::string& f : NotWhole(papel, enteros))
        ADD_FAILURE() << f << " in " << papel.toStdString();
}

// Channels that share one circuit text, their names and units padded with
// blanks: the legend's names and the read-outs read as their own channels
// (the circuit and the trimmed name), in colour and in black; no padding
// stands between a name and its extremes or values ("…  max: 2.255946A"),
// and on paper each channel's name and values print whole.
TEST_F(CompositionPage, ChannelsOfOneCircuitWithPaddedNamesReadAsTheirOwn)
{
    const QRegularExpression relleno(QStringLiteral("\\s{2,}(max |min )?:|:.*\\S\\s+$"));
    for (const std::int32_t canales : {3, 6}) {
        Sawtooth(canales, 1000);
        FilasDeUnCircuito::Llenar(canales, canales);
        const RecordModel& r = Registro();
        QStringList nombres;
        for (std::int32_t c = 1; c <= canales; ++c) {
            nombres << NombreCanal(c);
            EXPECT_TRUE(nombres.back().endsWith(FilasDeUnCircuito::Nombres()[c - 1])) << c;
        }
        EXPECT_TRUE(TodosDistintos(nombres));
        DatosPaginaComposicion d = Datos(canales, 1, 1000);
        d.EscalaVertical = 20;
        d.Cursor1 = 5;
        d.Cursor2 = 12;
        for (const int mode : {2, 1}) {
            SCOPED_TRACE(std::to_string(canales) + " channels, colour mode " + std::to_string(mode));
            printer.SetColorMode(mode);
            printer.Calls.clear();
            PaginaComposicion(printer, d, FixedFont());
            for (const PrintCall& c : printer.OfKind(Kind::Print)) {
                if (!c.Text.startsWith(QStringLiteral("Cursor"))) {
                    EXPECT_FALSE(relleno.match(c.Text).hasMatch()) << '"' << c.Text.toStdString() << '"';
                }
            }
            // Black or in colour, the strokes are the column's solid lines of
            // the legend's length (its names are short).
            const auto [leyenda, lecturas] = NombresImpresos([](const PrintCall& c) {
                return c.DrawStyle == 0 && c.Y1 == c.Y2 && c.X2 < kBoxLeft && c.X2 - c.X1 == 500;
            });
            EXPECT_TRUE(SeLeenAparte(leyenda, nombres)) << leyenda.join(QStringLiteral(" | ")).toStdString();
            EXPECT_TRUE(SeLeenAparte(lecturas, nombres + nombres))
                << lecturas.join(QStringLiteral(" | ")).toStdString();
        }
        printer.SetColorMode(2);
        const QString papel =
            TextOnPaper([&](Printer& p, const MedidaTexto& m) { PaginaComposicion(p, d, m); });
        QStringList enteros;
        for (std::int32_t c = 1; c <= canales; ++c) {
            const QString u = FilasDeUnCircuito::Unidades()[c - 1];
            enteros << FilasDeUnCircuito::Nombres()[c - 1].mid(5) << QStringLiteral(" max: %1").arg(9 * c) + u
                    << QStringLiteral(" min: %1").arg(-10 * c) + u;
            for (const std::int32_t muestra : {d.Cursor1, d.Cursor2})
                enteros << QStringLiteral(": ") + Format(r.Valores(muestra, c), "0.000") + u;
        }
        for (const std::string& f : NotWhole(papel, enteros))
            ADD_FAILURE() << canales << " channels: " << f << " in " << papel.toStdString();
    }
}

// On paper, in colour and in black: a composition of three or six of a
// record's line-1 channels, in a record whose line-2 channels differ from
// them only by that digit. Every value the legend and the read-outs print
// is tied to one channel of the record (its cut never drops "LÍNEA 1"
// where it would then read as a line-2 channel's), no extreme's value
// stands among them, and each legend name keeps its two lines.
TEST_F(CompositionPage, OnPaperEveryValueIsTiedToOneOfTheRecordsChannels)
{
    Sawtooth(12, 1000);
    RecordModel& r = Registro();
    const QStringList linea2 = NombresSubestacion::Analogicos();
    for (std::int32_t c = 1; c <= 6; ++c) {
        r.TablaCanales(c, 2) =
            QString(linea2[c - 1]).replace(QString::fromUtf8("LÍNEA 2"), QString::fromUtf8("LÍNEA 1"));
        r.TablaCanales(c + 6, 2) = linea2[c - 1];
    }
    const QStringList rotulos = RotulosAnalogicos();
    for (const std::int32_t n : {3, 6}) {
        DatosPaginaComposicion d = Datos(n, 1, 1000);
        d.EscalaVertical = 20; // the extremes spread over the box
        d.Cursor1 = 5;
        d.Cursor2 = 12;
        for (const int mode : {2, 1}) {
            SCOPED_TRACE(std::to_string(n) + " channels" + (mode == 2 ? ", colour" : ", black"));
            const PaperPage paper =
                OnPaper([&](Printer& p, const MedidaTexto& m) { PaginaComposicion(p, d, m); }, mode);
            const double margen = paper.X(0.15 * paper.W);
            for (const std::string& f : UntiedValues(paper.Lines, margen, rotulos))
                ADD_FAILURE() << f;
            // The legend's names: the lines above the first read-out that
            // carry no value, the title's aside.
            int lineas = 0;
            for (const PaperLine& l : paper.Lines) {
                if (l.Box.right() >= margen)
                    continue;
                if (l.Text.startsWith(QStringLiteral("Cursor")))
                    break;
                lineas += l.Text.contains(QLatin1Char(':')) ? 0 : 1;
            }
            EXPECT_EQ(lineas, 2 * n) << "each name on its two lines";
        }
    }
}

// ---- through the window ----

class CompositionPrint : public CompositionPage
{
protected:
    void SetUp() override
    {
        CompositionPage::SetUp();
        SetPrinterForTests(&printer);
    }
    void TearDown() override
    {
        SetPrinterForTests(nullptr);
        DescargarCancelar();
        CompositionPage::TearDown();
    }
};

// The print button prints the view in force and changes nothing of the
// window; a print before any cursor has moved carries the time read-out as
// the window shows it, even at a rate that gives no time.
TEST_F(CompositionPrint, TheWindowPrintsItsViewAndStaysAsItWas)
{
    Sawtooth(3, 1000);
    Registro().TasasMuestreo = Array<std::int32_t>(1, 0);
    Construir({{1, 1}, {2, 3}});
    frmVerCmpang* v = Ventana(1);
    ASSERT_TRUE(v);
    // The layout the shown frame asks for is done now, as the window's resize
    // timer would do it on screen, not in the event pass of the print below.
    v->Form_Resize();
    EXPECT_TRUE(v->pctimpresora->isVisibleTo(v));
    EXPECT_TRUE(v->pctimpresora->isEnabled());

    ScopedDialogAnswers dialog({false, {}, 2});
    v->pctimpresora_Click();
    EXPECT_EQ(printer.OfKind(Kind::EndDoc).size(), 2u) << "two copies, two jobs";
    EXPECT_EQ(CountText(printer, QStringLiteral("T2640.000 ms")), 2);
    EXPECT_EQ(printer.OfKind(Kind::Lines).size(), 4u) << "the window's two channels, per copy";
    EXPECT_TRUE(FindText(printer, QStringLiteral("C3 max: 27U3")));

    // A zoom level: its range, no grid; the window as it was afterwards.
    const double alto = v->Picture1->Height();
    v->cmdzoom_Click();
    v->Picture1_MouseDown(1, 0, v->Vista().XDeMuestra(200), alto / 4);
    v->Picture1_MouseMove(1, 0, v->Vista().XDeMuestra(400), 3 * alto / 4);
    ScopedMsgBoxRecorder boxes; // the zoom's question
    v->Picture1_MouseUp(1, 0, v->Vista().XDeMuestra(400), 3 * alto / 4);
    ASSERT_FALSE(v->Vista().Completa);
    const composicion::VistaTrazos vista = v->Vista();
    const std::int32_t c1 = v->HScroll1->Value();
    const QImage picture = v->RenderImage();
    printer.Calls.clear();
    dialog.Queue({false, {}, 1});
    v->pctimpresora_Click();
    EXPECT_EQ(printer.OfKind(Kind::EndDoc).size(), 1u);
    EXPECT_TRUE(TimeTicks().empty());
    EXPECT_TRUE(FindText(printer, QStringLiteral("T266") + QString::number(c1)));
    EXPECT_EQ(v->Vista().PrimeraMuestra, vista.PrimeraMuestra);
    EXPECT_EQ(v->Vista().UltimaMuestra, vista.UltimaMuestra);
    EXPECT_EQ(v->Vista().OrigenY, vista.OrigenY);
    EXPECT_EQ(v->HScroll1->Value(), c1);
    EXPECT_EQ(v->RenderImage(), picture);
    EXPECT_TRUE(v->isEnabled());
    EXPECT_EQ(MousePointer(v), vbDefault);
}

// A printer failing half-way: the error box, the job discarded, the cancel
// window gone, the window open, enabled and with its pointer; the next
// print goes through.
TEST_F(CompositionPrint, AnErrorWhilePrintingKeepsTheWindowOpen)
{
    Sawtooth(2, 500);
    Construir({{1, 1}, {2, 2}});
    frmVerCmpang* v = Ventana(1);
    ASSERT_TRUE(v);
    ScopedDialogAnswers dialog({false, {}, 1});
    ScopedMsgBoxRecorder boxes;
    printer.FailNextCall = true;
    v->pctimpresora_Click();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Prompt, QStringLiteral("Error 482: Printer error"));
    EXPECT_EQ(boxes.Last().Style, vbCritical);
    EXPECT_EQ(printer.OfKind(Kind::KillDoc).size(), 1u);
    EXPECT_TRUE(printer.OfKind(Kind::EndDoc).empty());
    EXPECT_FALSE(CancelarCargado());
    EXPECT_EQ(Ventana(1), v);
    EXPECT_TRUE(v->isEnabled());
    EXPECT_EQ(MousePointer(v), vbDefault);

    v->pctimpresora_Click();
    EXPECT_EQ(printer.OfKind(Kind::EndDoc).size(), 1u);
    EXPECT_EQ(boxes.Count(), 1);
}

// ---- on paper ----

TEST_F(CompositionPage, PrintedToPdf)
{
    // Channel 1 a constant 80 % of the picture's half height above zero.
    Registrar(2, 1000, [](std::int32_t s, std::int32_t c) {
        return c == 1 ? 1200.0f : static_cast<float>(-500 + s % 7);
    });
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("composicion.pdf"));
    auto p = QtPrinter::ForPdf(pdf);
    p->SetOrientation(2);
    PaginaComposicion(*p, Datos(2, 1, 1000), FixedFont());
    p->EndDoc();
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(test::PdfText(pdf).contains(QStringLiteral("T64")));
    constexpr int kDpi = 100;
    const QImage img = test::RenderPdfPage(pdf, kDpi);
    ASSERT_FALSE(img.isNull());
    const double w = p->Width();
    const double h = p->Height();
    const QPointF margin = p->Device().pageLayout().paintRect(QPageLayout::Point).topLeft() * 20;
    const auto near = [&](double x, double y, bool (*kind)(QRgb)) {
        return NearPixel(img, (x + margin.x()) * kDpi / 1440.0, (y + margin.y()) * kDpi / 1440.0, 3, kind);
    };
    const double s = 0.75 * h / 3000;
    const double y0 = 1500 * s + 0.05 * w;
    EXPECT_TRUE(near(0.5 * w, y0 - 1200 * s, BluePixel)) << "channel 1 in the first pen";
    EXPECT_TRUE(near(0.5 * w, y0 + 500 * s, GreenPixel)) << "channel 2 in the second";
    EXPECT_FALSE(near(0.5 * w, y0, BluePixel));
}

} // namespace
} // namespace vesdra
