#include "frmApplyPack.h"

#include "app/ui/Messages.h"
#include "editor/GuiText.h"
#include "editor/UiText.h"
#include "common/FileIo.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Key;

namespace {

enum Column { ChangeColumn, StatusColumn, TakeColumn };

QString statusText(PackMerge::Status status)
{
    switch (status) {
    case PackMerge::Status::Applied:
        return UiText::text(Key::PackApplied);
    case PackMerge::Status::AlreadyThere:
        return UiText::text(Key::PackAlreadyThere);
    case PackMerge::Status::Conflict:
        return UiText::text(Key::PackConflict);
    case PackMerge::Status::Problem:
        return UiText::text(Key::PackProblem);
    }
    return QString();
}

} // namespace

frmApplyPack::frmApplyPack(const Pack &pack, PackMerge::Direction direction,
                           std::vector<PackMerge::Item> items, QWidget *parent)
    : QDialog(parent), mPack(pack), mDirection(direction), mItems(std::move(items))
{
    setObjectName(QStringLiteral("frmApplyPack"));
    setWindowTitle(UiText::text(direction == PackMerge::Direction::Apply ? Key::ApplyPack
                                                                         : Key::RevertPack)
                       .remove(QStringLiteral("…")));
    lblPackTitle = new QLabel(QString::fromStdString(pack.manifest.title), this);
    lblPackTitle->setObjectName(QStringLiteral("lblPackTitle"));
    QFont bold = lblPackTitle->font();
    bold.setBold(true);
    lblPackTitle->setFont(bold);
    lblPackDescription = new QLabel(QString::fromStdString(pack.manifest.description), this);
    lblPackDescription->setObjectName(QStringLiteral("lblPackDescription"));
    lblPackDescription->setWordWrap(true);

    lstChanges = new QTreeWidget(this);
    lstChanges->setObjectName(QStringLiteral("lstChanges"));
    lstChanges->setRootIsDecorated(false);
    lstChanges->setColumnCount(3);
    lstChanges->setHeaderHidden(true);
    lstChanges->setUniformRowHeights(true);
    QList<QTreeWidgetItem *> rows;
    rows.reserve(static_cast<qsizetype>(mItems.size()));
    for (const PackMerge::Item &item : mItems) {
        auto *row = new QTreeWidgetItem;
        row->setText(ChangeColumn,
                     QString::fromStdString(PackMerge::describe(pack, direction, item)));
        row->setText(StatusColumn, statusText(item.status));
        if (item.status == PackMerge::Status::Problem) {
            row->setFlags(row->flags() & ~Qt::ItemIsUserCheckable);
            row->setCheckState(ChangeColumn, Qt::Unchecked);
            row->setToolTip(ChangeColumn, UiText::reason(item.problem));
        } else {
            row->setCheckState(ChangeColumn, item.include ? Qt::Checked : Qt::Unchecked);
        }
        if (item.status == PackMerge::Status::Conflict) {
            row->setToolTip(TakeColumn, UiText::text(Key::TakeAll));
            row->setCheckState(TakeColumn, item.take ? Qt::Checked : Qt::Unchecked);
        }
        rows << row;
    }
    lstChanges->addTopLevelItems(rows);
    lstChanges->header()->setSectionResizeMode(ChangeColumn, QHeaderView::Stretch);
    lstChanges->header()->setStretchLastSection(false);

    cmdKeepAll = new QPushButton(UiText::text(Key::KeepAll), this);
    cmdKeepAll->setObjectName(QStringLiteral("cmdKeepAll"));
    cmdTakeAll = new QPushButton(UiText::text(Key::TakeAll), this);
    cmdTakeAll->setObjectName(QStringLiteral("cmdTakeAll"));
    cmdSaveReport = new QPushButton(UiText::text(Key::SaveReport), this);
    cmdSaveReport->setObjectName(QStringLiteral("cmdSaveReport"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));

    auto *row = new QHBoxLayout;
    row->addWidget(cmdKeepAll);
    row->addWidget(cmdTakeAll);
    row->addWidget(cmdSaveReport);
    row->addStretch();
    row->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblPackTitle);
    layout->addWidget(lblPackDescription);
    layout->addWidget(lstChanges, 1);
    layout->addLayout(row);
    resize(720, 420);

    connect(cmdKeepAll, &QPushButton::clicked, this, [this] { setAllConflicts(false); });
    connect(cmdTakeAll, &QPushButton::clicked, this, [this] { setAllConflicts(true); });
    connect(cmdSaveReport, &QPushButton::clicked, this, &frmApplyPack::cmdSaveReport_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<PackMerge::Item> frmApplyPack::items() const
{
    std::vector<PackMerge::Item> out = mItems;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const QTreeWidgetItem *row = lstChanges->topLevelItem(static_cast<int>(i));
        out[i].include = row->checkState(ChangeColumn) == Qt::Checked;
        if (out[i].status == PackMerge::Status::Conflict) {
            out[i].take = row->checkState(TakeColumn) == Qt::Checked;
            out[i].decided = true;
        }
    }
    return out;
}

void frmApplyPack::setAllConflicts(bool take)
{
    for (std::size_t i = 0; i < mItems.size(); ++i) {
        if (mItems[i].status == PackMerge::Status::Conflict)
            lstChanges->topLevelItem(static_cast<int>(i))
                ->setCheckState(TakeColumn, take ? Qt::Checked : Qt::Unchecked);
    }
}

QString frmApplyPack::report() const
{
    const std::vector<PackMerge::Item> chosen = items();
    QString out = QString::fromStdString(mPack.manifest.title) + QLatin1Char('\n');
    for (const PackMerge::Item &item : chosen) {
        if (item.include || item.status == PackMerge::Status::Problem)
            out += QString::fromStdString(PackMerge::describe(mPack, mDirection, item)) +
                   QLatin1Char('\n');
    }
    return out + QString::fromStdString(PackMerge::summary(PackMerge::count(chosen),
                                                           PackMerge::Policy::Keep)) +
           QLatin1Char('\n');
}

bool frmApplyPack::saveReport(const QString &path)
{
    const QByteArray text = report().toUtf8();
    Reason error;
    if (FileIo::writeNamedFile(GuiText::toNative(path),
                               reinterpret_cast<const std::uint8_t *>(text.constData()),
                               static_cast<std::size_t>(text.size()), &error)) {
        return true;
    }
    Messages::show(this, QMessageBox::Warning, QStringLiteral("reportNotWrittenMessage"),
                   UiText::reason(error));
    return false;
}

void frmApplyPack::cmdSaveReport_Click()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("CDSaveReport"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilter(QStringLiteral("*.txt"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        saveReport(dialog.selectedFiles().constFirst());
}
