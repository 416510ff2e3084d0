#pragma once
// The language editor: a mock-up of the main window in which every caption is a text field.
// It loads a language file into the fields and writes the fields as a language of the
// user's "Language" folder (the program folder's in portable mode).
#include <QWidget>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;

class frmCreateLanguage : public QWidget
{
    Q_OBJECT
public:
    /// `programFolder` holds the "Language" folder that languages are written to;
    /// `bundledFolder` (empty: the same) the one whose languages the load dialog offers first.
    explicit frmCreateLanguage(const QString &programFolder,
                               const QString &bundledFolder = QString(), QWidget *parent = nullptr);

    /// Writes the 30 keys under the name in txt(26). False (after a message) when the name is
    /// refused or the file could not be written.
    bool createLanguage();
    /// Fills the 30 key fields from a language file (the name field is left as it is).
    void loadLanguage(const QString &fileName);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void cmdCreate_Click();
    void cmdLoad_Click();
    void txt_Change();

private:
    QString mProgramFolder;
    QString mBundledFolder;
    std::array<QLineEdit *, 31> txt{};
    std::array<QGroupBox *, 33> GroupBox{};
    QPushButton *cmdCreate = nullptr;
    QPushButton *cmdLoad = nullptr;
};
