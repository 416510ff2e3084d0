#pragma once
// Keyboard mnemonics (Alt+letter) for captions that come without one, as language files give
// them: each caption gets the first letter not yet taken, preferring the first letter of a
// word; a caption that brings its own "&" keeps it.
#include <QString>
#include <QStringList>

namespace Mnemonics {

/// `captions` with one mnemonic each, unique among them (case does not count) while free
/// letters last; captions with their own mnemonic keep it and take their letters first.
/// A "&" that marks no mnemonic is doubled, so that it shows as itself.
QStringList assign(const QStringList &captions);

/// The caption as it is shown: without the mnemonic's "&" ("&&" shows one "&").
QString plain(const QString &caption);

/// The mnemonic's letter in lower case, or a null character when the caption has none.
QChar letter(const QString &caption);

} // namespace Mnemonics
