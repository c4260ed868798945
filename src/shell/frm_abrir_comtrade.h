#pragma once
#include <QString>

#include "platform/common_dialog.h"
#include "shell/abrir_comtrade.h"

namespace vesdra {

// The open dialog: a form that is loaded but never shown, carrying the
// open-file dialog. File > Open loads it afresh; its load runs the open.
struct FrmAbrirComtrade {
    CommonDialog CommonDialog1;

    // Sets the dialog up ("Data Files (*.dat)|*.dat" in DirOscilos, title
    // text 18), places it at a quarter of the menu form and opens it; a
    // cancel or a failure of the dialog ends silently. Then AbrirFicheros.
    ResultadoApertura Form_Load();
};

// File > Open: a fresh frmAbrirComtrade loaded (the previous one is gone).
ResultadoApertura CargarAbrirComtrade();

// What the dialog does with its answer: fileName the full path, fileTitle the
// bare name. Opens the record of the file chosen (AbrirFicheroElegido: a .dat
// or a .cfg) and,
// when it opened, leads on by file type: ASCII to the template dialog,
// BINARY to the conversion choice.
ResultadoApertura AbrirFicheros(const QString& fileName, const QString& fileTitle);

} // namespace vesdra
