#include "LanguagePanel.h"

#include "app/ui/LanguageComboBox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QGroupBox *groupBox(int number, const QString &caption, QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QStringLiteral("GroupBox%1").arg(number));
    return box;
}

} // namespace

LanguagePanel::LanguagePanel(QWidget *parent) : QGroupBox(QStringLiteral("Other"), parent)
{
    setObjectName(QStringLiteral("GroupBox18"));
    // Side by side: the panels' tallest column (the preview above this) then fits a laptop's
    // screen at the first start.
    auto *layout = new QHBoxLayout(this);
    QGroupBox *language = groupBox(19, QStringLiteral("Language"), this);
    ComboBox = new LanguageComboBox(language);
    (new QVBoxLayout(language))->addWidget(ComboBox);
    QGroupBox *create = groupBox(20, QStringLiteral("Create Language"), this);
    cmdCreate = new QPushButton(QStringLiteral("Create\\Edit"), create);
    cmdCreate->setObjectName(QStringLiteral("cmdCreate"));
    (new QVBoxLayout(create))->addWidget(cmdCreate);
    layout->addWidget(language);
    layout->addWidget(create);
}
