#pragma once
// Keyboard and screen-reader access for the program's windows, from what they show: a
// mnemonic for every menu, menu item and button, a tab order that follows the reading order,
// and an accessible name for every input control from the caption beside it.
#include <QString>

class QGroupBox;
class QMenu;
class QWidget;

namespace WindowAccess {

/// Mnemonics for the menu bar and the buttons of `window` (unique within the bar and within
/// the window, the bar's letters first), the tab order in reading order and the accessible
/// names. Run again whenever captions change: a caption that did not change keeps its
/// letter, and a new one takes a free letter. The menus' items get theirs as they open.
void update(QWidget *window);

/// update() after the window's captions changed to another language: every letter is
/// chosen afresh (the menus' items as they next open), the same for the same captions.
void languageChanged(QWidget *window);

/// Mnemonics for the items of `menu`, unique within it; kept as update() keeps them.
void updateMenu(QMenu *menu);

/// `box`'s caption gets a mnemonic too (after the push buttons'), which moves the focus to
/// the one field it holds: for a field with no caption of its own.
void labelsItsField(QGroupBox *box);

/// `control` (a button, or a group box given labelsItsField()) takes its mnemonic before the
/// window's other controls: for controls that must keep one when letters run short.
void preferMnemonic(QWidget *control);

/// The name a screen reader gets for `control` when it has none of its own: a button's or a
/// group box's own caption, the label whose buddy it is, its placeholder, the caption of its
/// group, its dock's title, its tool tip, a tab bar's pages or its window's title; each as
/// spokenCaption() reads it.
QString nameFromCaptions(const QWidget *control);

/// `caption` as it is meant to be heard: without its mnemonic, a "\" between two words read
/// as the language's "or".
QString spokenCaption(const QString &caption);

/// Ctrl+W and the platform's Close keys close `window` (a dialog closes on Escape already).
void closesOnKeys(QWidget *window);

/// From now on each of the program's windows (objectName "frm...") gets update() when it
/// is shown, when one of its controls is shown later and when its language changes, and
/// combo boxes and group boxes tell screen readers what AccessibleControls says.
/// Installing it twice does nothing more.
void watchApplication();

} // namespace WindowAccess
