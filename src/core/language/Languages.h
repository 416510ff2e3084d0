#pragma once
// Where the interface languages live: the "Language" folder of the program folder, one
// sub-folder per language holding its "LNG.ini", and the configuration file "C" that
// remembers the language chosen last. An installed program has two such folders: the
// bundled languages (read only) and the user's own, which also holds the configuration file;
// the functions that take both folders merge them, the user's language winning.
#include "LanguageKeys.h"

#include <optional>
#include <string>
#include <vector>

namespace Languages {

struct Key
{
    const char *section;
    const char *key;     ///< as the main window reads it
    const char *written; ///< as the language editor writes it ("cmdOpent2")
    const char *control; ///< the main window's control that shows it
    const char *caption; ///< the built-in caption of the main window's design
    int editorField;     ///< index of the language editor's text field
};

/// The 30 keys of a language file, in the order the language editor writes them.
const std::vector<Key> &keys();

std::string languageFolder(const std::string &programFolder);

/// The configuration file: "C" or "c" in the language folder, whichever exists (the reader
/// and the writer of the original program spelled it differently), "C" when neither does.
std::string configFile(const std::string &programFolder);

/// The language file of `language`: Language/<language>/LNG.ini.
std::string languageFile(const std::string &programFolder, const std::string &language);

/// The names of the entries of the language folder that are longer than two characters
/// (folders and plain files alike, hidden ones left out), sorted without regard to case.
std::vector<std::string> ListLanguages(const std::string &programFolder);

/// The languages of both folders together, sorted as ListLanguages sorts, each name once.
std::vector<std::string> ListLanguages(const std::string &bundledFolder,
                                       const std::string &userFolder);

/// The language file of `language` in the user's folder when it has one, otherwise the
/// bundled one.
std::string languageFile(const std::string &bundledFolder, const std::string &userFolder,
                         const std::string &language);

/// The configured language (UTF-8; the file holds Windows-1252), or the empty text.
std::string configuredLanguage(const std::string &programFolder);
/// The configured language of the user's folder, or the bundled default when the user has
/// chosen none.
std::string configuredLanguage(const std::string &bundledFolder, const std::string &userFolder);
/// Remembers `language` in the configuration file. False when it could not be written, or
/// (writing nothing) when nameProblem() refuses the name.
bool rememberLanguage(const std::string &programFolder, const std::string &language);

/// Why `name` (UTF-8) cannot name a language: a folder of the language folder whose name the
/// configuration file reads back exactly. Nothing when it can. The message's "%1" is the name,
/// "%2" the name as the configuration file would read it back (see nameArguments).
std::optional<LanguageKeys::Key> nameProblem(const std::string &name);
std::vector<std::string> nameArguments(const std::string &name);

/// The English message of nameProblem with its arguments, or the empty text.
std::string problemWithName(const std::string &name);

} // namespace Languages
