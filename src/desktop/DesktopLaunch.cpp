#include "DesktopLaunch.h"

#include <QDesktopServices>
#include <QObject>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#ifdef _WIN32
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <QDir>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#endif

namespace DesktopLaunch {

namespace {

void reportLater(QObject *context, std::function<void()> failed)
{
    QTimer::singleShot(0, context, std::move(failed));
}

#ifdef _WIN32
enum Outcome : int { Waiting, Started, Failed };

// The shell's file-launch call, on a thread that nothing waits for: the window asks the
// outcome now and then, and stops asking when it has it or when `context` goes.
void openWithShell(const QString &path, QObject *context, std::function<void()> failed)
{
    auto outcome = std::make_shared<std::atomic<int>>(Waiting);
    const std::wstring file = QDir::toNativeSeparators(path).toStdWString();
    std::thread([file, outcome] {
        // The shell's handlers may be COM objects, which want an apartment of their own.
        const HRESULT com =
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        SHELLEXECUTEINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        info.lpVerb = L"open";
        info.lpFile = file.c_str();
        info.nShow = SW_SHOWNORMAL;
        outcome->store(::ShellExecuteExW(&info) ? Started : Failed);
        if (SUCCEEDED(com))
            ::CoUninitialize();
    }).detach();
    auto *poll = new QTimer(context);
    poll->setInterval(200);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, outcome, failed = std::move(failed)] {
        const int now = outcome->load();
        if (now == Waiting)
            return;
        poll->stop();
        poll->deleteLater();
        if (now == Failed)
            failed();
    });
    poll->start();
}
#endif

} // namespace

void open(const QString &path, const QString &program, QObject *context,
          std::function<void()> failed)
{
    if (!program.isEmpty()) {
        if (!QProcess::startDetached(program, {path}))
            reportLater(context, std::move(failed));
        return;
    }
#ifdef _WIN32
    openWithShell(path, context, std::move(failed));
#else
    // Qt starts xdg-open detached and returns: nothing here waits for the handler.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        reportLater(context, std::move(failed));
#endif
}

} // namespace DesktopLaunch
