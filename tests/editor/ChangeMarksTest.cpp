// The change marks in the boots table: which cells differ from the kept original or another
// file, what their tooltip says was there, and "changed only", as edits, undo and opening move
// them.
#include "editor/ChangeMarks.h"
#include "CaseName.h"
#include "TempDir.h"
#include "TestData.h"
#include "editor/BootsDocument.h"
#include "editor/BootsFilterModel.h"
#include "editor/BootsTableModel.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Id = BootField::Id;
using Edit = std::function<void(BootRecord &)>;

int columnOf(Id field)
{
    return BootsTableModel::columnOf(BootFields::field(field));
}

class Marks : public testing::Test
{
protected:
    void SetUp() override
    {
        doc.setOriginalsFolder(QString::fromStdString(programDir.file("originals")));
        TestData::writeFile(game, TestData::wesys(TestData::bootsFile(records)));
        Reason error;
        ASSERT_TRUE(doc.open(QString::fromStdString(game), &error)) << error.text();
        filter.setSourceModel(&model);
    }
    void edit(const std::vector<std::pair<int, Edit>> &edits)
    {
        std::vector<BootRecord> after = records;
        for (const auto &[boot, change] : edits)
            change(after[static_cast<std::size_t>(boot)]);
        ASSERT_TRUE(doc.changeRecords(QStringLiteral("Change"), after));
    }
    /// The columns marked in `row`, by their fields.
    std::vector<Id> marked(int row)
    {
        std::vector<Id> out;
        for (int c = 1; c < BootsTableModel::kColumnCount; ++c) {
            if (model.index(row, c).data(BootsTableModel::ChangedRole).toBool())
                out.push_back(BootsTableModel::columnOf(c)->id);
        }
        return out;
    }

    TempDir programDir;
    TempDir gameDir;
    std::string game = gameDir.file("unnamed_1831.bin");
    std::vector<BootRecord> records = TestData::boots(5);
    BootsDocument doc{QString::fromStdString(programDir.path())};
    BootsTableModel model{&doc};
    BootsFilterModel filter;
};

struct CellCase
{
    const char *name;
    Edit change;
    std::vector<Id> cells; ///< the cells of boot 2 marked, in column order
};

class ChangedCells : public Marks, public testing::WithParamInterface<CellCase>
{
};

TEST_P(ChangedCells, AreMarkedWithWhatTheOriginalShowed)
{
    const CellCase &c = GetParam();
    QStringList before;
    for (int col = 0; col < BootsTableModel::kColumnCount; ++col)
        before << model.index(2, col).data().toString();
    edit({{2, c.change}});
    Reason error;
    ASSERT_TRUE(doc.changeMarks().showOriginal(&error)) << error.text();

    EXPECT_EQ(marked(2), c.cells);
    for (const Id id : c.cells)
        EXPECT_EQ(model.index(2, columnOf(id)).data(Qt::ToolTipRole).toString(),
                  QStringLiteral("Original: ") + before[columnOf(id)]);
    EXPECT_TRUE(model.index(2, 0).data(BootsTableModel::RowChangedRole).toBool());
    EXPECT_TRUE(marked(1).empty()) << "an untouched boot";
    EXPECT_FALSE(model.index(1, 0).data(BootsTableModel::RowChangedRole).toBool());
}

INSTANTIATE_TEST_SUITE_P(
    Marks, ChangedCells,
    testing::Values(
        CellCase{"name", [](BootRecord &b) { b.Nazwa = "Mine"; }, {Id::Name}},
        CellCase{"manufacturer by its name", [](BootRecord &b) { b.nowe = 257; }, {Id::Code}},
        CellCase{"colour and speed",
                 [](BootRecord &b) {
                     b.Kolor = "Gold";
                     b.Szybkosc = 7;
                 },
                 {Id::Colour, Id::TopSpeed}},
        CellCase{"a field no column shows", [](BootRecord &b) { b.Pole5 = 99; }, {}}),
    CaseName::by([](const CellCase &c) { return c.name; }));

TEST_F(Marks, FollowEditsUndoAndOpening)
{
    Reason error;
    ASSERT_TRUE(doc.changeMarks().showOriginal(&error)) << error.text();
    edit({{3, [](BootRecord &b) { b.Nazwa = "Mine"; }}});
    EXPECT_EQ(marked(3), std::vector<Id>{Id::Name}) << "an edit is marked at once";
    doc.undoStack()->undo();
    EXPECT_TRUE(marked(3).empty()) << "and unmarked by its undo";
    doc.close();
    EXPECT_FALSE(doc.changeMarks().shown());
}

TEST_F(Marks, AnotherFileIsTheBaseUntilAFileIsOpened)
{
    std::vector<BootRecord> other = TestData::boots(3);
    other[1].Kolor = "Gold";
    const std::string otherPath = gameDir.file("other.bin");
    TestData::writeFile(otherPath, TestData::wesys(TestData::bootsFile(other)));
    const std::string badPath = gameDir.file("bad.bin");
    TestData::writeFile(badPath, TestData::Bytes{'W', 'E', 'S', 'Y', 'S', 0, 1});

    Reason error;
    ASSERT_TRUE(doc.changeMarks().compareWith(QString::fromStdString(otherPath), &error));
    EXPECT_EQ(marked(1), std::vector<Id>{Id::Colour});
    // Every game file has the same name: the folder tells which one.
    EXPECT_EQ(model.index(1, columnOf(Id::Colour)).data(Qt::ToolTipRole).toString(),
              QStringLiteral("In ") +
                  QDir::toNativeSeparators(
                      QFileInfo(QString::fromStdString(otherPath)).absoluteFilePath()) +
                  QStringLiteral(": Gold"));
    EXPECT_EQ(marked(4).size(), BootsTableModel::kColumnCount - 1U)
        << "a boot the other file does not have differs everywhere";

    EXPECT_FALSE(doc.changeMarks().compareWith(QString::fromStdString(badPath), &error));
    EXPECT_EQ(QDir::toNativeSeparators(doc.changeMarks().comparedFile()),
              QDir::toNativeSeparators(QString::fromStdString(otherPath)));
    ASSERT_TRUE(doc.open(QString::fromStdString(game), &error));
    EXPECT_FALSE(doc.changeMarks().shown());
}

struct FilterCase
{
    const char *name;
    bool marks;
    const char *text;
    QStringList shown;
};

class ChangedOnly : public Marks, public testing::WithParamInterface<FilterCase>
{
};

TEST_P(ChangedOnly, KeepsTheBootsThatDifferWithinTheTextFilter)
{
    const FilterCase &c = GetParam();
    const Edit gold = [](BootRecord &b) { b.Kolor = "Gold"; };
    edit({{1, gold}, {3, gold}, {4, [](BootRecord &b) { b.Precyzja = 9; }}});
    Reason error;
    if (c.marks) {
        ASSERT_TRUE(doc.changeMarks().showOriginal(&error)) << error.text();
    }
    filter.setChangedOnly(true);
    filter.setFilterFixedString(QString::fromLatin1(c.text));
    QStringList shown;
    for (int row = 0; row < filter.rowCount(); ++row)
        shown << filter.index(row, 0).data().toString();
    EXPECT_EQ(shown, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, ChangedOnly,
    testing::Values(FilterCase{"changed only", true, "", {"1", "3", "4"}},
                    FilterCase{"and a text", true, "gold", {"1", "3"}},
                    FilterCase{"without marks every boot", false, "", {"0", "1", "2", "3", "4"}}),
    CaseName::by([](const FilterCase &c) { return c.name; }));

} // namespace
