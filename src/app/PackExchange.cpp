#include "PackExchange.h"

#include "app/ui/Commands.h"
#include "app/ui/FileChooser.h"
#include "app/ui/Messages.h"
#include "app/ui/WindowCaptions.h"
#include "app/windows/frmAppliedPacks.h"
#include "app/windows/frmApplyPack.h"
#include "app/windows/frmExportPack.h"
#include "common/FileIo.h"
#include "editor/AppliedPacks.h"
#include "editor/BootsDocument.h"
#include "editor/CoreStrings.h"
#include "editor/PackSteps.h"
#include "editor/PackWords.h"
#include "editor/TextureArchives.h"
#include "editor/Translation.h"
#include "pack/Fingerprint.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"
#include "pack/Receipt.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <set>

using CoreStrings::toNative;
using Translation::Key;

PackExchange::PackExchange(BootsDocument *document, const Commands &commands,
                           std::function<std::vector<int>()> chosenBoots, QWidget *window)
    : QObject(window), mDocument(document), mWindow(window), mChosenBoots(std::move(chosenBoots))
{
    setObjectName(QStringLiteral("packExchange"));
    mnuExportPack = commands.action(QStringLiteral("mnuExportPack"));
    mnuApplyPack = commands.action(QStringLiteral("mnuApplyPack"));
    mnuRevertPack = commands.action(QStringLiteral("mnuRevertPack"));
    mnuAppliedPacks = commands.action(QStringLiteral("mnuAppliedPacks"));
    mnuRevert = commands.action(QStringLiteral("mnuRevert"));
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
    connect(mnuAppliedPacks, &QAction::triggered, this, &PackExchange::showApplied);
    connect(mnuRevert, &QAction::triggered, this, &PackExchange::revertToOriginal);
    connect(mDocument, &BootsDocument::reset, this, &PackExchange::documentReset);
}

void PackExchange::applyTexts()
{
    WindowCaptions::setText(mnuExportPack, Key::ExportPack);
    WindowCaptions::setText(mnuApplyPack, Key::ApplyPack);
    WindowCaptions::setText(mnuRevertPack, Key::RevertPack);
    WindowCaptions::setText(mnuAppliedPacks, Key::AppliedPacks);
    WindowCaptions::setText(mnuRevert, Key::RevertToOriginal);
}

void PackExchange::documentReset()
{
    for (QAction *a : {mnuExportPack, mnuApplyPack, mnuRevertPack, mnuAppliedPacks, mnuRevert})
        a->setEnabled(mDocument->isOpen());
}

QString PackExchange::choosePack(const QString &objectName, bool saving)
{
    if (!mDocument->isOpen())
        return QString();
    const QString filter = Translation::text(Key::BootPacks) + QStringLiteral("|*.cwpack");
    const QString proposed =
        mPackFolder.isEmpty() ? QString()
                              : QDir(mPackFolder)
                                    .filePath(QFileInfo(mDocument->gamePath()).completeBaseName() +
                                              QStringLiteral(".cwpack"));
    const QString path = saving ? FileChooser::chooseSaveFile(mWindow, objectName, filter,
                                                              QStringLiteral("cwpack"), proposed)
                                : FileChooser::chooseFile(mWindow, objectName, filter, mPackFolder);
    if (!path.isEmpty()) {
        mPackFolder = QFileInfo(path).absolutePath();
        emit packFolderChosen(mPackFolder);
    }
    return path;
}

