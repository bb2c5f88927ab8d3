#pragma once
// Text helpers. Strings are UTF-8; lengths and widths below count characters
// (code points), so a multi-byte character is never cut in two.

#include <cstdint>
#include <string>
#include <string_view>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Number of characters (code points) of a UTF-8 text; bytes that do not start
// a character (stray continuation bytes) count as characters of their own.
std::size_t Utf8Length(std::string_view s);

// `s` shortened to at most `maxLen` characters. A longer text keeps its first
// maxLen - 1 characters followed by "~" to show that it was cut
// ("Temperature [K]" -> "Temperatur~" for 11); maxLen 1 keeps the first
// character only; maxLen <= 0 gives "".
std::string AbbrevString(std::string_view s, std::int32_t maxLen);

// `s` centred in a field of `width` characters by blanks on both sides; when
// the padding is odd the extra blank goes to the right. A text of `width` or
// more characters is returned unchanged (use AbbrevString to cut first).
std::string CenterString(std::string_view s, std::int32_t width);

// `count` copies of `c`; count <= 0 gives "", counts above kMaxMultiChar are
// clamped to it.
inline constexpr std::int32_t kMaxMultiChar = 65536;
std::string MultiChar(char c, std::int32_t count);

// Replaces every escape "\xHH" (a backslash, "x" or "X", exactly two hex
// digits, either case) by the byte 0xHH, so that names can carry control
// characters: "Line 1\x0ALine 2" becomes two lines. "\x00" is removed (no NUL
// bytes in texts). Anything else - a backslash not followed by x and two hex
// digits, "\\" included - is copied unchanged.
std::string ProcessHexChars(std::string_view s);

}  // namespace mivo
MIVO_PUBLIC_END
