#include "views/waves/impresion_ondas.h"

#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <map>

#include "common/one_circuit.h"
#include "common/printed_page.h"
#include "common/process_state.h"
#include "common/test_support.h"
#include "platform/base/numeric.h"
#include "platform/common_dialog.h"
#include "platform/mouse_pointer.h"
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "platform/printer_qt.h"
#include "platform/printer_recording.h"
#include "platform/scroll_bar.h"
#include "record/helpers.h"
#include "record/tablas_trazo.h"
#include "shell/impresion_piezas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

using Kind = PrintCall::Kind;

using namespace vesdra::test;

// The moment a page is printed at, and its date as the page shows it (the
// test programs' locale is C).
const QDateTime kHoraImpresion(QDate(2026, 12, 11), QTime(3, 21, 53));
const QString kTextoHoraImpresion = QStringLiteral("11 Dec 2026 03:21:53");

class PrintedPage : public test::WavesFixture
{
protected:
    void SetUp() override
    {
        test::WavesFixture::SetUp();
        Registro().RutaDat = QStringLiteral("/registros/falta.dat");
        MaxMinCanales(Registro().Valores); // as the channel-choice dialog does
        printer.SetOrientation(2);
    }

    void Record(std::int32_t n, std::int32_t rate)
    {
        MakeRecord(n, rate);
        MaxMinCanales(Registro().Valores);
    }

    // The waveform page of channel row `fila` over a 6000 x 3000 picture at
    // the level given (the whole record when none).
    DatosPaginaOnda Onda(std::int32_t fila, std::optional<NivelOnda> nivel = std::nullopt)
    {
        const RecordModel& r = Registro();
        const std::int32_t c = CIntText(r.TablaCanales(fila, 1));
        completa = VistaCompleta(6000, 3000, r.NumMuestras(),
                                 EscalaYCanal(3000, r.MinimosCanal(c), r.MaximosCanal(c)));
        DatosPaginaOnda d;
        d.CanalVentana = fila;
        d.AltoPicture = 3000;
        d.Cursor1 = std::min(500, r.NumMuestras());
        d.Cursor2 = std::min(1000, r.NumMuestras());
        d.TextoTiempo = QStringLiteral("500.000 ms");
        d.TextoDiferencia = QStringLiteral("1.000 A");
        d.Nivel = nivel ? *nivel : NivelCompleto(completa);
        d.EscalaY = completa.EscalaY;
        return d;
    }

    // The waveform window of channel row `fila`, the view's only window,
    // loaded and shown.
    static frmVerOndas* WaveformWindow(std::int32_t fila)
    {
        OndasState& st = Ondas();
        st.NumVentanasOndas = 1;
        st.CanalesVisibles.Resize(3);
        st.CanalesVisibles(fila) = 1;
        st.IndiceVentana = fila;
        auto* f = new frmVerOndas();
        f->Form_activo(4700, 6000, 0, 0);
        return f;
    }

    // Short solid ticks hanging below the box at the time labels' depth.
    [[nodiscard]] int TimeTicks(double depth) const
    {
        return static_cast<int>(test::TimeTicks(printer, depth).size());
    }

    // Eight channel rows over the fixture's three columns in turn (IA's, VA's,
    // DC's), with these names, in A, kV and V in turn unless units are given.
    static void EightRows(const std::array<const char*, 8>& names,
                          const std::array<const char*, 8>& units = {"A", "kV", "V", "A", "kV", "V", "A",
                                                                     "kV"})
    {
        RecordModel& r = Registro();
        r.TablaCanales = Matrix<QString>(8, 4);
        for (int k = 1; k <= 8; ++k) {
            r.TablaCanales(k, 1) = QString::number((k - 1) % 3 + 1);
            r.TablaCanales(k, 2) = QString::fromLatin1(names[static_cast<std::size_t>(k - 1)]);
            r.TablaCanales(k, 4) = QString::fromLatin1(units[static_cast<std::size_t>(k - 1)]);
        }
    }

    RecordingPrinter printer;
    VistaOnda completa;
};

// ---- the waveform page ----

