#pragma once
// INI access with the behaviour of the Windows profile functions that the community's
// language files are written with: case-insensitive names, the first section of a name wins,
// values of at most 254 characters, and writes that keep every other byte of the file.
// Texts are Windows-1252 bytes; no caching, every call reads or rewrites the file.
#include <string>

/// The value of `key` in `section` of `fileName`, or the empty text when the file, the
/// section or the key is missing. Surrounding blanks and one pair of matching outer quotes
/// are removed; values of 255 characters or more come back as their first 254.
std::string ReadIni(const std::string &fileName, const std::string &section,
                    const std::string &key);

/// Sets `key` in `section` of `fileName` to `value`, creating the file (never its folder),
/// the section or the key as needed. False when nothing could be written; `*error` (when
/// given) then says why.
bool WriteIni(const std::string &fileName, const std::string &section, const std::string &key,
              const std::string &value, std::string *error = nullptr);

namespace IniText {
/// The same two operations on the contents of a file held in memory.
std::string read(const std::string &contents, const std::string &section, const std::string &key);
std::string write(const std::string &contents, const std::string &section, const std::string &key,
                  const std::string &value);
} // namespace IniText
