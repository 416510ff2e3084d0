#include "frmApplyPack.h"

#include "app/ui/FileChooser.h"
#include "app/ui/Messages.h"
#include "common/FileIo.h"
#include "editor/CoreStrings.h"
#include "editor/PackWords.h"
#include "editor/Translation.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

using Translation::Key;

namespace {

enum Column { BootColumn, FieldColumn, YoursColumn, PackColumn, ResultColumn, TakeColumn };

// A label that wraps and never widens its window: the whole text is in its tooltip.
QLabel *wrappedLabel(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setTextFormat(Qt::PlainText);
    label->setToolTip(text);
    label->setVisible(!text.isEmpty());
    return label;
}

} // namespace

frmApplyPack::frmApplyPack(const Pack &changes, PackMerge::Direction direction,
                           PackMerge::Plan plan, QWidget *parent)
    : QDialog(parent), mChanges(changes), mDirection(direction), mPlan(std::move(plan))
{
    setObjectName(QStringLiteral("frmApplyPack"));
    setWindowTitle(Translation::text(direction == PackMerge::Direction::Apply ? Key::ApplyPack
                                                                              : Key::RevertPack)
                       .remove(QStringLiteral("…")));
    // A long title is cut to two lines' worth; the tooltip holds it whole.
    const QString title = QString::fromStdString(changes.manifest.title);
    lblPackTitle = wrappedLabel(title.size() > 160 ? title.left(159) + QStringLiteral("…") : title,
                                "lblPackTitle", this);
    lblPackTitle->setToolTip(title);
    QFont bold = lblPackTitle->font();
    bold.setBold(true);
    lblPackTitle->setFont(bold);
    const QString description = QString::fromStdString(changes.manifest.description);
    lblPackDescription = wrappedLabel(
        description.size() > 400 ? description.left(399) + QStringLiteral("…") : description,
        "lblPackDescription", this);
    lblPackDescription->setToolTip(description);

    lstChanges = new QTreeWidget(this);
    lstChanges->setObjectName(QStringLiteral("lstChanges"));
    lstChanges->setRootIsDecorated(false);
    lstChanges->setUniformRowHeights(true);
    QStringList headers = PackWords::headers();
    headers << Translation::text(Key::PackColumnTake);
    lstChanges->setHeaderLabels(headers);
    QList<QTreeWidgetItem *> rows;
    rows.reserve(static_cast<qsizetype>(mPlan.items.size()));
    for (const PackMerge::Item &item : mPlan.items) {
        auto *row = new QTreeWidgetItem(PackWords::row(changes, direction, item));
        row->setCheckState(BootColumn, item.include ? Qt::Checked : Qt::Unchecked);
        if (item.status == PackMerge::Status::Problem)
            row->setToolTip(ResultColumn, Translation::reason(item.reason));
        if (item.status == PackMerge::Status::Conflict)
            row->setCheckState(TakeColumn, item.take ? Qt::Checked : Qt::Unchecked);
        rows << row;
    }
    lstChanges->addTopLevelItems(rows);
    for (const int column : {BootColumn, FieldColumn, YoursColumn, PackColumn, ResultColumn})
        lstChanges->resizeColumnToContents(column);

    lblProblems = new QLabel(this);
    lblProblems->setObjectName(QStringLiteral("lblProblems"));
    lblProblems->setWordWrap(true);
    lblProblems->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cmdKeepAll = new QPushButton(Translation::text(Key::KeepAll), this);
    cmdKeepAll->setObjectName(QStringLiteral("cmdKeepAll"));
    cmdTakeAll = new QPushButton(Translation::text(Key::TakeAll), this);
    cmdTakeAll->setObjectName(QStringLiteral("cmdTakeAll"));
    cmdSaveReport = new QPushButton(Translation::text(Key::SaveReport), this);
    cmdSaveReport->setObjectName(QStringLiteral("cmdSaveReport"));
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
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
    layout->addWidget(lblProblems);
    layout->addLayout(row);
    // Never wider or taller than the screen it opens on.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() * 9 / 10 : QSize(1024, 700);
    setMaximumSize(room.expandedTo(QSize(480, 320)));
    resize(QSize(900, 480).boundedTo(maximumSize()));

    connect(lstChanges, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *changed) { rowChanged(changed); });
    connect(cmdKeepAll, &QPushButton::clicked, this, [this] { setAllConflicts(false); });
    connect(cmdTakeAll, &QPushButton::clicked, this, [this] { setAllConflicts(true); });
    connect(cmdSaveReport, &QPushButton::clicked, this, &frmApplyPack::cmdSaveReport_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showProblems();
}

void frmApplyPack::rowChanged(QTreeWidgetItem *row)
{
    if (mFilling)
        return;
    const int at = lstChanges->indexOfTopLevelItem(row);
    if (at < 0)
        return;
    PackMerge::Item &item = mPlan.items[static_cast<std::size_t>(at)];
    item.include = row->checkState(BootColumn) == Qt::Checked;
    if (item.status == PackMerge::Status::Conflict) {
        item.take = row->checkState(TakeColumn) == Qt::Checked;
        item.decided = true;
    }
    mFilling = true;
    row->setText(ResultColumn, PackWords::result(mDirection, item));
    mFilling = false;
    showProblems();
}

void frmApplyPack::setAllConflicts(bool take)
{
    for (std::size_t i = 0; i < mPlan.items.size(); ++i) {
        if (mPlan.items[i].status == PackMerge::Status::Conflict)
            lstChanges->topLevelItem(static_cast<int>(i))
                ->setCheckState(TakeColumn, take ? Qt::Checked : Qt::Unchecked);
    }
}

void frmApplyPack::showProblems()
{
    // A conflict not yet decided is the receiver's value kept, as the window shows it.
    QStringList why;
    for (const Reason &whole : mPlan.problems)
        why << Translation::text(Key::PackCannotApplyWhole, {Translation::reason(whole)});
    const bool tickedProblem =
        std::any_of(mPlan.items.begin(), mPlan.items.end(), [](const PackMerge::Item &item) {
            return item.include && item.status == PackMerge::Status::Problem;
        });
    if (tickedProblem)
        why << Translation::text(Key::PackTicksBlocked);
    lblProblems->setText(why.join(QLatin1Char('\n')));
    lblProblems->setVisible(!why.isEmpty());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(why.isEmpty());
}

bool frmApplyPack::saveReport(const QString &path)
{
    const QByteArray text = PackWords::report(mChanges, mDirection, mPlan).toUtf8();
    Reason error;
    if (FileIo::writeNamedFile(CoreStrings::toNative(path),
                               reinterpret_cast<const std::uint8_t *>(text.constData()),
                               static_cast<std::size_t>(text.size()), &error)) {
        return true;
    }
    Messages::show(this, QMessageBox::Warning, QStringLiteral("reportNotWrittenMessage"),
                   Translation::reason(error));
    return false;
}

void frmApplyPack::cmdSaveReport_Click()
{
    const QString proposed = mReportFolder.isEmpty()
                                 ? QString()
                                 : QDir(mReportFolder).filePath(QStringLiteral("report.txt"));
    const QString path =
        FileChooser::chooseSaveFile(this, QStringLiteral("CDSaveReport"),
                                    QStringLiteral("*.txt|*.txt"), QStringLiteral("txt"), proposed);
    if (!path.isEmpty())
        saveReport(path);
}
