#pragma once
// The windows opened from the main window: About, the manual and the language editor, each
// made when first asked for and shown again after that. The language editor hides the main
// window while it is open. Nothing here fails: a window that was closed is made anew.
#include <QObject>
#include <QPointer>

class frmAbout;
class frmCreateLanguage;
class frmManual;
class QWidget;

class OtherWindows : public QObject
{
    Q_OBJECT
public:
    /// `main` is hidden while the language editor is open; the editor writes the user's
    /// languages into `userFolder` and reads the bundled ones from `bundledFolder`.
    OtherWindows(QWidget *main, QString userFolder, QString bundledFolder);

    void showAbout();
    void showManual();
    void showLanguageEditor();
    /// The open manual takes the language just applied.
    void retranslate();
    /// Closes every one of them, without showing the main window again.
    void closeAll();

private:
    QWidget *mMain;
    QString mUserFolder;
    QString mBundledFolder;
    QPointer<frmAbout> mAbout;
    QPointer<frmManual> mManual;
    QPointer<frmCreateLanguage> mLanguageEditor;
};
