#include "OtherWindows.h"

#include "app/windows/frmAbout.h"
#include "app/windows/frmCreateLanguage.h"
#include "app/windows/frmManual.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

template <typename Window> Window *shown(QPointer<Window> &window)
{
    if (!window) {
        window = new Window;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window.data();
}

} // namespace

OtherWindows::OtherWindows(QWidget *main, QString userFolder, QString bundledFolder)
    : QObject(main), mMain(main), mUserFolder(std::move(userFolder)),
      mBundledFolder(std::move(bundledFolder))
{
}

void OtherWindows::showAbout()
{
    shown(mAbout);
}

void OtherWindows::showManual()
{
    shown(mManual);
}

void OtherWindows::showLanguageEditor()
{
    if (!mLanguageEditor) {
        mLanguageEditor = new frmCreateLanguage(mUserFolder, mBundledFolder);
        mLanguageEditor->setAttribute(Qt::WA_DeleteOnClose);
        connect(mLanguageEditor, &frmCreateLanguage::closed, mMain, &QWidget::show);
    }
    mLanguageEditor->show();
    mLanguageEditor->raise();
    mMain->hide();
}

void OtherWindows::retranslate()
{
    // The manual is a window of its own: the main window's change does not reach it.
    if (mManual) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(mManual, &change);
    }
}

void OtherWindows::closeAll()
{
    if (mAbout)
        mAbout->close();
    if (mManual)
        mManual->close();
    if (mLanguageEditor) {
        disconnect(mLanguageEditor, nullptr, mMain, nullptr);
        mLanguageEditor->close();
    }
}
