#pragma once
// The record editor ("Parameters", GroupBox2): the fields of the document's current boot,
// its manufacturer and ID, with the global change of statistics placed among the statistics.
// It follows the current boot and stores what the user types as the document's undo steps.
#include "editor/TypedFields.h"

#include <QGroupBox>
#include <array>
#include <functional>
#include <vector>

class BootsDocument;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

class RecordEditorPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit RecordEditorPanel(BootsDocument *document, QWidget *parent = nullptr);

    /// Fills the fields from the document's current boot (empties them when there is none);
    /// the next edit starts an undo step of its own.
    void showCurrentBoot();
    /// Empties the fields and disables them until a boot is shown.
    void clear();
    TypedFields texts() const;
    /// Stores the fields into the current boot as the document's undo step; the fields keep
    /// their text. Nothing is stored when no boot is current.
    void store(const RecordEdit &edit);
    /// Runs `change` of the document while the fields keep what they show: the change stores
    /// the fields itself.
    void keepFieldsWhile(const std::function<void()> &change);
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

protected:
    void changeEvent(QEvent *event) override;

private:
    QGroupBox *makeFieldGroups(QVBoxLayout *parameters);
    /// "# Index:" in the language, with the shown boot's count when one is shown.
    void showIndexLabel();
    void setFieldsEnabled(bool enabled);
    void showManufacturer();
    void chooseManufacturer();
    /// The document changed record `index` (an undo or redo, or another window's edit).
    void recordChanged(int index);
    void documentReset();
    /// Shows in a text field what Windows-1252 will store of its text.
    void fitToCodePage(QLineEdit *field);
    /// Fills the fields from record `index`; nothing is stored.
    void showRecord(int index);

    BootsDocument *mDocument;
    bool mLoading = false;
    /// True while the editor's own edit is stored: the document's echo shows nothing.
    bool mStoring = false;
    int mShownCount = -1; ///< the list's size shown beside "# Index:", -1 for none
    QVBoxLayout *mLayout = nullptr;
    std::array<QLineEdit *, 9> txt{};
    std::array<QLabel *, 2> Lbl{};
    QComboBox *Combo = nullptr;
    QGridLayout *mStatistics = nullptr;
};
