#pragma once
// The language editor: a mock-up of the main window in which every caption is a text field.
// It loads a language file into the fields and writes the fields as a language of the
// user's "Language" folder (the program folder's in portable mode). A second page holds the
// menu items and messages.
#include "common/Reason.h"

#include <QMessageBox>
#include <QStringList>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

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

    /// Writes the 30 caption keys (empty ones too), then the texts of the second page that
    /// were typed, changed or loaded (an empty field the last load left empty is not
    /// written), under the name in txt(26). False (after a message) when the name is refused or the
    /// file could not be written. Text the file's code page cannot hold is stored with best fit;
    /// the fields then show what was stored and a message says which characters changed.
    bool createLanguage();
    /// Fills every key field from a language file (the name field is left as it is).
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
    QWidget *createCaptionsPage();
    QWidget *createTextsPage();
    void showMessage(QMessageBox::Icon icon, const QString &name, const QString &text,
                     const QString &details);
    /// Writes `field`'s text; on a best-fit change the field shows the stored text.
    bool writeField(QLineEdit *field, const std::string &file, const char *section, const char *key,
                    std::vector<std::string> &replaced, Reason &error);

    QString mProgramFolder;
    QString mBundledFolder;
    std::vector<QLineEdit *> txtText; ///< one field per entry of LanguageKeys::entries()
    QStringList mLoadedTexts;         ///< what the last load put into txtText (empty: none)
    std::array<QLineEdit *, 31> txt{};
    std::array<QGroupBox *, 33> GroupBox{};
    QPushButton *cmdCreate = nullptr;
    QPushButton *cmdLoad = nullptr;
};
