#pragma once
// The change marks in the window: View ▸ Changes marks what differs from the open file's kept
// original, File ▸ Compare With… what differs from another boots file. The document's
// ChangeMarks hold the base; this only asks for it and says why one cannot be used.
#include <QObject>

class BootsDocument;
class Commands;
class QAction;
class QWidget;

class ChangeView : public QObject
{
    Q_OBJECT
public:
    /// Works View ▸ Changes and File ▸ Compare With… of `commands`.
    ChangeView(BootsDocument *document, const Commands &commands, QWidget *window);

    /// Marks the differences from the boots file at `path`; false after a message.
    bool compareWith(const QString &path);
    void applyTexts();

private:
    void mnuChanges_Toggled(bool checked);
    void mnuCompare_Click();
    void follow();

    BootsDocument *mDocument;
    QWidget *mWindow;
    QAction *mnuChanges;
    QAction *mnuCompare;
};
