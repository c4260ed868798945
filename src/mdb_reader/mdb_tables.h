#pragma once
#include <QString>

#include "templates/model_table.h"

namespace vesdra {

// A whole table of the .mdb database file `ruta` read through libmdb. The
// program has found the file (case ignored) and names it whole, so failures
// throw VbError 3343 when it is not a database libmdb reads and 3078 when
// the table is missing. A damaged file may also end the process: only the
// model reader calls this.
[[nodiscard]] TablaModelo ReadMdbTable(const QString& ruta, const QString& tabla);

} // namespace vesdra
