#pragma once
// printf-style formatting into a std::string, for the program's fixed texts.

#include <cstdarg>
#include <cstdio>
#include <string>

namespace korvana {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    text.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return text;
}

}  // namespace korvana
