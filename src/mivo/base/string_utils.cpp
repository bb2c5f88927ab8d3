#include "mivo/base/string_utils.h"

#include <algorithm>

namespace mivo {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Index just past the character starting at byte i: a lead byte takes the
// continuation bytes it announces (as far as they are there); any other byte
// stands alone.
std::size_t NextChar(std::string_view s, std::size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  const std::size_t extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
  ++i;
  for (std::size_t k = 0; k < extra && i < s.size() && IsContinuation(static_cast<unsigned char>(s[i])); ++k) ++i;
  return i;
}

// Byte length of the first `chars` characters of s (all of s when shorter).
std::size_t PrefixBytes(std::string_view s, std::size_t chars) {
  std::size_t i = 0;
  for (std::size_t k = 0; k < chars && i < s.size(); ++k) i = NextChar(s, i);
  return i;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::size_t Utf8Length(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); i = NextChar(s, i)) ++n;
  return n;
}

std::string AbbrevString(std::string_view s, std::int32_t maxLen) {
  if (maxLen <= 0) return {};
  const std::size_t len = Utf8Length(s);
  if (len <= static_cast<std::size_t>(maxLen)) return std::string(s);
  if (maxLen == 1) return std::string(s.substr(0, PrefixBytes(s, 1)));
  return std::string(s.substr(0, PrefixBytes(s, static_cast<std::size_t>(maxLen) - 1))) + "~";
}

std::string CenterString(std::string_view s, std::int32_t width) {
  const std::size_t len = Utf8Length(s);
  if (width <= 0 || len >= static_cast<std::size_t>(width)) return std::string(s);
  const std::size_t pad = static_cast<std::size_t>(width) - len;
  const std::size_t left = pad / 2;
  return std::string(left, ' ') + std::string(s) + std::string(pad - left, ' ');
}

std::string MultiChar(char c, std::int32_t count) {
  return std::string(static_cast<std::size_t>(std::clamp(count, 0, kMaxMultiChar)), c);
}

std::string ProcessHexChars(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
      const int hi = HexValue(s[i + 2]);
      const int lo = HexValue(s[i + 3]);
      if (hi >= 0 && lo >= 0) {
        const char byte = static_cast<char>(hi * 16 + lo);
        if (byte != '\0') out += byte;
        i += 3;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

}  // namespace mivo
