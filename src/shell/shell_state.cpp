#include "shell/shell_state.h"

namespace vesdra {

ShellState& Shell()
{
    static ShellState state;
    return state;
}

} // namespace vesdra
