#include "shell/tecla_salir.h"

#include "platform/base/text_file.h"
#include "platform/base/vb_error.h"
#include "platform/key_hook.h"
#include "platform/messages.h"
#include "shell/ini_files.h"
#include "shell/open_hooks.h"

namespace vesdra {

int LetraSalir(std::int32_t idioma)
{
    switch (idioma) {
    case 0:
        return vbKeyX;
    case 1:
        return vbKeyS;
    default:
        return 0;
    }
}

bool TeclaSalir(int shift, int keyCode)
{
    // Only a key that could be the exit key reads tools.ini: any other key,
    // Alt pressed alone among them, costs nothing and never shows a box.
    if (shift != vbAltMask || (keyCode != vbKeyS && keyCode != vbKeyX))
        return false;
    std::int32_t idioma = -1;
    try {
        TextFileReader tools(RutaTools());
        idioma = NumberLine(tools.LineInput());
    } catch (const VbError& e) {
        ShowErrorBox(e);
        return false;
    }
    if (keyCode != LetraSalir(idioma))
        return false;
    AperturaHooks().PulsarSalir();
    return true;
}

void InstalarTeclaSalir()
{
    SetKeyHandler(TeclaSalir);
}

} // namespace vesdra
