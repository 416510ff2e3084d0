#pragma once
// The texts of the current language beyond the main window's captions, for every window to
// show, and Qt's own translations (standard buttons, file dialogs) for the language's locale.
#include "common/Reason.h"
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

/// A reason the core gave, in the current language, the reasons among its arguments too; its
/// plain texts (names, numbers, a system's message) as they are.
QString reason(const Reason &reason);
/// Each of `reasons` as reason() gives it.
QStringList reasons(const std::vector<Reason> &reasons);
/// A text is no reason: the core hands the window its Reason (errorReason(), a `Reason *`
/// in place of `std::string *error`), never English to be read back.
QString reason(const std::string &english) = delete;

/// The status message for text that best fit changed ("Ł ż"), or the empty text when the
/// conversion replaced nothing.
QString replacementNote(const Ansi::Conversion &conversion);

} // namespace UiText
