#pragma once
#include <QString>

#include "templates/model_table.h"

namespace vesdra {

// A whole table of a .mdb database file read through libmdb. Failures throw
// VbError: 3044 when the folder of the file does not exist, 3024 when the
// file does not, 3343 when it is not a database libmdb reads, 3078 when the
// table is missing. A damaged file may also end the process: only the
// model reader calls this.
[[nodiscard]] TablaModelo ReadMdbTable(const QString& ruta, const QString& tabla);

} // namespace vesdra
