#include "app/captura.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/frm_fasecuencias.h"
#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "platform/common_dialog.h"
#include "platform/file_lists.h"
#include "platform/messages.h"
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "platform/scroll_bar.h"
#include "record/canales.h"
#include "record/progress_hook.h"
#include "record/record_model.h"
#include "shell/frm_ajustes.h"
#include "shell/frm_conversion.h"
#include "shell/frm_direct.h"
#include "shell/frm_menu.h"
#include "shell/frm_nuevos_tools.h"
#include "shell/frm_plantilla.h"
#include "shell/gasolino.h"
#include "shell/mdi_form.h"
#include "shell/menu_commands.h"
#include "views/composition/composition_state.h"
#include "views/composition/frm_new_companalog.h"
#include "views/composition/frm_ver_cmpang.h"
#include "views/digital/frm19.h"
#include "views/digital/frm_elecdig.h"
#include "views/digital/frm_grid.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_services.h"
#include "views/waves/waves_state.h"
#include "wizard/asistente.h"
#include "wizard/frm_analog.h"
#include "wizard/frm_base_modelo.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_salva_plan.h"
#include "wizard/frm_trifasic.h"

namespace vesdra {

namespace {

using Paso = std::function<void()>;

// Time left to the views' merged resizes and the progress window between
// two steps.
constexpr int kPausaMs = 400;

// Whether a step asked for did not happen: the program then ends with
// exit code 1.
bool& HuboFalta()
{
    static bool falta = false;
    return falta;
}

// A step asked for that did not happen, said on stderr.
void Falta(const char* que)
{
    HuboFalta() = true;
    std::fprintf(stderr, "captura: %s\n", que);
}

void Ejecutar(std::shared_ptr<std::vector<Paso>> pasos, std::size_t i)
{
    if (i >= pasos->size())
        return;
    QTimer::singleShot(kPausaMs, qApp, [pasos, i] {
        (*pasos)[i]();
        Ejecutar(pasos, i + 1);
    });
}

// The frame as the user sees it: its own picture with every window shown in
// front of it (a dialog, a box, a progress window) drawn over it where it
// stands, the modal ones last.
QPixmap Imagen(QWidget& marco)
{
    QPixmap imagen = marco.grab();
    std::vector<QWidget*> encima;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &marco && w->isVisible() && w->windowType() != Qt::ToolTip && w->windowType() != Qt::Desktop)
            encima.push_back(w);
    std::stable_partition(encima.begin(), encima.end(), [](const QWidget* w) { return !w->isModal(); });
    QPainter p(&imagen);
    for (QWidget* w : encima)
        p.drawPixmap(marco.mapFromGlobal(w->mapToGlobal(QPoint(0, 0))), w->grab());
    return imagen;
}

// The picture of the frame saved as `archivo`; a picture not written is a
// step that did not happen.
void Guardar(QWidget& marco, const QString& archivo)
{
    if (!Imagen(marco).save(archivo))
        Falta("no picture written (is the folder there?)");
}

QString ConSufijo(const QString& archivo, const QString& sufijo)
{
    const QFileInfo f(archivo);
    return f.path() + QLatin1Char('/') + f.completeBaseName() + sufijo + QLatin1Char('.') + f.suffix();
}

std::int32_t Muestras()
{
    return Registro().NumMuestras();
}

// Puts list entries (0-based) into the dialog's first slots.
void LlenarOndas(const std::vector<int>& entradas)
{
    frmNewOndas& d = NewOndas();
    for (std::size_t k = 0; k < entradas.size(); ++k) {
        d.lblpunt_Click(static_cast<std::int32_t>(k + 1));
        d.List1_DblClick(entradas[k]);
    }
}

// File > Open on the record given at start-up, through the real file
// dialog (answered by a timer once it is up): the whole screen is saved
// halfway through the read, with the gauge on it and the dialog gone.
std::vector<Paso> PasosAbrir(const QString& archivo)
{
    return {[archivo] {
        const QString ruta = Registro().RutaDat;
        auto guardado = std::make_shared<bool>(false);
        auto& llenar = ProgresoRegistro().LlenarGasolino;
        llenar = [previo = llenar, guardado, archivo](bool add, int pct) {
            previo(add, pct);
            if (!*guardado && GasolinoCargado() && gasolino().Estado().Recordado >= 50) {
                *guardado = true;
                QScreen* pantalla = QGuiApplication::primaryScreen();
                if (!pantalla || !pantalla->grabWindow(0).save(ConSufijo(archivo, QStringLiteral("-0"))))
                    Falta("no picture of the screen halfway through the read");
            }
        };
        QTimer::singleShot(kPausaMs, qApp, [ruta] {
            auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialogo) {
                Falta("no file dialog");
                return;
            }
            // As a user does: the name typed, then Open.
            auto* nombre = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* botones = dialogo->findChild<QDialogButtonBox*>();
            if (!nombre || !botones || !botones->button(QDialogButtonBox::Open)) {
                Falta("no name box or Open button in the file dialog");
                return;
            }
            nombre->setText(ruta);
            botones->button(QDialogButtonBox::Open)->click();
        });
        ComandoAbrirComtrade();
        if (!*guardado)
            Falta("no gauge at half way through the read");
    }};
}

