#pragma once
// The INI file, read and written with the rules of the Windows profile
// functions: section and key names compared without regard to case and
// surrounding blanks, the first matching section and key win, integers read
// as an optional sign and leading digits, strings cut to their buffer. In the
// Windows build the ReadIni.../WriteIni... functions call the real profile
// functions; elsewhere they are the portable reader and writer below.
//
// Paths name the file in full; a bare name would send the Windows profile
// functions to the Windows folder, so the Windows build makes it absolute.

#include <string>
#include <vector>

namespace korvana {

// GetPrivateProfileIntA: the key's integer, or `fallback` when the key is
// absent or its value empty. A value that is not a number reads as 0.
int ReadIniInt(const std::string& path, const std::string& section, const std::string& key,
               int fallback);
// GetPrivateProfileStringA: the key's text (one pair of matching quotes around
// it removed), or `fallback`, cut to bufferSize - 1 characters.
std::string ReadIniString(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          size_t bufferSize);
// The names of a section's keys (empty when the section or file is missing
// or holds no key).
std::vector<std::string> ReadIniKeys(const std::string& path, const std::string& section);
// WritePrivateProfileStringA: replaces the value in place or appends it to
// its section, creating the section and the file when missing. Returns false
// when the file cannot be written (read-only, unreadable, folder missing);
// the file is then left as it was.
bool WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value);
// Writes an integer formatted "%i".
bool WriteIniInt(const std::string& path, const std::string& section, const std::string& key,
                 int value);

// --- The portable reader and writer (both builds) ---
//
// The same rules without the operating system. A write never leaves a
// half-written file: the new contents go to a file beside the old one, which
// then replaces it. A value is cut at its first line break, so that no
// value can add lines of its own to the file. New lines end with CR LF.

int PortableReadIniInt(const std::string& path, const std::string& section,
                       const std::string& key, int fallback);
std::string PortableReadIniString(const std::string& path, const std::string& section,
                                  const std::string& key, const std::string& fallback,
                                  size_t bufferSize);
std::vector<std::string> PortableReadIniKeys(const std::string& path,
                                             const std::string& section);
bool PortableWriteIniString(const std::string& path, const std::string& section,
                            const std::string& key, const std::string& value);

}  // namespace korvana
