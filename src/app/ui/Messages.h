#pragma once
// Every message box of the main window, in one place: each function shows a real, modal
// QMessageBox with its own object name, icon and English text and returns the button pressed.
#include "common/Reason.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace Messages {

/// The one way the window makes a message box; the named messages below go through it.
QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &objectName,
                                 const QString &text, const QString &details = QString(),
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

/// A boots file that did not open; `details` names the file and the reason.
void errorFile(QWidget *parent, const QString &details);
void cannotOpen(QWidget *parent, const QString &path, const Reason &reason);
void cannotSave(QWidget *parent, const QString &gamePath, const Reason &reason);
/// Asks whether Save As may replace those of `files` that are in `folder` already (No is the
/// default); true when it may, or when none is there.
bool replaceFiles(QWidget *parent, const QString &folder, const QStringList &files);
void saved(QWidget *parent);
/// Save, Discard or Cancel for the unsaved edits: the boots of `gamePath` (when `boots`), the
/// textures of the archives `archives` (when any), or both.
QMessageBox::StandardButton unsavedEdits(QWidget *parent, const QString &gamePath,
                                         bool boots = true, const QStringList &archives = {});
void recordLimit(QWidget *parent, int count, int shown);
void cannotChangeStatistics(QWidget *parent, const Reason &reason);
void cannotLoadArchive(QWidget *parent, const QString &path, const Reason &reason);
void emptyArchive(QWidget *parent);
void cannotExportTable(QWidget *parent, const QString &path, const Reason &reason);
/// The problems that stop a table's import, one line each (the first lines shown, all of
/// them behind Show Details when there are many).
void tableNotImported(QWidget *parent, const QString &path, const QStringList &problems);
void tableUnchanged(QWidget *parent, const QString &path);
/// What an import changed, and that `gamePath` is not yet written.
void tableImported(QWidget *parent, int boots, int fields, const QString &gamePath);
void cannotExportTexture(QWidget *parent, const QString &path, const Reason &reason);
void cannotReplaceTexture(QWidget *parent, const QString &imagePath, const Reason &reason);
/// An undo or redo that could not write the archive's working copy.
void cannotChangeTexture(QWidget *parent, const QString &archivePath, const Reason &reason);
/// Save, Discard or Cancel for the replaced textures of the archive `archivePath`.
QMessageBox::StandardButton unsavedTextures(QWidget *parent, const QString &archivePath);
/// A recent file that no longer exists (and has left the recent files).
void recentFileMissing(QWidget *parent, const QString &path);

/// The problems that stop a paste onto the boots table, as tableNotImported() lists them.
void pasteRefused(QWidget *parent, const QStringList &problems);

/// The working file could not be brought in line with the edits (they stay in memory and
/// the next save writes them).
void workingFileNotWritten(QWidget *parent, const Reason &reason);
/// A language was not chosen: `reason` says why (its name cannot be remembered).
void languageRefused(QWidget *parent, const QString &reason);

/// How many textures an export of a whole archive wrote into `folder`, and the entries it skipped.
void texturesExported(QWidget *parent, int written, const QString &folder,
                      const QStringList &skipped);
void cannotExportTextures(QWidget *parent, const QString &folder, const Reason &reason);
/// What a folder's import changed in the archive `archivePath` (not yet saved).
void texturesImported(QWidget *parent, int replaced, int unchanged, int skipped,
                      const QString &archivePath);
/// The problems that stop a folder's import, one line each, naming the files.
void texturesNotImported(QWidget *parent, const QString &folder, const QStringList &problems);
void cannotImportTextures(QWidget *parent, const QString &folder, const Reason &reason);
/// Asks whether to resize the picture `fileName`, which `reason` says is of another size than
/// its texture (naming both sizes). True for Yes.
bool resizePicture(QWidget *parent, const QString &fileName, const Reason &reason);
/// Asks whether to resize the `count` pictures of a folder that `problems` name with both sizes.
bool resizePictures(QWidget *parent, int count, const QStringList &problems);
void cannotEditTexture(QWidget *parent, const Reason &reason);

} // namespace Messages
