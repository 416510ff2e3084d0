#include "CaseName.h"
#include "MainWindowFixture.h"

#include "app/access/Mnemonics.h"

#include "language/Ini.h"
#include "language/Languages.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <filesystem>

namespace {

class WindowCaptions : public MainWindowFixture
{
protected:
    void configure(const std::string &language)
    {
        WriteIni(Languages::configFile(programDir.path()), "Config", "Language",
                 Ansi::fromUtf8(language));
    }
    QString text(const char *action) { return find<QAction>(action)->text(); }
    void type(QWidget *field, const QString &keys)
    {
        for (const QChar c : keys) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
        }
    }
};

TEST_F(WindowCaptions, GermanMenusMessagesAndStandardButtons)
{
    configure("Deutsch");
    window();
    EXPECT_EQ(text("mnuQuit"), "Beenden");
    EXPECT_EQ(Mnemonics::plain(find<QMenu>("Edit")->title()), "Bearbeiten");
    EXPECT_EQ(text("mnuUndo"), QString::fromUtf8("Rückgängig"));
    EXPECT_FALSE(find<QAction>("mnuUndo")->isEnabled());

    answer.message();
    EXPECT_FALSE(window().openFile(writeGameBytes(TestData::Bytes(40, 'x'), "bad.bin")));
    EXPECT_EQ(answer.texts.value(0), "Error File");
    EXPECT_TRUE(answer.details.value(0).contains("kann nicht"))
        << answer.details.value(0).toStdString();

    answer.message();
    const QString game = writeGame(TestData::boots(300));
    open(game);
    EXPECT_TRUE(answer.texts.value(1).startsWith("Diese Datei"));
    select(2);
    txt(3)->setText("4");
    EXPECT_EQ(text("mnuUndo"), QString::fromUtf8("Rückgängig: Schusskraft ändern"));

    std::filesystem::permissions(game.toStdString(), std::filesystem::perms::owner_read);
    answer.message();
    EXPECT_FALSE(window().save());
    EXPECT_EQ(answer.details.value(2),
              QDir::toNativeSeparators(game) +
                  QString::fromUtf8(" ist schreibgeschützt: heben Sie den Schreibschutz auf oder "
                                    "speichern Sie an einem anderen Ort"));

    QStringList buttons;
    answer.then([&buttons](QWidget *box) {
        for (QAbstractButton *b : static_cast<QMessageBox *>(box)->buttons())
            buttons << b->text().remove('&');
        static_cast<QMessageBox *>(box)->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(buttons.contains("Speichern") && buttons.contains("Abbrechen"))
        << buttons.join(" ").toStdString();
}

TEST_F(WindowCaptions, CoreReasonsAreShownInTheLanguage)
{
    configure("Polski");
    TestData::Bytes plain = TestData::bootsFile(TestData::boots(3));
    plain.resize(32 + 292); // one record of the three the header promises
    answer.message();
    EXPECT_FALSE(window().openFile(writeGameBytes(TestData::wesys(plain), "short.bin")));
    EXPECT_TRUE(answer.details.value(0).contains(
        QString::fromUtf8("nagłówek zapowiada więcej rekordów (3), niż zawiera plik")))
        << answer.details.value(0).toStdString();
}

TEST_F(WindowCaptions, APastedBlocksProblemIsShownInTheLanguageWithTheReasonsInsideIt)
{
    configure("Deutsch");
    open(writeGame(TestData::boots(3)));
    find<QAction>("mnuTable")->trigger();
    QTableView *table = find<QTableView>("tblBoots");
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 9)); // the last column
    QApplication::clipboard()->setText(QStringLiteral("1\t2\t3\n"));
    answer.message();
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(answer.names, QStringList({"pasteProblemsMessage"}));
    EXPECT_EQ(answer.details.value(0),
              QString::fromUtf8("Zeile 1: 3 Zellen, aber ab der aktuellen folgt nur 1 Spalte"));
}

