#pragma once
// The about window: a fixed text of credits and the version, in a text area that follows
// the window's size. A non-modal dialog: Escape and Ctrl+W close it.
#include <QDialog>

class QPlainTextEdit;

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    /// The window's text: 19 lines separated by carriage return and line feed.
    static QString aboutText();

    /// Showing the window also restores it when it is minimised, so choosing About again
    /// always brings it into view.
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void layoutText();
    QSize defaultSize() const;

    QPlainTextEdit *F = nullptr;
};