TEST_F(PrintedPage, WaveformPageOfTheWholeRecord)
{
    const test::ScopedClock reloj(kHoraImpresion);
    const DatosPaginaOnda d = Onda(1); // IA, 100 A sine
    ASSERT_FALSE(PaginaOnda(printer, d, FixedFont()));

    // The left column, the title and the file line, in order and in place.
    // The printer's font is wider than the window's here: the two captions
    // too long for the column go on two lines, broken between words and
    // whole, the column keeping the page's size.
    const std::vector<QString> texts = printer.Texts();
    const std::vector<QString> column = {TextosIdioma(74),
                                         QStringLiteral("IA"),
                                         QStringLiteral(" Cursor 1: "),
                                         TextosIdioma(266) + QStringLiteral(" 500"),
                                         QStringLiteral("IA: "),
                                         Format(Registro().Valores(500, 1), "0.000") + QStringLiteral(" A"),
                                         QStringLiteral("Cursor 2 : "),
                                         TextosIdioma(266) + QStringLiteral(" 1000"),
                                         QStringLiteral("IA: "),
                                         Format(Registro().Valores(1000, 1), "0.000") + QStringLiteral(" A"),
                                         QStringLiteral("Tiempo entre"),
                                         QStringLiteral("cursores:"),
                                         QStringLiteral("500.000 ms"),
                                         QStringLiteral("Diferencia entre"),
                                         QStringLiteral("cursores:"),
                                         QStringLiteral("1.000 A"),
                                         TextosIdioma(60).toUpper(),
                                         TextosIdioma(265) + QStringLiteral("/registros/falta.dat")};
    ASSERT_GE(texts.size(), column.size());
    EXPECT_EQ(std::vector<QString>(texts.begin(), texts.begin() + column.size()), column);
    const std::vector<PrintCall> prints = printer.OfKind(Kind::Print);
    EXPECT_DOUBLE_EQ(prints[0].X1, kFrameLeft + 100);
    EXPECT_DOUBLE_EQ(prints[0].Y1, kBoxTop);
    EXPECT_DOUBLE_EQ(prints[1].X1, kFrameLeft + 200);
    EXPECT_DOUBLE_EQ(prints[1].Y1, kBoxTop + 240 + 200);
    EXPECT_DOUBLE_EQ(prints[2].Y1, prints[1].Y1 + 240 + 200 + 200) << "a blank line before cursor 1";
    EXPECT_DOUBLE_EQ(prints[11].X1, prints[10].X1) << "a caption's second line under its first";
    EXPECT_DOUBLE_EQ(prints[11].Y1, prints[10].Y1 + 240);
    EXPECT_DOUBLE_EQ(prints[12].Y1, prints[11].Y1 + 240 + 200) << "its value a blank below it";
    EXPECT_DOUBLE_EQ(prints[16].X1, kBoxLeft);
    EXPECT_DOUBLE_EQ(prints[16].Y1, kFrameTop + 200);
    EXPECT_DOUBLE_EQ(prints[17].Y1, kFrameTop + 200 + 240);

    // Page frame, then box, as four black solid lines each.
    const std::vector<PrintCall> lines = printer.OfKind(Kind::Line);
    ASSERT_GE(lines.size(), 8u);
    const double frame[4][4] = {{kFrameLeft, kFrameTop, kFrameRight, kFrameTop},
                                {kFrameRight, kFrameTop, kFrameRight, kFrameBottom},
                                {kFrameRight, kFrameBottom, kFrameLeft, kFrameBottom},
                                {kFrameLeft, kFrameBottom, kFrameLeft, kFrameTop}};
    const double box[4][4] = {{kBoxLeft, kBoxTop, kBoxRight, kBoxTop},
                              {kBoxRight, kBoxTop, kBoxRight, kBoxBottom},
                              {kBoxRight, kBoxBottom, kBoxLeft, kBoxBottom},
                              {kBoxLeft, kBoxBottom, kBoxLeft, kBoxTop}};
    for (int i = 0; i < 8; ++i) {
        const double* e = i < 4 ? frame[i] : box[i - 4];
        EXPECT_DOUBLE_EQ(lines[i].X1, e[0]) << i;
        EXPECT_DOUBLE_EQ(lines[i].Y1, e[1]) << i;
        EXPECT_DOUBLE_EQ(lines[i].X2, e[2]) << i;
        EXPECT_DOUBLE_EQ(lines[i].Y2, e[3]) << i;
        EXPECT_EQ(lines[i].Color, 0u);
        EXPECT_EQ(lines[i].DrawStyle, 0);
        EXPECT_EQ(lines[i].DrawWidth, 1);
    }

    // Zero line at the picture's zero scaled onto 3/4 of the page height.
    // Its label would end one blank left of the box, but the column of
    // read-outs reaches down to its row: it stands right of the box, where
    // it cannot be read as a read-out.
    const double k = 0.75 * kH / 3000;
    const double y0 = k * 1500 + kBoxTop;
    EXPECT_DOUBLE_EQ(lines[8].Y1, y0);
    EXPECT_DOUBLE_EQ(lines[8].X1, kBoxLeft);
    EXPECT_DOUBLE_EQ(lines[8].X2, kBoxRight);
    ASSERT_GT(FindText(printer, QStringLiteral("1.000 A"))->Y1, y0);
    const PrintCall* zero = FindText(printer, QStringLiteral("0"));
    ASSERT_TRUE(zero);
    EXPECT_DOUBLE_EQ(zero->X1, kBoxRight + 100);
    EXPECT_DOUBLE_EQ(zero->Y1, y0);

    // Cursors: dashed line across the box, a tick and the label below it.
    const double sx = (kBoxRight - kBoxLeft) / 1999;
    const double xc1 = (500 - 1) * sx + kBoxLeft;
    const double xc2 = (1000 - 1) * sx + kBoxLeft;
    EXPECT_DOUBLE_EQ(lines[9].X1, xc1);
    EXPECT_DOUBLE_EQ(lines[9].Y1, kBoxTop);
    EXPECT_DOUBLE_EQ(lines[9].Y2, kBoxBottom);
    EXPECT_EQ(lines[9].Color, kYellow);
    EXPECT_EQ(lines[9].DrawStyle, 1);
    EXPECT_EQ(lines[9].DrawWidth, 2);
    EXPECT_DOUBLE_EQ(lines[10].Y2, kBoxBottom + 400);
    EXPECT_EQ(lines[10].DrawWidth, 3);
    EXPECT_EQ(lines[10].DrawStyle, 0);
    const PrintCall* c1 = FindText(printer, QStringLiteral("Cursor 1"));
    ASSERT_TRUE(c1);
    EXPECT_DOUBLE_EQ(c1->X1, xc1);
    EXPECT_DOUBLE_EQ(c1->Y1, kBoxBottom + 500);
    EXPECT_EQ(c1->Color, kYellow);
    EXPECT_DOUBLE_EQ(lines[11].X1, xc2);
    EXPECT_EQ(lines[11].Color, kCyan);
    EXPECT_DOUBLE_EQ(lines[12].Y2, kBoxBottom + 300);
    // Cursor 2's label (its tick 300 long) stands under the time labels'
    // row (100 below the box, a printer line of 240 high).
    const PrintCall* c2 = FindText(printer, QStringLiteral("Cursor 2"));
    ASSERT_TRUE(c2);
    EXPECT_DOUBLE_EQ(c2->Y1, kBoxBottom + 100 + 240);

    // Extremes: +-100 A marked once each, dotted, blue, labelled left of the
    // box; the maximum's rows are the read-outs' (the column reaches from the
    // box's top below the zero), so its value is read in the column, under
    // the read-outs.
    const double ey = d.EscalaY;
    for (const auto& [label, value] :
         {std::pair{QStringLiteral("100.000 A"), 100.0}, std::pair{QStringLiteral("-100.000 A"), -100.0}}) {
        const double y = y0 - value * ey * k;
        const auto markers = LinesWhere(printer, [&](const PrintCall& c) { return c.Y1 == y && c.Y2 == y; });
        ASSERT_EQ(markers.size(), 1u) << label.toStdString();
        EXPECT_DOUBLE_EQ(markers[0].X1, kBoxLeft - 100);
        EXPECT_EQ(markers[0].DrawStyle, 2);
        EXPECT_EQ(markers[0].Color, kBlue);
        if (value > 0) {
            EXPECT_EQ(CountText(printer, label), 0);
            const PrintCall* t = FindText(printer, QStringLiteral("max: ") + label);
            ASSERT_TRUE(t);
            EXPECT_DOUBLE_EQ(t->X1, kFrameLeft + 200);
            EXPECT_GT(t->Y1, FindText(printer, QStringLiteral("1.000 A"))->Y1) << "under the read-outs";
            continue;
        }
        ASSERT_EQ(CountText(printer, label), 1);
        // Two blanks short of the box by the window's measure, or where the
        // printer's wider font would carry it onto the box's line or its
        // dotted line, half a blank of its own short of that; within two
        // lines of its own, on a row where no text of the column stands left
        // of it (it would be read as that read-out's value).
        const PrintCall* t = FindText(printer, label);
        const double right = t->X1 + 120 * label.size();
        EXPECT_TRUE(t->X1 == kBoxLeft - 100 * (label.size() + 2) ||
                    std::abs(right - (kBoxLeft - 60)) < 0.01 ||
                    std::abs(right - (kBoxLeft - 100 - 60)) < 0.01)
            << t->X1;
        EXPECT_LE(std::abs(t->Y1 - y), 2 * 240 + 0.01);
        for (const PrintCall& o : printer.OfKind(Kind::Print))
            EXPECT_FALSE(o.X1 < t->X1 && o.Y1 < t->Y1 + 240 && t->Y1 < o.Y1 + 240)
                << label.toStdString() << " beside " << o.Text.toStdString();
        EXPECT_EQ(t->Color, kBlue);
    }

    // The trace: blue, 3 wide, within the box.
    const std::vector<PrintCall> trace = printer.OfKind(Kind::Lines);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].Color, kBlue);
    EXPECT_EQ(trace[0].DrawWidth, 3);
    for (const QLineF& s : trace[0].Segments) {
        ASSERT_GE(std::min(s.x1(), s.x2()), kBoxLeft - 3);
        ASSERT_LE(std::max(s.x1(), s.x2()), kBoxRight + 3);
    }

    // Value grid: seven dotted lines each way from the zero line, labelled
    // with multiples of the step the last extreme (the minimum) gives.
    const double step = (kBoxBottom - kBoxTop) / 16;
    const double v = 100.0 / ((y0 + 100 * ey * k - y0) / step);
    // A value whose place a read-out or an extreme takes is left out, and
    // one whose row holds a text of the left column (whose value it would
    // be read as): here the column reaches below the zero line, and the
    // values printed are the lower ones (the printer's font is wider than
    // the window's here: the negative values would reach into the box and
    // stand 120 further left).
    int values = 0;
    for (int j = 1; j <= 7; ++j) {
        const QString g = Format(j * v, "#.##") + QStringLiteral(" A");
        EXPECT_LE(CountText(printer, g), 1) << g.toStdString();
        EXPECT_LE(CountText(printer, QStringLiteral("-") + g), 1) << g.toStdString();
        for (const int sentido : {-1, 1}) {
            const QString t = sentido < 0 ? g : QStringLiteral("-") + g;
            if (const PrintCall* c = FindText(printer, t)) {
                ++values;
                EXPECT_DOUBLE_EQ(c->Y1, y0 + sentido * std::nearbyint(j * step));
                EXPECT_DOUBLE_EQ(c->X1, kBoxLeft - 100 * (g.size() + 2) - (sentido < 0 ? 0 : 120));
                for (const PrintCall& o : printer.OfKind(Kind::Print))
                    EXPECT_FALSE(o.X1 < c->X1 && o.Y1 < c->Y1 + 240 && c->Y1 < o.Y1 + 240)
                        << t.toStdString() << " beside " << o.Text.toStdString();
            }
        }
        const auto line = LinesWhere(printer, [&](const PrintCall& c) {
            return c.DrawStyle == 2 && c.Y1 == c.Y2 && c.Y1 == y0 - std::nearbyint(j * step) &&
                   c.X1 == kBoxLeft;
        });
        EXPECT_EQ(line.size(), 1u) << j;
    }
    // The values printed stand below the column (its last line, the
    // maximum's, and a line more): none among the read-outs.
    EXPECT_GE(values, 2);
    const double pie = FindText(printer, QStringLiteral("max: 100.000 A"))->Y1 + 2 * 240;
    for (const PrintCall& c : printer.OfKind(Kind::Print))
        if (c.Text.endsWith(QStringLiteral(" A")) && c.X1 > kFrameLeft + 200 && c.X1 < kBoxLeft) {
            EXPECT_GE(c.Y1 + 0.01, pie) << c.Text.toStdString();
        }
    ExpectLegibleTracePage(printer, false);

    // Time scale: 40 ticks of 50 ms, too close for labels but "100" on the second.
    EXPECT_EQ(TimeTicks(100), 40);
    const PrintCall* hundred = FindText(printer, QStringLiteral("100"));
    ASSERT_TRUE(hundred);
    const double x2 = std::nearbyint(std::nearbyint(kBoxLeft) + 2 * 50 * sx);
    EXPECT_DOUBLE_EQ(hundred->X1, x2 - 200);
    EXPECT_DOUBLE_EQ(hundred->Y1, kBoxBottom + 100);
    EXPECT_FALSE(FindText(printer, QStringLiteral(" 150 ")));

    const PrintCall* ms = FindText(printer, QStringLiteral("  ms"));
    ASSERT_TRUE(ms);
    EXPECT_DOUBLE_EQ(ms->X1, kBoxRight - 500);
    EXPECT_DOUBLE_EQ(ms->Y1, kBoxBottom + 100);
    const PrintCall& date = prints.back();
    EXPECT_EQ(date.Text, kTextoHoraImpresion);
    // Placed by the printer's font, the wider here: it ends half a blank
    // short of the frame's lines.
    EXPECT_DOUBLE_EQ(date.X1, kFrameRight - 120 * date.Text.size() - 50);
    EXPECT_DOUBLE_EQ(date.Y1, kFrameBottom - 240 - 50);
    for (const PrintCall& c : printer.OfKind(Kind::Print)) {
        if (c.Text != QStringLiteral("Cursor 1") && c.Text != QStringLiteral("Cursor 2") &&
            !c.Text.endsWith(QStringLiteral("00.000 A"))) {
            EXPECT_EQ(c.Color, 0u) << c.Text.toStdString();
        }
    }
}

TEST_F(PrintedPage, TimeLabelsWhereTicksAreFarEnoughApart)
{
    Record(200, 1000); // 4 ticks, each over 5 columns apart
    DatosPaginaOnda d = Onda(1);
    d.Cursor1 = 10; // clear of the labels (a cursor's tick through one leaves it out)
    d.Cursor2 = 30;
    ASSERT_FALSE(PaginaOnda(printer, d, FixedFont()));
    std::vector<QString> labels;
    for (const QString& t : printer.Texts())
        if (t == QStringLiteral(" 50 ") || t == QStringLiteral("100") || t == QStringLiteral(" 150 ") ||
            t == QStringLiteral(" 200 "))
            labels.push_back(t);
    EXPECT_EQ(labels, (std::vector<QString>{" 50 ", "100", " 150 ", " 200 "}));
    // Four dotted lines between ticks at each fifth of 50 ms.
    const auto dotted = LinesWhere(printer, [](const PrintCall& c) {
        return c.DrawStyle == 2 && c.X1 == c.X2 && c.Y1 == kBoxTop && c.Y2 == kBoxBottom;
    });
    EXPECT_EQ(dotted.size(), 4u + 4u * 4u);

    // A cursor on the 150 ms tick: its tick would run through that label,
    // which is left out; the others stay.
    d.Cursor2 = 151;
    printer.Calls.clear();
    ASSERT_FALSE(PaginaOnda(printer, d, FixedFont()));
    EXPECT_FALSE(FindText(printer, QStringLiteral(" 150 ")));
    EXPECT_TRUE(FindText(printer, QStringLiteral(" 200 ")));
    ExpectLegibleTracePage(printer, false);
}

TEST_F(PrintedPage, AZoomedLevelPrintsItsRangeClippedToTheBoxWithoutGridOrTimeScale)
{
    Onda(1);
    HistorialOnda h;
    h.Reset(NivelCompleto(completa));
    // Samples 401..601, four times as high: the sine leaves the box.
    const auto z =
        ZoomRectangulo(completa, h, completa.XDeMuestra(401), 1125, completa.XDeMuestra(601), 1875, 2000);
    ASSERT_TRUE(z.Vista);
    DatosPaginaOnda d = Onda(1, h.Current());
    d.Cursor1 = 1; // outside the range: its line still drawn, left of the box
    ASSERT_FALSE(PaginaOnda(printer, d, FixedFont()));

    const double sx = (kBoxRight - kBoxLeft) / 200;
    const auto cursor =
        LinesWhere(printer, [](const PrintCall& c) { return c.Color == kYellow && c.DrawStyle == 1; });
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_DOUBLE_EQ(cursor[0].X1, (1 - 401) * sx + kBoxLeft);

    const std::vector<PrintCall> trace = printer.OfKind(Kind::Lines);
    ASSERT_EQ(trace.size(), 1u);
    bool touchesTop = false;
    for (const QLineF& s : trace[0].Segments) {
        ASSERT_GE(std::min(s.y1(), s.y2()), kBoxTop);
        ASSERT_LE(std::max(s.y1(), s.y2()), kBoxBottom);
        touchesTop = touchesTop || s.y1() == kBoxTop || s.y2() == kBoxTop;
    }
    EXPECT_TRUE(touchesTop) << "segments leaving the box are cut at its edge";

    EXPECT_EQ(TimeTicks(100), 0);
    EXPECT_FALSE(FindText(printer, QStringLiteral("100")));
    EXPECT_TRUE(LinesWhere(printer, [](const PrintCall& c) { return c.DrawStyle == 2; }).empty())
        << "no grid, and the extremes lie outside the box";
    // Cursor 2 (sample 1000) lies past the sheet: its label is drawn back
    // inside the frame, on the unit's row, so "  ms" goes a line lower.
    const PrintCall* c2 = FindText(printer, QStringLiteral("Cursor 2"));
    ASSERT_TRUE(c2);
    EXPECT_DOUBLE_EQ(c2->Y1, kBoxBottom + 300);
    EXPECT_DOUBLE_EQ(c2->X1, kFrameRight - 60 - 8 * 120) << "half a blank off the frame's line";
    const PrintCall* ms = FindText(printer, QStringLiteral("  ms"));
    ASSERT_TRUE(ms);
    EXPECT_DOUBLE_EQ(ms->Y1, kBoxBottom + 300 + 240);
}

