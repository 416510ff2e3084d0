#pragma once
// The "Other" group (GroupBox18) of the main window: the interface language list and the
// button that opens the language editor. It only holds them (LanguageSwitcher acts on the
// list), so nothing in it can fail.
#include <QGroupBox>

class LanguageComboBox;
class QPushButton;

class LanguagePanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit LanguagePanel(QWidget *parent = nullptr);

    /// `ComboBox`, the interface languages.
    LanguageComboBox *languageList() const { return ComboBox; }
    /// `cmdCreate`, "Create\Edit".
    QPushButton *createButton() const { return cmdCreate; }

private:
    LanguageComboBox *ComboBox = nullptr;
    QPushButton *cmdCreate = nullptr;
};
