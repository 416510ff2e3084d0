#include "GlobalChangePanel.h"

#include "app/access/WindowAccess.h"
#include "app/panels/RecordEditorPanel.h"
#include "app/ui/Messages.h"
#include "app/ui/WindowCaptions.h"
#include "app/ui/WrapGrid.h"

#include "boots/BootFields.h"
#include "common/VbNumber.h"
#include "editor/BootsDocument.h"
#include "editor/Translation.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char *const kStatisticCaptions[5] = {"Shot Power", "Shot Accuracy", "Acceleration",
                                           "Top Speed", "Swerve"};

QGroupBox *groupBox(int number, const char *caption, QWidget *parent)
{
    auto *box = new QGroupBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QStringLiteral("GroupBox%1").arg(number));
    return box;
}

} // namespace

GlobalChangePanel::GlobalChangePanel(BootsDocument *document, RecordEditorPanel *editor,
                                     QWidget *parent)
    : QGroupBox(QStringLiteral("Global Options"), parent), mDocument(document), mEditor(editor)
{
    setObjectName(QStringLiteral("GroupBox12"));
    QGroupBox *changeBox = groupBox(13, "Change Stats", this);
    (new QVBoxLayout(this))->addWidget(changeBox);
    auto *change = new QVBoxLayout(changeBox);
    R1 = new QRadioButton(QStringLiteral("Only selected"), changeBox);
    R1->setObjectName(QStringLiteral("R1"));
    R1->setChecked(true);
    R2 = new QRadioButton(QStringLiteral("All"), changeBox);
    R2->setObjectName(QStringLiteral("R2"));
    R3 = new QRadioButton(changeBox);
    R3->setObjectName(QStringLiteral("R3"));
    R3->setEnabled(false);
    WindowCaptions::setText(R3, Translation::Key::SelectedRows);
    // The choice above the ticks, the ticks two a row beside the value; where long captions
    // leave no room for that, the choices and the ticks go one a row.
    auto *choices = new WrapGrid({3, 1}, 3);
    for (QRadioButton *choice : {R1, R2, R3})
        choices->addWidget(choice);
    change->addLayout(choices);
    // The ticks in a grid of their own beside the value, so that Tab reads them row by row
    // rather than down the columns the value's height would make of them.
    auto *ticks = new QWidget(changeBox);
    ticks->setObjectName(QStringLiteral("ticksStatistics"));
    auto *tickGrid = new WrapGrid({2, 1}, 2, ticks);
    tickGrid->setContentsMargins(0, 0, 0, 0);
    for (int s = 0; s < 5; ++s) {
        Ch[s] = new QCheckBox(QString::fromLatin1(kStatisticCaptions[s]), ticks);
        Ch[s]->setObjectName(QStringLiteral("Ch%1").arg(s + 1));
        Ch[s]->setChecked(true);
        tickGrid->addWidget(Ch[s]);
    }
    auto *ticksAndValue = new QHBoxLayout;
    ticksAndValue->addWidget(ticks);
    change->addLayout(ticksAndValue);
    QGroupBox *valueBox = groupBox(14, "Value", changeBox);
    // The value has no caption of its own: its group's caption carries its mnemonic.
    WindowAccess::labelsItsField(valueBox);
    Over = new QLineEdit(QStringLiteral("5"), valueBox);
    Over->setObjectName(QStringLiteral("Over"));
    Over->setAlignment(Qt::AlignCenter);
    // A digit needs no more than the field's least width: the ticks keep theirs, the value
    // takes what is left.
    Over->setSizePolicy(QSizePolicy::Ignored, Over->sizePolicy().verticalPolicy());
    Over->setMinimumWidth(Over->minimumSizeHint().width());
    (new QVBoxLayout(valueBox))->addWidget(Over);
    ticksAndValue->addWidget(valueBox, 1);
    cmdChange = new QPushButton(QStringLiteral("Change"), changeBox);
    cmdChange->setObjectName(QStringLiteral("cmdChange"));
    change->addWidget(cmdChange);

    // "All" sets every statistic: the ticks keep their state but choose nothing then.
    // Letters run short in some languages: every choice of the change keeps its own.
    for (QWidget *control : std::initializer_list<QWidget *>{R1, R2, R3, Ch[0], Ch[1], Ch[2], Ch[3],
                                                             Ch[4], valueBox, cmdChange})
        WindowAccess::preferMnemonic(control);

    connect(R1, &QRadioButton::clicked, this, [this] {
        if (R1->isChecked())
            enableTicks(true);
    });
    connect(R3, &QRadioButton::clicked, this, [this] {
        if (R3->isChecked())
            enableTicks(true);
    });
    connect(R2, &QRadioButton::clicked, this, [this] {
        if (R2->isChecked())
            enableTicks(false);
    });
    connect(Over, &QLineEdit::textChanged, this, &GlobalChangePanel::capValue);
    connect(cmdChange, &QPushButton::clicked, this, &GlobalChangePanel::change);
}

void GlobalChangePanel::change()
{
    if (selectedRowsChosen()) {
        mDocument->changeStatistics(mDocument->selectedBoots(), tickedStatistics(), valueText());
        return;
    }
    const int boot = mDocument->currentBoot();
    if (onlySelected()) {
        if (boot < 0)
            return;
        // The rule runs even when a field already showed the value; with nothing ticked
        // there is nothing to set, and the boot is not stored again either.
        const auto set = mEditor->putValueInStatistics(valueText(), tickedStatistics());
        if (!set.empty())
            mEditor->store(RecordEdit::statistics(set));
        return;
    }
    if (boot >= 0)
        mEditor->putValueInStatistics(valueText(), {true, true, true, true, true});
    Reason reason;
    bool changed = false;
    mEditor->keepFieldsWhile([&] {
        changed = mDocument->changeAllStatistics(valueText(), boot, mEditor->texts(), &reason);
    });
    if (!changed) {
        mEditor->showCurrentBoot(); // the fields show the statistics the boot still has
        Messages::cannotChangeStatistics(window(), reason);
    }
}

void GlobalChangePanel::enableTicks(bool enabled)
{
    for (QCheckBox *box : Ch)
        box->setEnabled(enabled);
}

bool GlobalChangePanel::onlySelected() const
{
    return R1->isChecked();
}

bool GlobalChangePanel::selectedRowsChosen() const
{
    return R3->isChecked();
}

void GlobalChangePanel::setSelectedRowsAvailable(bool available)
{
    R3->setEnabled(available);
    if (!available && R3->isChecked()) {
        R1->setChecked(true);
        enableTicks(true);
    }
}

std::array<bool, 5> GlobalChangePanel::tickedStatistics() const
{
    std::array<bool, 5> ticked{};
    for (std::size_t s = 0; s < ticked.size(); ++s)
        ticked[s] = Ch[s]->checkState() == Qt::Checked; // only the plain ticked state counts
    return ticked;
}

QString GlobalChangePanel::valueText() const
{
    return Over->text();
}

void GlobalChangePanel::capValue()
{
    const auto value = VbNumber::parse(Over->text().toStdString());
    if (value && *value > BootFields::kHighestStatistic)
        Over->setText(QString::number(BootFields::kHighestStatistic));
}
