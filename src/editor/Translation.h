#pragma once
// The texts of the current language beyond the main window's captions, for every window to
// show, and Qt's own translations (standard buttons, file dialogs) for the language's locale.
#include "common/Reason.h"
#include "language/LanguageKeys.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace Ansi {
struct Conversion;
}
struct BootField;
struct FieldAdjustment;

namespace Translation {

using Key = LanguageKeys::Key;

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
/// The text of `key` for the count `n`, its %1 replaced by n. A text of counts holds its
/// plural forms separated by "|": two (one, many) or, for languages such as Polish, three
/// (one; 2–4 but not 12–14; the rest).
QString counted(Key key, std::size_t n);
/// Each of `reasons` as reason() gives it.
QStringList reasons(const std::vector<Reason> &reasons);
/// A text is no reason: the core hands the window its Reason (errorReason(), a `Reason *`
/// in place of `std::string *error`), never English to be read back.
QString reason(const std::string &english) = delete;

/// The status message for text that best fit changed ("Ł ż"), or the empty text when the
/// conversion replaced nothing.
QString replacementNote(const Ansi::Conversion &conversion);

/// The caption that the current language gives the main window's group box `groupBoxKey`
/// ("GroupBox14"), or `english` when it gives none.
QString caption(const char *groupBoxKey, const char *english);
/// The caption of `field` in the current language (English when the language has none).
QString caption(const BootField &field);

/// One field stored otherwise than typed or held: "Shot Power: 300 → 5", texts quoted
/// (long ones shortened in the middle), and a number typed as no number quoted too.
QString adjustment(const QString &caption, const std::string &from, const std::string &to,
                   bool isText);
/// adjustment() of each field, by its caption in the current language.
QStringList adjustments(const std::vector<FieldAdjustment> &adjusted);
/// The status message naming every adjustment, or the empty text for none.
QString adjustmentNote(const QStringList &adjustments);

} // namespace Translation
