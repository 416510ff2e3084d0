#include "Messages.h"

#include "editor/Translation.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <utility>

using Translation::Key;

namespace {

constexpr const char *kMessageTitle = "Cleatwork";

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

/// A message with a list below it, one line each (file names, table lines: plain text): the
/// first lines shown, all of them behind Show Details when there are many (a long list would
/// make the box taller than the screen).
void showList(QWidget *parent, QMessageBox::Icon icon, const QString &objectName,
              const QString &text, const QStringList &lines)
{
    constexpr qsizetype kShown = 12;
    QStringList shown = lines.mid(0, kShown);
    if (lines.size() > kShown)
        shown << QStringLiteral("\u2026");
    QMessageBox box(icon, QString::fromLatin1(kMessageTitle), text, QMessageBox::Ok, parent);
    box.setObjectName(objectName);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(shown.join(QLatin1Char('\n')));
    if (lines.size() > kShown)
        box.setDetailedText(lines.join(QLatin1Char('\n')));
    box.exec();
}

void problemList(QWidget *parent, const QString &objectName, const QString &text,
                 const QStringList &problems)
{
    showList(parent, QMessageBox::Warning, objectName, text, problems);
}

} // namespace

namespace Messages {

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &objectName,
                                 const QString &text, const QString &details,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, QString::fromLatin1(kMessageTitle), text, buttons, parent);
    box.setObjectName(objectName);
    // The texts hold file names, reasons and table lines: never read as HTML.
    box.setTextFormat(Qt::PlainText);
    if (!details.isEmpty())
        box.setInformativeText(details);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // Qt's own Save, Discard and Cancel carry no Alt letter (its Yes and No do): the language
    // gives them one.
    const std::pair<QMessageBox::StandardButton, Key> captions[] = {
        {QMessageBox::Save, Key::SaveButton},
        {QMessageBox::Discard, Key::DiscardButton},
        {QMessageBox::Cancel, Key::CancelButton}};
    for (const auto &[which, key] : captions) {
        if (QAbstractButton *button = box.button(which))
            button->setText(Translation::text(key));
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void errorFile(QWidget *parent, const QString &details)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         QStringLiteral("Error File"), details);
}

void cannotOpen(QWidget *parent, const QString &path, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Key::CannotOpen, {native(path)}), Translation::reason(reason));
}

void cannotSave(QWidget *parent, const QString &gamePath, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Key::CannotSave, {native(gamePath)}), Translation::reason(reason));
}

void saved(QWidget *parent)
{
    show(parent, QMessageBox::Information, QStringLiteral("savedMessage"),
         QStringLiteral("Saved File"));
}

bool replaceFiles(QWidget *parent, const QString &folder, const QStringList &files)
{
    QStringList names;
    for (const QString &file : files) {
        if (QFileInfo::exists(file))
            names << QFileInfo(file).fileName();
    }
    return names.isEmpty() ||
           show(parent, QMessageBox::Question, QStringLiteral("replaceFilesMessage"),
                Translation::text(Key::ReplaceFiles,
                                  {native(folder), names.join(QStringLiteral(", "))}),
                QString(), QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QMessageBox::StandardButton unsavedEdits(QWidget *parent, const QString &gamePath, bool boots,
                                         const QStringList &archives)
{
    QStringList names;
    for (const QString &archive : archives)
        names << native(archive);
    const QString textures = names.join(QStringLiteral(", "));
    const QString text =
        archives.isEmpty() ? Translation::text(Key::UnsavedChanges, {native(gamePath)})
        : boots ? Translation::text(Key::UnsavedBootsAndTextures, {native(gamePath), textures})
                : Translation::text(Key::UnsavedTextures, {textures});
    return show(parent, QMessageBox::Warning, QStringLiteral("unsavedMessage"), text,
                Translation::text(Key::SaveQuestion),
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
}

void recordLimit(QWidget *parent, int count, int shown)
{
    show(parent, QMessageBox::Information, QStringLiteral("recordLimitMessage"),
         Translation::text(Key::RecordLimit, {QString::number(count), QString::number(shown)}),
         Translation::text(Key::RecordLimitDetails));
}

void cannotChangeStatistics(QWidget *parent, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Key::CannotChangeStatistics), Translation::reason(reason));
}

void cannotLoadArchive(QWidget *parent, const QString &path, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Key::CannotLoadArchive, {native(path)}), Translation::reason(reason));
}

void emptyArchive(QWidget *parent)
{
    show(parent, QMessageBox::NoIcon, QStringLiteral("emptyArchiveMessage"), QString());
}

void cannotExportTable(QWidget *parent, const QString &path, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Translation::Key::CannotExportTable, {native(path)}),
         Translation::reason(reason));
}

