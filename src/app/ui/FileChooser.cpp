#include "FileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

// "description|pattern|..." as Qt's name filters.
QStringList nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1].trimmed();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*"); // "all files" includes files without a dot here
        out << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return out;
}

QString chosen(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

namespace FileChooser {

QString chooseFile(QWidget *parent, const QString &objectName, const QString &filter,
                   const QString &startFolder)
{
    QFileDialog dialog(parent);
    // A remembered folder that no longer exists leaves the dialog where it would start anyway.
    if (!startFolder.isEmpty() && QFileInfo(startFolder).isDir())
        dialog.setDirectory(startFolder);
    dialog.setObjectName(objectName);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters(filter));
    return chosen(dialog);
}

QString chooseSaveFile(QWidget *parent, const QString &objectName, const QString &filter,
                       const QString &suffix, const QString &proposedName)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(objectName);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(nameFilters(filter));
    dialog.setDefaultSuffix(suffix);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    return chosen(dialog);
}

QString chooseFolder(QWidget *parent, const QString &objectName, const QString &startFolder,
                     const QString &title)
{
    QFileDialog dialog(parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    if (!startFolder.isEmpty() && QFileInfo(startFolder).isDir())
        dialog.setDirectory(startFolder);
    dialog.setObjectName(objectName);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return chosen(dialog);
}

} // namespace FileChooser
