#pragma once
#include <QString>
#include <QStringView>

namespace vesdra {

// The Like operator with binary comparison (case counts):
//   *        any run of characters, also none
//   ?        exactly one character
//   #        one digit 0-9
//   [abc]    one character of the list; ranges as [a-z]; [!abc] one not listed
//   [*] [?] [#] [[]   the character itself
// every other character matches only itself. A '[' without its ']' throws
// VbError 93 (invalid pattern string).
[[nodiscard]] bool Like(QStringView text, QStringView pattern);
[[nodiscard]] inline bool Like(QStringView text, const char* pattern)
{
    return Like(text, QString::fromUtf8(pattern));
}

} // namespace vesdra
