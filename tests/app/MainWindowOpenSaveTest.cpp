#include "MainWindowFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using OpenSave = MainWindowFixture;

struct Control
{
    const char *name;
    const char *type;
};

TEST_F(OpenSave, EveryControlOfTheDesignIsThereByName)
{
    window();
    std::vector<Control> controls = {{"List1", "QListWidget"},
                                     {"Combo", "QComboBox"},
                                     {"ComboBox", "QComboBox"},
                                     {"R1", "QRadioButton"},
                                     {"R2", "QRadioButton"},
                                     {"Over", "QLineEdit"},
                                     {"cmdChange", "QPushButton"},
                                     {"cmdOpenT", "QPushButton"},
                                     {"cmdOpent2", "QPushButton"},
                                     {"cmdCreate", "QPushButton"},
                                     {"Img", "QLabel"},
                                     {"lblPreviewInfo", "QLabel"},
                                     {"LstOffset", "QListWidget"},
                                     {"LstOffset2", "QListWidget"},
                                     {"Lbl(0)", "QLabel"},
                                     {"Lbl(1)", "QLabel"},
                                     {"File", "QMenu"},
                                     {"mnuOpen", "QAction"},
                                     {"mnuSave", "QAction"},
                                     {"About", "QAction"}};
    std::vector<std::string> names;
    for (int n = 1; n <= 20; ++n)
        names.push_back("GroupBox" + std::to_string(n));
    for (const auto &n : names)
        controls.push_back({n.c_str(), "QGroupBox"});
    std::vector<std::string> more;
    for (int k = 0; k <= 8; ++k)
        more.push_back("txt(" + std::to_string(k) + ")");
    for (int k = 1; k <= 4; ++k)
        more.push_back("Text" + std::to_string(k));
    for (const auto &n : more)
        controls.push_back({n.c_str(), "QLineEdit"});
    std::vector<std::string> checks;
    for (int k = 1; k <= 5; ++k)
        checks.push_back("Ch" + std::to_string(k));
    for (const auto &n : checks)
        controls.push_back({n.c_str(), "QCheckBox"});

    for (const auto &c : controls) {
        QObject *object = window().findChild<QObject *>(QString::fromLatin1(c.name));
        ASSERT_NE(object, nullptr) << c.name;
        EXPECT_TRUE(object->inherits(c.type))
            << c.name << " is " << object->metaObject()->className();
    }
    // Containment of the design.
    auto parentBox = [&](const char *name) {
        QWidget *w = find<QWidget>(QString::fromLatin1(name));
        while (w && !qobject_cast<QGroupBox *>(w->parentWidget()))
            w = w->parentWidget();
        return w ? w->parentWidget()->objectName() : QString();
    };
    EXPECT_EQ(parentBox("List1"), "GroupBox1");
    EXPECT_EQ(parentBox("lblPreviewInfo"), "GroupBox15");
    EXPECT_EQ(parentBox("txt(0)"), "GroupBox3");
    EXPECT_EQ(parentBox("txt(7)"), "GroupBox11");
    EXPECT_EQ(parentBox("txt(8)"), "GroupBox17");
    EXPECT_EQ(parentBox("Combo"), "GroupBox17");
    EXPECT_EQ(parentBox("Over"), "GroupBox14");
    EXPECT_EQ(parentBox("GroupBox14"), "GroupBox13");
    EXPECT_EQ(parentBox("GroupBox13"), "GroupBox12");
    EXPECT_EQ(parentBox("GroupBox12"), "GroupBox6");
    EXPECT_EQ(parentBox("GroupBox6"), "GroupBox2");
    EXPECT_EQ(parentBox("Ch3"), "GroupBox13");
    EXPECT_EQ(parentBox("Lbl(0)"), "GroupBox16");
    EXPECT_EQ(parentBox("Img"), "GroupBox15");
    EXPECT_EQ(parentBox("LstOffset2"), "GroupBox15");
    EXPECT_EQ(parentBox("ComboBox"), "GroupBox19");
    EXPECT_EQ(parentBox("cmdCreate"), "GroupBox20");
    EXPECT_EQ(parentBox("GroupBox20"), "GroupBox18");
}