std::vector<Paso> PasosOndas()
{
    return {
        [] {
            ComandoCanalog();
            if (!NewOndasCargado()) {
                Falta("no waveform dialog");
                return;
            }
            LlenarOndas({0, 1, 3});
            NewOndas().cmdOK_Click();
        },
        {},
        [] {
            const auto ventanas = ondas::VentanasOndasAbiertas();
            if (ventanas.size() < 2) {
                Falta("no second waveform window");
                return;
            }
            frmVerOndas* w = ventanas[1];
            const std::int32_t n = Muestras();
            w->HScroll1->SetValue(n / 3);
            w->HScroll2->SetValue(n / 2);
            frmVerOndas* z = ventanas[0];
            z->cmdzoom_Click();
            z->picbox_MouseDown(z->Vista.XDeMuestra(n / 4), z->Vista.Alto / 4);
            z->picbox_MouseMove(z->Vista.XDeMuestra(n / 2), 3 * z->Vista.Alto / 4);
            z->picbox_MouseUp(z->Vista.XDeMuestra(n / 2), 3 * z->Vista.Alto / 4);
        },
    };
}

// Eight windows, the 4 x 2 tile; each window's cursors on the widest texts
// it can show: cursor 1 on its channel's largest magnitude, cursor 2 on the
// last sample (the whole record's time).
std::vector<Paso> PasosOndas8()
{
    return {
        [] {
            ComandoCanalog();
            if (NewOndasCargado()) {
                LlenarOndas({0, 1, 2, 3, 4, 5, 6, 7});
                NewOndas().cmdOK_Click();
            }
        },
        {},
        [] {
            const std::int32_t n = Muestras();
            const auto ventanas = ondas::VentanasOndasAbiertas();
            if (ventanas.size() <
                std::min<std::size_t>(8, static_cast<std::size_t>(Registro().NumAnalogicos)))
                Falta("no eighth waveform window");
            for (frmVerOndas* w : ventanas) {
                const RecordModel& r = Registro();
                const std::int32_t c = ColumnaAnalogicaSiHay(w->CanalVentana).value_or(0);
                std::int32_t pico = 1;
                if (c >= 1 && c <= r.Valores.Cols()) {
                    for (std::int32_t s = 1; s <= n; ++s) {
                        if (std::fabs(r.Valores(s, c)) > std::fabs(r.Valores(pico, c)))
                            pico = s;
                    }
                }
                w->HScroll1->SetValue(pico);
                w->HScroll2->SetValue(n);
            }
        },
    };
}

