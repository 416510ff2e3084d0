#include "BootsListPanel.h"

#include "FindBar.h"
#include "app/ui/BootsListWidget.h"
#include "editor/BootsDocument.h"
#include "editor/CoreStrings.h"

#include <QVBoxLayout>

using CoreStrings::fromAnsi;

BootsListPanel::BootsListPanel(BootsDocument *document, QWidget *window, QWidget *parent)
    : QGroupBox(QStringLiteral("List Boots"), parent), mDocument(document),
      List1(new BootsListWidget(this))
{
    setObjectName(QStringLiteral("GroupBox1"));
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMinimumWidth(160);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new FindBar(List1, window));
    layout->addWidget(List1);

    connect(List1, &QListWidget::itemSelectionChanged, this, &BootsListPanel::picked);
    connect(document, &BootsDocument::reset, this, &BootsListPanel::fill);
    connect(document, &BootsDocument::recordsReplaced, this, &BootsListPanel::fill);
    connect(document, &BootsDocument::recordChanged, this, &BootsListPanel::rename);
    connect(document, &BootsDocument::currentBootChanged, this, &BootsListPanel::showCurrent);
}

void BootsListPanel::fill()
{
    mFollowing = true;
    List1->clear();
    const Baza &db = mDocument->database();
    for (int i = 0; i < mDocument->listedCount(); ++i)
        List1->addItem(fromAnsi(db.Get_Nazwa(static_cast<std::uint8_t>(i))));
    mFollowing = false;
    showCurrent();
}

void BootsListPanel::rename(int index)
{
    QListWidgetItem *entry = List1->item(index);
    if (!entry)
        return;
    const QString name =
        fromAnsi(mDocument->database().Get_Nazwa(static_cast<std::uint8_t>(index)));
    if (entry->text() != name)
        entry->setText(name);
}

void BootsListPanel::showCurrent()
{
    const int current = mDocument->currentBoot();
    mFollowing = true;
    if (current >= 0 && current < List1->count()) {
        List1->setCurrentRow(current, QItemSelectionModel::ClearAndSelect);
        List1->scrollToItem(List1->item(current));
    } else {
        List1->clearSelection();
    }
    mFollowing = false;
}

void BootsListPanel::picked()
{
    if (mFollowing)
        return;
    // A list left without a selection (Ctrl+click) keeps the boot that was chosen.
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    if (!selected.isEmpty())
        mDocument->setCurrentBoot(List1->row(selected.constFirst()));
}
