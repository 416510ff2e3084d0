#pragma once
// The record editor ("Parameters", GroupBox2): the fields of the selected boot, its
// manufacturer and ID, and the global change of statistics. It shows a record and reports
// what the user did; the window stores the edits in the document.
#include "editor/RecordTexts.h"

#include <QGroupBox>
#include <array>

class Baza;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

class RecordEditorPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit RecordEditorPanel(QWidget *parent = nullptr);

    /// Fills the fields from record `index` of `db`; `listCount` is the list's size.
    /// Nothing is reported as edited.
    void showRecord(const Baza &db, int index, int listCount);
    /// Empties the fields and disables them until a boot is shown.
    void clear();
    RecordTexts texts() const;
    /// The fields whose edits are the document's steps (not the value of the global change).
    QList<QLineEdit *> recordFields() const;

    /// "Only selected": sets the ticked statistics' fields to the value field's text
    /// without reporting edits; false when no statistic is ticked.
    bool putValueInTickedStatistics();
    /// "All": sets every statistic field to the value field's text without reporting edits.
    void putValueInAllStatistics();
    bool onlySelected() const;
    /// "Selected rows" (`R3`): the ticked statistics of the rows selected in the boots table.
    bool selectedRowsChosen() const;
    /// Enables "Selected rows" while the boots table has rows selected; without them
    /// "Only selected" is chosen instead.
    void setSelectedRowsAvailable(bool available);
    /// The statistics ticked in their plain ticked state, Shot Power first.
    std::array<bool, 5> tickedStatistics() const;
    QString valueText() const;

    /// Adds a control at the bottom of the group (for later features).
    void addControl(QWidget *control);

signals:
    /// The user changed `field` (typing, or choosing a manufacturer).
    void fieldEdited(RecordField field);
    /// Typed text was stored with best fit; `note` names the characters replaced.
    void charactersReplaced(const QString &note);
    /// "Change" was pressed.
    void changeRequested();

private:
    QGroupBox *makeFieldGroups(QVBoxLayout *parameters);
    QGroupBox *makeGlobalChange();
    void setFieldsEnabled(bool enabled);
    void showManufacturer();
    void chooseManufacturer();
    void capValue();
    /// Shows in a text field what Windows-1252 will store of its text.
    void fitToCodePage(QLineEdit *field);

    bool mLoading = false;
    QVBoxLayout *mLayout = nullptr;
    std::array<QLineEdit *, 9> txt{};
    std::array<QLabel *, 2> Lbl{};
    QComboBox *Combo = nullptr;
    QRadioButton *R1 = nullptr;
    QRadioButton *R2 = nullptr;
    QRadioButton *R3 = nullptr;
    std::array<QCheckBox *, 5> Ch{};
    QLineEdit *Over = nullptr;
    QPushButton *cmdChange = nullptr;
};