TEST_F(PrintedPage, AnEmptyRangeRefusesThePageWithText80)
{
    NivelOnda vacio = NivelCompleto(VistaCompleta(6000, 3000, 2000, 1.0));
    vacio.RectX2 = vacio.RectX1;
    const auto r = PaginaOnda(printer, Onda(1, vacio), FixedFont());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Texto, 80);
    EXPECT_EQ(r->Estilo, vbOKOnly);
}

TEST_F(PrintedPage, AMonochromePrinterPrintsEverythingBlackWithTheSameWidths)
{
    printer.SetColorMode(1);
    ASSERT_FALSE(PaginaOnda(printer, Onda(1), FixedFont()));
    for (const PrintCall& c : printer.Calls)
        EXPECT_EQ(c.Color, 0u) << static_cast<int>(c.What) << " " << c.Text.toStdString();
    EXPECT_EQ(printer.OfKind(Kind::Lines)[0].DrawWidth, 3);
}

// Each extreme is marked once however many samples reach it: a constant
// channel gets one marker, a channel at 0 one for each extreme (and no grid).
TEST_F(PrintedPage, EachExtremeIsMarkedOnce)
{
    ASSERT_FALSE(PaginaOnda(printer, Onda(2), FixedFont())); // VA: 50 kV throughout
    // Its value by the plot, or (its rows taken by the read-outs) in the
    // column under them.
    EXPECT_EQ(CountText(printer, QStringLiteral("50.000 kV"), kBlue) +
                  CountText(printer, QStringLiteral("max: 50.000 kV")),
              1)
        << "the read-outs aside";
    EXPECT_EQ(LinesWhere(printer,
                         [](const PrintCall& c) {
                             return c.DrawStyle == 2 && c.Y1 == c.Y2 && c.X2 == kBoxRight &&
                                    c.X1 == kBoxLeft - 100;
                         })
                  .size(),
              1u);

    RecordModel& r = Registro();
    for (std::int32_t s = 1; s <= r.NumMuestras(); ++s)
        r.Valores(s, 3) = 0.0f;
    MaxMinCanales(r.Valores);
    printer.Calls.clear();
    ASSERT_FALSE(PaginaOnda(printer, Onda(3), FixedFont()));
    // Both markers' values would stand where the zero's "0 V" stands: they
    // give way to it (and to the read-outs beside it).
    EXPECT_LE(CountText(printer, QStringLiteral("0.000 V"), kBlue), 1);
    EXPECT_EQ(CountText(printer, QStringLiteral("0 V")) + CountText(printer, QStringLiteral("0")), 1);
    ExpectLegibleTracePage(printer, false);
    EXPECT_TRUE(
        LinesWhere(printer,
                   [](const PrintCall& c) { return c.DrawStyle == 2 && c.Y1 == c.Y2 && c.X1 == kBoxLeft; })
            .empty())
        << "no value grid: both extremes sit on the zero line";
}

// A channel that stays above 0 and reaches its minimum last: the value grid
// takes its step from that minimum and still reads upwards, its values
// positive above the zero line and negative below it.
TEST_F(PrintedPage, AChannelAboveZeroLabelsItsGridPositiveAboveTheZero)
{
    RecordModel& r = Registro();
    for (std::int32_t s = 1; s <= r.NumMuestras(); ++s)
        r.Valores(s, 3) = s > r.NumMuestras() - 20 ? 11.0f : 12.0f + static_cast<float>(s % 19);
    MaxMinCanales(r.Valores);
    ASSERT_EQ(r.MinimosCanal(3), 11.0f);
    ASSERT_FALSE(PaginaOnda(printer, Onda(3), FixedFont()));
    std::vector<double> filas;
    for (const PrintCall& c : LinesWhere(printer, [](const PrintCall& l) {
             return l.DrawStyle == 2 && l.Y1 == l.Y2 && l.X1 == kBoxLeft && l.X2 == kBoxRight;
         }))
        filas.push_back(c.Y1);
    ASSERT_GE(filas.size(), 14u) << "seven grid lines each way, and the extremes' markers";
    const auto [alto, bajo] = std::minmax_element(filas.begin(), filas.end());
    const double y0 = (*alto + *bajo) / 2;
    int etiquetas = 0;
    for (const PrintCall& c : printer.OfKind(Kind::Print)) {
        if (c.X1 >= kBoxLeft || !c.Text.endsWith(QStringLiteral(" V")) ||
            std::find(filas.begin(), filas.end(), c.Y1) == filas.end() ||
            c.Text.contains(QStringLiteral(".000")))
            continue;
        ++etiquetas;
        EXPECT_EQ(c.Text.startsWith(QLatin1Char('-')), c.Y1 > y0) << c.Text.toStdString() << " at " << c.Y1;
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?[0-9.,]")).match(c.Text).hasMatch())
            << c.Text.toStdString();
    }
    EXPECT_GE(etiquetas, 2);
}

// A rate giving no samples per 50 ms prints the page without its time scale;
// a whole record of 800 ticks (labels past 32767) prints all of them.
TEST_F(PrintedPage, TimeScaleOfLowRatesAndLongRecords)
{
    Record(400, 5);
    ASSERT_FALSE(PaginaOnda(printer, Onda(1), FixedFont()));
    EXPECT_EQ(TimeTicks(100), 0);
    EXPECT_TRUE(FindText(printer, QStringLiteral("  ms")));

    Record(2000, 1000); // the sample's length: 40 ticks, every 50 ms
    printer.Calls.clear();
    ASSERT_FALSE(PaginaOnda(printer, Onda(1), FixedFont()));
    EXPECT_EQ(TimeTicks(100), 40);
    EXPECT_TRUE(FindText(printer, QStringLiteral("100")));
}

// Past 40 ticks of 50 ms only every k-th is drawn, k from 1, 2, 5 x 10^n,
// so that no more than 40 lines cross the box and never a hatching: 800
// ticks (40 s) give every 20th, 20000 (1000 s) every 500th, labelled with
// their time in ms on every j-th line (j of the same steps) where the
// labels stand clear of each other. Each line
// stands where its time falls, so the scale ends inside the box.
TEST_F(PrintedPage, TheTimeGridOfALongRecordIsThinnedToAtMost40Lines)
{
    for (const auto& [samples, k] : {std::pair{40000, 20}, std::pair{1000000, 500}}) {
        SCOPED_TRACE(samples);
        Record(samples, 1000);
        printer.Calls.clear();
        ASSERT_FALSE(PaginaOnda(printer, Onda(1), FixedFont()));
        const auto verticals = LinesWhere(printer, [](const PrintCall& c) {
            return c.X1 == c.X2 && c.Color == 0 && c.DrawStyle == 2 && c.Y1 == kBoxTop && c.Y2 == kBoxBottom;
        });
        EXPECT_EQ(verticals.size(), 40u);
        EXPECT_EQ(TimeTicks(100), 40);
        double right = 0;
        for (const PrintCall& c : verticals)
            right = std::max(right, c.X1);
        EXPECT_LE(right, kBoxRight + (kBoxRight - kBoxLeft) / (samples - 1) + 1)
            << "a sample past it at most";
        // The labels (as wide as 6 or 8 characters with their blanks, the
        // lines 324 apart) on every fifth line: the first on the fifth.
        const double step = (kBoxRight - kBoxLeft) / (samples - 1) * 50 * k;
        EXPECT_FALSE(FindText(printer, Str(50.0 * k) + QStringLiteral(" ")));
        const QString first = Str(5 * 50.0 * k) + QStringLiteral(" ");
        const PrintCall* label = FindText(printer, first);
        ASSERT_TRUE(label) << first.toStdString();
        EXPECT_DOUBLE_EQ(label->X1, std::nearbyint(std::nearbyint(kBoxLeft) + 5 * step) -
                                        50.0 * Str(5 * 50.0 * k).size());
        EXPECT_TRUE(FindText(printer, Str(10 * 50.0 * k) + QStringLiteral(" ")));
        EXPECT_FALSE(FindText(printer, QStringLiteral("100"))) << "no 50 ms tick to call 100";
        ExpectLegibleTracePage(printer, false);
    }
}

// ---- every text legible ----

// The cases every page kind is printed in: a sample-sized record or one of
// 10^7 samples at 5 kHz, a channel of zeros, cursor 2 on the last sample,
// measured in the fixed window font or in the printer's own.
struct LegibleCase {
    const char* Name;
    bool Long{false};
    bool Zeros{false};
    bool LastCursor{false};
    bool PrinterMeasure{false};
    bool Zoomed{false}; // samples 401..601 (500..1000 stacked), cursor 2 on the last
};
const LegibleCase kLegibleCases[] = {
    {"sample", false, false, false, false},
    {"printer font", false, false, false, true},
    {"cursor 2 at the end", false, false, true, false},
    {"all zero", false, true, false, false},
    {"long record", true, false, true, false},
    {"long record, printer font", true, true, false, true},
    {"zoomed", false, false, true, false, true},
    {"zoomed, printer font", false, true, true, true, true},
};

