#pragma once

namespace vesdra {

// Fills the shell's view registry (shell/view_services.h) with the entry
// points each view subsystem offers. Start-up, once, before the main window
// loads.
void RegistrarVistas();

} // namespace vesdra
