#include "MainWindowFixture.h"

#include "app/windows/frmAbout.h"
#include "app/windows/frmManual.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

namespace {

using AboutWindow = MainWindowFixture;

frmAbout *aboutWindow()
{
    frmAbout *found = nullptr;
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *a = qobject_cast<frmAbout *>(w); a && a->isVisible()) {
            found = a;
            ++count;
        }
    }
    EXPECT_LE(count, 1);
    return found;
}

TEST_F(AboutWindow, OneNonModalWindowBroughtForward)
{
    window();
    find<QAction>("About")->trigger();
    frmAbout *first = aboutWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->windowTitle(), "About");
    EXPECT_TRUE(window().isEnabled());
    find<QAction>("About")->trigger();
    EXPECT_EQ(aboutWindow(), first);
    first->close();
    EXPECT_TRUE(window().isVisible());
}

TEST_F(AboutWindow, AboutAndTheManualCloseOnEscapeAndCtrlW)
{
    window();
    for (const auto &[opener, name] :
         {std::pair("About", "frmAbout"), {"mnuManual", "frmManual"}}) {
        for (const QKeySequence &key :
             {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
            find<QAction>(opener)->trigger();
            QPointer<QWidget> shown;
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->objectName() == QLatin1String(name) && w->isVisible())
                    shown = w;
            }
            ASSERT_NE(shown, nullptr) << name;
            ASSERT_TRUE(QTest::qWaitForWindowActive(shown)) << name;
            QTest::keySequence(shown->focusWidget() ? shown->focusWidget() : shown.data(), key);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(!shown || !shown->isVisible())
                << name << " " << key.toString().toStdString();
        }
    }
}

TEST_F(AboutWindow, TextHasItsNineteenLinesAndRules)
{
    const QStringList lines = frmAbout::aboutText().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], QString(67, '='));
    EXPECT_EQ(lines[3], QString(67, '='));
    EXPECT_EQ(lines[6], QString(68, '='));
    EXPECT_EQ(lines[12], QString(67, '='));
    EXPECT_EQ(lines[15], QString(37, '='));
    EXPECT_EQ(lines[7], "Plz visit :");
    EXPECT_EQ(lines[13], "Version 1.0.0.0");
    EXPECT_EQ(lines[14], "-First Relase");
    EXPECT_TRUE(lines[1].startsWith("Program Autor By \""));
    for (int empty : {4, 11, 16, 17})
        EXPECT_TRUE(lines[empty].isEmpty()) << empty;
    EXPECT_FALSE(frmAbout::aboutText().contains("http"));
}

TEST_F(AboutWindow, TextAreaFollowsTheWindowSize)
{
    frmAbout about;
    about.show();
    auto *f = about.findChild<QPlainTextEdit *>("F");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->pos(), QPoint(0, 0));
    about.resize(700, 500);
    EXPECT_EQ(f->size(), about.frameGeometry().size());
    EXPECT_GE(f->width(), 700);
    about.resize(300, 200);
    EXPECT_EQ(f->size(), about.frameGeometry().size());
    EXPECT_LT(f->width(), 700);
}

TEST_F(AboutWindow, DefaultSizeShowsTheTextWithoutAHorizontalScrollBar)
{
    frmAbout about;
    about.show();
    QApplication::processEvents();
    EXPECT_EQ(about.findChild<QPlainTextEdit *>("F")->horizontalScrollBar()->maximum(), 0);
}

TEST_F(AboutWindow, AboutRestoresAMinimisedWindow)
{
    window();
    find<QAction>("About")->trigger();
    frmAbout *about = aboutWindow();
    ASSERT_NE(about, nullptr);
    about->showMinimized();
    find<QAction>("About")->trigger();
    EXPECT_FALSE(about->isMinimized());
    EXPECT_EQ(aboutWindow(), about);
    about->close();
}

// The manual's command table, whose cells hold "|" written as "\|".
TEST(ManualWindow, ShowsTheCommandTableWithoutBackslashes)
{
    frmManual manual;
    const QString text = manual.findChild<QTextBrowser *>("txtManual")->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("[--json|--csv]")));
    EXPECT_FALSE(text.contains(QStringLiteral("\\|")));
}

} // namespace
