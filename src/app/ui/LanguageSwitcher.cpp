#include "LanguageSwitcher.h"

#include "LanguageComboBox.h"
#include "Messages.h"
#include "WindowCaptions.h"
#include "app/access/WindowAccess.h"
#include "desktop/AppFolders.h"
#include "editor/CoreStrings.h"

#include "language/Languages.h"

#include <QDir>
#include <QSignalBlocker>

using CoreStrings::toNative;

LanguageSwitcher::LanguageSwitcher(const AppFolders &folders, LanguageComboBox *list,
                                   QWidget *window)
    : QObject(window), mFolders(folders), mList(list), mWindow(window)
{
    connect(mList, &QComboBox::activated, this, &LanguageSwitcher::choose);
}

void LanguageSwitcher::startUp()
{
    const std::string bundled = toNative(mFolders.bundledFolder());
    const std::string own = toNative(mFolders.userFolder());
    const QString configured = QString::fromStdString(Languages::configuredLanguage(bundled, own));
    {
        const QSignalBlocker blocker(mList);
        for (const auto &name : Languages::ListLanguages(bundled, own))
            mList->addItem(QString::fromStdString(name));
        if (mList->count() > 0)
            mList->setCurrentIndex(0);
        mList->setEditText(configured);
    }
    mLanguage = configured;
    apply();
    if (mList->count() == 0)
        emit note(Translation::text(Translation::Key::LanguageFilesMissing,
                                    {QDir::toNativeSeparators(QString::fromStdString(
                                        Languages::languageFolder(bundled)))}));
}

void LanguageSwitcher::apply()
{
    // No language listed: the language folder is gone, and the window speaks its own English.
    WindowCaptions::apply(mWindow,
                          QString::fromStdString(Languages::languageFile(
                              toNative(mFolders.bundledFolder()), toNative(mFolders.userFolder()),
                              mList->currentText().toStdString())),
                          mList->count() == 0);
    emit applied();
    // Mnemonics are chosen afresh for the new captions, once every control has taken its own.
    WindowAccess::languageChanged(mWindow);
}

void LanguageSwitcher::choose()
{
    // A name the configuration would store as another one would leave the next start without
    // this language (and without captions): the choice is refused and the current one stays.
    const std::string chosen = mList->currentText().toStdString();
    if (const auto problem = Languages::nameProblem(chosen)) {
        {
            const QSignalBlocker blocker(mList);
            mList->setCurrentIndex(mList->findText(mLanguage));
            mList->setEditText(mLanguage);
        }
        QStringList arguments;
        for (const std::string &a : Languages::nameArguments(chosen))
            arguments << QString::fromStdString(a);
        Messages::languageRefused(mWindow, Translation::text(*problem, arguments));
        return;
    }
    mLanguage = mList->currentText();
    apply();
    makeUserLanguageFolder();
    // The choice is kept for the next start; a configuration that cannot be written only
    // loses that.
    if (!Languages::rememberLanguage(toNative(mFolders.userFolder()),
                                     mList->currentText().toStdString()))
        qWarning("The language choice could not be remembered.");
}

void LanguageSwitcher::makeUserLanguageFolder() const
{
    // An installed editor starts without a folder for the user's own languages.
    if (mFolders.mode() == AppFolders::Mode::Installed)
        QDir().mkpath(QDir(mFolders.userFolder()).filePath(QStringLiteral("Language")));
}
