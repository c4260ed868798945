#pragma once
#include <QString>

namespace vesdra {

// Whether two paths name the same file as the records' home systems see
// them: folders resolved (links, "..") and names compared without case.
// Either file need not exist.
[[nodiscard]] bool MismoFichero(const QString& a, const QString& b);

} // namespace vesdra
