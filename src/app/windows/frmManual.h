#pragma once
// The user manual (Help ▸ Manual): docs/MANUAL.md, compiled into the program.
#include <QWidget>

class QTextBrowser;

class frmManual : public QWidget
{
    Q_OBJECT
public:
    explicit frmManual(QWidget *parent = nullptr);

    /// The manual's Markdown text.
    static QString markdown();

protected:
    void changeEvent(QEvent *event) override;

private:
    QTextBrowser *txtManual = nullptr;
};
