#include "RecordEditorPanel.h"

#include "app/ui/WrapGrid.h"
#include "editor/CoreStrings.h"

#include "boots/Baza.h"
#include "boots/BootFields.h"
#include "boots/Manufacturer.h"
#include "editor/BootsDocument.h"
#include "editor/Translation.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using CoreStrings::fromAnsi;

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

RecordEditorPanel::RecordEditorPanel(BootsDocument *document, QWidget *parent)
    : QGroupBox(QStringLiteral("Parameters"), parent), mDocument(document)
{
    setObjectName(QStringLiteral("GroupBox2"));
    mLayout = new QVBoxLayout(this);
    QGroupBox *statistics = makeFieldGroups(mLayout);
    mStatistics = static_cast<QGridLayout *>(statistics->layout());
    mLayout->addWidget(statistics);
    mLayout->addStretch(1);

    for (int k = 0; k < 9; ++k) {
        const BootField *field = BootFields::editorField(k);
        connect(txt[k], &QLineEdit::textChanged, this, [this, k, field] {
            if (mLoading)
                return;
            // Stored as typed first, so that the document can say what storing changed.
            store(RecordEdit::typing(*field));
            if (field->isText())
                fitToCodePage(txt[k]);
        });
    }
    connect(Combo, &QComboBox::activated, this, &RecordEditorPanel::chooseManufacturer);
    for (const auto &name : Manufacturer::names())
        Combo->addItem(QString::fromStdString(name));
    Combo->setCurrentIndex(-1);
    txt[8]->setAccessibleName(Translation::text(Translation::Key::ManufacturerCode));
    setFieldsEnabled(false);
    setEnabled(false);

    connect(mDocument, &BootsDocument::currentBootChanged, this,
            &RecordEditorPanel::showCurrentBoot);
    connect(mDocument, &BootsDocument::recordChanged, this, &RecordEditorPanel::recordChanged);
    connect(mDocument, &BootsDocument::recordsReplaced, this, [this] {
        if (!mStoring)
            showCurrentBoot();
    });
    connect(mDocument, &BootsDocument::reset, this, &RecordEditorPanel::documentReset);
}

void RecordEditorPanel::documentReset()
{
    clear();
    setEnabled(mDocument->isOpen());
}

void RecordEditorPanel::showCurrentBoot()
{
    const int boot = mDocument->currentBoot();
    if (boot < 0) {
        clear();
        return;
    }
    mDocument->startNewStep();
    showRecord(boot);
}

void RecordEditorPanel::recordChanged(int index)
{
    // An undo or redo shows the boot it changed (the document made it current); the user's own
    // edit keeps the typed text.
    if (!mStoring && index == mDocument->currentBoot())
        showCurrentBoot();
}

void RecordEditorPanel::store(const RecordEdit &edit)
{
    // Fields are disabled until a boot is selected; nothing is stored before.
    const int boot = mDocument->currentBoot();
    if (boot < 0)
        return;
    keepFieldsWhile([&] { mDocument->setRecord(boot, texts(), edit); });
}

void RecordEditorPanel::keepFieldsWhile(const std::function<void()> &change)
{
    const bool storing = mStoring;
    mStoring = true;
    change();
    mStoring = storing;
}

QGroupBox *RecordEditorPanel::makeFieldGroups(QVBoxLayout *parameters)
{
    const char *const textCaptions[3] = {"Boots Name", "Material Name", "Color Name"};
    for (int k = 0; k < 9; ++k) {
        txt[k] = new QLineEdit;
        txt[k]->setObjectName(QStringLiteral("txt(%1)").arg(k));
    }
    // Two boxes a row, the name beside the manufacturer and the material beside the colour;
    // all four in one row where the editor is wide, one a row where long captions need it.
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
    auto *names = new WrapGrid({4, 2, 1}, 2);
    for (QGroupBox *box : {texts[0], producentBox, texts[1], texts[2]})
        names->addWidget(box);
    parameters->addLayout(names);

    // Three statistics a row (the ID/Index box last), fewer where long captions need it; rows
    // of their own rather than columns, so that two long captions never share a width.
    QGroupBox *statisticsBox = groupBox(6, "Statistics");
    auto *statistics = new QGridLayout(statisticsBox);
    auto *boxes = new WrapGrid({3, 2, 1}, 3);
    for (int s = 0; s < 5; ++s) {
        QGroupBox *box = groupBox(7 + s, kStatisticCaptions[s]);
        txt[3 + s]->setAlignment(Qt::AlignCenter);
        (new QVBoxLayout(box))->addWidget(txt[3 + s]);
        boxes->addWidget(box);
    }
    statistics->addLayout(boxes, 0, 0);

    QGroupBox *idBox = groupBox(16, "ID/Index");
    Lbl[1] = new QLabel(QStringLiteral("# ID"), idBox);
    Lbl[1]->setObjectName(QStringLiteral("Lbl(1)"));
    Lbl[0] = new QLabel(idBox);
    Lbl[0]->setObjectName(QStringLiteral("Lbl(0)"));
    showIndexLabel();
    auto *ids = new QVBoxLayout(idBox);
    ids->addWidget(Lbl[1]);
    ids->addWidget(Lbl[0]);
    boxes->addWidget(idBox);
    return statisticsBox;
}