TEST_F(WindowCaptions, ChoosingALanguageRecaptionsEveryAddedControl)
{
    configure("English");
    window();
    QComboBox *box = find<QComboBox>("ComboBox");
    auto pick = [box](const char *language) {
        box->setCurrentIndex(box->findText(language));
        emit box->activated(box->currentIndex());
    };
    pick("Deutsch");
    EXPECT_EQ(text("mnuExport"), QString::fromUtf8("Exportieren…"));
    EXPECT_EQ(Mnemonics::plain(find<QAbstractButton>("cmdExportTexture")->text()),
              "Textur exportieren");
    EXPECT_EQ(find<QLineEdit>("txtFind")->placeholderText(), "Schuh suchen");
    EXPECT_EQ(text("mnuTable"), "Schuhtabelle");
    EXPECT_EQ(Mnemonics::plain(find<QRadioButton>("R3")->text()),
              QString::fromUtf8("Ausgewählte Zeilen"));
    QAbstractItemModel *table = find<QTableView>("tblBoots")->model();
    EXPECT_EQ(table->headerData(2, Qt::Horizontal).toString(), "Hersteller");
    pick("English");
    EXPECT_EQ(find<QLineEdit>("txtFind")->placeholderText(), "Find a boot");
    EXPECT_EQ(table->headerData(2, Qt::Horizontal).toString(), "Producent");
}

TEST_F(WindowCaptions, LanguageWithoutTheNewKeysShowsThemInEnglish)
{
    std::filesystem::create_directory(programFile("Language/Old"));
    for (const auto &k : Languages::keys())
        WriteIni(programFile("Language/Old/LNG.ini"), k.section, k.key, std::string("x") + k.key);
    configure("Old");
    window();
    EXPECT_EQ(text("mnuQuit"), "Quit");
    EXPECT_EQ(text("mnuRedo"), "Redo");
    EXPECT_EQ(text("mnuSave"), "xmnuSave");
}

TEST_F(WindowCaptions, TypedNameIsStoredAndShownWithBestFitAndUndoneByTheKeys)
{
    const QString game = writeGame(TestData::boots(3));
    open(game);
    select(1);
    QLineEdit *name = txt(0);
    name->clear();
    type(name, QString::fromUtf8("Łódź Ż"));
    EXPECT_EQ(name->text(), QString::fromUtf8("Lódz Z"));
    EXPECT_EQ(list()->item(1)->text(), QString::fromUtf8("Lódz Z"));
    EXPECT_TRUE(window().statusBar()->currentMessage().contains(QString::fromUtf8("Ż")));
    name->setCursorPosition(1);
    type(name, QString::fromUtf8("ż"));
    EXPECT_EQ(name->cursorPosition(), 2) << "the cursor stays after the typed letter";
    EXPECT_EQ(window().document().undoStack()->count(), 1) << "typing is one step";

    answer.message();
    ASSERT_TRUE(window().save());
    EXPECT_EQ(recordsOf(game)[1].Nazwa, "Lz\xF3"
                                        "dz Z");

    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "Boot 1") << "the document's undo, not the field's";
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "Boot 1") << "nothing left to undo";
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window().database().Get_Nazwa(1), "Lz\xF3"
                                                "dz Z");
}

class WindowSize : public WindowCaptions, public testing::WithParamInterface<const char *>
{
};

TEST_P(WindowSize, FitsALaptopScreenWithNothingCutOff)
{
    configure(GetParam());
    const QSize minimum = window().minimumSizeHint().expandedTo(window().minimumSize());
    EXPECT_LE(minimum.width(), 1000);
    EXPECT_LE(minimum.height(), 700);
    window().resize(minimum);
    QApplication::processEvents();
    for (QWidget *w : window().centralWidget()->findChildren<QWidget *>()) {
        // The window's own captioned controls (a line edit's clear button has no name).
        const bool captioned = qobject_cast<QGroupBox *>(w) || qobject_cast<QAbstractButton *>(w);
        if (captioned && !w->objectName().isEmpty()) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
        }
    }
}

// Every command the menu bar declares has found the feature that words it, in every language.
TEST_P(WindowSize, EveryCommandOfTheMenuBarIsWorded)
{
    configure(GetParam());
    QStringList ids;
    QList<QAction *> actions = window().menuBar()->actions();
    while (!actions.isEmpty()) {
        QAction *action = actions.takeFirst();
        if (action->isSeparator())
            continue;
        const QString id = action->menu() ? action->menu()->objectName() : action->objectName();
        ids << id;
        EXPECT_FALSE(Mnemonics::plain(action->text()).isEmpty()) << id.toStdString();
        if (action->menu())
            actions = action->menu()->actions() + actions;
    }
    EXPECT_EQ(ids.size(), QSet<QString>(ids.begin(), ids.end()).size()) << "one place a command";
}

INSTANTIATE_TEST_SUITE_P(Bundled, WindowSize,
                         testing::Values("Deutsch", "English", "Español", "Français", "Italiano",
                                         "Polski", "Português"),
                         CaseName::by([](const char *language) { return std::string(language); }));

} // namespace