std::vector<Paso> PasosTodo()
{
    return {
        [] {
            ComandoCanalog();
            if (NewOndasCargado()) {
                LlenarOndas({0, 1, 2, 3, 4, 5});
                NewOndas().cmdtodo_Click();
            }
        },
        {},
        [] {
            frmTodoanalog* t = TodoAnalog();
            if (!t) {
                Falta("no stacked view");
                return;
            }
            const std::int32_t n = Muestras();
            t->HScroll1->SetValue(n / 5);
            t->HScroll2->SetValue(n / 2);
            t->cmdzoom_Click();
            t->HScroll1->SetValue(t->HScroll1->Max() / 2 + t->HScroll1->Min() / 2);
        },
    };
}

std::vector<Paso> PasosFasores(int pasosZoom = 1)
{
    return {
        [] {
            ComandoFasores();
            if (frmFasecuencias* d = Fasecuencias()) {
                d->fas[0]->setChecked(true);
                d->fas[1]->setChecked(true);
                d->sec[0]->setChecked(true);
                d->sec[1]->setChecked(true);
                d->cmdOK_Click();
            }
        },
        {},
        [pasosZoom] {
            frmFases* f = Fases();
            if (!f) {
                Falta("no phasor view");
                return;
            }
            f->HScroll1->SetValue((f->HScroll1->Min() + f->HScroll1->Max()) / 2);
            for (int i = 0; i < pasosZoom; ++i)
                f->cmdmas_Click();
        },
    };
}

// The reference choice of a 1997 record: the phasor setup dialog as opened
// (on the side shown), then the composition dialog after the secondary side
// was chosen through the phasor dialog.
std::vector<Paso> PasosDialogos()
{
    return {
        [] { ComandoFasores(); },
        {},
        [] {
            frmFasecuencias* d = Fasecuencias();
            if (!d) {
                Falta("no phasor setup dialog");
                return;
            }
            d->fas[0]->setChecked(true);
            d->CmdSecundario->setChecked(true);
            d->cmdOK_Click();
        },
        [] {
            ComandoCompanalog();
            if (NewCompanalogCargado() == nullptr)
                Falta("no composition dialog");
        },
    };
}

std::vector<Paso> PasosComposicion(bool tres = false)
{
    return {
        [tres] {
            ComandoCompanalog();
            frmNewCompanalog* d = NewCompanalogCargado();
            if (!d)
                return;
            // Composition 1: slots 1 to 3, composition 2: slots 7 and 8;
            // with three windows composition 3: slots 13 and 14.
            std::vector<std::pair<int, int>> casillas{{1, 0}, {2, 1}, {3, 2}, {7, 3}, {8, 4}};
            if (tres)
                casillas.insert(casillas.end(), {{13, 0}, {14, 3}});
            for (const auto& [casilla, fila] : casillas) {
                d->lblpunt_Click(casilla);
                d->List1->setCurrentRow(fila);
                d->List1_DblClick();
            }
            d->cmdOK_Click();
        },
        {},
        [tres] {
            frmVerCmpang* v = Composiciones().VentanasComposicion[1].data();
            if (!v) {
                Falta("no composition window");
                return;
            }
            if (tres && !Composiciones().VentanasComposicion[3])
                Falta("no third composition window");
            const std::int32_t n = Muestras();
            v->HScroll1->SetValue(n / 3);
            v->HScroll2->SetValue(n / 2);
            const double alto = v->Picture1->Height();
            v->cmdzoom_Click();
            v->Picture1_MouseDown(1, 0, v->Vista().XDeMuestra(n / 4), alto / 4);
            v->Picture1_MouseMove(1, 0, v->Vista().XDeMuestra(n / 2), 3 * alto / 4);
            v->Picture1_MouseUp(1, 0, v->Vista().XDeMuestra(n / 2), 3 * alto / 4);
        },
    };
}

