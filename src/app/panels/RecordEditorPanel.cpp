#include "RecordEditorPanel.h"

#include "app/ui/MainWindowTexts.h"
#include "editor/GuiText.h"

#include "boots/Baza.h"
#include "boots/Manufacturer.h"
#include "common/VbNumber.h"
#include "editor/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using GuiText::fromAnsi;

namespace {

const char *const kStatisticCaptions[5] = {"Shot Power", "Shot Accuracy", "Acceleration",
                                           "Top Speed", "Swerve"};

QGroupBox *groupBox(int number, const char *caption, QWidget *parent = nullptr)
{
    auto *box = new QGroupBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QStringLiteral("GroupBox%1").arg(number));
    return box;
}

} // namespace

RecordEditorPanel::RecordEditorPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Parameters"), parent)
{
    setObjectName(QStringLiteral("GroupBox2"));
    mLayout = new QVBoxLayout(this);
    QGroupBox *statistics = makeFieldGroups(mLayout);
    auto *grid = static_cast<QGridLayout *>(statistics->layout());
    grid->addWidget(makeGlobalChange(), 2, 0);
    mLayout->addWidget(statistics);
    mLayout->addStretch(1);

    for (int k = 0; k < 9; ++k) {
        const auto field = static_cast<RecordField>(k);
        connect(txt[k], &QLineEdit::textChanged, this, [this, k, field] {
            if (mLoading)
                return;
            if (k < 3)
                fitToCodePage(txt[k]);
            emit fieldEdited(field);
        });
    }
    connect(Combo, &QComboBox::activated, this, &RecordEditorPanel::chooseManufacturer);
    connect(R1, &QRadioButton::clicked, this, [this] {
        if (R1->isChecked())
            for (QCheckBox *box : Ch)
                box->setEnabled(true);
    });
    connect(R3, &QRadioButton::clicked, this, [this] {
        if (R3->isChecked())
            for (QCheckBox *box : Ch)
                box->setEnabled(true);
    });
    connect(R2, &QRadioButton::clicked, this, [this] {
        if (R2->isChecked())
            for (QCheckBox *box : Ch)
                box->setEnabled(false);
    });
    connect(Over, &QLineEdit::textChanged, this, &RecordEditorPanel::capValue);
    connect(cmdChange, &QPushButton::clicked, this, &RecordEditorPanel::changeRequested);

    for (const auto &name : Manufacturer::names())
        Combo->addItem(QString::fromStdString(name));
    Combo->setCurrentIndex(-1);
    setFieldsEnabled(false);
    setEnabled(false);
}

QGroupBox *RecordEditorPanel::makeFieldGroups(QVBoxLayout *parameters)
{
    const char *const textCaptions[3] = {"Boots Name", "Material Name", "Color Name"};
    for (int k = 0; k < 9; ++k) {
        txt[k] = new QLineEdit;
        txt[k]->setObjectName(QStringLiteral("txt(%1)").arg(k));
    }
    // Two boxes a row and three statistics a row keep the editor narrow enough for long
    // captions: the name beside the manufacturer, the material beside the colour.
    QGroupBox *texts[3] = {};
    for (int k = 0; k < 3; ++k) {
        texts[k] = groupBox(3 + k, textCaptions[k]);
        (new QVBoxLayout(texts[k]))->addWidget(txt[k]);
    }
    QGroupBox *producentBox = groupBox(17, "Producent");
    Combo = new QComboBox(producentBox);
    Combo->setObjectName(QStringLiteral("Combo"));
    auto *producent = new QHBoxLayout(producentBox);
    producent->addWidget(Combo, 2);
    producent->addWidget(txt[8], 1);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(texts[0], 3);
    nameRow->addWidget(producentBox, 2);
    auto *materialRow = new QHBoxLayout;
    materialRow->addWidget(texts[1]);
    materialRow->addWidget(texts[2]);
    parameters->addLayout(nameRow);
    parameters->addLayout(materialRow);

    // Rows of their own rather than columns, so that two long captions never share a width.
    QGroupBox *statisticsBox = groupBox(6, "Statistics");
    auto *statistics = new QGridLayout(statisticsBox);
    QHBoxLayout *rows[2] = {new QHBoxLayout, new QHBoxLayout};
    for (int s = 0; s < 5; ++s) {
        QGroupBox *box = groupBox(7 + s, kStatisticCaptions[s]);
        txt[3 + s]->setAlignment(Qt::AlignCenter);
        (new QVBoxLayout(box))->addWidget(txt[3 + s]);
        rows[s / 3]->addWidget(box, 1);
    }
    statistics->addLayout(rows[0], 0, 0);
    statistics->addLayout(rows[1], 1, 0);

    QGroupBox *idBox = groupBox(16, "ID/Index");
    Lbl[1] = new QLabel(QStringLiteral("# ID"), idBox);
    Lbl[1]->setObjectName(QStringLiteral("Lbl(1)"));
    Lbl[0] = new QLabel(QStringLiteral("# Index:"), idBox);
    Lbl[0]->setObjectName(QStringLiteral("Lbl(0)"));
    auto *ids = new QVBoxLayout(idBox);
    ids->addWidget(Lbl[1]);
    ids->addWidget(Lbl[0]);
    rows[1]->addWidget(idBox, 1);
    return statisticsBox;
}

