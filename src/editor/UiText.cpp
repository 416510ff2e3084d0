#include "UiText.h"

#include "common/Ansi.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {

std::vector<std::string> &currentTexts()
{
    static std::vector<std::string> texts = TextKeys::read(std::string());
    return texts;
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

namespace UiText {

void apply(const QString &languageFile)
{
    currentTexts() = TextKeys::read(QDir::toNativeSeparators(languageFile).toStdString());
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
        TextKeys::format(currentTexts()[static_cast<std::size_t>(key)], args));
}

QString reason(const Reason &reason)
{
    if (reason.isPlain())
        return QString::fromStdString(reason.plainText());
    QStringList arguments;
    for (const Reason &argument : reason.arguments())
        arguments << UiText::reason(argument);
    return text(TextKeys::reasonKey(reason.id()), arguments);
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

} // namespace UiText
