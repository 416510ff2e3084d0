#include "ChangeView.h"

#include "app/ui/Commands.h"
#include "app/ui/FileChooser.h"
#include "app/ui/Messages.h"
#include "app/ui/WindowCaptions.h"
#include "editor/BootsDocument.h"
#include "editor/ChangeMarks.h"
#include "editor/Translation.h"

#include <QAction>
#include <QDir>

using Translation::Key;

ChangeView::ChangeView(BootsDocument *document, const Commands &commands, QWidget *window)
    : QObject(window), mDocument(document), mWindow(window),
      mnuChanges(commands.action(QStringLiteral("mnuChanges"))),
      mnuCompare(commands.action(QStringLiteral("mnuCompare")))
{
    setObjectName(QStringLiteral("changeView"));
    mnuChanges->setCheckable(true);
    applyTexts();
    follow();

    // triggered, not toggled: a base that cannot be shown sets the tick back without a loop.
    connect(mnuChanges, &QAction::triggered, this, &ChangeView::mnuChanges_Toggled);
    connect(mnuCompare, &QAction::triggered, this, &ChangeView::mnuCompare_Click);
    connect(&document->changeMarks(), &ChangeMarks::changed, this, &ChangeView::follow);
    connect(document, &BootsDocument::reset, this, &ChangeView::follow);
}

void ChangeView::applyTexts()
{
    WindowCaptions::setText(mnuChanges, Key::Changes);
    WindowCaptions::setText(mnuCompare, Key::CompareWith);
}

void ChangeView::follow()
{
    mnuChanges->setEnabled(mDocument->isOpen());
    mnuCompare->setEnabled(mDocument->isOpen());
    mnuChanges->setChecked(mDocument->changeMarks().base() == ChangeMarks::Base::Original);
}

void ChangeView::mnuChanges_Toggled(bool checked)
{
    ChangeMarks &marks = mDocument->changeMarks();
    Reason error;
    if (!checked)
        marks.hide();
    else if (!marks.showOriginal(&error))
        Messages::show(mWindow, QMessageBox::Warning, QStringLiteral("noOriginalMessage"),
                       Translation::reason(error));
    follow();
}

void ChangeView::mnuCompare_Click()
{
    if (!mDocument->isOpen())
        return;
    const QString path = FileChooser::chooseFile(mWindow, QStringLiteral("CDCompare"), QString());
    if (!path.isEmpty())
        compareWith(path);
}

bool ChangeView::compareWith(const QString &path)
{
    Reason error;
    if (mDocument->changeMarks().compareWith(path, &error))
        return true;
    Messages::show(mWindow, QMessageBox::Warning, QStringLiteral("compareNotReadMessage"),
                   Translation::text(Key::CannotCompare,
                                     {QDir::toNativeSeparators(path), Translation::reason(error)}));
    return false;
}
