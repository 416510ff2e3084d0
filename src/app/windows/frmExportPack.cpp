#include "frmExportPack.h"

#include "app/ui/FileChooser.h"
#include "editor/Translation.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using Translation::Key;

frmExportPack::frmExportPack(Lister lister, QWidget *parent)
    : QDialog(parent), mLister(std::move(lister))
{
    setObjectName(QStringLiteral("frmExportPack"));
    setWindowTitle(Translation::text(Key::ExportPack).remove(QStringLiteral("…")));
    lblBase = new QLabel(this);
    lblBase->setObjectName(QStringLiteral("lblBase"));
    cmdBaseFile = new QPushButton(Translation::text(Key::BaseFile), this);
    cmdBaseFile->setObjectName(QStringLiteral("cmdBaseFile"));
    lstBoots = new QListWidget(this);
    lstBoots->setObjectName(QStringLiteral("lstBoots"));
    lstBoots->setUniformItemSizes(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));

    txtPackTitle = new QLineEdit(this);
    txtPackTitle->setObjectName(QStringLiteral("txtPackTitle"));
    txtPackAuthor = new QLineEdit(this);
    txtPackAuthor->setObjectName(QStringLiteral("txtPackAuthor"));
    txtPackDescription = new QPlainTextEdit(this);
    txtPackDescription->setObjectName(QStringLiteral("txtPackDescription"));
    txtPackDescription->setTabChangesFocus(true);
    txtPackDescription->setFixedHeight(txtPackDescription->fontMetrics().lineSpacing() * 4 + 12);
    auto *texts = new QFormLayout;
    texts->addRow(Translation::text(Key::PackTitleLabel), txtPackTitle);
    texts->addRow(Translation::text(Key::PackAuthorLabel), txtPackAuthor);
    texts->addRow(Translation::text(Key::PackDescriptionLabel), txtPackDescription);

    auto *base = new QHBoxLayout;
    base->addWidget(lblBase, 1);
    base->addWidget(cmdBaseFile);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addLayout(base);
    layout->addWidget(lstBoots, 1);
    layout->addWidget(buttons);
    resize(480, 480);
    connect(cmdBaseFile, &QPushButton::clicked, this, &frmExportPack::cmdBaseFile_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    mListed = useBase(QString());
}

bool frmExportPack::useBase(const QString &path)
{
    QStringList boots;
    if (!mLister(path, boots))
        return false;
    mBasePath = path;
    lstBoots->clear();
    for (const QString &boot : boots) {
        auto *item = new QListWidgetItem(boot, lstBoots);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    showBase();
    return true;
}

void frmExportPack::showBase()
{
    lblBase->setText(Translation::text(Key::ChangesSince,
                                       {mBasePath.isEmpty() ? Translation::text(Key::TheOriginal)
                                                            : QFileInfo(mBasePath).fileName()}));
}

std::vector<bool> frmExportPack::ticked() const
{
    std::vector<bool> out;
    out.reserve(static_cast<std::size_t>(lstBoots->count()));
    for (int i = 0; i < lstBoots->count(); ++i)
        out.push_back(lstBoots->item(i)->checkState() == Qt::Checked);
    return out;
}

void frmExportPack::cmdBaseFile_Click()
{
    const QString path = FileChooser::chooseFile(this, QStringLiteral("CDBaseFile"), QString());
    if (!path.isEmpty())
        useBase(path);
}

void frmExportPack::setPackTitle(const QString &title)
{
    txtPackTitle->setText(title);
}

QString frmExportPack::packTitle() const
{
    return txtPackTitle->text().trimmed();
}

QString frmExportPack::packAuthor() const
{
    return txtPackAuthor->text().trimmed();
}

QString frmExportPack::packDescription() const
{
    // One line: a pack's texts hold no control characters.
    return txtPackDescription->toPlainText().simplified();
}
