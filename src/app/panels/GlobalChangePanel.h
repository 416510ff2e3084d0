#pragma once
// The global change of statistics ("Global Options" ▸ "Change Stats"): one value for chosen
// statistics of the selected boot, of the rows selected in the boots table, or for every
// statistic of every boot, made as one undo step of the document. The selected boot's change
// goes through the record editor's fields, so that they show the value as it was given.
#include <QGroupBox>
#include <array>

class BootsDocument;
class RecordEditorPanel;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class GlobalChangePanel : public QGroupBox
{
    Q_OBJECT
public:
    GlobalChangePanel(BootsDocument *document, RecordEditorPanel *editor,
                      QWidget *parent = nullptr);

    /// "Only selected" (`R1`): the ticked statistics of the selected boot.
    bool onlySelected() const;
    /// "Selected rows" (`R3`): the ticked statistics of the rows selected in the boots table.
    bool selectedRowsChosen() const;
    /// Enables "Selected rows" while the boots table has rows selected; without them
    /// "Only selected" is chosen instead.
    void setSelectedRowsAvailable(bool available);
    /// The statistics ticked in their plain ticked state, Shot Power first.
    std::array<bool, 5> tickedStatistics() const;
    QString valueText() const;

private:
    /// "Change": sets the value into the chosen statistics.
    void change();
    void enableTicks(bool enabled);
    void capValue();

    BootsDocument *mDocument;
    RecordEditorPanel *mEditor;
    QRadioButton *R1 = nullptr;
    QRadioButton *R2 = nullptr;
    QRadioButton *R3 = nullptr;
    std::array<QCheckBox *, 5> Ch{};
    QLineEdit *Over = nullptr;
    QPushButton *cmdChange = nullptr;
};
