// The portable INI reader and writer, with the reading rules of the Windows
// profile functions.

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "platform/file_replace.h"
#include "settings/ini_file.h"

namespace korvana {
namespace {

// Blanks as the profile functions see them, Ctrl-Z (an old end-of-file mark)
// included.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1a;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

enum class LineKind { kBlank, kSection, kKey };

// One line of the file: where it lies in the bytes and what it says.
struct Line {
  size_t begin = 0;    // first byte of the line
  size_t end = 0;      // one past its last byte, line break excluded
  size_t next = 0;     // first byte of the following line
  LineKind kind = LineKind::kBlank;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed
  bool hasValue = false;   // the key line holds an "="
};

// Splits the bytes into lines as the profile functions do: at "\n", or at
// "\r" where no "\n" follows any more.
std::vector<Line> ParseLines(std::string_view bytes) {
  std::vector<Line> lines;
  size_t start = 0;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") start = 3;  // UTF-8 byte-order mark
  while (start < bytes.size()) {
    Line line;
    line.begin = start;
    size_t stop = bytes.find('\n', start);
    if (stop == std::string_view::npos) stop = bytes.find('\r', start);
    if (stop == std::string_view::npos) stop = bytes.size();
    line.end = stop;
    line.next = stop < bytes.size() ? stop + 1 : stop;
    if (line.end > line.begin && bytes[line.end - 1] == '\r') --line.end;
    const std::string_view text = Trim(bytes.substr(start, stop - start));
    if (text.empty()) {
      line.kind = LineKind::kBlank;
    } else if (text.front() == '[' && text.find(']', 1) != std::string_view::npos) {
      line.kind = LineKind::kSection;
      line.name = Trim(text.substr(1, text.rfind(']') - 1));
    } else {
      line.kind = LineKind::kKey;
      const size_t equals = text.find('=');
      if (equals == std::string_view::npos) {
        line.name = text;
      } else {
        line.name = Trim(text.substr(0, equals));
        line.value = Trim(text.substr(equals + 1));
        line.hasValue = true;
      }
    }
    lines.push_back(line);
    start = line.next;
  }
  return lines;
}

// Where a section begins and ends among the lines: [first, last) are the
// lines after its header. Lines before any header form the nameless section.
struct SectionSpan {
  bool found = false;
  size_t header = 0;  // index of the header line (unused for the nameless one)
  size_t first = 0;
  size_t last = 0;
};

SectionSpan FindSection(const std::vector<Line>& lines, std::string_view wanted) {
  SectionSpan span;
  wanted = Trim(wanted);
  if (wanted.empty()) {
    // The nameless section holds the lines before the first header.
    size_t i = 0;
    while (i < lines.size() && lines[i].kind != LineKind::kSection) ++i;
    span.found = true;
    span.first = 0;
    span.last = i;
    return span;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::kSection || !SameName(lines[i].name, wanted)) continue;
    span.found = true;
    span.header = i;
    span.first = i + 1;
    size_t j = i + 1;
    while (j < lines.size() && lines[j].kind != LineKind::kSection) ++j;
    span.last = j;
    return span;  // the first matching section wins, even when it lacks the key
  }
  return span;
}

const Line* FindKey(const std::vector<Line>& lines, const SectionSpan& span,
                    std::string_view wanted) {
  if (!span.found) return nullptr;
  wanted = Trim(wanted);
  for (size_t i = span.first; i < span.last; ++i)
    if (lines[i].kind == LineKind::kKey && SameName(lines[i].name, wanted)) return &lines[i];
  return nullptr;
}

// The stored text of a key as the profile functions hand it out: one pair of
// matching quotes around the whole value is removed.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// The key's value, or nothing when the file, section or key is missing or
// the key line holds no "=".
bool LookUp(const std::string& path, const std::string& section, const std::string& key,
            std::string* value) {
  std::string bytes;
  if (ReadWholeFile(path, &bytes) != FileReadResult::kRead) return false;
  const std::vector<Line> lines = ParseLines(bytes);
  const Line* line = FindKey(lines, FindSection(lines, section), key);
  if (line == nullptr || !line->hasValue) return false;
  *value = std::string(Unquote(line->value));
  return true;
}

std::string_view FirstLine(std::string_view text) {
  const size_t stop = text.find_first_of("\r\n");
  return stop == std::string_view::npos ? text : text.substr(0, stop);
}

}  // namespace

