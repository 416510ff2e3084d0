#pragma once
// Where the command line finds the folder the editor keeps the user's things in (the kept
// originals, the receipts of applied packs), by the editor's own rule: the program's folder
// when it is a portable copy (a writable "Language" folder beside the program), otherwise the
// user's data folder of the application ($XDG_DATA_HOME/Cleatwork or
// ~/.local/share/Cleatwork; %LOCALAPPDATA%\Cleatwork on Windows). Paths are UTF-8.
#include <string>

namespace UserFolders {

/// The folder that holds the running program, or the empty text when it cannot be told.
std::string programFolder();

/// The user's folder of a copy whose program is in `programFolder`; the empty text when
/// the system names no data folder for the user.
std::string userFolder(const std::string &programFolder);

} // namespace UserFolders
