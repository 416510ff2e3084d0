#pragma once
// The global change of statistics ("Global Options" ▸ "Change Stats"): one value for chosen
// statistics of the selected boot, of the rows selected in the boots table, or for every
// statistic of every boot. It only asks: the window carries out the change on the document.
// It cannot fail; a value that is no number is the window's to refuse.
#include <QGroupBox>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class GlobalChangePanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit GlobalChangePanel(QWidget *parent = nullptr);

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

signals:
    /// "Change" was pressed.
    void changeRequested();

private:
    void enableTicks(bool enabled);
    void capValue();

    QRadioButton *R1 = nullptr;
    QRadioButton *R2 = nullptr;
    QRadioButton *R3 = nullptr;
    std::array<QCheckBox *, 5> Ch{};
    QLineEdit *Over = nullptr;
    QPushButton *cmdChange = nullptr;
};