QGroupBox *RecordEditorPanel::makeGlobalChange()
{
    QGroupBox *options = groupBox(12, "Global Options");
    QGroupBox *changeBox = groupBox(13, "Change Stats", options);
    (new QVBoxLayout(options))->addWidget(changeBox);
    auto *change = new QGridLayout(changeBox);
    R1 = new QRadioButton(QStringLiteral("Only selected"), changeBox);
    R1->setObjectName(QStringLiteral("R1"));
    R1->setChecked(true);
    R2 = new QRadioButton(QStringLiteral("All"), changeBox);
    R2->setObjectName(QStringLiteral("R2"));
    R3 = new QRadioButton(changeBox);
    R3->setObjectName(QStringLiteral("R3"));
    R3->setEnabled(false);
    MainWindowTexts::setText(R3, UiText::Key::SelectedRows);
    // The choice above the ticks, the ticks two a row: narrow enough for long captions.
    change->addWidget(R1, 0, 0);
    change->addWidget(R2, 0, 1);
    change->addWidget(R3, 0, 2);
    for (int s = 0; s < 5; ++s) {
        Ch[s] = new QCheckBox(QString::fromLatin1(kStatisticCaptions[s]), changeBox);
        Ch[s]->setObjectName(QStringLiteral("Ch%1").arg(s + 1));
        Ch[s]->setChecked(true);
        change->addWidget(Ch[s], 1 + s / 2, s % 2);
    }
    QGroupBox *valueBox = groupBox(14, "Value", changeBox);
    Over = new QLineEdit(QStringLiteral("5"), valueBox);
    Over->setObjectName(QStringLiteral("Over"));
    Over->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(valueBox))->addWidget(Over);
    change->addWidget(valueBox, 1, 2, 3, 1);
    cmdChange = new QPushButton(QStringLiteral("Change"), changeBox);
    cmdChange->setObjectName(QStringLiteral("cmdChange"));
    change->addWidget(cmdChange, 4, 0, 1, 3);
    return options;
}

void RecordEditorPanel::setFieldsEnabled(bool enabled)
{
    for (QLineEdit *field : txt)
        field->setEnabled(enabled);
    Combo->setEnabled(enabled);
}

void RecordEditorPanel::showRecord(const Baza &db, int index, int listCount)
{
    const auto i = static_cast<std::uint8_t>(index);
    mLoading = true;
    txt[0]->setText(fromAnsi(db.Get_Nazwa(i)));
    txt[1]->setText(fromAnsi(db.Get_NazwaMaterialu(i)));
    txt[2]->setText(fromAnsi(db.Get_Kolor(i)));
    txt[3]->setText(QString::number(db.Get_Sila(i)));
    txt[4]->setText(QString::number(db.Get_Precyzja(i)));
    txt[5]->setText(QString::number(db.Get_Przyspieszenie(i)));
    txt[6]->setText(QString::number(db.Get_Szybkosc(i)));
    txt[7]->setText(QString::number(db.Get_Podkrecanie(i)));
    txt[8]->setText(QString::number(db.Get_nowe(i)));
    Lbl[0]->setText(QStringLiteral("# Index: ") + QString::number(listCount));
    Lbl[1]->setText(QStringLiteral("# ID      : ") + QString::number(db.Get_ID(i)));
    showManufacturer();
    mLoading = false;
    setFieldsEnabled(true);
}