std::string PortableReadIniString(const std::string& path, const std::string& section,
                                  const std::string& key, const std::string& fallback,
                                  size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  std::string value;
  if (!LookUp(path, section, key, &value)) {
    // The profile functions drop trailing spaces of the default.
    value = fallback;
    while (!value.empty() && value.back() == ' ') value.pop_back();
  }
  if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
  return value;
}

int PortableReadIniInt(const std::string& path, const std::string& section,
                       const std::string& key, int fallback) {
  // The profile functions read the value through a 30-character buffer, then
  // take an optional sign and the leading digits, wrapping like a 32-bit
  // unsigned count. Like Windows they also honour the prefixes "0x", "0o"
  // and "0b" (lower case only) for hexadecimal, octal and binary digits.
  const std::string text = PortableReadIniString(path, section, key, "", 30);
  if (text.empty()) return fallback;
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    switch (text[i + 1]) {
      case 'x': base = 16; break;
      case 'o': base = 8; break;
      case 'b': base = 2; break;
      default: break;
    }
    if (base != 10) i += 2;
  }
  uint32_t total = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'z') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'Z') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    total = total * base + digit;
  }
  if (negative) total = 0u - total;
  return static_cast<int>(total);
}

std::vector<std::string> PortableReadIniKeys(const std::string& path,
                                             const std::string& section) {
  std::vector<std::string> keys;
  std::string bytes;
  if (ReadWholeFile(path, &bytes) != FileReadResult::kRead) return keys;
  const std::vector<Line> lines = ParseLines(bytes);
  const SectionSpan span = FindSection(lines, section);
  if (!span.found) return keys;
  for (size_t i = span.first; i < span.last; ++i) {
    const Line& line = lines[i];
    // Comments and lines without "=" are not keys.
    if (line.kind != LineKind::kKey || !line.hasValue || line.name.empty() ||
        line.name.front() == ';')
      continue;
    keys.emplace_back(line.name);
  }
  return keys;
}

bool PortableWriteIniString(const std::string& path, const std::string& section,
                            const std::string& key, const std::string& value) {
  const std::string_view wantedSection = Trim(section);
  const std::string_view wantedKey = Trim(key);
  if (wantedKey.empty()) return false;
  std::string bytes;
  switch (ReadWholeFile(path, &bytes)) {
    case FileReadResult::kRead:
      break;
    case FileReadResult::kMissing:
      bytes.clear();
      break;
    case FileReadResult::kUnreadable:
      return false;  // never overwrite what could not be read
  }
  const std::string entry =
      std::string(wantedKey) + "=" + std::string(FirstLine(value));
  const std::vector<Line> lines = ParseLines(bytes);
  const SectionSpan span = FindSection(lines, wantedSection);
  std::string updated;
  if (const Line* line = FindKey(lines, span, wantedKey)) {
    updated = bytes.substr(0, line->begin) + entry + bytes.substr(line->end);
  } else if (span.found) {
    // Append after the section's last non-blank line (or its header).
    size_t at = span.first;  // line index to insert before
    for (size_t i = span.first; i < span.last; ++i)
      if (lines[i].kind != LineKind::kBlank) at = i + 1;
    size_t offset;
    std::string prefix;
    if (at == 0) {
      offset = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    } else {
      const Line& before = lines[at - 1];
      offset = before.next;
      if (before.next == before.end) prefix = "\r\n";  // the file ended without a break
    }
    updated = bytes.substr(0, offset) + prefix + entry + "\r\n" + bytes.substr(offset);
  } else {
    updated = bytes;
    if (!updated.empty() && updated.back() != '\n' && updated.back() != '\r') updated += "\r\n";
    updated += "[" + std::string(wantedSection) + "]\r\n" + entry + "\r\n";
  }
  return ReplaceFileContents(path, updated);
}

}  // namespace korvana