bool PackExchange::exportPack(const QString &path)
{
    auto refuse = [&path](QWidget *over, const Reason &reason) {
        Messages::show(over, QMessageBox::Warning, QStringLiteral("packNotWrittenMessage"),
                       Translation::text(Key::CannotWritePack, {QDir::toNativeSeparators(path),
                                                                Translation::reason(reason)}));
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
        Reason reason;
        Pack made;
        if (!PackSteps::exportInput(*mDocument, basePath, input, &reason) ||
            !PackMaker::make(input, made, &reason))
            return refuse(over, reason);
        pack = std::move(made);
        changed = PackSteps::changedBoots(*mDocument, pack);
        const std::vector<BootRecord> &records = mDocument->database().records();
        for (const int position : changed) {
            const BootRecord &boot = records[static_cast<std::size_t>(position)];
            lines << QStringLiteral("%1  %2").arg(position).arg(CoreStrings::fromAnsi(boot.Nazwa));
        }
        return true;
    };
    frmExportPack dialog(lister, mWindow);
    dialog.setPackTitle(QFileInfo(path).completeBaseName());
    if (!dialog.listed() || dialog.exec() != QDialog::Accepted)
        return false;
    const std::vector<bool> ticked = dialog.ticked();
    std::set<int> chosen;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        if (ticked[i])
            chosen.insert(changed[i]);
    }
    PackSteps::keepOnly(*mDocument, pack, chosen);
    // Texts of the pack are UTF-8, as every pack holds them.
    const QString title = dialog.packTitle();
    pack.manifest.title =
        (title.isEmpty() ? QFileInfo(path).completeBaseName() : title).toStdString();
    pack.manifest.author = dialog.packAuthor().toStdString();
    pack.manifest.description = dialog.packDescription().toStdString();
    pack.manifest.program = std::string("Cleatwork ") + CLEATWORK_VERSION;
    pack.manifest.date = toNative(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    Reason reason;
    if (!PackFile::writeFile(pack, toNative(path), &reason))
        return refuse(mWindow, reason);
    Messages::show(mWindow, QMessageBox::Information, QStringLiteral("packWrittenMessage"),
                   Translation::text(Key::PackWritten, {QDir::toNativeSeparators(path),
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
    FileIo::Bytes zip;
    PackMerge::Receiver receiver;
    bool read = PackSteps::receiver(*mDocument, receiver, &reason);
    if (read) {
        // The pack's textures are unpacked only as far as the open archives could take them.
        PackFile::Limits limits = PackFile::kShowLimits;
        for (const PackMerge::Receiver::Archive &archive : receiver.archives)
            PackFile::allowFor(limits, archive.bytes);
        read = FileIo::readFile(toNative(path), zip, &reason, FileIo::Links::Follow,
                                PackFile::kMaxFileBytes) &&
               PackFile::read(zip, pack, &reason, limits);
    }
    if (!read) {
        Messages::show(mWindow, QMessageBox::Warning, QStringLiteral("packNotReadMessage"),
                       Translation::text(Key::PackNotRead, {QDir::toNativeSeparators(path),
                                                            Translation::reason(reason)}));
        return false;
    }
    const std::string fingerprint = Fingerprint::of(zip);
    if (direction == PackMerge::Direction::Apply) {
        // The receipt is made with the step, from what the user chose; what it records of the
        // pack comes now.
        PackSteps::Record record;
        record.adds = true;
        record.receipt.packFingerprint = fingerprint;
        record.receipt.boots = toNative(mDocument->gamePath());
        record.receipt.applied = Receipts::now();
        return review(pack, direction,
                      PackMerge::examine(pack, direction, receiver, PackSteps::textureFits),
                      record);
    }
    Receipts::Revert revert = Receipts::revert(
        pack, fingerprint, mDocument->appliedPacks().receipts(), receiver, PackSteps::textureFits);
    if (!revert.receipt)
        return review(pack, direction, std::move(revert.plan), {});
    const Receipt kept = *revert.receipt;
    return review(kept.changes, direction, std::move(revert.plan), {kept, false, true});
}

bool PackExchange::showApplied()
{
    if (!mDocument->isOpen())
        return false;
    frmAppliedPacks dialog(mDocument->appliedPacks().receipts(), mWindow);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0)
        return false;
    return revertApplied(static_cast<std::size_t>(dialog.chosen()));
}

bool PackExchange::revertApplied(std::size_t index)
{
    const std::vector<Receipt> &receipts = mDocument->appliedPacks().receipts();
    PackMerge::Receiver receiver;
    Reason error;
    if (index >= receipts.size())
        return false;
    if (!PackSteps::receiver(*mDocument, receiver, &error)) {
        Messages::show(mWindow, QMessageBox::Warning, QStringLiteral("packNotReadMessage"),
                       Translation::reason(error));
        return false;
    }
    const Receipt kept = receipts[index];
    PackMerge::Plan plan = PackMerge::examine(kept.changes, PackMerge::Direction::Revert, receiver,
                                              PackSteps::textureFits, true);
    return review(kept.changes, PackMerge::Direction::Revert, std::move(plan), {kept, false, true});
}

bool PackExchange::review(const Pack &changes, PackMerge::Direction direction, PackMerge::Plan plan,
                          const PackSteps::Record &record)
{
    frmApplyPack dialog(changes, direction, std::move(plan), mWindow);
    dialog.setReportFolder(mPackFolder);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const PackMerge::Plan &chosen = dialog.plan();
    const QString title = QString::fromStdString(changes.manifest.title);
    const QString step = Translation::text(
        direction == PackMerge::Direction::Apply ? Key::ApplyPackStep : Key::RevertPackStep,
        {title});
    // The receipt of an apply records what the user chose, not what the pack offered.
    Reason error;
    if (!PackSteps::apply(*mDocument, changes, direction, chosen, step, record, &error)) {
        Messages::show(mWindow, QMessageBox::Information,
                       QStringLiteral("packChangesNothingMessage"),
                       error.empty() ? Translation::text(Key::PackChangesNothing, {title})
                                     : Translation::reason(error));
        return false;
    }
    emit note(PackWords::summary(changes, direction, PackMerge::count(chosen)));
    return true;
}

bool PackExchange::revertToOriginal()
{
    Reason error;
    if (PackSteps::revertToOriginal(*mDocument, mChosenBoots(),
                                    Translation::text(Key::RevertToOriginal), &error))
        return true;
    if (!error.empty())
        Messages::show(mWindow, QMessageBox::Warning, QStringLiteral("noOriginalMessage"),
                       Translation::reason(error));
    return false;
}
