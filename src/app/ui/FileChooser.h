#pragma once
// The file-open dialog of the main window and its panels: a real QFileDialog, with the
// filters written as "description|pattern|description|pattern".
#include <QString>

class QWidget;

namespace FileChooser {

/// Shows an open-file dialog named `objectName`, starting in `startFolder` when it is given;
/// the chosen file, or the empty text when the user cancelled.
QString chooseFile(QWidget *parent, const QString &objectName, const QString &filter,
                   const QString &startFolder = QString());

/// Shows a save-file dialog named `objectName` that adds `suffix` to a name typed without
/// one; the chosen file, or the empty text when the user cancelled.
QString chooseSaveFile(QWidget *parent, const QString &objectName, const QString &filter,
                       const QString &suffix, const QString &proposedName = QString());

/// Shows a folder dialog named `objectName`, titled `title` when it is given, starting in
/// `startFolder` when it is given; the chosen folder, or the empty text when the user cancelled.
QString chooseFolder(QWidget *parent, const QString &objectName, const QString &startFolder,
                     const QString &title = QString());

} // namespace FileChooser
