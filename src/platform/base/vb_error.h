#pragma once
#include <QString>
#include <exception>
#include <string>

namespace vesdra {

// A run-time error as the program's handlers report it: a number they can test
// (6 overflow, 53 file not found, 68 device unavailable, 32755 dialog cancel,
// ...) and the runtime's description, shown by the error box as
// "Error " & number & ": " & description in the interface's language.
struct VbError : std::exception {
    int Number{0};
    // The description in English, and in Spanish ("" when it has none: the
    // English one stands in).
    QString Description;
    QString SpanishDescription;
    // The file or folder an error about a file concerns; "" for others. The
    // error box names it after the error's text.
    QString Path;

    // The runtime's own description for the number ("Overflow", "File not found").
    explicit VbError(int number);
    // A description of its own; the runtime's own English description of the
    // number is known in Spanish too.
    VbError(int number, QString description);
    VbError(int number, QString description, QString path);
    // An error described in both languages.
    [[nodiscard]] static VbError Bilingual(int number, QString english, QString spanish, QString path = {});

    // The same error about `path`.
    [[nodiscard]] VbError WithPath(QString path) const;
    // The description in the language of the runtime's texts.
    [[nodiscard]] QString LocalDescription() const;

    [[nodiscard]] const char* what() const noexcept override { return what_.c_str(); }

private:
    void Recomponer();
    std::string what_;
};

// The language of the runtime's own texts (the descriptions of run-time
// errors): the interface's, Spanish or English; English until set.
void SetRuntimeSpanish(bool spanish);
[[nodiscard]] bool RuntimeSpanish();

// Error numbers the handlers test by name.
namespace vberr {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIoError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPatternString = 93;
inline constexpr int InvalidDatabasePath = 3044;
inline constexpr int DialogCancel = 32755;
inline constexpr int InternalError = 51;
} // namespace vberr

// The runtime's description of an error number, in Spanish or English;
// "Application-defined or object-defined error" for numbers it does not
// know.
[[nodiscard]] QString VbErrorDescription(int number, bool spanish);

// An error about the file or folder `path`, with the runtime's description.
[[nodiscard]] VbError FileError(int number, const QString& path);

// "Error 53: File not found" ("Error 53: No se encuentra el archivo" while
// the runtime's texts are Spanish): the text of the critical box every
// handler shows; an error about a file names it on a second line.
[[nodiscard]] QString ErrorBoxText(const VbError& error);

// Any failure caught by a handler as the run-time error it stands for: a
// VbError as it is, running out of memory as 7, anything else as an internal
// error (51) carrying what it said.
[[nodiscard]] VbError ComoVbError(std::exception_ptr e);

} // namespace vesdra
