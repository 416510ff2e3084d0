#include "frmManual.h"

#include "app/access/WindowAccess.h"

#include "editor/Translation.h"

#include <QEvent>
#include <QFile>
#include <QImage>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

// The resource lives in a static library: it is registered on first use, not by a static
// initialiser that the linker may drop.
static void registerManual()
{
    Q_INIT_RESOURCE(manual);
}

frmManual::frmManual(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmManual"));
    WindowAccess::closesOnKeys(this);
    setWindowTitle(Translation::text(Translation::Key::Manual));
    txtManual = new QTextBrowser(this);
    txtManual->setObjectName(QStringLiteral("txtManual"));
    txtManual->setOpenExternalLinks(true);
    // A caret the arrow keys move, line by line, for a screen reader to read from.
    txtManual->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    txtManual->setMarkdown(markdown());
    // A "|" in a table's cell is written "\|" so that the table keeps it in its cell; Qt's
    // Markdown reader keeps the backslash where the cell shows code.
    QTextDocument *document = txtManual->document();
    const QString escapedBar = QStringLiteral("\\|");
    for (QTextCursor at = document->find(escapedBar); !at.isNull();
         at = document->find(escapedBar, at))
        at.insertText(QStringLiteral("|"));
    // The picture beside the text, made narrow enough for the window (after the text, which
    // clears the document's resources).
    const QImage screenshot(QStringLiteral(":/manual/screenshot.png"));
    document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("screenshot.png")),
                          screenshot.scaledToWidth(560, Qt::SmoothTransformation));
    document->markContentsDirty(0, document->characterCount());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtManual);
    resize(760, 640);
}

QString frmManual::markdown()
{
    registerManual();
    QFile file(QStringLiteral(":/manual/MANUAL.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void frmManual::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(Translation::text(Translation::Key::Manual));
    QDialog::changeEvent(event);
}