class LegiblePage : public PrintedPage
{
protected:
    // The fixture's channels (IA a sine, VA constant, DC a ramp, or zeros)
    // over 2000 samples at 1 kHz or 10^7 at 5 kHz, with their block tables.
    void Prepare(const LegibleCase& c)
    {
        printer.Calls.clear();
        if (c.Long) {
            MakeRecord(2, 5000);
            RecordModel& r = Registro();
            r.Valores = Matrix<float>(10000000, 3);
            for (std::int32_t s = 1; s <= r.NumMuestras(); ++s) {
                r.Valores(s, 1) = static_cast<float>(100.0 * std::sin(2 * M_PI * (s % 100) / 100.0));
                r.Valores(s, 2) = 50.0f;
                r.Valores(s, 3) = static_cast<float>(s % 2000) / 10.0f;
            }
            ConstruirTablasTrazo(r);
        }
        if (c.Zeros) {
            RecordModel& r = Registro();
            for (std::int32_t s = 1; s <= r.NumMuestras(); ++s)
                r.Valores(s, 3) = 0.0f;
            ConstruirTablasTrazo(r);
        }
        MaxMinCanales(Registro().Valores);
    }
    [[nodiscard]] MedidaTexto Measure(const LegibleCase& c) const
    {
        return c.PrinterMeasure ? PrinterFont() : FixedFont();
    }
    [[nodiscard]] std::int32_t LastCursor(const LegibleCase& c, std::int32_t otherwise) const
    {
        return c.LastCursor ? Registro().NumMuestras() : std::min(otherwise, Registro().NumMuestras());
    }
};

TEST_F(LegiblePage, EveryTextOfTheWaveformPageStandsClear)
{
    for (const LegibleCase& c : kLegibleCases) {
        for (const std::int32_t fila : {1, 2, 3}) {
            SCOPED_TRACE(std::string(c.Name) + ", row " + std::to_string(fila));
            Prepare(c);
            DatosPaginaOnda d = Onda(fila);
            d.Cursor2 = LastCursor(c, 1000);
            if (c.Zoomed) {
                HistorialOnda h;
                h.Reset(NivelCompleto(completa));
                ASSERT_TRUE(ZoomRectangulo(completa, h, completa.XDeMuestra(401), 1125,
                                           completa.XDeMuestra(601), 1875, 2000)
                                .Vista);
                d = Onda(fila, h.Current());
                d.Cursor1 = 450;
                d.Cursor2 = 601;
            }
            ASSERT_FALSE(PaginaOnda(printer, d, Measure(c)));
            ExpectLegibleTracePage(printer, c.Long);
        }
    }
}

// Eight rows over the fixture's three columns, shown 1, 4, 5 or 8 at a time.
TEST_F(LegiblePage, EveryTextOfTheStackedPageStandsClear)
{
    for (const LegibleCase& c : kLegibleCases) {
        for (const int bands : {1, 4, 5, 8}) {
            SCOPED_TRACE(std::string(c.Name) + ", " + std::to_string(bands) + " bands");
            Prepare(c);
            const std::array<const char*, 8> names = {"IA", "VA", "DC", "IB", "VB", "DD", "IC", "VBAT"};
            EightRows(names);
            const RecordModel& r = Registro();
            DatosPaginaTodo d;
            for (int k = 1; k <= bands; ++k)
                d.Filas.push_back(k);
            d.Nivel =
                c.Zoomed ? NivelTodo{500, 1000, 500, 9000, 0.0} : NivelTodo{1, r.NumMuestras(), 1, 9000, 0.0};
            d.Cursor1 = c.Zoomed ? 600 : 500;
            d.Cursor2 = c.Zoomed ? 1000 : LastCursor(c, 1000);
            d.TextoTiempo = QStringLiteral("500.000 ms");
            PaginaTodo(printer, d, Measure(c));
            ExpectLegibleTracePage(printer, c.Long);
            // Every band's read-out at both cursors is on the page.
            for (int k = 1; k <= bands; ++k) {
                const QString prefix = QString::fromLatin1(names[k - 1]) + QStringLiteral(": ");
                int readouts = 0;
                for (const QString& t : printer.Texts())
                    readouts += t.startsWith(prefix) ? 1 : 0;
                EXPECT_EQ(readouts, 2) << names[k - 1];
            }
        }
    }
}

// On paper, in the window's own font: the stacked page of the sample's
// eight channels has every band's read-out at both cursors, and pdftotext
// finds each word inside the page frame (the paper's margins and the
// frame's fractions in points).
TEST_F(LegiblePage, EightBandsOnPaperKeepEveryReadOutInsideTheFrame)
{
    const std::array<const char*, 8> names = {"VA", "VB", "VC", "IA", "IB", "IC", "IN", "VBAT"};
    EightRows(names, {"kV", "kV", "kV", "A", "A", "A", "A", "V"});
    const RecordModel& r = Registro();
    DatosPaginaTodo d;
    d.Filas = {1, 2, 3, 4, 5, 6, 7, 8};
    d.Nivel = {1, r.NumMuestras(), 1, 9000, 0.0};
    d.Cursor1 = 500;
    d.Cursor2 = r.NumMuestras();
    d.TextoTiempo = QStringLiteral("1499.000 ms");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("todo.pdf"));
    auto p = QtPrinter::ForPdf(pdf);
    p->SetOrientation(2);
    QWidget ventana;
    PaginaTodo(*p, d, MedidaDeVentana(ventana));
    p->EndDoc();
    const QString text = test::PdfText(pdf);
    for (const char* name : names)
        EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("(^|\\s)%1: ").arg(QLatin1String(name)))), 2)
            << name;

    const QPointF margin = p->Device().pageLayout().paintRect(QPageLayout::Point).topLeft();
    const double w = p->Width() / 20.0;
    const double h = p->Height() / 20.0;
    const QRectF frame(QPointF(margin.x() + 0.009 * w, margin.y() + 0.009 * h),
                       QPointF(margin.x() + 0.942 * w, margin.y() + 0.945 * h));
    const std::vector<test::PaperLine> words = test::PaperWords(pdf);
    for (const test::PaperLine& word : words)
        EXPECT_TRUE(frame.adjusted(-0.5, -0.5, 0.5, 0.5).contains(word.Box)) << word.Text.toStdString();
    EXPECT_GT(words.size(), 50u);
}

// With channel names short, 36 characters long or 64 with a shared prefix,
// the waveform page of each channel and the stacked page of four and of
// eight bands keep every text legible and clear of every line, and on paper
// every value with its unit whole: the read-outs at both cursors, the time
// and difference between them and each extreme marked.
TEST_F(LegiblePage, EveryValueIsWholeWithNamesOfEveryLength)
{
    const RecordModel& r = Registro();
    // The extremes each column reaches on the whole record (the stacked
    // page's trace stops a sample short of the ramp's 200 V).
    const auto extremos = [](std::int32_t columna, const QString& u, bool apilada) {
        switch (columna) {
        case 1:
            return QStringList{QStringLiteral("100.000 ") + u, QStringLiteral("-100.000 ") + u};
        case 2:
            return QStringList{QStringLiteral("50.000 ") + u};
        default:
            return apilada ? QStringList{} : QStringList{QStringLiteral("200.000 ") + u};
        }
    };
    for (const int largo : kNameLengths) {
        SCOPED_TRACE(std::to_string(largo) + " characters");
        std::array<QByteArray, 8> nombres;
        std::array<const char*, 8> punteros{};
        for (int k = 0; k < 8; ++k) {
            nombres[static_cast<std::size_t>(k)] = NameOfLength(largo, k + 1).toLatin1();
            punteros[static_cast<std::size_t>(k)] = nombres[static_cast<std::size_t>(k)].constData();
        }
        EightRows(punteros);
        for (const std::int32_t fila : {1, 2, 3}) {
            SCOPED_TRACE("waveform page of row " + std::to_string(fila));
            const DatosPaginaOnda d = Onda(fila);
            printer.Calls.clear();
            ASSERT_FALSE(PaginaOnda(printer, d, FixedFont()));
            ExpectLegibleTracePage(printer, false);
            EXPECT_LE(FontSizes(printer).size(), 2u) << "one size per kind of text";
            const std::int32_t c = CIntText(r.TablaCanales(fila, 1));
            const QString u = r.TablaCanales(fila, 4);
            QStringList valores = extremos(c, u, false);
            for (const std::int32_t muestra : {d.Cursor1, d.Cursor2})
                valores << Format(r.Valores(muestra, c), "0.000") + QStringLiteral(" ") + u;
            valores << d.TextoTiempo << d.TextoDiferencia;
            const QString papel =
                TextOnPaper([&](Printer& p, const MedidaTexto& m) { (void)PaginaOnda(p, d, m); });
            for (const std::string& f : NotWhole(papel, valores))
                ADD_FAILURE() << f;
        }
        for (const int bandas : {4, 8}) {
            SCOPED_TRACE("stacked page of " + std::to_string(bandas) + " bands");
            DatosPaginaTodo d;
            for (int k = 1; k <= bandas; ++k)
                d.Filas.push_back(k);
            d.Nivel = {1, r.NumMuestras(), 1, 9000, 0.0};
            d.Cursor1 = 500;
            d.Cursor2 = 1000;
            d.TextoTiempo = QStringLiteral("500.000 ms");
            printer.Calls.clear();
            PaginaTodo(printer, d, FixedFont());
            ExpectLegibleTracePage(printer, false);
            // The bands' keys right of the plot take the size in which they
            // fit the margin there: a kind of text of their own.
            RecordingPrinter izquierda;
            for (const PrintCall& c : printer.Calls)
                if (c.What != Kind::Print || c.X1 < kBoxRight)
                    izquierda.Calls.push_back(c);
            EXPECT_LE(FontSizes(izquierda).size(), 2u) << "one size per kind of text";
            QStringList valores{d.TextoTiempo};
            for (const std::int32_t fila : d.Filas) {
                const std::int32_t c = CIntText(r.TablaCanales(fila, 1));
                const QString u = r.TablaCanales(fila, 4);
                valores << extremos(c, u, true);
                for (const std::int32_t muestra : {d.Cursor1, d.Cursor2})
                    valores << QStringLiteral(": ") + Format(r.Valores(muestra, c), "0.000") + u;
            }
            const QString papel = TextOnPaper([&](Printer& p, const MedidaTexto& m) { PaginaTodo(p, d, m); });
            for (const std::string& f : NotWhole(papel, valores))
                ADD_FAILURE() << f;
        }
    }
}

// ---- the stacked page ----

class StackedPage : public PrintedPage
{
protected:
    // Eight channel rows over the fixture's three columns, in turn.
    static void EightRows() { PrintedPage::EightRows({"IA", "VA", "DC", "IB", "VB", "DD", "IC", "VC"}); }
    DatosPaginaTodo Todo(std::vector<std::int32_t> filas, NivelTodo nivel = {1, 2000, 1, 9000, 0.0})
    {
        DatosPaginaTodo d;
        d.Nivel = nivel;
        d.Filas = std::move(filas);
        d.Cursor1 = 500;
        d.Cursor2 = 1000;
        d.TextoTiempo = QStringLiteral("500.000 ms");
        return d;
    }
    static double Centre(int bands, int b)
    {
        const double bh = 0.75 * kH / bands;
        return kBoxTop + (b - 1) * bh + bh / 2;
    }
};

