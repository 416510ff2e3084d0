#include "CaseName.h"
#include "MainWindowFixture.h"
#include "app/access/WindowAccess.h"
#include "app/ui/BootsListWidget.h"
#include "app/windows/frmAbout.h"
#include "app/windows/frmCreateLanguage.h"
#include "app/windows/frmManual.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>

namespace Access = WindowAccess;

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

    template <typename T> T *shown()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<T *>(w); found && found->isVisible())
                return found;
        }
        return nullptr;
    }

    /// Captions without a mnemonic or sharing one with an earlier caption.
    static QStringList withoutOwnLetter(const QStringList &captions)
    {
        QStringList out;
        QString seen;
        for (const QString &c : captions) {
            const QChar letter = Mnemonics::letter(c);
            if (letter.isNull() || seen.contains(letter))
                out << c;
            seen += letter;
        }
        return out;
    }

    /// Captions sharing a mnemonic with an earlier caption, or without one while a letter of
    /// theirs is still free (where letters run short, a caption may go without).
    static QStringList withoutLetterWhileOneIsFree(const QStringList &captions)
    {
        QString taken;
        for (const QString &c : captions)
            taken += Mnemonics::letter(c);
        QStringList out;
        QString seen;
        for (const QString &c : captions) {
            const QChar letter = Mnemonics::letter(c);
            if (!letter.isNull() && seen.contains(letter))
                out << c;
            seen += letter;
            if (!letter.isNull())
                continue;
            for (const QChar l : Mnemonics::plain(c).toCaseFolded()) {
                if (l.isLetterOrNumber() && !taken.contains(l.toLower())) {
                    out << c;
                    break;
                }
            }
        }
        return out;
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

    /// The captions of every button of `w` that has one, and of the group boxes that lend
    /// their field a mnemonic.
    static QStringList buttonsOf(QWidget *w)
    {
        QStringList out;
        for (const QAbstractButton *b : w->findChildren<QAbstractButton *>()) {
            if (b->window() == w && !b->text().isEmpty())
                out << b->text();
        }
        for (const QGroupBox *g : w->findChildren<QGroupBox *>()) {
            if (!Mnemonics::letter(g->title()).isNull())
                out << g->title();
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

    /// What a user reaches with Tab (focus lands on a control's proxy if it has one) and a
    /// screen reader would announce without a name.
    static QStringList unnamedControls(QWidget *w)
    {
        QStringList out;
        for (QWidget *c : w->findChildren<QWidget *>()) {
            if (c->window() == w && c->isVisible() && c->isEnabled() &&
                (c->focusPolicy() & Qt::TabFocus) && !c->focusProxy() &&
                QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
                out << c->objectName() + ":" + c->metaObject()->className();
        }
        return out;
    }
};

TEST_F(WindowAccess, EveryMenuItemAndButtonHasItsOwnMnemonicInEveryLanguage)
{
    window();
    for (const char *language :
         {"English", "Polski", "Deutsch", "Español", "Français", "Italiano", "Português"}) {
        pick(QString::fromUtf8(language));
        const QStringList bar = captionsOf(window().menuBar()->actions());
        EXPECT_EQ(withoutLetterWhileOneIsFree(bar + buttonsOf(&window())), QStringList())
            << language;
        for (QMenu *menu : {window().fileMenu(), window().editMenu(), window().helpMenu()}) {
            emit menu->aboutToShow();
            EXPECT_EQ(withoutOwnLetter(captionsOf(menu->actions())), QStringList()) << language;
        }
    }
    find<QPushButton>("cmdCreate")->click();
    ASSERT_NE(shown<frmCreateLanguage>(), nullptr);
    EXPECT_EQ(withoutOwnLetter(pushButtonsOf(shown<frmCreateLanguage>())), QStringList());
    shown<frmCreateLanguage>()->close();
}

TEST_F(WindowAccess, EveryInputControlOfEveryWindowHasAnAccessibleName)
{
    open(writeGame(TestData::boots(3)));
    select(0);
    EXPECT_EQ(unnamedControls(&window()), QStringList());
    pick("Deutsch");
    EXPECT_EQ(list()->accessibleName(), "Schuhliste") << "names follow the language";

    find<QAction>("About")->trigger();
    find<QAction>("mnuManual")->trigger();
    find<QPushButton>("cmdCreate")->click();
    for (QWidget *w : std::initializer_list<QWidget *>{shown<frmAbout>(), shown<frmManual>(),
                                                       shown<frmCreateLanguage>()}) {
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(unnamedControls(w), QStringList()) << w->objectName().toStdString();
        w->close();
    }
}

struct SpokenCase
{
    const char *name;
    const char *caption;
    const char *spoken;
};

class SpokenCaption : public testing::TestWithParam<SpokenCase>
{
};

TEST_P(SpokenCaption, ReadsTheCaptionAsMeant)
{
    EXPECT_EQ(Access::spokenCaption(QString::fromUtf8(GetParam().caption)),
              QString::fromUtf8(GetParam().spoken));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, SpokenCaption,
    testing::Values(SpokenCase{"a backslash between words is or", "Create\\Edit", "Create or Edit"},
                    SpokenCase{"without its mnemonic", "Cr&eate\\&Edit", "Create or Edit"},
                    SpokenCase{"every backslash", "A\\B\\C", "A or B or C"},
                    SpokenCase{"a backslash beside no word stays", "C:\\ \\x", "C:\\ \\x"},
                    SpokenCase{"an ampersand stays itself", "R&&D", "R&D"}),
    CaseName::by([](const SpokenCase &c) { return std::string(c.name); }));

TEST_F(WindowAccess, ABoxIsNamedByItsOwnTitleAndACodeAsACode)
{
    window();
    auto name = [this](const char *control) {
        return QAccessible::queryAccessibleInterface(find<QWidget>(control))
            ->text(QAccessible::Name);
    };
    EXPECT_EQ(name("GroupBox3"), "Boots Name") << "not its parent's title";
    EXPECT_EQ(name("ComboBox"), "Language") << "not its value";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(find<QWidget>("ComboBox"))
                  ->text(QAccessible::Value),
              "English");
    EXPECT_EQ(find<QWidget>("txt(8)")->accessibleName(), "Manufacturer code");
    pick("Deutsch");
    QCoreApplication::processEvents();
    EXPECT_EQ(name("cmdCreate"), "Erstellen oder Bearbeiten");
}

TEST_F(WindowAccess, TabFollowsTheReadingOrder)
{
    open(writeGame(TestData::boots(3)));
    select(0);
    QStringList chain;
    QWidget *w = find<QWidget>("txtFind");
    do {
        chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != find<QWidget>("txtFind"));
    qsizetype last = -1;
    for (const char *name : {"txtFind",  "List1",     "txt(0)",   "Combo",    "txt(8)", "txt(1)",
                             "txt(2)",   "txt(3)",    "txt(7)",   "R1",       "R2",     "Ch1",
                             "Ch2",      "Ch3",       "Ch4",      "Ch5",      "Over",   "cmdChange",
                             "cmdOpenT", "cmdOpent2", "ComboBox", "cmdCreate"}) {
        EXPECT_GT(chain.indexOf(name), last) << name << " in " << chain.join(' ').toStdString();
        last = std::max(last, chain.indexOf(name));
    }
}

TEST_F(WindowAccess, HelpManualOpensTheManualAndTheEmptyListSaysWhatToDo)
{
    window();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(static_cast<BootsListWidget *>(list())->emptyHint(),
              QString::fromUtf8("Open a boots file with File ▸ Open, or drop it here"));
    EXPECT_EQ(window().menuBar()->actions().last()->menu(), window().helpMenu());
    EXPECT_EQ(find<QAction>("mnuManual")->shortcut(), QKeySequence(Qt::Key_F1));
    find<QAction>("mnuManual")->trigger();
    ASSERT_NE(shown<frmManual>(), nullptr);
    const QString text = shown<frmManual>()->findChild<QTextBrowser *>("txtManual")->toPlainText();
    for (const char *topic : {"Open", "Change Stats", "Undo", "Import", "Replace Texture",
                              "language editor", "Portable", "cleatwork-cli"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(topic))) << topic;
    shown<frmManual>()->close();
}

} // namespace
