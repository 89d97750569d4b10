#pragma once

#include <string>

namespace z7 {

// A text value under HKEY_LOCAL_MACHINE as a 32-bit program sees it, read from
// a Wine registry file (the prefix's system.reg). Key and value names ignore
// letter case. In a 64-bit prefix the key under Software\Wow6432Node is opened
// when it exists, else the plain key. Empty text when the file, the key or the
// value is missing; text up to its first NUL; expandable text stays unexpanded.
// A value that is not text throws z7::Error("Ungültiger Datentyp für '<value>'").
std::string ReadWineRegistryText(const std::string &registryFile, const std::string &key,
                                 const std::string &value);

// Whether the registry file holds a non-empty text under the key, read as
// ReadWineRegistryText reads it; false for a missing or broken file and for a
// value that is not text. A file without any key of that last name is passed
// over without being parsed, so that many large prefixes are looked through
// quickly; a name is looked for as wineserver writes it, not in escapes of
// plain letters that only a hand-made file could hold.
bool WineRegistryHoldsText(const std::string &registryFile, const std::string &key,
                           const std::string &value);

} // namespace z7