TEST_F(StackedPage, FramesZeroLinesCursorsReadoutsAndFooter)
{
    const test::ScopedClock reloj(kHoraImpresion);
    PaginaTodo(printer, Todo({1, 2}), FixedFont());
    const std::vector<QString> texts = printer.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], TextosIdioma(60).toUpper());
    EXPECT_EQ(texts[1], TextosIdioma(265) + QStringLiteral("/registros/falta.dat"));

    const std::vector<PrintCall> lines = printer.OfKind(Kind::Line);
    EXPECT_DOUBLE_EQ(lines[0].X1, kFrameLeft);
    EXPECT_DOUBLE_EQ(lines[2].Y1, kFrameBottom);
    EXPECT_DOUBLE_EQ(lines[4].X1, kBoxLeft);
    EXPECT_DOUBLE_EQ(lines[5].Y2, kBoxBottom);
    for (int b = 1; b <= 2; ++b) {
        EXPECT_DOUBLE_EQ(lines[7 + b].Y1, Centre(2, b));
        EXPECT_DOUBLE_EQ(lines[7 + b].X2, kBoxRight);
    }
    const double sx = (kBoxRight - kBoxLeft) / 1999;
    EXPECT_DOUBLE_EQ(lines[10].X1, (500 - 1) * sx + kBoxLeft);
    EXPECT_EQ(lines[10].Color, kYellow);
    EXPECT_EQ(lines[10].DrawStyle, 1);
    EXPECT_DOUBLE_EQ(lines[12].X1, (1000 - 1) * sx + kBoxLeft);
    EXPECT_EQ(lines[12].Color, kBlue) << "cursor 2 is blue on this page";
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("Cursor 1"))->Y1, kBoxBottom + 500);
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("Cursor 2"))->Y1, kBoxBottom + 100 + 240)
        << "under the time labels' row";

    // The read-outs column, in the size in which its values fit whole a
    // blank short of the extremes' dotted lines, its caption whole.
    const PrintCall* title = FindText(printer, TextosIdioma(31) + QStringLiteral(":"));
    ASSERT_TRUE(title);
    EXPECT_DOUBLE_EQ(title->X1, kFrameLeft + 100);
    EXPECT_DOUBLE_EQ(title->Y1, kFrameTop + 100) << "a blank under the frame's line";
    // The first band's entry of the legend: its key, and its name after it
    // on the same row (the name too long for the room right of the plot,
    // where the key labels the band).
    const auto left = std::find_if(printer.Calls.begin(), printer.Calls.end(), [](const PrintCall& c) {
        return c.What == Kind::Print && c.Text == QStringLiteral("(1)") && c.X1 < kBoxLeft;
    });
    ASSERT_NE(left, printer.Calls.end());
    const PrintCall* first = &*left;
    EXPECT_DOUBLE_EQ(first->X1, kFrameLeft + 200);
    EXPECT_NEAR(first->Y1, kFrameTop + 100 + 24 * first->FontSize, 1)
        << "a printer line under the title, not the window's";
    const PrintCall* name = FindText(printer, QStringLiteral("IA"));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->Y1, first->Y1);
    EXPECT_GT(name->X1, first->X1);
    EXPECT_TRUE(FindText(printer, TextosIdioma(266) + QStringLiteral("500")));
    EXPECT_TRUE(FindText(printer, QStringLiteral("VA: 50.000kV")));

    // Whole record: 40 ticks with "100" on the second, "  ms" on their row.
    EXPECT_EQ(TimeTicks(100), 40);
    EXPECT_TRUE(FindText(printer, QStringLiteral("100")));
    const PrintCall* ms = FindText(printer, QStringLiteral("  ms"));
    ASSERT_TRUE(ms);
    EXPECT_DOUBLE_EQ(ms->X1, kFrameRight - 500);
    EXPECT_DOUBLE_EQ(ms->Y1, kBoxBottom + 100);

    const PrintCall* footer = FindText(printer, TextosIdioma(264) + QStringLiteral("500.000 ms"));
    ASSERT_TRUE(footer);
    EXPECT_DOUBLE_EQ(footer->X1, (kFrameRight - kFrameLeft) / 2 -
                                     100 * QStringLiteral("Tiempo entre cursores : 500.000 ms").size());
    EXPECT_DOUBLE_EQ(footer->Y1, kFrameBottom - 240 - 50)
        << "its printer line inside the frame, off its line";
    EXPECT_EQ(printer.Texts().back(), kTextoHoraImpresion);
}

TEST_F(StackedPage, AZoomedLevelHasNoTimeGrid)
{
    PaginaTodo(printer, Todo({1}, {500, 1000, 500, 9000, 0.0}), FixedFont());
    EXPECT_EQ(TimeTicks(100), 0);
    EXPECT_FALSE(FindText(printer, QStringLiteral("100")));
    // Cursor 2 at the level's end: its label drawn back inside the frame on
    // the unit's row, so "  ms" goes a line lower.
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("Cursor 2"))->X1, kFrameRight - 60 - 8 * 120);
    EXPECT_DOUBLE_EQ(FindText(printer, QStringLiteral("  ms"))->Y1, kBoxBottom + 300 + 240);
    // The trace covers the level's samples from the left of the box.
    const std::vector<PrintCall> trace = printer.OfKind(Kind::Lines);
    ASSERT_EQ(trace.size(), 1u);
    double lo = 1e9, hi = -1e9;
    for (const QLineF& s : trace[0].Segments) {
        lo = std::min({lo, s.x1(), s.x2()});
        hi = std::max({hi, s.x1(), s.x2()});
    }
    const double sx = (kBoxRight - kBoxLeft) / 500;
    EXPECT_NEAR(lo, kBoxLeft, 3);
    EXPECT_NEAR(hi, kBoxLeft + 499 * sx, 3) << "up to the level's last sample but one";
}

// At any count of bands the column's list of channels, in the bands' order
// and colours, is the bands' legend, each band's extremes read under its
// name, and nothing else stands in the left margin (no label, zero or value
// between the column's lines). Each band is labelled right of the plot on
// its zero line, in its colour: by its name where every name fits there,
// else by its key "(b)", which stands before its name in the legend and
// before each extreme's value there.
TEST_F(StackedPage, BandsLabelledRightOfThePlotByNameOrKeyAndTheMarginHoldsTheColumnAlone)
{
    EightRows();
    const QString names[5] = {"IA", "VA", "DC", "IB", "VB"};
    const std::uint32_t colours[5] = {kBlue, kGreen, kRed, kCyan, kYellow};
    for (const int bands : {1, 4, 5}) {
        SCOPED_TRACE(std::to_string(bands) + " bands");
        printer.Calls.clear();
        std::vector<std::int32_t> filas;
        for (int b = 1; b <= bands; ++b)
            filas.push_back(b);
        PaginaTodo(printer, Todo(filas), FixedFont());
        ExpectLegibleTracePage(printer, false);
        const std::vector<PrintCall> prints = printer.OfKind(Kind::Print);
        const PrintCall* cursor1 = FindText(printer, QStringLiteral("Cursor 1: "));
        ASSERT_TRUE(cursor1);
        double y = 0.0;
        for (int b = 0; b < bands; ++b) {
            const QString key = ClaveLeyenda(b + 1);
            const auto at = [&](bool left) {
                return std::find_if(prints.begin(), prints.end(), [&](const PrintCall& c) {
                    return c.Text == key && (c.X1 < kBoxLeft) == left;
                });
            };
            ASSERT_NE(at(false), prints.end()) << "band " << b + 1 << " unlabelled";
            EXPECT_DOUBLE_EQ(at(false)->X1, kBoxRight + 100);
            EXPECT_DOUBLE_EQ(at(false)->Y1, Centre(bands, b + 1)) << "on its zero line";
            EXPECT_EQ(at(false)->Color, colours[b]);
            ASSERT_NE(at(true), prints.end()) << "the legend has no key " << key.toStdString();
            EXPECT_DOUBLE_EQ(at(true)->X1, kFrameLeft + 200) << "a list entry of the column";
            EXPECT_EQ(at(true)->Color, colours[b]);
            EXPECT_GT(at(true)->Y1, y) << "in the bands' order";
            y = at(true)->Y1;
            const PrintCall* name = FindText(printer, names[b]);
            ASSERT_TRUE(name);
            EXPECT_EQ(name->Y1, at(true)->Y1) << "the name after its key";
            EXPECT_EQ(name->Color, colours[b]);
        }
        // IA's and IB's maxima (100 A) and minima, VA's and VB's 50 kV (one
        // extreme: they are constant), under their keys; DC's ramp reaches its
        // minimum at its first sample and its maximum after the last sample
        // the page draws.
        std::vector<QString> list;
        for (const PrintCall& c : prints)
            if (c.Y1 < cursor1->Y1 && c.X1 == kFrameLeft + 200)
                list.push_back(c.Text);
        const std::vector<QString> legend = {"(1)",
                                             "(1) max: 100.000 A",
                                             "(1) min: -100.000 A",
                                             "(2)",
                                             "(2) max: 50.000 kV",
                                             "(3)",
                                             "(3) min: 0.100 V",
                                             "(4)",
                                             "(4) max: 100.000 A",
                                             "(4) min: -100.000 A",
                                             "(5)",
                                             "(5) max: 50.000 kV"};
        const std::size_t entries[] = {0, 3, 0, 0, 10, 12};
        EXPECT_EQ(list, std::vector<QString>(legend.begin(),
                                             legend.begin() + static_cast<std::ptrdiff_t>(entries[bands])));
        // The markers' dotted lines still run across the plot, without a value
        // beside them; every text left of the plot is the column's.
        const std::size_t markers[] = {0, 2, 0, 0, 6, 7};
        EXPECT_EQ(LinesWhere(printer,
                             [](const PrintCall& c) {
                                 return c.DrawStyle == 2 && c.Y1 == c.Y2 && c.X1 == kBoxLeft - 100;
                             })
                      .size(),
                  markers[bands]);
        for (const PrintCall& c : prints) {
            if (c.Y1 < kBoxBottom && c.X1 < kBoxLeft) {
                EXPECT_TRUE(c.X1 == kFrameLeft + 100 || c.X1 == kFrameLeft + 200 ||
                            (c.X1 > kFrameLeft + 200 && c.Y1 < cursor1->Y1 &&
                             std::any_of(std::begin(names), std::end(names),
                                         [&](const QString& n) { return n == c.Text; })))
                    << c.Text.toStdString();
            }
        }
    }
    EXPECT_FALSE(FindText(printer, QStringLiteral(" IA"))) << "no room right of the plot";
    // A name short enough for the room right of the plot (here in a small
    // font) stands there too, on its band's zero line, in its colour.
    printer.Calls.clear();
    PaginaTodo(printer, Todo({1, 2, 3, 4, 5}), PrinterFont(5));
    for (int b = 0; b < 5; ++b) {
        const PrintCall* right = FindText(printer, QStringLiteral(" ") + names[b]);
        ASSERT_TRUE(right) << names[b].toStdString();
        EXPECT_DOUBLE_EQ(right->X1, kBoxRight + 60);
        EXPECT_DOUBLE_EQ(right->Y1, Centre(5, b + 1));
        EXPECT_EQ(right->Color, colours[b]);
    }
    ExpectLegibleTracePage(printer, false);
}