std::vector<Paso> PasosDigital()
{
    return {
        [] {
            ComandoDigGrupos();
            frmElecdig* d = ElecdigCargado();
            if (!d)
                return;
            if (d->optdg[2]->isEnabled())
                d->optdg[2]->setChecked(true);
            d->ElegirAnalogico(0);
            d->cmdOK_Click();
        },
        {},
        [] {
            frm19* v = Frm19();
            if (!v) {
                Falta("no digital view");
                return;
            }
            const std::int32_t n = Muestras();
            v->HScroll1->SetValue(n / 5);
            v->HScroll2->SetValue(n / 2);
            v->cmdzoom_Click();
            v->HScroll2->SetValue(v->HScroll2->Max());
        },
    };
}

// Prints a view through its print button, the printer dialog answered
// with "print to file" to `pdf` and one copy; without the view, `falta` is
// noted.
template <typename Vista>
void ImprimirAPdf(const QString& pdf, Vista* vista, const char* falta = "no view to print")
{
    if (!vista) {
        Falta(falta);
        return;
    }
    QFile::remove(pdf);
    SetCommonDialogHandler([pdf](DialogKind, const CommonDialog&) {
        DialogAnswer a;
        a.Copies = 1;
        a.OutputFile = pdf;
        return a;
    });
    vista->pctimpresora_Click();
    SetCommonDialogHandler({});
    if (!QFileInfo::exists(pdf))
        Falta("no page printed");
}

// The pages --print writes: the whole record to <pdf>-0.pdf, the zoomed
// view to <pdf>.pdf.
struct Impresiones {
    std::function<void(const QString&)> Inicial;
    std::function<void(const QString&)> Final;
};

// The header report's print (Info > Print) on the printer as it stands.
void ImprimirInforme()
{
    if (Registro().RutaHdr.isEmpty()) {
        Falta("no header to print");
        return;
    }
    (void)ImprimirLineas(LeerInforme(Registro().RutaHdr).Lineas, CurrentPrinter());
}

Impresiones ImpresionesOndas()
{
    return {{}, [](const QString& pdf) {
                const auto ventanas = ondas::VentanasOndasAbiertas();
                if (ventanas.size() < 2) {
                    Falta("no second waveform window to print");
                    return;
                }
                // The report's print before and after the views' prints: it
                // neither stops them nor writes over the last one's page.
                ImprimirInforme();
                // The second window keeps the whole record with its cursors moved.
                ImprimirAPdf(ConSufijo(pdf, QStringLiteral("-0")), ventanas[1]);
                ImprimirAPdf(pdf, ventanas[0]);
                QFile pagina(pdf);
                const QByteArray antes = pagina.open(QIODevice::ReadOnly) ? pagina.readAll() : QByteArray();
                pagina.close();
                ImprimirInforme();
                if (!pagina.open(QIODevice::ReadOnly) || pagina.readAll() != antes)
                    Falta("no longer the view's page after the report's print");
            }};
}

// The report printed to <pdf>, as when a view's printer dialog has left the
// printer printing to a file of that name that is not there.
Impresiones ImpresionesInforme()
{
    return {{}, [](const QString& pdf) {
                frmAjustes* f = InformeCargado();
                if (!f) {
                    Falta("no header report to print");
                    return;
                }
                QFile::remove(pdf);
                PrintToPdf(*DialogPrinter(), pdf);
                f->cmdImprimir_Click();
                if (!QFileInfo::exists(pdf))
                    Falta("no report printed");
            }};
}

Impresiones ImpresionesTodo()
{
    const auto imprimir = [](const QString& pdf) {
        ImprimirAPdf(pdf, TodoAnalog(), "no stacked view to print");
    };
    return {[imprimir](const QString& pdf) { imprimir(ConSufijo(pdf, QStringLiteral("-0"))); }, imprimir};
}

