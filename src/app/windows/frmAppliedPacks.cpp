#include "frmAppliedPacks.h"

#include "editor/Translation.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using Translation::Key;

frmAppliedPacks::frmAppliedPacks(const std::vector<Receipt> &receipts, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAppliedPacks"));
    setWindowTitle(Translation::text(Key::AppliedPacks).remove(QStringLiteral("…")));
    lstApplied = new QTreeWidget(this);
    lstApplied->setObjectName(QStringLiteral("lstApplied"));
    lstApplied->setRootIsDecorated(false);
    lstApplied->setHeaderLabels(
        {Translation::text(Key::PackColumnTitle), Translation::text(Key::PackColumnAuthor),
         Translation::text(Key::PackColumnApplied), Translation::text(Key::PackColumnChanges)});
    // Newest first: the one a user most likely takes back.
    for (auto r = receipts.rbegin(); r != receipts.rend(); ++r) {
        const QDateTime when =
            QDateTime::fromString(QString::fromStdString(r->applied), Qt::ISODate);
        auto *row = new QTreeWidgetItem(
            {QString::fromStdString(r->title), QString::fromStdString(r->author),
             QLocale().toString(when.toLocalTime(), QLocale::ShortFormat),
             Translation::counted(Key::PackCountFields, r->fieldCount()) + QStringLiteral(", ") +
                 Translation::counted(Key::PackCountTextures, r->textureCount())});
        row->setData(0, Qt::UserRole, static_cast<int>(r.base() - receipts.begin()) - 1);
        row->setToolTip(0, QString::fromStdString(r->title));
        lstApplied->addTopLevelItem(row);
    }
    lstApplied->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    if (lstApplied->topLevelItemCount() > 0)
        lstApplied->setCurrentItem(lstApplied->topLevelItem(0));
    lblNoneApplied = new QLabel(Translation::text(Key::NoPackApplied), this);
    lblNoneApplied->setObjectName(QStringLiteral("lblNoneApplied"));
    lblNoneApplied->setVisible(receipts.empty());
    cmdRevertApplied = new QPushButton(Translation::text(Key::RevertApplied), this);
    cmdRevertApplied->setObjectName(QStringLiteral("cmdRevertApplied"));
    cmdRevertApplied->setEnabled(!receipts.empty());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("buttons"));

    auto *row = new QHBoxLayout;
    row->addWidget(cmdRevertApplied);
    row->addStretch();
    row->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblNoneApplied);
    layout->addWidget(lstApplied, 1);
    layout->addLayout(row);
    resize(640, 320);

    connect(cmdRevertApplied, &QPushButton::clicked, this, [this] {
        if (const QTreeWidgetItem *current = lstApplied->currentItem()) {
            mChosen = current->data(0, Qt::UserRole).toInt();
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
