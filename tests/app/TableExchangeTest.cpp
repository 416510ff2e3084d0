#include "CaseName.h"
#include "MainWindowFixture.h"

#include <QAction>
#include <QFileDialog>
#include <QUndoStack>

namespace {

class TableExchangeWindow : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        game = writeGame(records);
        original = TestData::readFile(game.toStdString());
    }
    void trigger(const char *name) { find<QAction>(QString::fromLatin1(name))->trigger(); }
    QString inGameDir(const char *name) { return QString::fromStdString(gameDir.file(name)); }
    void saveAndExpect(const TestData::Bytes &bytes)
    {
        answer.message();
        ASSERT_TRUE(window().save());
        EXPECT_EQ(TestData::readFile(game.toStdString()), bytes);
    }
    bool unchanged()
    {
        return !window().isWindowModified() && window().database().records() == records &&
               window().document().undoStack()->count() == 0;
    }

    const std::vector<BootRecord> records = TestData::boots(4);
    QString game;
    TestData::Bytes original;
};

struct TypeCase
{
    const char *name;
    int filter;
    const char *written; ///< the file that a name typed without extension becomes
};

class UnchangedTable : public TableExchangeWindow, public testing::WithParamInterface<TypeCase>
{
};

TEST_P(UnchangedTable, ExportedAndImportedChangesNothingAndSavesTheSameBytes)
{
    window();
    EXPECT_FALSE(find<QAction>("mnuExport")->isEnabled()) << "no file is open";
    open(game);
    answer.then([this](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        ASSERT_NE(dialog, nullptr);
        answer.names << dialog->objectName();
        const QString type = dialog->nameFilters().value(GetParam().filter);
        dialog->selectNameFilter(type);
        emit dialog->filterSelected(type); // as the user's choice in the type box does
        dialog->selectFile(inGameDir("boots"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    trigger("mnuExport");
    answer.file(inGameDir(GetParam().written));
    answer.message();
    trigger("mnuImport");

    EXPECT_EQ(answer.names, QStringList({"CDExport", "CDImport", "tableUnchangedMessage"}));
    EXPECT_TRUE(unchanged());
    saveAndExpect(original);
}

INSTANTIATE_TEST_SUITE_P(Types, UnchangedTable,
                         testing::Values(TypeCase{"Csv", 0, "boots.csv"},
                                         TypeCase{"Json", 1, "boots.json"}),
                         CaseName::by([](const TypeCase &c) { return std::string(c.name); }));

TEST_F(TableExchangeWindow, EditedTableIsOneUndoStepOverTheUnsavedEdits)
{
    open(game);
    select(1);
    txt(0)->setText("Boot 1 unsaved"); // the export takes the records in memory
    select(2);
    const QString table = inGameDir("boots.csv");
    answer.file(table);
    trigger("mnuExport");

    // A spreadsheet's edit of boot 2: a name with a comma and a quote, three statistics and
    // the manufacturer code.
    TestData::Bytes bytes = TestData::readFile(table.toStdString());
    std::string csv(bytes.begin(), bytes.end());
    const std::string row = "\r\nBoot 2,2,1002,259,14,3,4,5,1,2,";
    ASSERT_NE(csv.find(row), std::string::npos) << csv;
    csv.replace(csv.find(row), row.size(), "\r\n\"Boot 2, \"\"Pro\"\"\",2,1002,513,14,5,1,5,4,2,");
    TestData::writeFile(table.toStdString(), TestData::Bytes(csv.begin(), csv.end()));
    const std::vector<BootRecord> beforeImport = window().database().records();
    std::vector<BootRecord> edited = beforeImport;
    edited[2].Nazwa = "Boot 2, \"Pro\"";
    edited[2].nowe = 513;
    edited[2].Sila = 5;
    edited[2].Precyzja = 1;
    edited[2].Szybkosc = 4;

    answer.file(table);
    answer.message();
    trigger("mnuImport");
    EXPECT_EQ(answer.names.last(), "tableImportedMessage");
    EXPECT_EQ(txt(0)->text(), "Boot 2, \"Pro\"") << "the selected boot shows the import";
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "Undo Import Table");
    EXPECT_EQ(TestData::readFile(game.toStdString()), original) << "written only by Save";
    Baza working;
    ASSERT_TRUE(working.Wczytaj(window().workingFile().toStdString()));
    EXPECT_EQ(working.records(), edited);
    answer.message();
    ASSERT_TRUE(window().save());
    EXPECT_EQ(recordsOf(game), edited);

    trigger("mnuUndo");
    EXPECT_EQ(window().database().records(), beforeImport);
    EXPECT_TRUE(window().isWindowModified());
    trigger("mnuUndo");
    saveAndExpect(original);
}

struct MalformedCase
{
    const char *file;
    std::string table;
    const char *problems; ///< the start of the message's list
};

class MalformedTable : public TableExchangeWindow, public testing::WithParamInterface<MalformedCase>
{
};

TEST_P(MalformedTable, GivesOneMessageAndChangesNothing)
{
    open(game);
    const QString table = inGameDir(GetParam().file);
    TestData::writeFile(table.toStdString(),
                        TestData::Bytes(GetParam().table.begin(), GetParam().table.end()));
    answer.file(table);
    answer.message();
    trigger("mnuImport");
    EXPECT_EQ(answer.names, QStringList({"CDImport", "tableProblemsMessage"}));
    EXPECT_TRUE(answer.details.value(0).startsWith(QString::fromLatin1(GetParam().problems)))
        << answer.details.value(0).toStdString();
    EXPECT_TRUE(unchanged());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, MalformedTable,
    testing::Values(MalformedCase{"bad_numbers.csv", "Sila,Nazwa\r\n1,A\r\n2,B\r\n300,C\r\nx,D\r\n",
                                  "line 4, Sila: \"300\" lies outside 0..255\nline 5, Sila"},
                    MalformedCase{"truncated.json", "[{\"Sila\": 1}, {", "parse error"}),
    CaseName::by([](const MalformedCase &c) {
        std::string name = c.file;
        return name.replace(name.find('.'), 1, " "); // bad_numbers_csv
    }));

// A table that names HTML in a problem line: the message box shows it as the text it is.
TEST_F(TableExchangeWindow, TableTextInItsMessageIsNeverReadAsHtml)
{
    open(game);
    const QString table = inGameDir("html.csv");
    const std::string text = "Sila,<img src=x><b>bold</b>\r\n1,A\r\n";
    TestData::writeFile(table.toStdString(), TestData::Bytes(text.begin(), text.end()));
    answer.file(table);
    Qt::TextFormat format = Qt::AutoText;
    answer.then([&format](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        format = box ? box->textFormat() : format;
        if (box)
            box->accept();
    });
    trigger("mnuImport");
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_TRUE(unchanged());
}

} // namespace
