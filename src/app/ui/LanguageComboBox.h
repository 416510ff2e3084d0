#pragma once
// The list of languages: it shows the configured language by name even when no such language
// is listed (any longer), and opens its list on a click anywhere on it.
#include <QComboBox>

class LanguageComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit LanguageComboBox(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
