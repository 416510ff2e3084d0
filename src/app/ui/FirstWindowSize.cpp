#include "FirstWindowSize.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace FirstWindowSize {

namespace {

// Below this the window looks cramped even where its controls would fit.
constexpr QSize kComfortable(1100, 640);
// The title bar and borders the system draws around the window.
constexpr QSize kFrame(16, 40);

} // namespace

Placement choose(QSize wanted, QRect available)
{
    if (!available.isValid())
        return {wanted.expandedTo(kComfortable), false};
    const QSize room = available.size() - kFrame;
    if (wanted.width() > room.width() || wanted.height() > room.height())
        return {wanted.boundedTo(room), true};
    return {wanted.expandedTo(kComfortable).boundedTo(room), false};
}

QSize wanted(const QMainWindow &window, const QWidget &panels)
{
    return panels.sizeHint() + QSize(0, window.menuBar()->sizeHint().height() +
                                            window.statusBar()->sizeHint().height());
}

void apply(QMainWindow &window, const QWidget &panels)
{
    const QScreen *screen = window.screen();
    const Placement placement =
        choose(wanted(window, panels), screen ? screen->availableGeometry() : QRect());
    window.resize(placement.size);
    if (placement.maximised)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

} // namespace FirstWindowSize
