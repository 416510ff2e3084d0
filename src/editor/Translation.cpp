#include "Translation.h"

#include "boots/BootFields.h"
#include "common/Ansi.h"
#include "common/VbNumber.h"
#include "language/Ini.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {

std::vector<std::string> &currentTexts()
{
    static std::vector<std::string> texts = LanguageKeys::read(std::string());
    return texts;
}

std::string &currentFile()
{
    static std::string file;
    return file;
}

std::unique_ptr<QTranslator> &installedTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

void installQtTranslations(const QString &locale)
{
    auto &installed = installedTranslator();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        installed = std::move(translator);
}

} // namespace

namespace Translation {

void apply(const QString &languageFile)
{
    currentFile() = QDir::toNativeSeparators(languageFile).toStdString();
    currentTexts() = LanguageKeys::read(currentFile());
    installQtTranslations(text(Key::Locale));
}

QString text(Key key)
{
    return QString::fromStdString(currentTexts()[static_cast<std::size_t>(key)]);
}

QString text(Key key, const QStringList &arguments)
{
    std::vector<std::string> args;
    args.reserve(static_cast<std::size_t>(arguments.size()));
    for (const QString &a : arguments)
        args.push_back(a.toStdString());
    return QString::fromStdString(
        LanguageKeys::format(currentTexts()[static_cast<std::size_t>(key)], args));
}

QString reason(const Reason &reason)
{
    if (reason.isPlain())
        return QString::fromStdString(reason.plainText());
    QStringList arguments;
    for (const Reason &argument : reason.arguments())
        arguments << Translation::reason(argument);
    return text(LanguageKeys::reasonKey(reason.id()), arguments);
}

QString counted(Key key, std::size_t n)
{
    const QStringList forms = text(key).split(QLatin1Char('|'));
    qsizetype form = 0;
    if (forms.size() == 2) {
        form = n == 1 ? 0 : 1;
    } else if (forms.size() >= 3) {
        const std::size_t tens = n % 100;
        form = n == 1 ? 0 : (n % 10 >= 2 && n % 10 <= 4 && (tens < 12 || tens > 14)) ? 1 : 2;
    }
    QString chosen = forms.value(form);
    return chosen.replace(QStringLiteral("%1"), QString::number(n));
}

QStringList reasons(const std::vector<Reason> &reasons)
{
    QStringList out;
    for (const Reason &r : reasons)
        out << reason(r);
    return out;
}

QString replacementNote(const Ansi::Conversion &conversion)
{
    if (conversion.replaced.empty())
        return {};
    QStringList characters;
    for (const std::string &c : conversion.replaced)
        characters << QString::fromStdString(c);
    return text(Key::CharactersReplaced, {characters.join(QLatin1Char(' '))});
}

QString caption(const char *groupBoxKey, const char *english)
{
    const std::string text = groupBoxKey && !currentFile().empty()
                                 ? ReadIniText(currentFile(), "GroupBox", groupBoxKey)
                                 : std::string();
    return QString::fromStdString(text.empty() ? std::string(english) : text);
}

QString caption(const BootField &field)
{
    return caption(field.captionKey, field.caption);
}

QString adjustment(const QString &caption, const std::string &from, const std::string &to,
                   bool isText)
{
    // A name is shown whole; of a longer text, the status line has room for its start and its
    // end, where a cut shows.
    const auto quoted = [](const std::string &utf8) {
        QString t = QString::fromStdString(utf8);
        if (t.size() > 64)
            t = t.left(32) + QChar(0x2026) + t.right(31);
        return QLatin1Char('"') + t + QLatin1Char('"');
    };
    const bool plainNumber = !isText && VbNumber::parse(from).has_value();
    return caption + QStringLiteral(": ") +
           (plainNumber ? QString::fromStdString(from) : quoted(from)) +
           QStringLiteral(" \u2192 ") + (isText ? quoted(to) : QString::fromStdString(to));
}

QString adjustmentNote(const QStringList &adjustments)
{
    if (adjustments.isEmpty())
        return {};
    return text(Key::ValuesAdjusted, {adjustments.join(QStringLiteral("; "))});
}

QStringList adjustments(const std::vector<FieldAdjustment> &adjusted)
{
    QStringList items;
    for (const FieldAdjustment &a : adjusted)
        items << adjustment(caption(*a.field), a.from, a.to, a.field->isText());
    return items;
}

} // namespace Translation
