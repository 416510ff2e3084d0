#pragma once
// The record editor ("Parameters", GroupBox2): the fields of the selected boot, its
// manufacturer and ID, with the global change of statistics placed among the statistics. It
// shows a record and reports what the user did; the window stores the edits in the document.
#include "editor/RecordTexts.h"

#include <QGroupBox>
#include <array>
#include <vector>

class Baza;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
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

    /// Sets the statistics' fields chosen by `which` (Shot Power first) to `value` without
    /// reporting edits; the statistics set (none when none is chosen).
    std::vector<const BootField *> putValueInStatistics(const QString &value,
                                                        const std::array<bool, 5> &which);
    /// Places the global change of statistics below the statistics, inside "Statistics".
    void setGlobalChange(QWidget *panel);

    /// Adds a control at the bottom of the group (for later features).
    void addControl(QWidget *control);

signals:
    /// The user typed in `field`; its text shows the best fit in Windows-1252 once the
    /// signal's receivers have stored it.
    void fieldEdited(const BootField &field);
    /// The user chose a manufacturer by name: the code field shows its code.
    void manufacturerChosen();

protected:
    void changeEvent(QEvent *event) override;

private:
    QGroupBox *makeFieldGroups(QVBoxLayout *parameters);
    /// "# Index:" in the language, with the shown boot's count when one is shown.
    void showIndexLabel();
    void setFieldsEnabled(bool enabled);
    void showManufacturer();
    void chooseManufacturer();
    /// Shows in a text field what Windows-1252 will store of its text.
    void fitToCodePage(QLineEdit *field);

    bool mLoading = false;
    int mShownCount = -1; ///< the list's size shown beside "# Index:", -1 for none
    QVBoxLayout *mLayout = nullptr;
    std::array<QLineEdit *, 9> txt{};
    std::array<QLabel *, 2> Lbl{};
    QComboBox *Combo = nullptr;
    QGridLayout *mStatistics = nullptr;
};
