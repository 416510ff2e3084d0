#include "frmAbout.h"

#include "app/access/WindowAccess.h"

#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <algorithm>

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    WindowAccess::closesOnKeys(this);
    setWindowTitle(QStringLiteral("About"));
    F = new QPlainTextEdit(this);
    F->setObjectName(QStringLiteral("F"));
    F->setReadOnly(true);
    // Read-only, yet with a caret the arrow keys move, for a screen reader to read from.
    F->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    F->setLineWrapMode(QPlainTextEdit::NoWrap);
    F->setPlainText(aboutText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    F->move(0, 0);
    resize(defaultSize());
}

QSize frmAbout::defaultSize() const
{
    // Wide enough for the longest line beside a vertical scroll bar, so that no horizontal
    // one is needed.
    int widest = 0;
    for (const QString &line : aboutText().split(QStringLiteral("\r\n")))
        widest = std::max(widest, F->fontMetrics().horizontalAdvance(line));
    const int chrome = 2 * F->frameWidth() + 2 * static_cast<int>(F->document()->documentMargin()) +
                       F->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    return {std::max(460, widest + chrome), 290};
}

void frmAbout::setVisible(bool visible)
{
    if (visible && isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    QDialog::setVisible(visible);
}

QString frmAbout::aboutText()
{
    const QString rule67(67, QLatin1Char('='));
    const QStringList lines = {
        rule67,
        QStringLiteral("Program Autor By \"Cleatwork contributors\""),
        QStringLiteral("Help with an earlier version: Cleatwork contributors"),
        rule67,
        QString(),
        QStringLiteral("Thanks to the users of the community sites (forums & wikis & fan pages)"),
        QString(68, QLatin1Char('=')),
        QStringLiteral("Plz visit :"),
        QString(),
        QString(),
        QString(),
        QString(),
        rule67,
        QStringLiteral("Version 1.0.0.0"),
        QStringLiteral("-First Relase"),
        QString(37, QLatin1Char('=')),
        QString(),
        QString(),
        QStringLiteral("Cleatwork contributors"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void frmAbout::layoutText()
{
    // The text area takes the window's outer size, frame and caption included, so it reaches
    // a little past the inner area on the right and at the bottom.
    const QSize outer = frameGeometry().size();
    F->resize(outer.width(), outer.height());
}

void frmAbout::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutText();
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    layoutText();
}