TEST_F(OpenSave, StartsWithTheDesignStates)
{
    window();
    EXPECT_FALSE(find<QGroupBox>("GroupBox2")->isEnabled());
    EXPECT_FALSE(find<QGroupBox>("GroupBox15")->isEnabled());
    EXPECT_TRUE(find<QGroupBox>("GroupBox1")->isEnabled());
    EXPECT_TRUE(find<QGroupBox>("GroupBox18")->isEnabled());
    EXPECT_FALSE(find<QAction>("mnuSave")->isEnabled());
    EXPECT_TRUE(find<QAction>("mnuOpen")->isEnabled());
    EXPECT_EQ(find<QAction>("mnuOpen")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(find<QAction>("mnuSave")->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_TRUE(find<QRadioButton>("R1")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("R2")->isChecked());
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(find<QCheckBox>(QStringLiteral("Ch%1").arg(k))->isChecked());
    EXPECT_EQ(find<QLineEdit>("Over")->text(), "5");
    QComboBox *combo = find<QComboBox>("Combo");
    QStringList makers;
    for (int i = 0; i < combo->count(); ++i)
        makers << combo->itemText(i);
    EXPECT_EQ(makers, QStringList({"Adidas", "Nike", "Puma", "Umbro", "Mizuno", "Konami"}));
    EXPECT_EQ(combo->currentText(), "");
    EXPECT_EQ(window().windowTitle(), frmMain::designTitle() + "[*]");
    EXPECT_FALSE(find<QWidget>("LstOffset")->isVisible());
    EXPECT_FALSE(find<QWidget>("Text1")->isVisible());
    EXPECT_TRUE(window().gamePath().isEmpty());
}

TEST_F(OpenSave, OpenThroughTheDialogListsTheBoots)
{
    const QString game = writeGame(TestData::boots(5));
    answer.file(game);
    window().mnuOpen_Click();
    ASSERT_EQ(answer.names.value(0), "CD");
    EXPECT_EQ(answer.texts.value(0), "unnamed_1831.bin(dt0f.img) (*unnamed_1831.bin);"
                                     "*unnamed_28.bin(dt0c.img) (*unnamed_28.bin);All Files (*)");
    ASSERT_EQ(list()->count(), 5);
    EXPECT_EQ(list()->item(0)->text(), "Boot 0");
    EXPECT_EQ(list()->item(4)->text(), "Boot 4");
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_TRUE(find<QAction>("mnuSave")->isEnabled());
    EXPECT_TRUE(find<QGroupBox>("GroupBox2")->isEnabled());
    EXPECT_TRUE(find<QGroupBox>("GroupBox15")->isEnabled());
    EXPECT_EQ(openGame(), game);
    EXPECT_TRUE(window().windowTitle().startsWith(game));
    EXPECT_TRUE(fs::exists(programFile("temp.bin")));
    EXPECT_FALSE(fs::exists(programFile("temp")));
    EXPECT_EQ(gameDir.listing(), "unnamed_1831.bin") << "the .unzlib file must be gone";
}

TEST_F(OpenSave, CancelledDialogChangesNothing)
{
    const QString game = writeGame(TestData::boots(3));
    open(game);
    answer.file(QString());
    window().mnuOpen_Click();
    EXPECT_EQ(list()->count(), 3);
    EXPECT_EQ(openGame(), game);
    EXPECT_TRUE(find<QAction>("mnuSave")->isEnabled());
}

TEST_F(OpenSave, DroppingAFileOpensTheFirstOne)
{
    const QString first = writeGame(TestData::boots(2), "a.bin");
    const QString second = writeGame(TestData::boots(4), "b.bin");
    window();
    drop({first, second});
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(openGame(), first);
}

TEST_F(OpenSave, DropWithoutFilesDoesNothing)
{
    open(writeGame(TestData::boots(2)));
    QMimeData mime;
    mime.setText("just text");
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list()->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list()->viewport(), &drop);
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(OpenSave, OpeningASecondFileReplacesTheListAndSaveTarget)
{
    open(writeGame(TestData::boots(2), "first.bin"));
    select(1);
    const QString second = writeGame(TestData::boots(6), "second.bin");
    open(second);
    EXPECT_EQ(list()->count(), 6);
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_EQ(txt(0)->text(), "") << "the previous file's fields are cleared";
    // Typing before a boot of the new file is selected changes nothing.
    txt(0)->setText("Stray edit");
    EXPECT_FALSE(window().hasUnsavedEdits());
    EXPECT_EQ(window().database().Get_Nazwa(1), "Boot 1");
    select(2);
    txt(0)->setText("Second file edit");
    answer.message();
    ASSERT_TRUE(window().save());
    EXPECT_EQ(recordsOf(second)[2].Nazwa, "Second file edit");
    EXPECT_EQ(recordsOf(QString::fromStdString(gameDir.file("first.bin")))[1].Nazwa, "Boot 1");
}

TEST_F(OpenSave, SaveWritesTheWrappedRecordsOverTheGameFile)
{
    auto records = TestData::boots(4);
    const QString game = writeGame(records);
    open(game);
    select(2);
    txt(0)->setText("Renamed boot");
    EXPECT_TRUE(window().hasUnsavedEdits());
    answer.message();
    window().mnuSave_Click();
    EXPECT_EQ(answer.texts, QStringList({"Saved File"}));
    EXPECT_EQ(answer.icons.at(0), QMessageBox::Information);
    EXPECT_FALSE(window().hasUnsavedEdits());
    records[2].Nazwa = "Renamed boot";
    const TestData::Bytes expected = TestData::bootsFile(records);
    PesZlib zlib("");
    TestData::Bytes plain;
    ASSERT_TRUE(zlib.unwrap(TestData::readFile(game.toStdString()), plain));
    EXPECT_EQ(plain, expected);
    EXPECT_EQ(TestData::readFile(game.toStdString()),
              TestData::readFile(programFile("temp.bin.zlib")));
    EXPECT_EQ(gameDir.listing(), "unnamed_1831.bin");
}

TEST_F(OpenSave, ReadOnlyGameFileIsNeitherChangedNorReportedSaved)
{
    const QString game = writeGame(TestData::boots(3));
    open(game);
    select(0);
    txt(0)->setText("Edited");
    const TestData::Bytes before = TestData::readFile(game.toStdString());
    fs::permissions(game.toStdString(), fs::perms::owner_read | fs::perms::group_read);
    answer.message();
    EXPECT_FALSE(window().save());
    ASSERT_EQ(answer.icons.size(), 1u);
    EXPECT_EQ(answer.icons[0], QMessageBox::Critical);
    EXPECT_TRUE(answer.texts[0].contains(game)) << answer.texts[0].toStdString();
    EXPECT_NE(answer.texts[0], "Saved File");
    EXPECT_EQ(TestData::readFile(game.toStdString()), before);
    EXPECT_TRUE(window().hasUnsavedEdits());
    EXPECT_EQ(window().database().Get_Nazwa(0), "Edited");
}

TEST_F(OpenSave, GameFolderGoneMakesSaveFailCleanly)
{
    const std::string folder = gameDir.file("sub");
    fs::create_directory(folder);
    const QString game = QString::fromStdString(folder + "/unnamed_1831.bin");
    TestData::writeFile(game.toStdString(),
                        TestData::wesys(TestData::bootsFile(TestData::boots(2))));
    open(game);
    select(0);
    txt(3)->setText("2");
    fs::remove_all(folder);
    answer.message();
    EXPECT_FALSE(window().save());
    EXPECT_EQ(answer.icons.at(0), QMessageBox::Critical);
    EXPECT_TRUE(window().hasUnsavedEdits());
}

TEST_F(OpenSave, FailedOpenAfterAGoodFileHoldsNoFile)
{
    open(writeGame(TestData::boots(3)));
    select(1);
    const QString broken = writeGameBytes(TestData::Bytes(100, 0x42), "broken.bin");
    answer.message();
    EXPECT_FALSE(window().openFile(broken));
    EXPECT_EQ(answer.texts, QStringList({"Error File"}));
    EXPECT_EQ(answer.icons.at(0), QMessageBox::Critical);
    EXPECT_TRUE(answer.details.at(0).contains(broken));
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(txt(0)->text(), "");
    EXPECT_FALSE(find<QAction>("mnuSave")->isEnabled());
    EXPECT_FALSE(find<QGroupBox>("GroupBox2")->isEnabled());
    EXPECT_FALSE(find<QGroupBox>("GroupBox15")->isEnabled());
    EXPECT_EQ(window().database().Count(), 0);
    EXPECT_TRUE(window().gamePath().isEmpty());
    EXPECT_FALSE(window().save());
    EXPECT_EQ(gameDir.listing(), "broken.bin unnamed_1831.bin");
}

TEST_F(OpenSave, ArchiveThatIsNoBootsDatabaseGivesErrorFile)
{
    const QString archive =
        writeGameBytes(TestData::wesys(TestData::textureArchive(
                           {{"ab12", TestData::dds(TestData::DdsFormat::Dxt1, 8, 8, {})}})),
                       "unnamed_5756.bin");
    answer.message();
    EXPECT_FALSE(window().openFile(archive));
    EXPECT_EQ(answer.texts, QStringList({"Error File"}));
    EXPECT_EQ(list()->count(), 0);
}

TEST_F(OpenSave, UnsavedEditsAskBeforeAnotherOpen)
{
    const QString game = writeGame(TestData::boots(3));
    open(game);
    select(0);
    txt(0)->setText("Unsaved");
    const QString other = writeGame(TestData::boots(5), "other.bin");
    answer.message(QMessageBox::Cancel);
    drop({other});
    EXPECT_EQ(answer.names, QStringList({"unsavedMessage"}));
    EXPECT_EQ(list()->count(), 3);
    EXPECT_EQ(window().database().Get_Nazwa(0), "Unsaved");

    answer.message(QMessageBox::Discard);
    drop({other});
    EXPECT_EQ(list()->count(), 5);
    EXPECT_EQ(recordsOf(game)[0].Nazwa, "Boot 0");
}

TEST_F(OpenSave, CancelledCloseKeepsEverything)
{
    open(writeGame(TestData::boots(3)));
    select(0);
    txt(0)->setText("Keep me");
    answer.message(QMessageBox::Cancel);
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(fs::exists(programFile("temp.bin")));
    EXPECT_EQ(window().database().Get_Nazwa(0), "Keep me");
}

TEST_F(OpenSave, SaveOnCloseWritesTheEdits)
{
    const QString game = writeGame(TestData::boots(3));
    open(game);
    select(1);
    txt(1)->setText("Leather");
    answer.message(QMessageBox::Save);
    answer.message(QMessageBox::Ok);
    EXPECT_TRUE(window().close());
    EXPECT_EQ(answer.texts.value(1), "Saved File");
    EXPECT_EQ(recordsOf(game)[1].NazwaMaterialu, "Leather");
}

TEST_F(OpenSave, CloseRemovesTheWorkingFiles)
{
    open(writeGame(TestData::boots(3)));
    answer.message();
    ASSERT_TRUE(window().save());
    EXPECT_TRUE(fs::exists(programFile("temp.bin")));
    EXPECT_TRUE(fs::exists(programFile("temp.bin.zlib")));
    EXPECT_TRUE(window().close());
    EXPECT_FALSE(fs::exists(programFile("temp.bin")));
    EXPECT_FALSE(fs::exists(programFile("temp.bin.zlib")));
}

TEST_F(OpenSave, CloseWithoutAFileIsQuiet)
{
    EXPECT_TRUE(window().close());
    EXPECT_TRUE(answer.texts.isEmpty());
}

TEST_F(OpenSave, MoreThan255BoxesListsTheFirst255AndSavesAll)
{
    auto records = TestData::boots(300);
    records[299].Nazwa = "Last of all";
    const QString game = writeGame(records);
    answer.message();
    open(game);
    EXPECT_EQ(answer.names, QStringList({"recordLimitMessage"}));
    EXPECT_EQ(list()->count(), 255);
    select(254);
    txt(0)->setText("Number 254");
    answer.message();
    ASSERT_TRUE(window().save());
    const auto saved = recordsOf(game);
    ASSERT_EQ(saved.size(), 300u);
    EXPECT_EQ(saved[254].Nazwa, "Number 254");
    EXPECT_EQ(saved[299].Nazwa, "Last of all");
}

TEST_F(OpenSave, ExactlyTwoHundredFiftyFiveBootsAreAllListed)
{
    open(writeGame(TestData::boots(255)));
    EXPECT_EQ(list()->count(), 255);
    EXPECT_EQ(list()->item(254)->text(), "Boot 254");
}

TEST_F(OpenSave, UnwritableProgramFolderIsReported)
{
    // A program folder that cannot hold working files: here a path that is a plain file.
    const std::string notAFolder = gameDir.file("program");
    TestData::writeFile(notAFolder, TestData::Bytes{1});
    frmMain broken(QString::fromStdString(notAFolder));
    const QString game = writeGame(TestData::boots(2));
    answer.message();
    EXPECT_FALSE(broken.openFile(game));
    EXPECT_EQ(answer.icons.at(0), QMessageBox::Critical);
    EXPECT_TRUE(answer.details.at(0).contains(QString::fromStdString(notAFolder)));
}

// A FILE that does not load is met as Open meets it: a message, and an empty window.
TEST_F(MainWindowFixture, FileOnTheCommandLineIsOpenedAtStart)
{
    const QString game = writeGame(TestData::boots(3));
    for (const QString &refused :
         {game + ".missing", QString::fromStdString(gameDir.path()), window().workingFile()}) {
        answer.message();
        window().openAtStart(refused);
        QCoreApplication::processEvents();
        EXPECT_EQ(list()->count(), 0);
        EXPECT_EQ(window().windowTitle(), frmMain::designTitle() + "[*]");
    }
    EXPECT_EQ(answer.icons, std::vector(3, QMessageBox::Critical));
    window().openAtStart(game);
    QCoreApplication::processEvents();
    EXPECT_EQ(window().windowTitle(), QDir::toNativeSeparators(game) + "[*]");
    EXPECT_EQ(list()->count(), 3);
}

} // namespace

// File ▸ Save As… asks for a folder, asks before replacing what is there, and the window then
// works on the file saved there.
TEST_F(OpenSave, SaveAsSavesIntoTheChosenFolderAndAsksBeforeReplacing)
{
    const QString game = writeGame(TestData::boots(3));
    open(game);
    select(0);
    txt(0)->setText("Elsewhere");
    const TestData::Bytes before = TestData::readFile(game.toStdString());
    TempDir other;
    const QString folder = QString::fromStdString(other.path());
    const QString copy = QDir(folder).filePath(QStringLiteral("unnamed_1831.bin"));
    TestData::writeFile(copy.toStdString(), {7});
    answer.file(folder);
    answer.message(QMessageBox::No); // keeps the file there
    find<QAction>("mnuSaveAs")->trigger();
    EXPECT_EQ(TestData::readFile(copy.toStdString()), TestData::Bytes{7});
    EXPECT_TRUE(window().hasUnsavedEdits());
    answer.file(folder);
    answer.message(QMessageBox::Yes);
    answer.message(); // "Saved File"
    find<QAction>("mnuSaveAs")->trigger();
    EXPECT_EQ(answer.pending(), 0);
    EXPECT_EQ(answer.names, (QStringList{"saveAsFolder", "replaceFilesMessage", "saveAsFolder",
                                         "replaceFilesMessage", "savedMessage"}));
    EXPECT_EQ(recordsOf(copy)[0].Nazwa, "Elsewhere");
    EXPECT_EQ(TestData::readFile(game.toStdString()), before);
    EXPECT_FALSE(window().hasUnsavedEdits());
    EXPECT_TRUE(window().windowTitle().startsWith(QDir::toNativeSeparators(copy)));
}
