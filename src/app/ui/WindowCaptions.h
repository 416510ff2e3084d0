#pragma once
// The texts of the main window in the chosen language: the captions that the language file's
// original keys give (a missing key leaves its caption empty) and the texts beyond them
// (a missing key gives the English text). Without any language file at all (a copy that lost
// its language folder) the captions are the program's own English ones.
#include "editor/Translation.h"

#include <QString>

class QObject;
class QWidget;

namespace WindowCaptions {

/// Makes `languageFile` the current language (see Translation::apply) and sets every caption and
/// every text given by setText() in `window` from it; with `builtIn`, when no language file
/// was found, every caption is the built-in English one instead.
void apply(QWidget *window, const QString &languageFile, bool builtIn = false);

/// Gives `control` (an action, a menu, a button or a group box) the text of `key`, now and
/// at every change of language.
void setText(QObject *control, Translation::Key key);

} // namespace WindowCaptions
