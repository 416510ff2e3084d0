#include "PackExchange.h"

#include "app/ui/FileChooser.h"
#include "app/ui/MainWindowTexts.h"
#include "app/ui/Messages.h"
#include "app/windows/frmApplyPack.h"
#include "app/windows/frmExportPack.h"
#include "editor/BootsDocument.h"
#include "editor/GuiText.h"
#include "editor/PackSteps.h"
#include "editor/TextureArchives.h"
#include "editor/UiText.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <set>

using GuiText::toNative;
using UiText::Key;

namespace {

QAction *action(QObject *parent, const char *name)
{
    auto *a = new QAction(parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

} // namespace

PackExchange::PackExchange(BootsDocument *document, QMenu *fileMenu, QAction *quit,
                           QMenu *editMenu, std::function<std::vector<int>()> chosenBoots,
                           QWidget *window)
    : QObject(window), mDocument(document), mWindow(window), mChosenBoots(std::move(chosenBoots))
{
    setObjectName(QStringLiteral("packExchange"));
    mnuExportPack = action(this, "mnuExportPack");
    mnuApplyPack = action(this, "mnuApplyPack");
    mnuRevertPack = action(this, "mnuRevertPack");
    mnuRevert = action(this, "mnuRevert");
    // Before the separator that sets Quit apart, in a group of their own.
    const QList<QAction *> items = fileMenu->actions();
    const qsizetype at = items.indexOf(quit);
    QAction *before = at > 0 && items[at - 1]->isSeparator() ? items[at - 1] : quit;
    fileMenu->insertSeparator(before);
    fileMenu->insertActions(before, {mnuExportPack, mnuApplyPack, mnuRevertPack});
    editMenu->addSeparator();
    editMenu->addAction(mnuRevert);
    applyTexts();
    documentReset();

    connect(mnuExportPack, &QAction::triggered, this, [this] {
        const QString path = choosePack(QStringLiteral("CDExportPack"), true);
        if (!path.isEmpty())
            exportPack(path);
    });
    connect(mnuApplyPack, &QAction::triggered, this, [this] {
        const QString path = choosePack(QStringLiteral("CDApplyPack"), false);
        if (!path.isEmpty())
            mergePack(path, PackMerge::Direction::Apply);
    });
    connect(mnuRevertPack, &QAction::triggered, this, [this] {
        const QString path = choosePack(QStringLiteral("CDRevertPack"), false);
        if (!path.isEmpty())
            mergePack(path, PackMerge::Direction::Revert);
    });
    connect(mnuRevert, &QAction::triggered, this, &PackExchange::revertToOriginal);
    connect(mDocument, &BootsDocument::reset, this, &PackExchange::documentReset);
}

void PackExchange::applyTexts()
{
    MainWindowTexts::setText(mnuExportPack, Key::ExportPack);
    MainWindowTexts::setText(mnuApplyPack, Key::ApplyPack);
    MainWindowTexts::setText(mnuRevertPack, Key::RevertPack);
    MainWindowTexts::setText(mnuRevert, Key::RevertToOriginal);
}

void PackExchange::documentReset()
{
    for (QAction *a : {mnuExportPack, mnuApplyPack, mnuRevertPack, mnuRevert})
        a->setEnabled(mDocument->isOpen());
}

QString PackExchange::choosePack(const QString &objectName, bool saving)
{
    if (!mDocument->isOpen())
        return QString();
    const QString filter = UiText::text(Key::BootPacks) + QStringLiteral("|*.cwpack");
    return saving ? FileChooser::chooseSaveFile(mWindow, objectName, filter, QStringLiteral("cwpack"))
                  : FileChooser::chooseFile(mWindow, objectName, filter);
}

bool PackExchange::exportPack(const QString &path)
{
    auto refuse = [&path](QWidget *over, const QString &reason) {
        Messages::show(
            over, QMessageBox::Warning, QStringLiteral("packNotWrittenMessage"),
            UiText::text(Key::CannotWritePack, {QDir::toNativeSeparators(path), reason}));
        return false;
    };
    // The changes since each base the user tries; the user ticks the boots the pack takes, and
    // their textures go with them.
    Pack pack;
    std::vector<int> changed;
    auto lister = [&](const QString &basePath, QStringList &lines) {
        // Over the Export Pack window once it is shown.
        QWidget *over =
            QApplication::activeModalWidget() ? QApplication::activeModalWidget() : mWindow;
        PackMaker::Input input;
        QString error;
        Reason reason;
        Pack made;
        if (!PackSteps::exportInput(*mDocument, basePath, input, &error))
            return refuse(over, error);
        if (!PackMaker::make(input, made, &reason))
            return refuse(over, UiText::reason(reason));
        pack = std::move(made);
        changed = PackSteps::changedBoots(*mDocument, pack);
        const std::vector<BootRecord> &records = mDocument->database().records();
        for (const int position : changed) {
            const BootRecord &boot = records[static_cast<std::size_t>(position)];
            lines << QStringLiteral("%1  %2").arg(position).arg(GuiText::fromAnsi(boot.Nazwa));
        }
        return true;
    };
    frmExportPack dialog(lister, mWindow);
    if (!dialog.listed() || dialog.exec() != QDialog::Accepted)
        return false;
    const std::vector<bool> ticked = dialog.ticked();
    std::set<int> chosen;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        if (ticked[i])
            chosen.insert(changed[i]);
    }
    PackSteps::keepOnly(*mDocument, pack, chosen);
    pack.manifest.title = toNative(QFileInfo(path).completeBaseName());
    pack.manifest.program = std::string("Cleatwork ") + CLEATWORK_VERSION;
    pack.manifest.date = toNative(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    Reason reason;
    if (!PackFile::writeFile(pack, toNative(path), &reason))
        return refuse(mWindow, UiText::reason(reason));
    Messages::show(mWindow, QMessageBox::Information, QStringLiteral("packWrittenMessage"),
                   UiText::text(Key::PackWritten, {QDir::toNativeSeparators(path),
                                                   QString::number(pack.boots.size()),
                                                   QString::number(pack.textures.size())}));
    return true;
}

bool PackExchange::mergePack(const QString &path, PackMerge::Direction direction)
{
    if (!mDocument->isOpen())
        return false;
    Pack pack;
    Reason reason;
    PackMerge::Receiver receiver;
    QString error;
    if (PackSteps::receiver(*mDocument, receiver, &error)) {
        // The pack's textures are unpacked only as far as the open archives could take them.
        PackFile::Limits limits = PackFile::kShowLimits;
        for (const PackMerge::Receiver::Archive &archive : receiver.archives)
            PackFile::allowFor(limits, archive.bytes);
        if (!PackFile::readFile(toNative(path), pack, &reason, limits))
            error = UiText::reason(reason);
    }
    if (!error.isEmpty()) {
        Messages::show(mWindow, QMessageBox::Warning, QStringLiteral("packNotReadMessage"),
                       UiText::text(Key::PackNotRead, {QDir::toNativeSeparators(path), error}));
        return false;
    }
    auto items = PackMerge::examine(pack, direction, receiver, PackSteps::textureFits);
    for (PackMerge::Item &item : items)
        item.include = item.status != PackMerge::Status::Problem;
    frmApplyPack dialog(pack, direction, std::move(items), mWindow);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString title = QString::fromStdString(pack.manifest.title);
    const QString step = UiText::text(direction == PackMerge::Direction::Apply ? Key::ApplyPackStep
                                                                               : Key::RevertPackStep,
                                      {title});
    if (!PackSteps::apply(*mDocument, pack, direction, dialog.items(), step, &error)) {
        Messages::show(mWindow, QMessageBox::Information, QStringLiteral("packChangesNothingMessage"),
                       error.isEmpty() ? UiText::text(Key::PackChangesNothing, {title}) : error);
        return false;
    }
    return true;
}

bool PackExchange::revertToOriginal()
{
    QString error;
    if (PackSteps::revertToOriginal(*mDocument, mChosenBoots(), UiText::text(Key::RevertToOriginal),
                                    &error))
        return true;
    if (!error.isEmpty())
        Messages::show(mWindow, QMessageBox::Warning, QStringLiteral("noOriginalMessage"), error);
    return false;
}
