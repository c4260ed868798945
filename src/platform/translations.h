#pragma once
#include <QString>

namespace vesdra {

// The toolkit's own texts (the buttons of message boxes and of the common
// dialogs: OK, Cancel, Yes, No) in the interface's language, from the
// translations installed with the toolkit, and the runtime's (the
// descriptions of the error box, platform/base/vb_error.h) with them. `code` is "es" or "en"; English
// is the toolkit's own. Replaces the language set before. Returns whether
// the language is in force (false when its translation is not installed:
// the texts then stay English).
bool SetToolkitLanguage(const QString& code);

} // namespace vesdra