// ---- a substation's names ----

// The fixture's three columns under a substation's eight channel names (57-64
// characters told apart by quantity and phase) and their second names, in kV,
// kV, kV, A, A, A, A, V.
void SubstationRows()
{
    RecordModel& r = Registro();
    const QStringList nombres = NombresSubestacion::Analogicos();
    const QStringList circuitos = NombresSubestacion::Circuitos();
    const char* unidades[8] = {"kV", "kV", "kV", "A", "A", "A", "A", "V"};
    r.TablaCanales = Matrix<QString>(8, 4);
    for (int k = 1; k <= 8; ++k) {
        r.TablaCanales(k, 1) = QString::number((k - 1) % 3 + 1);
        r.TablaCanales(k, 2) = nombres[k - 1];
        r.TablaCanales(k, 3) = circuitos[k - 1];
        r.TablaCanales(k, 4) = QString::fromLatin1(unidades[k - 1]);
    }
}

// What follows a substation name's shared start ("TENSIÓN FASE A").
QString Distinct(const QString& name)
{
    return name.mid(name.lastIndexOf(QChar(0x2013)) + 2);
}

using test::Joined;

// The waveform page of a voltage and of a current channel, in Spanish and
// in English, with a cursor on sample 2000000: on paper its fixed captions
// and sample numbers print whole ("Diferencia entre cursores:", "Difference
// between cursors:", "Muestra:  2000000"), and the channel's name and
// caption show what tells it from the record's other channels whole.
TEST_F(PrintedPage, WaveformCaptionsSampleNumbersAndSubstationNamesPrintWhole)
{
    MakeRecord(2000000, 5000);
    MaxMinCanales(Registro().Valores);
    SubstationRows();
    for (const char* idioma : {"vsotro.ini", "vsingles.ini"}) {
        Shell().FicheroIdioma = QStringLiteral(VESDRA_RESOURCES_DIR "/ini/") + QLatin1String(idioma);
        ASSERT_TRUE(CargarIdioma());
        for (const std::int32_t fila : {1, 4}) {
            SCOPED_TRACE(std::string(idioma) + ", row " + std::to_string(fila));
            DatosPaginaOnda d = Onda(fila);
            d.Cursor1 = 1999999;
            d.Cursor2 = 2000000;
            const QString papel =
                TextOnPaper([&](Printer& p, const MedidaTexto& m) { (void)PaginaOnda(p, d, m); });
            const QString parte = Distinct(NombresSubestacion::Analogicos()[fila - 1]);
            QStringList enteros{TextosIdioma(74),
                                QStringLiteral("Cursor 1:"),
                                QStringLiteral("Cursor 2 :"),
                                TextosIdioma(264).trimmed(),
                                TextosIdioma(267),
                                TextosIdioma(266) + QStringLiteral("1999999"),
                                TextosIdioma(266) + QStringLiteral("2000000"),
                                parte,
                                parte + QStringLiteral(":"),
                                parte + QStringLiteral(":")};
            for (const std::string& f : NotWhole(papel.simplified(), enteros))
                ADD_FAILURE() << f << " in " << papel.toStdString();
            printer.Calls.clear();
            ASSERT_FALSE(PaginaOnda(printer, d, FixedFont()));
            ExpectLegibleTracePage(printer, false);
            // No value of the plot's axis (the zero, a grid step, an
            // extreme) stands right of a caption waiting for its value on
            // the next line: it would be read as that value.
            const std::vector<PrintCall> prints = printer.OfKind(Kind::Print);
            for (const PrintCall& c : prints) {
                if (!c.Text.trimmed().endsWith(QLatin1Char(':')))
                    continue;
                for (const PrintCall& o : prints)
                    EXPECT_FALSE(o.X1 > c.X1 && o.Y1 < c.Y1 + 240 && c.Y1 < o.Y1 + 240)
                        << o.Text.toStdString() << " beside " << c.Text.toStdString();
            }
        }
    }
    Shell().FicheroIdioma = QStringLiteral(VESDRA_RESOURCES_DIR "/ini/vsotro.ini");
    ASSERT_TRUE(CargarIdioma());
}

// On paper, in colour and in black, the waveform page of a voltage and of a
// current channel under a substation's names: no zero, grid or extreme
// label stands among the read-outs (the maximum's rows are theirs: its
// value is read in the column), every value the margin prints reads as this
// channel's (its caption a cut that reads as no other channel of the
// record), and the channel's name prints whole where four lines hold it.
TEST_F(PrintedPage, OnPaperNoAxisLabelStandsAmongTheWaveformReadOuts)
{
    SubstationRows();
    const QStringList rotulos = RotulosAnalogicos();
    const auto rotulo = [](std::int32_t n) {
        QString t = TextosIdioma(n).trimmed();
        while (t.endsWith(QLatin1Char(':')) || t.endsWith(QLatin1Char(' ')))
            t.chop(1);
        return t;
    };
    // The page shows one channel: its extremes in the column are its own.
    const QStringList fijos{rotulo(264), rotulo(267), QStringLiteral("max"), QStringLiteral("min")};
    for (const std::int32_t fila : {1, 4}) {
        const DatosPaginaOnda d = Onda(fila);
        for (const int mode : {2, 1}) {
            SCOPED_TRACE("row " + std::to_string(fila) + (mode == 2 ? ", colour" : ", black"));
            const PaperPage paper =
                OnPaper([&](Printer& p, const MedidaTexto& m) { (void)PaginaOnda(p, d, m); }, mode);
            for (const std::string& f : UntiedValues(paper.Lines, paper.X(0.15 * paper.W), rotulos, fijos))
                ADD_FAILURE() << f;
            QStringList nombre;
            for (const PaperLine& l : paper.Lines) {
                if (l.Box.right() < paper.X(0.15 * paper.W) && l.Text.startsWith(QStringLiteral("Cursor")))
                    break;
                if (l.Box.right() < paper.X(0.15 * paper.W) && l.Text != rotulo(74))
                    nombre << l.Text;
            }
            EXPECT_TRUE(ShownWhole(nombre.join(QStringLiteral(" ")), NombreCanalId(fila)))
                << nombre.join(QStringLiteral(" | ")).toStdString();
            EXPECT_LE(nombre.size(), 4);
        }
    }
}

// The stacked page of five to eight bands under a substation's names: the
// left margin holds the read-outs column alone (the list of channels, which
// is then the bands' legend, and both cursors' read-outs), so no band label
// comes between its lines; every extreme's value there is read as one
// ("name max: value"), never as a bare value beside a read-out; each name
// of the list and of the read-outs reads as its own channel and none of the
// others; and on paper each channel's quantity and phase print whole.
TEST_F(StackedPage, FromFiveBandsTheMarginHoldsTheColumnAloneAndNamesReadApart)
{
    SubstationRows();
    const RecordModel& r = Registro();
    for (const int bands : {5, 6, 7, 8}) {
        DatosPaginaTodo d = Todo({});
        QStringList nombres;
        for (int k = 1; k <= bands; ++k) {
            d.Filas.push_back(k);
            nombres << NombreCanal(k);
        }
        for (const MedidaTexto& m : {FixedFont(), PrinterFont()}) {
            SCOPED_TRACE(std::to_string(bands) + " bands" + (m.Puntos > 0 ? ", printer font" : ""));
            printer.Calls.clear();
            PaginaTodo(printer, d, m);
            ExpectLegibleTracePage(printer, false);
            const double xTitulo = kFrameLeft + m.Ancho(QStringLiteral("A"));
            const double xEntrada = kFrameLeft + m.Ancho(QStringLiteral("AA"));
            const double cursor1 = FindText(printer, QStringLiteral("Cursor 1: "))->Y1;
            // The list's names, each on its lines after its band's key in its
            // band's colour, and each read-out's name or key: every one reads
            // as its own band's channel and none of the record's others, or is
            // its band's key.
            const QRegularExpression clave(QStringLiteral("^\\((\\d)\\)"));
            QStringList lista;
            QStringList lineas;
            int lectura = 0;
            for (const PrintCall& c : printer.OfKind(Kind::Print)) {
                if (c.X1 >= kBoxLeft)
                    continue;
                EXPECT_TRUE(c.X1 == xTitulo || c.X1 == xEntrada || (c.X1 > xEntrada && c.Y1 < cursor1))
                    << "not the column's: " << c.Text.toStdString();
                if (c.Text.startsWith(TextosIdioma(266))) {
                    lectura = 0;
                    continue;
                }
                if (c.X1 == xTitulo)
                    continue;
                const QRegularExpressionMatch k = clave.match(c.Text);
                const bool extremo =
                    c.Text.contains(QStringLiteral(" max: ")) || c.Text.contains(QStringLiteral(" min: "));
                if (c.Y1 > cursor1) {
                    EXPECT_FALSE(extremo) << c.Text.toStdString();
                    ASSERT_TRUE(c.Text.contains(QStringLiteral(": ")))
                        << "a bare value: " << c.Text.toStdString();
                    ++lectura;
                    QString head = c.Text.left(c.Text.lastIndexOf(QStringLiteral(": ")));
                    if (k.hasMatch()) {
                        EXPECT_EQ(k.captured(1).toInt(), lectura) << c.Text.toStdString();
                        head = head.mid(k.capturedLength()).trimmed();
                    }
                    if (!head.isEmpty()) {
                        EXPECT_TRUE(SeLeenAparte({head}, {nombres[lectura - 1]}));
                        for (const QString& o : RotulosAnalogicos())
                            EXPECT_TRUE(o == nombres[lectura - 1] || !ReadsAs(head, o))
                                << head.toStdString() << " reads as " << o.toStdString();
                    }
                    continue;
                }
                if (extremo) {
                    EXPECT_TRUE(k.hasMatch())
                        << "an extreme without its band's key: " << c.Text.toStdString();
                    continue;
                }
                // A key is printed after its name's lines.
                if (k.hasMatch()) {
                    lista << Joined(lineas);
                    lineas.clear();
                    EXPECT_EQ(k.captured(1).toInt(), lista.size());
                    continue;
                }
                lineas << c.Text;
            }
            EXPECT_TRUE(lineas.isEmpty());
            EXPECT_TRUE(SeLeenAparte(lista, nombres)) << lista.join(QStringLiteral(" | ")).toStdString();
        }
        const QString papel = TextOnPaper([&](Printer& p, const MedidaTexto& m) { PaginaTodo(p, d, m); });
        QStringList enteros;
        for (const QString& n : nombres)
            enteros << Distinct(n);
        for (const std::int32_t fila : d.Filas)
            for (const std::int32_t muestra : {d.Cursor1, d.Cursor2})
                enteros << QStringLiteral(": ") +
                               Format(r.Valores(muestra, CIntText(r.TablaCanales(fila, 1))), "0.000") +
                               r.TablaCanales(fila, 4);
        for (const std::string& f : NotWhole(papel, enteros))
            ADD_FAILURE() << bands << " bands: " << f << " in " << papel.toStdString();
    }
}

