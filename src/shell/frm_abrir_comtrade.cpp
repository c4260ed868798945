#include "shell/frm_abrir_comtrade.h"

#include "platform/base/vb_error.h"
#include "shell/language.h"
#include "shell/open_hooks.h"
#include "shell/shell_state.h"

namespace vesdra {

ResultadoApertura FrmAbrirComtrade::Form_Load()
{
    CommonDialog& d = CommonDialog1;
    d.CancelError = true;
    d.Flags = cdlOFNReadOnly | cdlOFNHideReadOnly | cdlOFNExtensionDifferent | cdlOFNPathMustExist |
              cdlOFNFileMustExist | cdlOFNLongNames;
    d.Filter = QStringLiteral("Data Files (*.dat)|*.dat");
    d.FilterIndex = 1;
    d.DefaultExt = QStringLiteral(".dat");
    d.DialogTitle = TextosIdioma(18);
    const QString& carpeta = Shell().DirOscilos;
    d.FileName = carpeta.isEmpty() ? QStringLiteral("*.dat") : carpeta + QStringLiteral("/*.dat");
    const QRect menu = AperturaHooks().GeometriaMenu();
    d.Left = menu.x() + menu.width() / 4;
    d.Top = menu.y() + menu.height() / 4;
    try {
        d.ShowOpen();
    } catch (const VbError&) {
        // Cancel, or a dialog that cannot open: nothing happens, the open
        // record stays.
        return {Apertura::Cancelada, {}};
    }
    return AbrirFicheros(d.FileName, d.FileTitle);
}

ResultadoApertura CargarAbrirComtrade()
{
    FrmAbrirComtrade form;
    return form.Form_Load();
}

ResultadoApertura AbrirFicheros(const QString& fileName, const QString& fileTitle)
{
    if (fileTitle.isEmpty())
        return {Apertura::SinTitulo, {}};
    const ResultadoApertura res = AbrirFicheroElegido(fileName);
    if (!res.Abierto())
        return res;
    if (res.TipoFichero == QLatin1String("ASCII"))
        AperturaHooks().MostrarPlantilla();
    else if (res.TipoFichero == QLatin1String("BINARY"))
        AperturaHooks().MostrarPoscamb();
    return res;
}

} // namespace vesdra
