#pragma once
#include <QString>

namespace vesdra {

// The file at `path`, or the one in its folder whose name differs from it
// only in letter case (REC.CFG for rec.cfg), as a case-insensitive file
// system would find it. "" when there is none.
[[nodiscard]] QString BuscarFichero(const QString& path);

// Whether two paths name the same file as the records' home systems see
// them: folders resolved (links, "..") and names compared without case.
// Either file need not exist.
[[nodiscard]] bool MismoFichero(const QString& a, const QString& b);

} // namespace vesdra