// Channels that share one circuit text, their names and units padded with
// blanks: every read-out on the stacked page reads as its own channel (the
// circuit and the trimmed name), in colour and in black, nothing of the
// padding stands between a name and its value, and on paper each channel's
// name and values print whole.
TEST_F(StackedPage, ChannelsOfOneCircuitWithPaddedNamesReadAsTheirOwn)
{
    FilasDeUnCircuito::Llenar(8, 3);
    const RecordModel& r = Registro();
    const QRegularExpression relleno(QStringLiteral("\\s{2,}(max |min )?:|:.*\\S\\s+$"));
    for (const int bands : {4, 6}) {
        DatosPaginaTodo d = Todo({});
        QStringList nombres;
        for (int k = 1; k <= bands; ++k) {
            d.Filas.push_back(k);
            nombres << NombreCanal(k);
            EXPECT_TRUE(nombres.back().endsWith(FilasDeUnCircuito::Nombres()[k - 1])) << k;
        }
        EXPECT_TRUE(TodosDistintos(nombres));
        for (const int mode : {2, 1}) {
            SCOPED_TRACE(std::to_string(bands) + " bands, colour mode " + std::to_string(mode));
            printer.SetColorMode(mode);
            printer.Calls.clear();
            PaginaTodo(printer, d, FixedFont());
            const double cursor1 = FindText(printer, QStringLiteral("Cursor 1: "))->Y1;
            const double xEntrada = kFrameLeft + FixedFont().Ancho(QStringLiteral("AA"));
            QStringList lecturas;
            for (const PrintCall& c : printer.OfKind(Kind::Print)) {
                if (c.Text.startsWith(QStringLiteral("Cursor")))
                    continue;
                EXPECT_FALSE(relleno.match(c.Text).hasMatch()) << '"' << c.Text.toStdString() << '"';
                if (c.X1 != xEntrada || c.Y1 <= cursor1 || c.Text.startsWith(TextosIdioma(266)) ||
                    !c.Text.contains(QStringLiteral(": ")))
                    continue;
                lecturas << c.Text.left(c.Text.lastIndexOf(QStringLiteral(": ")));
            }
            EXPECT_TRUE(SeLeenAparte(lecturas, nombres + nombres))
                << lecturas.join(QStringLiteral(" | ")).toStdString();
        }
        printer.SetColorMode(2);
        const QString papel = TextOnPaper([&](Printer& p, const MedidaTexto& m) { PaginaTodo(p, d, m); });
        QStringList enteros;
        for (const std::int32_t fila : d.Filas) {
            enteros << FilasDeUnCircuito::Nombres()[fila - 1].mid(5);
            for (const std::int32_t muestra : {d.Cursor1, d.Cursor2})
                enteros << QStringLiteral(": ") +
                               Format(r.Valores(muestra, CIntText(r.TablaCanales(fila, 1))), "0.000") +
                               FilasDeUnCircuito::Unidades()[fila - 1];
        }
        for (const std::string& f : NotWhole(papel, enteros))
            ADD_FAILURE() << bands << " bands: " << f << " in " << papel.toStdString();
    }
}

// On paper, in colour and in black, with a substation's names at one to
// eight bands: every value the left margin prints is tied to one band (by
// a cut of its name that reads as that channel only, or by the band's key
// in the legend), no extreme, zero or label of a band stands among the
// read-outs, and every band carries a label right of the plot (its name,
// or its key naming the legend's entry of that band).
TEST_F(StackedPage, OnPaperEveryValueIsTiedToOneBandAndEveryBandIsLabelled)
{
    SubstationRows();
    const QStringList rotulos = RotulosAnalogicos();
    for (const int bands : {1, 4, 5, 8}) {
        DatosPaginaTodo d = Todo({});
        for (int k = 1; k <= bands; ++k)
            d.Filas.push_back(k);
        for (const int mode : {2, 1}) {
            SCOPED_TRACE(std::to_string(bands) + " bands" + (mode == 2 ? ", colour" : ", black"));
            const PaperPage paper =
                OnPaper([&](Printer& p, const MedidaTexto& m) { PaginaTodo(p, d, m); }, mode);
            for (const std::string& f : UntiedValues(paper.Lines, paper.X(0.15 * paper.W), rotulos))
                ADD_FAILURE() << f;
            // The legend's entries: a key's line and the name's lines after it.
            std::map<QString, QString> leyenda;
            QString clave;
            for (const PaperLine& l : paper.Lines) {
                if (l.Box.right() >= paper.X(0.15 * paper.W))
                    continue;
                const QRegularExpressionMatch k =
                    QRegularExpression(QStringLiteral("^(\\(\\d\\)) ?(.*)$")).match(l.Text);
                if (k.hasMatch() && !l.Text.contains(QLatin1Char(':'))) {
                    clave = k.captured(1);
                    leyenda[clave] = k.captured(2);
                } else if (!clave.isEmpty() && !l.Text.contains(QLatin1Char(':'))) {
                    test::AppendPrintedLine(leyenda[clave], l.Text);
                } else {
                    clave.clear();
                }
            }
            const double bh = 0.75 * paper.H / bands;
            for (int b = 1; b <= bands; ++b) {
                const QString rotulo = NombreCanal(b);
                const double top = paper.Y(0.05 * paper.W + (b - 1) * bh);
                const double bottom = paper.Y(0.05 * paper.W + b * bh);
                const auto label =
                    std::find_if(paper.Lines.begin(), paper.Lines.end(), [&](const PaperLine& l) {
                        return l.Box.left() > paper.X(0.92 * paper.W) && l.Box.center().y() > top &&
                               l.Box.center().y() < bottom;
                    });
                ASSERT_NE(label, paper.Lines.end()) << "band " << b << " has no label by it";
                const QString nombre = leyenda.count(label->Text) ? leyenda[label->Text] : label->Text;
                EXPECT_TRUE(SeLeenAparte({nombre}, {rotulo}) &&
                            std::none_of(rotulos.begin(), rotulos.end(),
                                         [&](const QString& o) { return o != rotulo && ReadsAs(nombre, o); }))
                    << "band " << b << " labelled \"" << label->Text.toStdString() << "\" (\""
                    << nombre.toStdString() << "\")";
            }
        }
    }
}

TEST_F(StackedPage, TraceColoursByRowOnAColourPrinterBlackOtherwise)
{
    EightRows();
    for (const int mode : {2, 1}) {
        SCOPED_TRACE(mode);
        printer.SetColorMode(mode);
        printer.Calls.clear();
        PaginaTodo(printer, Todo({1, 2, 3, 4, 5, 6, 7, 8}), FixedFont());
        const std::vector<PrintCall> traces = printer.OfKind(Kind::Lines);
        ASSERT_EQ(traces.size(), 8u);
        const std::uint32_t colours[8] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00,
                                          0x00FFFF, 0xFF00FF, 0,        0xFF0000};
        for (int b = 0; b < 8; ++b) {
            EXPECT_EQ(traces[b].Color, mode == 2 ? colours[b] : 0u) << b;
            EXPECT_EQ(traces[b].DrawWidth, 3);
        }
        for (const PrintCall& c : printer.Calls) {
            if (mode == 1) {
                ASSERT_EQ(c.Color, 0u);
            }
        }
    }
}

// Current and voltage bands share the larger peak (IA's 100 A drawn on DC's
// 200 V scale); other units keep their own. Each extreme reached is marked
// once, at its height on that scale.
TEST_F(StackedPage, CurrentAndVoltageShareOneFullScaleAndExtremesAreMarkedOnce)
{
    PaginaTodo(printer, Todo({1, 2, 3}), FixedFont()); // IA 100 A, VA 50 kV, DC up to 200 V
    const double bh = 0.75 * kH / 3;
    const double half = (bh - 2 * bh / 50) / 2;
    // The marker's dotted line at the height; its value in the legend,
    // under its band's key.
    const auto marked = [&](const QString& label, double y, std::uint32_t colour) {
        return LinesWhere(
                   printer,
                   [&](const PrintCall& c) {
                       return c.DrawStyle == 2 && c.Y1 == y && c.Y2 == y && c.Color == colour;
                   }).size() == 1 &&
               CountText(printer, label) == 1;
    };
    EXPECT_TRUE(marked(QStringLiteral("(1) max: 100.000 A"), Centre(3, 1) - 100 * half / 200, kBlue));
    EXPECT_TRUE(marked(QStringLiteral("(2) max: 50.000 kV"), Centre(3, 2) - half, kGreen));
    // DC reaches its 200 V at the last sample only, which the page's trace
    // (up to the last sample but one) does not reach: no marker.
    for (const PrintCall& c : printer.OfKind(Kind::Print)) {
        EXPECT_FALSE(c.Text.contains(QStringLiteral("200.000 V"))) << c.Text.toStdString();
        EXPECT_FALSE(c.Text.contains(QStringLiteral(" 0.000 kV")))
            << "no minimum of its own beside the one extreme";
    }
    // VA's 2000 equal samples: one dotted line (marked), its value once.
}

// ---- through the windows ----

// Printing reads the window and changes none of it; a level shown again by
// the history buttons prints with its own vertical factor, as when it was
// first shown.
TEST_F(PrintedPage, WaveformWindowPrintsItsLevelAndStaysAsItWas)
{
    SetPrinterForTests(&printer);
    ScopedMsgBoxRecorder boxes;
    ScopedDialogAnswers dialog({false, {}, 1});
    frmVerOndas* f = WaveformWindow(1);
    const auto zoom = [f](double from, double to, double top, double bottom) {
        f->cmdzoom_Click();
        f->picbox_MouseDown(f->Vista.XDeMuestra(from), top);
        f->picbox_MouseUp(f->Vista.XDeMuestra(to), bottom);
    };
    zoom(401, 1201, 0, f->Vista.Alto / 2);
    const auto printed = [&] {
        printer.Calls.clear();
        f->pctimpresora_Click();
        std::vector<PrintCall> out = printer.Calls;
        if (!out.empty())
            out.erase(out.end() - 2); // the date
        return out;
    };
    const std::vector<PrintCall> level2 = printed();
    ASSERT_FALSE(level2.empty());
    EXPECT_EQ(level2.back().What, Kind::EndDoc);

    zoom(601, 801, f->Vista.Alto / 4, f->Vista.Alto / 2);
    f->cmdatras_Click();
    const VistaOnda vista = f->Vista;
    const std::int32_t pos = f->Historial.Position();
    const std::int32_t c1 = f->HScroll1->Value();
    const QString tiempo = f->TextoTiempo;
    const QImage picture = f->picbox->Image();

    const std::vector<PrintCall> again = printed();
    ASSERT_EQ(again.size(), level2.size());
    const auto trace = [](const std::vector<PrintCall>& calls) {
        for (const PrintCall& c : calls)
            if (c.What == Kind::Lines)
                return c.Segments;
        return std::vector<QLineF>{};
    };
    EXPECT_EQ(trace(again), trace(level2));

    EXPECT_EQ(f->Vista.PrimeraMuestra, vista.PrimeraMuestra);
    EXPECT_EQ(f->Vista.UltimaMuestra, vista.UltimaMuestra);
    EXPECT_EQ(f->Vista.EscalaX, vista.EscalaX);
    EXPECT_EQ(f->Vista.FactorZoom, vista.FactorZoom);
    EXPECT_EQ(f->Vista.OrigenY, vista.OrigenY);
    EXPECT_EQ(f->Historial.Position(), pos);
    EXPECT_EQ(f->Historial.Count(), 3);
    EXPECT_EQ(f->HScroll1->Value(), c1);
    EXPECT_EQ(f->TextoTiempo, tiempo);
    EXPECT_EQ(f->picbox->Image(), picture);
    EXPECT_TRUE(f->isEnabled());
    EXPECT_FALSE(f->Descargada());
    EXPECT_EQ(boxes.Count(), 2) << "only the two zoom questions";
    SetPrinterForTests(nullptr);
}