void RecordEditorPanel::setFieldsEnabled(bool enabled)
{
    for (QLineEdit *field : txt)
        field->setEnabled(enabled);
    Combo->setEnabled(enabled);
}

void RecordEditorPanel::showRecord(int index)
{
    const Baza &db = mDocument->database();
    const int listCount = mDocument->listedCount();
    const auto i = static_cast<std::uint8_t>(index);
    // The record that Index designates (an index past the last one designates the last).
    BootRecord record;
    if (db.Count() > 0)
        record = db.records()[static_cast<std::size_t>(std::min<int>(i, db.Count() - 1))];
    mLoading = true;
    for (int k = 0; k < 9; ++k)
        txt[k]->setText(QString::fromStdString(BootFields::editorField(k)->shown(record)));
    mShownCount = listCount;
    Lbl[1]->setText(QStringLiteral("# ID      : ") + QString::number(db.Get_ID(i)));
    showIndexLabel();
    showManufacturer();
    mLoading = false;
    setFieldsEnabled(true);
}

void RecordEditorPanel::clear()
{
    mLoading = true;
    for (QLineEdit *field : txt)
        field->clear();
    mShownCount = -1;
    showIndexLabel();
    Lbl[1]->setText(QStringLiteral("# ID"));
    Combo->setCurrentIndex(-1);
    mLoading = false;
    setFieldsEnabled(false);
}

TypedFields RecordEditorPanel::texts() const
{
    TypedFields t;
    for (int k = 0; k < 9; ++k)
        t.set(*BootFields::editorField(k), txt[k]->text());
    return t;
}

QList<QLineEdit *> RecordEditorPanel::recordFields() const
{
    return {txt.begin(), txt.end()};
}

std::vector<const BootField *>
RecordEditorPanel::putValueInStatistics(const QString &value, const std::array<bool, 5> &which)
{
    std::vector<const BootField *> set;
    mLoading = true;
    for (std::size_t s = 0; s < which.size(); ++s) {
        if (which[s]) {
            txt[3 + s]->setText(value);
            set.push_back(BootFields::statistics()[s]);
        }
    }
    mLoading = false;
    return set;
}

void RecordEditorPanel::setGlobalChange(QWidget *panel)
{
    mStatistics->addWidget(panel, 1, 0);
}

void RecordEditorPanel::addControl(QWidget *control)
{
    mLayout->insertWidget(mLayout->count() - 1, control);
}

void RecordEditorPanel::showIndexLabel()
{
    const QString label = Translation::text(Translation::Key::IndexLabel);
    Lbl[0]->setText(mShownCount < 0 ? label
                                    : label + QLatin1Char(' ') + QString::number(mShownCount));
    // Tab never reaches the labels: a screen reader hears them with the record instead.
    setAccessibleDescription(mShownCount < 0 ? QString()
                                             : Lbl[1]->text().simplified() + QStringLiteral(", ") +
                                                   Lbl[0]->text().simplified());
}

void RecordEditorPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        showIndexLabel();
        // Beside the manufacturer's box, which its group's caption names, the code it holds.
        txt[8]->setAccessibleName(Translation::text(Translation::Key::ManufacturerCode));
    }
    QGroupBox::changeEvent(event);
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
    store(RecordEdit::manufacturerChosen());
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
}
