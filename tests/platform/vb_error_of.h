#pragma once
#include "platform/base/vb_error.h"

namespace vesdra::test {

// The run-time error number a call throws, or 0 when it throws none.
int ErrorOf(auto&& f)
{
    try {
        f();
    } catch (const VbError& e) {
        return e.Number;
    }
    return 0;
}

} // namespace vesdra::test
