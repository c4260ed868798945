#pragma once
#include <QString>
#include <cstdint>

namespace vesdra {

// The keyed values of WIN.INI, read as GetProfileString does.
//
// The file is $WININI when set, else $XDG_CONFIG_HOME/win.ini, else
// ~/.config/win.ini; Windows-1252, lines ended by CR LF or LF.
[[nodiscard]] QString WinIniPath();

struct ProfileString {
    QString Value;          // what the call copies into the buffer
    std::int32_t Length{0}; // the count it returns
};

// Section and key are compared without regard to case; the first section of
// that name is searched. Blanks round the value are dropped and one pair of
// quotes enclosing it is removed. A missing file, section or key gives the
// default (its trailing blanks dropped). The result is cut to bufferSize - 1
// characters, as the buffer holds the terminating zero; a buffer below 1
// gives "".
[[nodiscard]] ProfileString GetProfileString(const QString& section, const QString& key,
                                             const QString& defaultValue = {}, std::int32_t bufferSize = 150);

} // namespace vesdra