// A view with two cursor bars and a print button: at its full view with
// its cursors moved to the samples n / div1 and n / 2 (<pdf>-0.pdf, before
// the zoom step, which sets the same cursors) and at its zoom level
// (<pdf>.pdf).
template <typename Vista> Impresiones ImpresionesConCursores(Vista* (*vista)(), std::int32_t div1)
{
    const auto imprimir = [vista, div1](const QString& pdf, bool moverCursores) {
        Vista* v = vista();
        if (v && moverCursores) {
            v->HScroll1->SetValue(Muestras() / div1);
            v->HScroll2->SetValue(Muestras() / 2);
        }
        ImprimirAPdf(pdf, v);
    };
    return {[imprimir](const QString& pdf) { imprimir(ConSufijo(pdf, QStringLiteral("-0")), true); },
            [imprimir](const QString& pdf) { imprimir(pdf, false); }};
}

// The first composition window.
frmVerCmpang* PrimeraComposicion()
{
    return Composiciones().VentanasComposicion[1].data();
}

// The phasor view's page to <pdf>, the sequence view's to <pdf>-sec, both
// at the position and zoom the steps left them.
Impresiones ImpresionesFasores()
{
    return {{}, [](const QString& pdf) {
                ImprimirAPdf(pdf, Fases(), "no phasor view to print");
                ImprimirAPdf(ConSufijo(pdf, QStringLiteral("-sec")), Secuencias(),
                             "no sequence view to print");
            }};
}

std::vector<Paso> PasosGrid()
{
    return {
        [] {
            ComandoCompdig();
            frmGrid* d = GridCargado();
            if (!d)
                return;
            // Members of the first three groups, those that have them.
            const std::pair<int, int> marcas[] = {{1, 1}, {1, 3}, {2, 1}, {2, 2}, {3, 2}};
            for (const auto& [columna, miembro] : marcas)
                d->lblgrp_Click(columna, miembro);
            d->Combo1->Elegir(0);
        },
        {},
        [] {
            frmGrid* d = GridCargado();
            if (!d) {
                Falta("no digital composition dialog");
                return;
            }
            d->cmdOK_Click();
            if (!Frm19())
                Falta("no digital view");
        },
    };
}

// The started record opened again through File > Open (the file dialog
// answered with its data file): a BINARY record leads to the choice window.
// Then the conversion dialog, a name typed, nothing converted.
std::vector<Paso> PasosConversion()
{
    return {
        [] {
            SetCommonDialogHandler([](DialogKind, const CommonDialog&) {
                return DialogAnswer{false, Registro().RutaDat, 1};
            });
            ComandoAbrirComtrade();
            SetCommonDialogHandler({});
            if (!PoscambCargado())
                Falta("no choice window (is the record BINARY?)");
        },
        {},
        [] {
            if (poscamb* p = PoscambCargado())
                p->Convertir_continuar_Click();
            if (Conversion* c = ConversionCargada())
                c->Senda->setText(QStringLiteral("muestra_ascii"));
            else
                Falta("no conversion dialog");
        },
    };
}

