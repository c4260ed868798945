#include "app/captura.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/frm_fasecuencias.h"
#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "platform/messages.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "record/record_model.h"
#include "shell/mdi_form.h"
#include "shell/menu_commands.h"
#include "views/composition/composition_state.h"
#include "views/composition/frm_new_companalog.h"
#include "views/composition/frm_ver_cmpang.h"
#include "views/digital/frm19.h"
#include "views/digital/frm_elecdig.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_services.h"
#include "views/waves/waves_state.h"

namespace vesdra {

namespace {

using Paso = std::function<void()>;

// Time left to the views' merged resizes and the progress window between
// two steps.
constexpr int kPausaMs = 400;

void Nota(const char* que)
{
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

std::vector<Paso> PasosOndas()
{
    return {
        [] {
            ComandoCanalog();
            if (NewOndasCargado()) {
                LlenarOndas({0, 1, 3});
                NewOndas().cmdOK_Click();
            }
        },
        {},
        [] {
            const auto ventanas = ondas::VentanasOndasAbiertas();
            if (ventanas.size() < 2) {
                Nota("fewer than two waveform windows");
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
            for (frmVerOndas* w : ondas::VentanasOndasAbiertas()) {
                const RecordModel& r = Registro();
                const std::int32_t c = w->CanalVentana >= 1 && w->CanalVentana <= r.TablaCanales.Rows()
                                           ? r.TablaCanales(w->CanalVentana, 1).toInt()
                                           : 0;
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
                Nota("no stacked view");
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

std::vector<Paso> PasosFasores()
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
        [] {
            frmFases* f = Fases();
            if (!f) {
                Nota("no phasor view");
                return;
            }
            f->HScroll1->SetValue((f->HScroll1->Min() + f->HScroll1->Max()) / 2);
            f->cmdmas_Click();
        },
    };
}

std::vector<Paso> PasosComposicion()
{
    return {
        [] {
            ComandoCompanalog();
            frmNewCompanalog* d = NewCompanalogCargado();
            if (!d)
                return;
            // Composition 1: slots 1 to 3, composition 2: slots 7 and 8.
            const std::pair<int, int> casillas[] = {{1, 0}, {2, 1}, {3, 2}, {7, 3}, {8, 4}};
            for (const auto& [casilla, fila] : casillas) {
                d->lblpunt_Click(casilla);
                d->List1->setCurrentRow(fila);
                d->List1_DblClick();
            }
            d->cmdOK_Click();
        },
        {},
        [] {
            frmVerCmpang* v = Composiciones().VentanasComposicion[1].data();
            if (!v) {
                Nota("no composition window");
                return;
            }
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
                Nota("no digital view");
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

} // namespace

void ProgramarCaptura(MDIForm1& principal, const QString& vista, const QString& archivo)
{
    SetMsgBoxHandler([](const QString& prompt, int style, const QString&) {
        std::fprintf(stderr, "captura: box (%d): %s\n", style, prompt.toLocal8Bit().constData());
        return 1;
    });

    std::vector<Paso> pasos;
    if (vista == QLatin1String("ondas"))
        pasos = PasosOndas();
    else if (vista == QLatin1String("ondas8"))
        pasos = PasosOndas8();
    else if (vista == QLatin1String("todo"))
        pasos = PasosTodo();
    else if (vista == QLatin1String("fasores"))
        pasos = PasosFasores();
    else if (vista == QLatin1String("composicion"))
        pasos = PasosComposicion();
    else if (vista == QLatin1String("digital"))
        pasos = PasosDigital();
    else if (!vista.isEmpty() && vista != QLatin1String("inicio"))
        Nota("unknown view; the window as started is saved");

    // Steps: open, then a pause in which the view as opened is saved, act,
    // a pause, save and end.
    QWidget* marco = &principal;
    for (Paso& p : pasos) {
        if (!p)
            p = [marco, archivo] { (void)marco->grab().save(ConSufijo(archivo, QStringLiteral("-0"))); };
    }
    pasos.push_back([] {});
    pasos.push_back([marco, archivo] {
        const bool ok = marco->grab().save(archivo);
        QCoreApplication::exit(ok ? 0 : 1);
    });
    Ejecutar(std::make_shared<std::vector<Paso>>(std::move(pasos)), 0);
}

} // namespace vesdra
