#pragma once
// Text helpers shared by the report writers.

#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

namespace korvana {

// Appends printf-formatted text.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
inline void AppendFormat(std::string& out, const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length > 0) out.append(buffer, static_cast<size_t>(length) < sizeof buffer
                                         ? static_cast<size_t>(length)
                                         : sizeof buffer - 1);
}

// The bytes a text-mode write of `text` gives on Windows: each "\n" becomes
// CR LF.
inline std::string WithCrLf(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

}  // namespace korvana
