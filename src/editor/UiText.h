#pragma once
// The texts of the current language beyond the main window's captions, for every window to
// show, and Qt's own translations (standard buttons, file dialogs) for the language's locale.
#include "language/TextKeys.h"

#include <QString>
#include <QStringList>

namespace Ansi {
struct Conversion;
}

namespace UiText {

using Key = TextKeys::Key;

/// Makes the texts of `languageFile` current (English for what it lacks) and installs Qt's
/// translations for its "[Language] Locale" (none when Qt has none for it). Needs the
/// application object.
void apply(const QString &languageFile);

/// The current text of `key`; English until a language is applied.
QString text(Key key);
/// The current text of `key` with "%1", "%2" ... replaced by `arguments`.
QString text(Key key, const QStringList &arguments);

/// A reason the core gave (an English text made by Reasons::text) in the current language,
/// its arguments too when they are reasons; any other text as it is.
QString reason(const std::string &english);
/// A line that names a file or an entry before its reason ("001_ab12.png: <reason>"), with the
/// reason as reason() gives it.
QString reasonLine(const std::string &line);

/// The status message for text that best fit changed ("Ł ż"), or the empty text when the
/// conversion replaced nothing.
QString replacementNote(const Ansi::Conversion &conversion);

} // namespace UiText
