#include "RecordEditorPanel.h"

#include "editor/GuiText.h"

#include "boots/Baza.h"
#include "boots/Manufacturer.h"
#include "editor/UiText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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
    mStatistics = static_cast<QGridLayout *>(statistics->layout());
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

bool RecordEditorPanel::putValueInStatistics(const QString &value,
                                             const std::array<bool, 5> &which)
{
    bool any = false;
    mLoading = true;
    for (std::size_t s = 0; s < which.size(); ++s) {
        if (which[s]) {
            txt[3 + s]->setText(value);
            any = true;
        }
    }
    mLoading = false;
    return any;
}

void RecordEditorPanel::setGlobalChange(QWidget *panel)
{
    mStatistics->addWidget(panel, 2, 0);
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