void tableNotImported(QWidget *parent, const QString &path, const QStringList &problems)
{
    problemList(parent, QStringLiteral("tableProblemsMessage"),
                Translation::text(Translation::Key::TableNotImported, {native(path)}), problems);
}

void tableUnchanged(QWidget *parent, const QString &path)
{
    show(parent, QMessageBox::Information, QStringLiteral("tableUnchangedMessage"),
         Translation::text(Translation::Key::TableUnchanged, {native(path)}));
}

void tableImported(QWidget *parent, int boots, int fields, const QString &gamePath)
{
    show(parent, QMessageBox::Information, QStringLiteral("tableImportedMessage"),
         Translation::text(Translation::Key::TableImported,
                           {QString::number(boots), QString::number(fields)}),
         Translation::text(Translation::Key::NotWrittenUntilSave, {native(gamePath)}));
}

void cannotExportTexture(QWidget *parent, const QString &path, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Translation::Key::CannotExportTexture, {native(path)}),
         Translation::reason(reason));
}

void cannotReplaceTexture(QWidget *parent, const QString &imagePath, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Translation::Key::CannotReplaceTexture, {native(imagePath)}),
         Translation::reason(reason));
}

void cannotChangeTexture(QWidget *parent, const QString &archivePath, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Translation::Key::CannotChangeTexture, {native(archivePath)}),
         Translation::reason(reason));
}

QMessageBox::StandardButton unsavedTextures(QWidget *parent, const QString &archivePath)
{
    return show(parent, QMessageBox::Warning, QStringLiteral("unsavedMessage"),
                Translation::text(Translation::Key::TexturesReplaced, {native(archivePath)}),
                Translation::text(Translation::Key::SaveQuestion),
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
}

void recentFileMissing(QWidget *parent, const QString &path)
{
    show(parent, QMessageBox::Warning, QStringLiteral("recentMissingMessage"),
         Translation::text(Translation::Key::RecentFileMissing, {native(path)}));
}

void workingFileNotWritten(QWidget *parent, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::reason(Reason(Reasons::Id::CannotWriteWorkingFile, {reason})));
}

void languageRefused(QWidget *parent, const QString &reason)
{
    show(parent, QMessageBox::Warning, QStringLiteral("languageMessage"), reason);
}

void pasteRefused(QWidget *parent, const QStringList &problems)
{
    problemList(parent, QStringLiteral("pasteProblemsMessage"),
                Translation::text(Key::PasteRefused), problems);
}

void texturesExported(QWidget *parent, int written, const QString &folder,
                      const QStringList &skipped)
{
    QString text =
        Translation::text(Key::TexturesExported, {QString::number(written), native(folder)});
    if (!skipped.isEmpty())
        text += QLatin1Char('\n') +
                Translation::text(Key::EntriesSkipped, {QString::number(skipped.size())});
    showList(parent, QMessageBox::Information, QStringLiteral("texturesExportedMessage"), text,
             skipped);
}

void cannotExportTextures(QWidget *parent, const QString &folder, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Key::CannotExportTextures, {native(folder)}),
         Translation::reason(reason));
}

void texturesImported(QWidget *parent, int replaced, int unchanged, int skipped,
                      const QString &archivePath)
{
    show(parent, QMessageBox::Information, QStringLiteral("texturesImportedMessage"),
         Translation::text(
             Key::TexturesImported,
             {QString::number(replaced), QString::number(unchanged), QString::number(skipped)}),
         replaced > 0 ? Translation::text(Key::NotWrittenUntilSave, {native(archivePath)})
                      : QString());
}

void texturesNotImported(QWidget *parent, const QString &folder, const QStringList &problems)
{
    showList(parent, QMessageBox::Warning, QStringLiteral("textureProblemsMessage"),
             Translation::text(Key::TexturesNotImported, {native(folder)}), problems);
}

void cannotImportTextures(QWidget *parent, const QString &folder, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Key::TexturesNotImported, {native(folder)}),
         Translation::reason(reason));
}

bool resizePicture(QWidget *parent, const QString &fileName, const Reason &reason)
{
    return show(parent, QMessageBox::Question, QStringLiteral("resizeMessage"),
                Translation::text(Key::ResizePicture, {fileName, Translation::reason(reason)}),
                QString(), QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes) == QMessageBox::Yes;
}

bool resizePictures(QWidget *parent, int count, const QStringList &problems)
{
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kMessageTitle),
                    Translation::text(Key::ResizePictures, {QString::number(count)}),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("resizeMessage"));
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(problems.mid(0, 12).join(QLatin1Char('\n')));
    if (problems.size() > 12)
        box.setDetailedText(problems.join(QLatin1Char('\n')));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void cannotEditTexture(QWidget *parent, const Reason &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         Translation::text(Key::CannotEditTexture, {Translation::reason(reason)}));
}

} // namespace Messages