// The template wizard from "nueva": the model chooser with the first sample
// model picked (<file>-0.png), step 1 filled from it, two three-phase sets
// in step 2, three digital groups in step 3, the name "asistente" in the
// record's folder in step 4, saved (asistente.cnf); each step saved as
// <file>-N.png.
std::vector<Paso> PasosAsistente(QWidget* marco, const QString& archivo)
{
    const auto guardar = [marco, archivo](const char* sufijo) {
        return [marco, archivo, sufijo] {
            if (!archivo.isEmpty())
                Guardar(*marco, ConSufijo(archivo, QString::fromLatin1(sufijo)));
        };
    };
    return {
        [] {
            AbrirFrmPlantilla();
            if (frmPlantilla* d = FormPlantilla())
                d->cmdNueva_Click();
        },
        [] {
            if (frmAnalog* a = FormAnalog())
                a->cmdmodelos_Click();
        },
        [] {
            frmBaseModelo* b = FormBaseModelo();
            if (!b) {
                Falta("no model chooser");
                return;
            }
            b->List1_DblClick(0);
        },
        guardar("-0"),
        [] {
            if (frmBaseModelo* b = FormBaseModelo())
                b->cmdOK_Click();
        },
        guardar("-1"),
        [] {
            frmAnalog* a = FormAnalog();
            if (!a) {
                Falta("no step 1");
                return;
            }
            a->cmdOK_Click();
        },
        [] {
            frmTrifasic* t = FormTrifasic();
            if (!t) {
                Falta("no step 2");
                return;
            }
            t->txtnumTrif->setText(QStringLiteral("2"));
            const QString nombres[] = {QStringLiteral("Tensiones"), QStringLiteral("Intensidades")};
            for (std::int32_t s = 1; s <= 2; ++s) {
                for (std::int32_t k = 0; k < 3; ++k)
                    t->ListTrif_DblClick(s, 4 * (s - 1) + k);
                t->nbTrif[s]->setText(nombres[s - 1]);
                t->txtFactor[s]->setText(QStringLiteral("1"));
            }
        },
        guardar("-2"),
        [] {
            if (frmTrifasic* t = FormTrifasic())
                t->cmdOK_Click();
        },
        [] {
            frmDigital* d = FormDigital();
            if (!d) {
                Falta("no step 3");
                return;
            }
            // Three groups of four offered signals each (as many as there
            // are).
            const QString nombres[] = {QStringLiteral("Arranques"), QStringLiteral("Disparos"),
                                       QStringLiteral("Otros")};
            for (std::int32_t g = 0; g < 3; ++g) {
                d->txtnbgrp->setText(nombres[g]);
                d->cmdAnadir_Click();
                for (std::int32_t k = 0; k < 4; ++k) {
                    if (4 * g + k < d->List1->count())
                        d->List1_DblClick(4 * g + k);
                }
            }
            d->List2_Click(0);
        },
        guardar("-3"),
        [] {
            if (frmDigital* d = FormDigital())
                d->cmdOK_Click();
        },
        [] {
            frmSalvaPlan* s = FormSalvaPlan();
            if (!s) {
                Falta("no step 4");
                return;
            }
            // Beside the record.
            const QString carpeta = QFileInfo(Registro().RutaDat).absolutePath();
            if (!Registro().RutaDat.isEmpty() && s->Dir1->Path() != carpeta)
                s->Dir1->SetPath(carpeta);
            s->Text2->setText(QStringLiteral("asistente"));
        },
        guardar("-4"),
        [] {
            frmSalvaPlan* s = FormSalvaPlan();
            if (!s)
                return;
            s->cmdOK_Click();
            if (FormSalvaPlan() || !FormPlantilla())
                Falta("no template saved");
        },
    };
}

std::vector<Paso> PasosInforme()
{
    return {
        [] {
            ComandoInforme();
            if (!InformeCargado())
                Falta("no header report");
        },
        {},
        [] {
            if (frmAjustes* f = InformeCargado())
                f->Lista1->setCurrentRow(std::min(2, f->Lista1->count() - 1));
        },
    };
}

// The add-tool dialog through its menu command, a name typed and the
// browser's first program chosen.
std::vector<Paso> PasosHerramientas()
{
    return {
        [] { MenuForm()->mnuAnadirTool_Click(); },
        {},
        [] {
            if (frmNuevosTools* f = NuevosToolsCargado()) {
                f->txtNombre->setText(QStringLiteral("Analizador"));
                if (f->File1->ListCount() > 0) {
                    f->File1->SetListIndex(0);
                    f->File1_Click();
                }
            } else {
                Falta("no tools dialog");
            }
        },
    };
}

std::vector<Paso> PasosDirectorios()
{
    return {
        [] { MenuForm()->mnuDir_defecto_Click(); },
        {},
        [] {
            if (frmDirect* f = DirectCargado())
                f->diraplic->SetPath(f->diraplic->List(-2));
            else
                Falta("no directories dialog");
        },
    };
}

// The views --view names: each one's steps (given the main window and the
// picture's file) and, for those that have them, its printouts.
struct Captura {
    const char* Vista;
    std::vector<Paso> (*Pasos)(QWidget& marco, const QString& archivo);
    Impresiones (*Impresion)();
};