// A printer failing half-way: the error box, the job discarded, and the
// window open and usable as it was; the next print goes through.
TEST_F(PrintedPage, AnErrorWhilePrintingKeepsTheWindowOpenAndUsable)
{
    SetPrinterForTests(&printer);
    ScopedMsgBoxRecorder boxes;
    ScopedDialogAnswers dialog({false, {}, 1});
    frmVerOndas* f = WaveformWindow(1);

    printer.FailNextCall = true;
    f->pctimpresora_Click();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Prompt, QStringLiteral("Error 482: Printer error"));
    EXPECT_EQ(boxes.Last().Style, vbCritical);
    EXPECT_TRUE(printer.OfKind(Kind::EndDoc).empty());
    EXPECT_EQ(printer.OfKind(Kind::KillDoc).size(), 1u);
    EXPECT_FALSE(f->Descargada());
    EXPECT_TRUE(f->isEnabled());
    EXPECT_EQ(MousePointer(f), vbDefault);

    f->HScroll1->SetValue(250);
    EXPECT_EQ(f->lblizq->text(), QStringLiteral("No.= 250"));
    printer.Calls.clear();
    f->pctimpresora_Click();
    EXPECT_EQ(printer.OfKind(Kind::EndDoc).size(), 1u);
    EXPECT_EQ(boxes.Count(), 1);
    SetPrinterForTests(nullptr);
}

TEST_F(StackedPage, StackedViewPrintsItsLevelAndStaysAsItWas)
{
    SetPrinterForTests(&printer);
    ScopedDialogAnswers dialog({false, {}, 2});
    Ondas().CanalesVisibles.Resize(3);
    Ondas().CanalesVisibles(1) = Ondas().CanalesVisibles(3) = 1;
    frmTodoanalog* t = CargarTodoAnalog();
    ASSERT_TRUE(t);
    t->HScroll1->SetValue(300);
    t->HScroll2->SetValue(900);
    t->cmdzoom_Click();
    const VistaTodo vista = t->Vista;
    const std::int32_t c1 = t->HScroll1->Value();
    const QString tiempo = t->TextoTiempo;

    t->pctimpresora_Click();
    EXPECT_EQ(printer.OfKind(Kind::EndDoc).size(), 2u) << "two copies, two jobs";
    EXPECT_EQ(printer.OfKind(Kind::Lines).size(), 4u);
    // Each band labelled right of the plot, by its name or its key, on
    // both copies.
    EXPECT_EQ(std::count_if(printer.Calls.begin(), printer.Calls.end(),
                            [](const PrintCall& c) {
                                return c.What == Kind::Print && c.X1 > kBoxRight && c.Y1 < kBoxBottom;
                            }),
              4);
    EXPECT_TRUE(FindText(printer, TextosIdioma(266) + QString::number(c1)));
    EXPECT_EQ(TimeTicks(100), 0) << "a zoomed level";

    EXPECT_EQ(t->Vista.Primera, vista.Primera);
    EXPECT_EQ(t->Vista.Ultima, vista.Ultima);
    EXPECT_EQ(t->Vista.PrimeraMuestra, vista.PrimeraMuestra);
    EXPECT_EQ(t->Vista.EscalaX, vista.EscalaX);
    EXPECT_EQ(t->Historial.Count(), 2);
    EXPECT_EQ(t->HScroll1->Value(), c1);
    EXPECT_EQ(t->TextoTiempo, tiempo);
    EXPECT_TRUE(t->isEnabled());
    SetPrinterForTests(nullptr);
}

// ---- on paper: printed to PDF through the printer dialog ----

class PdfPage : public PrintedPage
{
protected:
    void SetUp() override
    {
        PrintedPage::SetUp();
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath(QStringLiteral("page.pdf"));
        dialog = std::make_unique<ScopedDialogAnswers>(DialogAnswer{false, {}, 1, pdf});
    }
    void TearDown() override
    {
        dialog.reset();
        DialogPrinter()->setOutputFileName(QString());
        PrintedPage::TearDown();
    }
    // Page twips (from the printable area's corner) to pixels of the
    // rendered paper.
    static double Px(double twips) { return twips * kDpi / 1440.0; }
    static double PxX(double twips) { return Px(twips + Margen().x() * 20); }
    static double PxY(double twips) { return Px(twips + Margen().y() * 20); }
    static QPointF Margen() { return DialogPrinter()->pageLayout().paintRect(QPageLayout::Point).topLeft(); }

    static constexpr int kDpi = 150;
    QTemporaryDir dir;
    QString pdf;
    std::unique_ptr<ScopedDialogAnswers> dialog;
};

TEST_F(PdfPage, WaveformPage)
{
    frmVerOndas* f = WaveformWindow(3); // DC: a ramp from 0.1 to 200 V
    f->pctimpresora_Click();
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(test::PdfText(pdf).contains(TextosIdioma(60).toUpper()));

    const Printer& p = CurrentPrinter();
    const double w = p.Width(), h = p.Height();
    const QImage img = test::RenderPdfPage(pdf, kDpi);
    ASSERT_FALSE(img.isNull());
    EXPECT_NEAR(img.width(), Px(DialogPrinter()->pageLayout().fullRect(QPageLayout::Point).width() * 20), 2);
    // The ramp at its middle sample, half way up: 0.26 of the picture's
    // height below its top, the picture spread over 3/4 of the page height.
    const double x = (1000 - 1) * (0.77 * w / 1999) + 0.15 * w;
    const double y = 0.05 * w + 0.26 * 0.75 * h;
    EXPECT_TRUE(NearPixel(img, PxX(x), PxY(y), 3, BluePixel));
    EXPECT_FALSE(NearPixel(img, PxX(x), PxY(y + 0.1 * h), 3, BluePixel));
    EXPECT_TRUE(NearPixel(img, PxX(0.009 * w), PxY(h / 2), 2, DarkPixel)) << "the page frame";
}

// Zoom, print, back, print: the second page's left column and title are
// black, not in the blue the zoomed page's trace was last drawn with.
TEST_F(PdfPage, ATracesColourDoesNotCarryIntoTheNextPagesTexts)
{
    ScopedMsgBoxRecorder boxes; // the zoom's question, answered OK
    frmVerOndas* f = WaveformWindow(3);
    f->cmdzoom_Click();
    f->picbox_MouseDown(f->Vista.XDeMuestra(401), 0);
    f->picbox_MouseUp(f->Vista.XDeMuestra(1201), f->Vista.Alto / 2);
    f->pctimpresora_Click();
    ASSERT_TRUE(QFile::exists(pdf));
    f->cmdatras_Click();
    QFile::remove(pdf);
    f->pctimpresora_Click();
    ASSERT_TRUE(QFile::exists(pdf));

    const Printer& p = CurrentPrinter();
    const double w = p.Width(), h = p.Height();
    const QImage img = test::RenderPdfPage(pdf, kDpi);
    ASSERT_FALSE(img.isNull());
    // The left column's captions and values, and the title above the box.
    const auto count = [&img](double x0, double y0, double x1, double y1, auto kind) {
        int n = 0;
        for (int y = static_cast<int>(PxY(y0)); y < PxY(y1); ++y)
            for (int x = static_cast<int>(PxX(x0)); x < PxX(x1); ++x)
                n += img.valid(x, y) && kind(img.pixel(x, y)) ? 1 : 0;
        return n;
    };
    EXPECT_GT(count(0.012 * w, 0.05 * w, 0.07 * w, 0.6 * h, DarkPixel), 50);
    EXPECT_EQ(count(0.012 * w, 0.05 * w, 0.07 * w, 0.6 * h, BluePixel), 0);
    EXPECT_GT(count(0.15 * w, 0.012 * h, 0.6 * w, 0.05 * w - 30, DarkPixel), 50);
    EXPECT_EQ(count(0.15 * w, 0.012 * h, 0.6 * w, 0.05 * w - 30, BluePixel), 0);
}

TEST_F(PdfPage, StackedPage)
{
    Ondas().CanalesVisibles.Resize(3);
    Ondas().CanalesVisibles(1) = Ondas().CanalesVisibles(2) = 1;
    frmTodoanalog* t = CargarTodoAnalog();
    ASSERT_TRUE(t);
    t->pctimpresora_Click();
    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = test::PdfText(pdf);
    EXPECT_TRUE(text.contains(TextosIdioma(60).toUpper()));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("VA:\\s+50.000kV"))));

    const Printer& p = CurrentPrinter();
    const double w = p.Width(), h = p.Height();
    const QImage img = test::RenderPdfPage(pdf, kDpi);
    ASSERT_FALSE(img.isNull());
    // Band 2 (VA, a constant 50 kV, row 2: green) at the top of its band.
    const double bh = 0.75 * h / 2;
    const double y = 0.05 * w + bh + bh / 2 - (bh - 2 * bh / 50) / 2;
    EXPECT_TRUE(NearPixel(img, PxX(0.5 * w), PxY(y), 2, GreenPixel));
    // Band 1 (IA, a sine, row 1: blue) crosses every column of its band.
    bool blue = false;
    for (double yy = 0.05 * w; yy < 0.05 * w + bh && !blue; yy += 1440.0 / kDpi)
        blue = NearPixel(img, PxX(0.4 * w), PxY(yy), 0, BluePixel);
    EXPECT_TRUE(blue);
    EXPECT_TRUE(NearPixel(img, PxX(0.942 * w), PxY(h / 2), 2, DarkPixel)) << "the page frame";
}

} // namespace
} // namespace vesdra
