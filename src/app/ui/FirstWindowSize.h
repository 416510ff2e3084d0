#pragma once
// The main window's size at its first start, before it remembers one of its own: large enough
// to show every control without scrolling, within the screen's free area (the screen less the
// taskbar, and room for the frame the system draws); on a screen too small for that, the
// window opens maximised.
#include <QRect>
#include <QSize>

class QMainWindow;
class QWidget;

namespace FirstWindowSize {

struct Placement
{
    QSize size;
    bool maximised = false;
    bool operator==(const Placement &) const = default;
};

/// The placement for a window whose contents want `wanted` on a screen whose free area is
/// `available`.
Placement choose(QSize wanted, QRect available);

/// What `window` wants to show `panels` (its scrolling central part), its menu bar and its
/// status bar whole.
QSize wanted(const QMainWindow &window, const QWidget &panels);

/// Sizes `window` (or maximises it) by choose().
void apply(QMainWindow &window, const QWidget &panels);

} // namespace FirstWindowSize
