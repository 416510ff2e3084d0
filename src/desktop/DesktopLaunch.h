#pragma once
// Starting another program on a file (the user's image editor on a texture) without ever
// holding the window: the program runs on its own, and the window learns only whether it could
// be started. A given program is started detached with the file as its one argument. Without
// one, the desktop's own handler for the file's type opens it: on Linux through xdg-open,
// started detached; on Windows through the shell's file-launch call, made on a thread of its
// own, since that call may wait for good (as it did under Wine).
#include <QString>
#include <functional>

class QObject;

namespace DesktopLaunch {

/// Opens `path` in `program` (empty: the desktop's handler). When it cannot be started,
/// `failed` is called later on `context`'s thread, unless `context` is gone by then.
void open(const QString &path, const QString &program, QObject *context,
          std::function<void()> failed);

} // namespace DesktopLaunch
