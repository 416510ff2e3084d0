#pragma once
// The interface language of the main window: the language list's filling at start, the
// captions of the language chosen there, and the choice kept for the next start. A name the
// configuration could not store is refused with a message and the language shown stays; a
// configuration that cannot be written only loses the choice for the next start.
#include <QObject>
#include <QString>

class AppFolders;
class LanguageComboBox;
class QWidget;

class LanguageSwitcher : public QObject
{
    Q_OBJECT
public:
    /// Captions `window`'s controls in the language that `list` shows; `folders` tells where
    /// the bundled languages and the user's own lie.
    LanguageSwitcher(const AppFolders &folders, LanguageComboBox *list, QWidget *window);

    /// Fills the list and applies the configured language (whether or not it is listed); with
    /// no language listed at all, the built-in English captions, and note() says so.
    void startUp();
    /// Captions the window in the language the list shows now.
    void apply();
    /// Makes the folder for the user's own languages where an installed editor has none.
    void makeUserLanguageFolder() const;

signals:
    /// Every caption of the window now reads in the language just applied.
    void applied();
    /// Something for the status bar: no language file was found at start.
    void note(const QString &text);

private:
    void choose();

    const AppFolders &mFolders;
    LanguageComboBox *mList;
    QWidget *mWindow;
    QString mLanguage; ///< the language applied (configured at start, then chosen)
};