constexpr Captura kCapturas[] = {
    {"abrir", [](QWidget&, const QString& archivo) { return PasosAbrir(archivo); }, nullptr},
    {"ondas", [](QWidget&, const QString&) { return PasosOndas(); }, ImpresionesOndas},
    {"ondas8", [](QWidget&, const QString&) { return PasosOndas8(); }, nullptr},
    {"todo", [](QWidget&, const QString&) { return PasosTodo(); }, ImpresionesTodo},
    {"fasores", [](QWidget&, const QString&) { return PasosFasores(); }, ImpresionesFasores},
    {"fasores-zoom", [](QWidget&, const QString&) { return PasosFasores(50); }, ImpresionesFasores},
    {"dialogos", [](QWidget&, const QString&) { return PasosDialogos(); }, nullptr},
    {"composicion", [](QWidget&, const QString&) { return PasosComposicion(); },
     [] { return ImpresionesConCursores(&PrimeraComposicion, 3); }},
    {"composicion3", [](QWidget&, const QString&) { return PasosComposicion(true); }, nullptr},
    {"digital", [](QWidget&, const QString&) { return PasosDigital(); },
     [] { return ImpresionesConCursores(&Frm19, 5); }},
    {"grid", [](QWidget&, const QString&) { return PasosGrid(); }, nullptr},
    {"asistente", [](QWidget& marco, const QString& archivo) { return PasosAsistente(&marco, archivo); },
     nullptr},
    {"conversion", [](QWidget&, const QString&) { return PasosConversion(); }, nullptr},
    {"informe", [](QWidget&, const QString&) { return PasosInforme(); }, ImpresionesInforme},
    {"herramientas", [](QWidget&, const QString&) { return PasosHerramientas(); }, nullptr},
    {"directorios", [](QWidget&, const QString&) { return PasosDirectorios(); }, nullptr},
};

} // namespace

void ResponderCajasCaptura()
{
    SetMsgBoxHandler([](const QString& prompt, int style, const QString&) {
        std::fprintf(stderr, "captura: box (%d): %s\n", style, prompt.toLocal8Bit().constData());
        return 1;
    });
}

void ProgramarCaptura(MDIForm1& principal, const QString& vista, const QString& archivo, const QString& pdf)
{
    ResponderCajasCaptura();

    std::vector<Paso> pasos;
    Impresiones impresiones;
    const auto captura = std::find_if(std::begin(kCapturas), std::end(kCapturas),
                                      [&vista](const Captura& c) { return vista == QLatin1String(c.Vista); });
    if (captura != std::end(kCapturas)) {
        pasos = captura->Pasos(principal, archivo);
        if (captura->Impresion)
            impresiones = captura->Impresion();
    } else if (!vista.isEmpty() && vista != QLatin1String("inicio")) {
        Falta("no view of that name; the window as started is saved");
    }

    if (!pdf.isEmpty() && !impresiones.Final)
        Falta("no printout of this view; nothing is printed");

    // Steps: open, then a pause in which the view as opened is saved (and
    // printed), act, a pause, save (and print) and end.
    QWidget* marco = &principal;
    for (Paso& p : pasos) {
        if (!p)
            p = [marco, archivo, pdf, impresiones] {
                if (!archivo.isEmpty())
                    Guardar(*marco, ConSufijo(archivo, QStringLiteral("-0")));
                if (!pdf.isEmpty() && impresiones.Inicial)
                    impresiones.Inicial(pdf);
            };
    }
    pasos.push_back([] {});
    pasos.push_back([marco, archivo, pdf, impresiones] {
        if (!archivo.isEmpty())
            Guardar(*marco, archivo);
        if (!pdf.isEmpty() && impresiones.Final)
            impresiones.Final(pdf);
        QCoreApplication::exit(HuboFalta() ? 1 : 0);
    });
    Ejecutar(std::make_shared<std::vector<Paso>>(std::move(pasos)), 0);
}

} // namespace vesdra
