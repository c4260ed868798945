#pragma once
#include <QByteArray>
#include <QString>

namespace vesdra {

// The records and settings come from a file system that ignores case: a
// REC.CFG beside rec.dat is the same record. These find such a file here.

// The path of the existing file or folder that the given path names when case
// is ignored, component by component (an exact match wins). When nothing
// matches from some component on, that part is kept as given.
[[nodiscard]] QString ExistingPathNoCase(const QString& path);

// The existing file (not a folder) the path names when case is ignored, as
// ExistingPathNoCase finds it (hidden files too); "" when there is none.
// This is the one lookup of a file beside another (REC.CFG for rec.cfg).
[[nodiscard]] QString FileNoCase(const QString& path);

// True when a file (not a folder) exists at the path, case ignored.
[[nodiscard]] bool FileExistsNoCase(const QString& path);

// A path inside a settings file is the file system's own bytes, so that any
// program handed the file opens the same file whatever letters its name
// holds ("ñ", Greek, CJK). PathFromBytes reads such bytes back; bytes that
// are not the file system's encoding (a file written by a Windows-1252
// program) are read as Windows-1252.
[[nodiscard]] QByteArray PathBytes(const QString& path);
[[nodiscard]] QString PathFromBytes(const QByteArray& bytes);

} // namespace vesdra
