#include "Messages.h"

#include "language/UiText.h"

#include <QDir>

using UiText::Key;

namespace {

constexpr const char *kMessageTitle = "Cleatwork";

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
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
    if (!details.isEmpty())
        box.setInformativeText(details);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void errorFile(QWidget *parent, const QString &details)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         QStringLiteral("Error File"), details);
}

void cannotOpen(QWidget *parent, const QString &path, const QString &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         UiText::text(Key::CannotOpen, {native(path)}), reason);
}

void cannotSave(QWidget *parent, const QString &gamePath, const QString &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         UiText::text(Key::CannotSave, {native(gamePath)}), reason);
}

void saved(QWidget *parent)
{
    show(parent, QMessageBox::Information, QStringLiteral("savedMessage"),
         QStringLiteral("Saved File"));
}

QMessageBox::StandardButton unsavedEdits(QWidget *parent, const QString &gamePath)
{
    return show(parent, QMessageBox::Warning, QStringLiteral("unsavedMessage"),
                UiText::text(Key::UnsavedChanges, {native(gamePath)}),
                UiText::text(Key::SaveQuestion),
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
}

void recordLimit(QWidget *parent, int count, int shown)
{
    show(parent, QMessageBox::Information, QStringLiteral("recordLimitMessage"),
         UiText::text(Key::RecordLimit, {QString::number(count), QString::number(shown)}),
         UiText::text(Key::RecordLimitDetails));
}

void valueOutOfRange(QWidget *parent)
{
    show(parent, QMessageBox::Warning, QStringLiteral("valueMessage"),
         UiText::text(Key::ValueRange));
}

void cannotChangeStatistics(QWidget *parent, const QString &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         UiText::text(Key::CannotChangeStatistics), reason);
}

void cannotLoadArchive(QWidget *parent, const QString &path, const QString &reason)
{
    show(parent, QMessageBox::Critical, QStringLiteral("errorMessage"),
         UiText::text(Key::CannotLoadArchive, {native(path)}), reason);
}

void emptyArchive(QWidget *parent)
{
    show(parent, QMessageBox::NoIcon, QStringLiteral("emptyArchiveMessage"), QString());
}

} // namespace Messages
