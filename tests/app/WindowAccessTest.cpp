#include "MainWindowFixture.h"
#include "app/BootsListWidget.h"
#include "app/Mnemonics.h"
#include "app/frmAbout.h"
#include "app/frmManual.h"
#include "language/frmCreateLanguage.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTextBrowser>

namespace {

class WindowAccess : public MainWindowFixture
{
protected:
    void pick(const QString &language)
    {
        QComboBox *box = find<QComboBox>("ComboBox");
        box->setCurrentIndex(box->findText(language));
        emit box->activated(box->currentIndex());
    }

    template <typename T> T *shownWindow()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<T *>(w); found && found->isVisible())
                return found;
        }
        return nullptr;
    }

    /// Each caption has a mnemonic, and no two share a letter.
    static void expectOwnLetters(const QStringList &captions, const QString &where)
    {
        QSet<QChar> seen;
        for (const QString &c : captions) {
            const QChar letter = Mnemonics::letter(c);
            EXPECT_FALSE(letter.isNull()) << where.toStdString() << ": " << c.toStdString();
            EXPECT_FALSE(seen.contains(letter)) << where.toStdString() << ": " << c.toStdString();
            seen.insert(letter);
        }
    }

    static QStringList captionsOf(const QList<QAction *> &actions)
    {
        QStringList out;
        for (const QAction *a : actions) {
            if (!a->isSeparator() && a->isVisible())
                out << a->text();
        }
        return out;
    }

    static QStringList pushButtonsOf(QWidget *w)
    {
        QStringList out;
        for (const QPushButton *b : w->findChildren<QPushButton *>()) {
            if (b->isVisibleTo(w))
                out << b->text();
        }
        return out;
    }

    /// The controls a user reaches with Tab that a screen reader would announce without a
    /// name.
    static QStringList unnamedControls(QWidget *w)
    {
        QStringList out;
        for (QWidget *c : w->findChildren<QWidget *>()) {
            // Focus lands on the proxy of a control that has one.
            if (c->window() != w || !c->isVisible() || !c->isEnabled() ||
                !(c->focusPolicy() & Qt::TabFocus) || c->focusProxy())
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
            if (!a || a->text(QAccessible::Name).isEmpty())
                out << c->objectName() + ":" + c->metaObject()->className();
        }
        return out;
    }
};

TEST_F(WindowAccess, EveryMenuItemAndButtonHasItsOwnMnemonicInEveryLanguage)
{
    window();
    const QStringList languages = {"English",  "Polski",   "Deutsch",  "Español",
                                   "Français", "Italiano", "Português"};
    for (const QString &language : languages) {
        pick(language);
        const QStringList bar = captionsOf(window().menuBar()->actions());
        expectOwnLetters(bar + pushButtonsOf(&window()), language + " menu bar and buttons");
        for (QMenu *menu : {window().fileMenu(), window().editMenu(), window().helpMenu()}) {
            emit menu->aboutToShow();
            expectOwnLetters(captionsOf(menu->actions()), language + " " + menu->objectName());
        }
    }
    find<QPushButton>("cmdCreate")->click();
    frmCreateLanguage *editor = shownWindow<frmCreateLanguage>();
    ASSERT_NE(editor, nullptr);
    expectOwnLetters(pushButtonsOf(editor), "language editor");
    editor->close();
}

TEST_F(WindowAccess, EveryInputControlOfEveryWindowHasAnAccessibleName)
{
    open(writeGame(TestData::boots(3)));
    select(0);
    EXPECT_EQ(unnamedControls(&window()), QStringList());
    pick("Deutsch");
    EXPECT_EQ(list()->accessibleName(), find<QGroupBox>("GroupBox1")->title());
    EXPECT_EQ(txt(3)->accessibleName(), find<QGroupBox>("GroupBox7")->title());
    EXPECT_EQ(find<QComboBox>("ComboBox")->accessibleName(),
              find<QGroupBox>("GroupBox19")->title());

    find<QAction>("About")->trigger();
    find<QAction>("mnuManual")->trigger();
    for (QWidget *w : {static_cast<QWidget *>(shownWindow<frmAbout>()),
                       static_cast<QWidget *>(shownWindow<frmManual>())}) {
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(unnamedControls(w), QStringList()) << w->objectName().toStdString();
        w->close();
    }
    find<QPushButton>("cmdCreate")->click();
    frmCreateLanguage *editor = shownWindow<frmCreateLanguage>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(unnamedControls(editor), QStringList());
    editor->close();
}

TEST_F(WindowAccess, TabFollowsTheReadingOrder)
{
    open(writeGame(TestData::boots(3)));
    select(0);
    QStringList chain;
    QWidget *start = find<QWidget>("txtFind");
    for (QWidget *w = start; chain.size() < 200; w = w->nextInFocusChain()) {
        if (!w->objectName().isEmpty() && (w->focusPolicy() & Qt::TabFocus))
            chain << w->objectName();
        if (w->nextInFocusChain() == start)
            break;
    }
    const QStringList reading = {"txtFind",  "List1",     "txt(0)",   "Combo",
                                 "txt(8)",   "txt(1)",    "txt(2)",   "txt(3)",
                                 "txt(7)",   "R1",        "Over",     "cmdChange",
                                 "cmdOpenT", "cmdOpent2", "ComboBox", "cmdCreate"};
    qsizetype last = -1;
    for (const QString &name : reading) {
        const qsizetype at = chain.indexOf(name);
        EXPECT_GT(at, last) << name.toStdString() << " in " << chain.join(' ').toStdString();
        last = std::max(last, at);
    }
}

TEST_F(WindowAccess, HelpManualOpensTheManual)
{
    window();
    QList<QAction *> bar = window().menuBar()->actions();
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(bar.last()->menu(), window().helpMenu()) << "Help is the last menu";
    auto *item = find<QAction>("mnuManual");
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F1));
    item->trigger();
    frmManual *manual = shownWindow<frmManual>();
    ASSERT_NE(manual, nullptr);
    const QString text = manual->findChild<QTextBrowser *>("txtManual")->toPlainText();
    for (const char *topic : {"Open", "Change Stats", "Undo", "Import", "Replace Texture",
                              "language editor", "Portable", "cleatwork-cli"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(topic))) << topic;
    manual->close();
}

TEST_F(WindowAccess, EmptyListSaysWhatToDo)
{
    window();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(static_cast<BootsListWidget *>(list())->emptyHint(),
              QString::fromUtf8("Open a boots file with File ▸ Open, or drop it here"));
    pick("Deutsch");
    EXPECT_EQ(static_cast<BootsListWidget *>(list())->emptyHint(),
              QString::fromUtf8("Öffnen Sie eine Schuhdatei mit Datei ▸ Öffnen oder ziehen Sie "
                                "sie hierher"));
}

} // namespace
