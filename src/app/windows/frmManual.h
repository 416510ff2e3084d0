#pragma once
// The user manual (Help ▸ Manual): docs/MANUAL.md, compiled into the program, in a read-only
// document whose caret the arrow keys move. A non-modal dialog: Escape and Ctrl+W close it.
#include <QDialog>

class QTextBrowser;

class frmManual : public QDialog
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