void RecordEditorPanel::clear()
{
    mLoading = true;
    for (QLineEdit *field : txt)
        field->clear();
    Lbl[0]->setText(QStringLiteral("# Index:"));
    Lbl[1]->setText(QStringLiteral("# ID"));
    Combo->setCurrentIndex(-1);
    mLoading = false;
    setFieldsEnabled(false);
}

RecordTexts RecordEditorPanel::texts() const
{
    RecordTexts t;
    t.name = txt[0]->text();
    t.material = txt[1]->text();
    t.colour = txt[2]->text();
    for (int s = 0; s < 5; ++s)
        t.statistics[static_cast<std::size_t>(s)] = txt[3 + s]->text();
    t.code = txt[8]->text();
    return t;
}

QList<QLineEdit *> RecordEditorPanel::recordFields() const
{
    return {txt.begin(), txt.end()};
}

bool RecordEditorPanel::putValueInTickedStatistics()
{
    bool any = false;
    mLoading = true;
    for (int s = 0; s < 5; ++s) {
        // Only the plain ticked state counts.
        if (Ch[s]->checkState() == Qt::Checked) {
            txt[3 + s]->setText(Over->text());
            any = true;
        }
    }
    mLoading = false;
    return any;
}

void RecordEditorPanel::putValueInAllStatistics()
{
    mLoading = true;
    for (int s = 0; s < 5; ++s)
        txt[3 + s]->setText(Over->text());
    mLoading = false;
}

bool RecordEditorPanel::onlySelected() const
{
    return R1->isChecked();
}

bool RecordEditorPanel::selectedRowsChosen() const
{
    return R3->isChecked();
}

void RecordEditorPanel::setSelectedRowsAvailable(bool available)
{
    R3->setEnabled(available);
    if (!available && R3->isChecked()) {
        R1->setChecked(true);
        for (QCheckBox *box : Ch)
            box->setEnabled(true);
    }
}

std::array<bool, 5> RecordEditorPanel::tickedStatistics() const
{
    std::array<bool, 5> ticked{};
    for (std::size_t s = 0; s < ticked.size(); ++s)
        ticked[s] = Ch[s]->checkState() == Qt::Checked;
    return ticked;
}

QString RecordEditorPanel::valueText() const
{
    return Over->text();
}

void RecordEditorPanel::addControl(QWidget *control)
{
    mLayout->insertWidget(mLayout->count() - 1, control);
}

void RecordEditorPanel::showManufacturer()
{
    // A code of the table shows its name; any other code leaves the box as it was.
    const auto name = Manufacturer::nameForText(txt[8]->text().toStdString());
    if (name)
        Combo->setCurrentIndex(Combo->findText(QString::fromStdString(*name)));
}

void RecordEditorPanel::chooseManufacturer()
{
    const auto code = Manufacturer::codeForName(Combo->currentText().toStdString());
    if (!code)
        return;
    mLoading = true;
    txt[8]->setText(QString::number(*code));
    mLoading = false;
    emit fieldEdited(RecordField::Manufacturer);
}

void RecordEditorPanel::fitToCodePage(QLineEdit *field)
{
    const QString typed = field->text();
    const Ansi::Conversion conversion = Ansi::convert(typed.toStdString());
    if (conversion.replaced.empty())
        return;
    // The cursor stays after the same typed character: what comes before it is converted
    // on its own to find its new length (a conversion never makes text longer).
    const int cursor = field->cursorPosition();
    const auto before = fromAnsi(Ansi::fromUtf8(typed.left(cursor).toStdString())).size();
    mLoading = true;
    field->setText(fromAnsi(conversion.ansi));
    field->setCursorPosition(static_cast<int>(before));
    mLoading = false;
    emit charactersReplaced(UiText::replacementNote(conversion));
}

void RecordEditorPanel::capValue()
{
    const auto value = VbNumber::parse(Over->text().toStdString());
    if (value && *value > 5)
        Over->setText(QStringLiteral("5"));
}
