#include "record/progress_hook.h"

namespace vesdra {

RecordProgress& ProgresoRegistro()
{
    static RecordProgress hooks;
    return hooks;
}

} // namespace vesdra
