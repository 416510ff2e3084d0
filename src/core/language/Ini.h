#pragma once
// INI access with the behaviour of the Windows profile functions that the community's
// language files are written with: case-insensitive names, the first section of a name wins,
// values of at most 254 characters, and writes that keep every other byte of the file.
// A file is Windows-1252 unless it starts with the UTF-8 byte-order mark; ReadIni and WriteIni
// pass the file's own bytes, ReadIniText and WriteIniText speak UTF-8 whatever the file holds.
// No caching: every call reads or rewrites the file.
#include "common/Ansi.h"
#include "common/Reason.h"

#include <string>

/// The value of `key` in `section` of `fileName`, or the empty text when the file, the
/// section or the key is missing. Surrounding blanks and one pair of matching outer quotes
/// are removed; values of 255 characters or more come back as their first 254.
std::string ReadIni(const std::string &fileName, const std::string &section,
                    const std::string &key);

/// Sets `key` in `section` of `fileName` to `value`, creating the file (never its folder),
/// the section or the key as needed. Returns false when nothing could be written; `*error`
/// then says why.
bool WriteIni(const std::string &fileName, const std::string &section, const std::string &key,
              const std::string &value, ReasonOut error = nullptr);

/// The value of ReadIni decoded to UTF-8 from the file's encoding.
std::string ReadIniText(const std::string &fileName, const std::string &section,
                        const std::string &key);

/// WriteIni of a UTF-8 value, stored in the file's encoding: as it is in a UTF-8 file, with best
/// fit in a Windows-1252 one (a new file is Windows-1252). `conversion`, when given, receives
/// what the best fit replaced.
bool WriteIniText(const std::string &fileName, const std::string &section, const std::string &key,
                  const std::string &value, Ansi::Conversion *conversion = nullptr,
                  ReasonOut error = nullptr);

namespace IniText {
/// True when `contents` starts with the UTF-8 byte-order mark.
bool isUtf8(const std::string &contents);
/// `value` decoded to UTF-8 from the encoding of `contents`.
std::string decode(const std::string &contents, const std::string &value);

/// The same two operations on the contents of a file held in memory.
std::string read(const std::string &contents, const std::string &section, const std::string &key);
std::string write(const std::string &contents, const std::string &section, const std::string &key,
                  const std::string &value);
} // namespace IniText
