#pragma once
// The main window's boots file: Open (from the dialog, a drop, Open Recent or the command
// line), Save and Save As, and the question about unsaved edits before the file is left. The
// document opens and saves; this asks for the file and words what went wrong, also when the
// document's files could not be kept in step (the working file, an original, a receipt).
#include <QObject>
#include <QString>

class AppFolders;
class BootsDocument;
class EditorMemory;
class TextureActions;
class QWidget;

class FileSession : public QObject
{
    Q_OBJECT
public:
    /// The filter text of the Open dialog.
    static const char *const kOpenFilter;

    FileSession(BootsDocument *document, const AppFolders &folders, QWidget *window);
    /// Where the Open dialog starts and whether archives beside a boots file are loaded with it.
    void setMemory(const EditorMemory *memory, TextureActions *textures);

    /// Asks what to do with unsaved edits; false when the user keeps the file open.
    bool maybeSave();
    /// File ▸ Open: the question about unsaved edits, then the dialog.
    void open();
    /// Opens `path` once the question about unsaved edits lets it.
    void openAfterAsking(const QString &path);
    /// Opens `path` without a dialog; false (after a message) when it did not load.
    bool openFile(const QString &path);
    /// Saves over the opened game file; false (after a message) when it failed.
    bool save();
    /// File ▸ Save As: the folder chosen in a dialog captioned `caption`.
    void saveAs(const QString &caption);
    /// True (after a message) when `path` is one of the editor's own working files.
    bool refuseWorkingFile(const QString &path);

signals:
    /// Something for the status bar: a file the editor keeps beside the user's could not be.
    void note(const QString &text);

private:
    BootsDocument *mDocument;
    const AppFolders &mFolders;
    QWidget *mWindow;
    const EditorMemory *mMemory = nullptr;
    TextureActions *mTextures = nullptr;
};
