#include "frmManual.h"

#include "language/UiText.h"

#include <QEvent>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

// The resource lives in a static library: it is registered on first use, not by a static
// initialiser that the linker may drop.
static void registerManual()
{
    Q_INIT_RESOURCE(manual);
}

frmManual::frmManual(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmManual"));
    setWindowTitle(UiText::text(UiText::Key::Manual));
    txtManual = new QTextBrowser(this);
    txtManual->setObjectName(QStringLiteral("txtManual"));
    txtManual->setOpenExternalLinks(true);
    txtManual->setSearchPaths({QStringLiteral(":/manual")}); // the pictures beside the text
    txtManual->setMarkdown(markdown());
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
        setWindowTitle(UiText::text(UiText::Key::Manual));
    QWidget::changeEvent(event);
}
