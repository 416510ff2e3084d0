#include "editor/BootsTableModel.h"
#include "CaseName.h"
#include "TempDir.h"
#include "TestData.h"
#include "editor/BootsDocument.h"

#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <gtest/gtest.h>

namespace {

using Id = BootField::Id;

int columnOf(Id field)
{
    return BootsTableModel::columnOf(BootFields::field(field));
}

class TableModel : public testing::Test
{
protected:
    void SetUp() override
    {
        records = TestData::boots(5);
        records[0].Sila = 200;
        records[1].Sila = 0;
        records[2].Sila = 9;
        records[3].Sila = 10;
        records[3].NazwaMaterialu = "kangaroo LEATHER";
        records[4].nowe = 0; // a code without a name
        const std::string game = gameDir.file("unnamed_1831.bin");
        TestData::writeFile(game, TestData::wesys(TestData::bootsFile(records)));
        Reason error;
        ASSERT_TRUE(doc.open(QString::fromStdString(game), &error)) << error.text();
        proxy.setSourceModel(&model);
        proxy.setSortRole(BootsTableModel::SortRole);
        proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
        proxy.setFilterRole(BootsTableModel::FilterRole);
        proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    }
    QString cell(int row, Id field) { return model.index(row, columnOf(field)).data().toString(); }
    /// The `#` column of the proxy's rows, in the order it shows them.
    QStringList shownPositions()
    {
        QStringList positions;
        for (int row = 0; row < proxy.rowCount(); ++row)
            positions << proxy.index(row, 0).data().toString();
        return positions;
    }

    TempDir programDir;
    TempDir gameDir;
    BootsDocument doc{QString::fromStdString(programDir.path())};
    BootsTableModel model{&doc};
    QSortFilterProxyModel proxy;
    std::vector<BootRecord> records;
};

TEST_F(TableModel, ShowsEveryBootAsStored)
{
    ASSERT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.index(3, 0).data().toString(), "3");
    EXPECT_EQ(cell(1, Id::ShotPower), "0") << "as stored, not as the editor would store";
    EXPECT_EQ(cell(3, Id::Material), "kangaroo LEATHER");
    EXPECT_EQ(cell(0, Id::Code), "Adidas");
    EXPECT_EQ(cell(4, Id::Code), "0") << "the code when it has no name";
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(TableModel, SortsNumbersAsNumbersAndTextsWithoutCase)
{
    proxy.sort(columnOf(Id::ShotPower), Qt::AscendingOrder);
    EXPECT_EQ(shownPositions(), QStringList({"1", "4", "2", "3", "0"}));
    proxy.sort(columnOf(Id::Material), Qt::AscendingOrder);
    EXPECT_EQ(shownPositions().first(), "3");
    proxy.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(shownPositions(), QStringList({"0", "1", "2", "3", "4"})) << "the file's order";
}

TEST_F(TableModel, FilterSearchesNameMaterialColourAndMakerWithoutCase)
{
    proxy.setFilterFixedString(QStringLiteral("leather"));
    EXPECT_EQ(shownPositions(), QStringList({"3"}));
    proxy.setFilterFixedString(QStringLiteral("ADIDAS"));
    EXPECT_EQ(shownPositions(), QStringList({"0"}));
    proxy.setFilterFixedString(QStringLiteral("0"));
    EXPECT_EQ(shownPositions(), QStringList({"0"})) << "the name Boot 0, not the code 0 of boot 4";
}

struct CellEdit
{
    const char *name;
    Id field;
    QVariant typed;
    const char *shown; ///< what the cell shows afterwards
    const char *step;  ///< the undo step's name
    bool noted;        ///< the document says what storing changed
};

class CellEdits : public TableModel, public testing::WithParamInterface<CellEdit>
{
};

TEST_P(CellEdits, AreOneNamedStepStoredByTheRecordRules)
{
    QSignalSpy notes(&doc, &BootsDocument::valuesAdjusted);
    const QModelIndex at = model.index(2, columnOf(GetParam().field));
    ASSERT_TRUE(model.setData(at, GetParam().typed));
    EXPECT_EQ(at.data().toString(), GetParam().shown);
    EXPECT_EQ(doc.undoStack()->count(), 1);
    EXPECT_EQ(doc.undoStack()->undoText(), GetParam().step);
    EXPECT_EQ(notes.count(), GetParam().noted ? 1 : 0);
    doc.undoStack()->undo();
    EXPECT_EQ(doc.database().records(), records);
    EXPECT_EQ(at.data().toString(), cell(2, GetParam().field)) << "the table follows the undo";
}

INSTANTIATE_TEST_SUITE_P(
    TableModel, CellEdits,
    testing::Values(CellEdit{"StatisticAsTyped", Id::ShotPower, 4, "4", "Change Shot Power", false},
                    CellEdit{"StatisticTypedAsTheRecordEditorTakesIt", Id::ShotPower,
                             QStringLiteral("300"), "5", "Change Shot Power", true},
                    CellEdit{"StatisticZero", Id::Swerve, 0, "1", "Change Swerve", true},
                    CellEdit{"NameCutToSixty", Id::Name, QString(70, QLatin1Char('n')),
                             "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn",
                             "Change Boots Name", true},
                    CellEdit{"ColourBestFit", Id::Colour, QStringLiteral("\u0141\u00f3d\u017a"),
                             "L\u00f3dz", "Change Color Name", true},
                    CellEdit{"ManufacturerByName", Id::Code, QStringLiteral("Mizuno"), "Mizuno",
                             "Change Manufacturer", false}),
    CaseName::by([](const CellEdit &c) { return std::string(c.name); }));

TEST_F(TableModel, SelectedRowsGetTheTickedStatisticsAsOneStep)
{
    ASSERT_TRUE(doc.changeStatistics({1, 3}, {true, false, false, false, true}, "3.5"));
    EXPECT_EQ(doc.undoStack()->undoText(), "Change Statistics");
    records[1].Sila = records[1].Podkrecanie = records[3].Sila = records[3].Podkrecanie = 4;
    EXPECT_EQ(doc.database().records(), records) << "3.5 rounds half to even";
    ASSERT_TRUE(doc.changeStatistics({0}, {true, false, false, false, false}, "0"));
    EXPECT_EQ(cell(0, Id::ShotPower), "1") << "0 is stored as 1, as the record editor does";
    EXPECT_FALSE(doc.changeStatistics({0}, {true, false, false, false, false}, "1"));
    EXPECT_EQ(doc.undoStack()->count(), 2) << "a change that changes nothing makes no step";
}

} // namespace
