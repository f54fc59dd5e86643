// Crossing between the editor's Shift_JIS bytes and Qt's Unicode strings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace corvella {

// Bytes that CP932 does not define show as "?".
QString SjisToQString(std::string_view bytes);

// The CP932 bytes of one character, or nothing when CP932 cannot hold it.
std::optional<std::string> CharToSjis(char32_t ch);

// Text coming in from outside (clipboard, drop, input method): CP932 with
// every line end as CR LF. Characters CP932 cannot hold become "?"; their
// number goes to `replaced` when given.
std::string QStringToSjis(const QString& text, std::size_t* replaced = nullptr);

// Text going out: Unicode with the platform's LF line ends.
QString SjisToOutsideText(std::string_view bytes);

}  // namespace corvella
