#include "CaseName.h"
#include "TempDir.h"
#include "TestData.h"
#include "editor/BootsDocument.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

RecordTexts textsOf(const BootRecord &r)
{
    RecordTexts t;
    t.name = QString::fromLatin1(r.Nazwa);
    t.material = QString::fromLatin1(r.NazwaMaterialu);
    t.colour = QString::fromLatin1(r.Kolor);
    const int stats[5] = {r.Sila, r.Precyzja, r.Przyspieszenie, r.Szybkosc, r.Podkrecanie};
    for (int s = 0; s < 5; ++s)
        t.statistics[static_cast<std::size_t>(s)] = QString::number(stats[s]);
    t.code = QString::number(r.nowe);
    return t;
}

class Document : public testing::Test
{
protected:
    void SetUp() override
    {
        records = TestData::boots(4);
        records[1].Sila = 0; // a statistic the editor never stores
        const std::string game = gameDir.file("unnamed_1831.bin");
        TestData::writeFile(game, TestData::wesys(TestData::bootsFile(records)));
        QString error;
        ASSERT_TRUE(doc.open(QString::fromStdString(game), &error)) << error.toStdString();
    }

    /// Stores `text` into `field` of boot `index`, the other fields as the record holds them.
    bool edit(int index, RecordField field, const char *text)
    {
        RecordTexts t = textsOf(doc.database().records()[static_cast<std::size_t>(index)]);
        const QString value = QString::fromLatin1(text);
        switch (field) {
        case RecordField::Name:
            t.name = value;
            break;
        case RecordField::Colour:
            t.colour = value;
            break;
        case RecordField::Code:
        case RecordField::Manufacturer:
            t.code = value;
            break;
        default:
            t.statistics[static_cast<std::size_t>(field) - 3] = value;
        }
        return doc.setRecord(index, t, field);
    }

    BootRecord recordAt(int index)
    {
        return doc.database().records()[static_cast<std::size_t>(index)];
    }
    std::vector<BootRecord> workingRecords()
    {
        Baza working;
        EXPECT_TRUE(working.Wczytaj(programDir.file("temp.bin")));
        return working.records();
    }

    TempDir programDir;
    TempDir gameDir;
    BootsDocument doc{QString::fromStdString(programDir.path())};
    std::vector<BootRecord> records;
};

struct Edit
{
    int index;
    RecordField field;
    const char *text;
    bool newStepBefore = false;
};

struct StepCase
{
    const char *name;
    std::vector<Edit> edits;
    int steps;
};

class UndoSteps : public Document, public testing::WithParamInterface<StepCase>
{
};

TEST_P(UndoSteps, EditsMakeTheseStepsAndUndoingThemAllRestoresTheFile)
{
    for (const Edit &e : GetParam().edits) {
        if (e.newStepBefore)
            doc.startNewStep();
        edit(e.index, e.field, e.text);
    }
    EXPECT_EQ(doc.undoStack()->count(), GetParam().steps);
    EXPECT_EQ(doc.isModified(), GetParam().steps > 0);
    while (doc.undoStack()->canUndo())
        doc.undoStack()->undo();
    EXPECT_EQ(doc.database().records(), records);
    EXPECT_FALSE(doc.isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, UndoSteps,
    testing::Values(
        StepCase{"TypingInOneFieldIsOneStep",
                 {{0, RecordField::Name, "B"}, {0, RecordField::Name, "Bo"}},
                 1},
        StepCase{"AnotherFieldStartsAStep",
                 {{0, RecordField::Name, "X"}, {0, RecordField::Colour, "Y"}},
                 2},
        StepCase{"AnotherBootStartsAStep",
                 {{0, RecordField::Name, "X"}, {1, RecordField::Name, "Y"}},
                 2},
        StepCase{"ChoosingTheBootAgainStartsAStep",
                 {{0, RecordField::Name, "X"}, {0, RecordField::Name, "XY", true}},
                 2},
        StepCase{"EachManufacturerChoiceIsAStep",
                 {{0, RecordField::Manufacturer, "259"}, {0, RecordField::Manufacturer, "260"}},
                 2},
        StepCase{"TypingBackLeavesNoStep",
                 {{0, RecordField::Name, "Boot 0x"}, {0, RecordField::Name, "Boot 0"}},
                 0},
        StepCase{"UnchangedRecordMakesNoStep", {{2, RecordField::Name, "Boot 2"}}, 0},
        StepCase{"StatisticEditKeepsTheUnshownZeroOnUndo", {{1, RecordField::Swerve, "4"}}, 1}),
    CaseName::by([](const auto &c) { return std::string(c.name); }));

struct RuleCase
{
    const char *name;
    RecordField field;
    const char *typed;
    BootRecord (*expected)(BootRecord);
};

class RecordRule : public Document, public testing::WithParamInterface<RuleCase>
{
};

TEST_P(RecordRule, StoresTheFieldByTheRule)
{
    edit(3, GetParam().field, GetParam().typed);
    EXPECT_EQ(recordAt(3), GetParam().expected(records[3]));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RecordRule,
    testing::Values(RuleCase{"NameIsCutToSixty", RecordField::Name,
                             "123456789012345678901234567890"
                             "123456789012345678901234567890xyz",
                             [](BootRecord r) {
                                 r.Nazwa =
                                     "123456789012345678901234567890123456789012345678901234567890";
                                 return r;
                             }},
                    RuleCase{"StatisticAboveFiveIsFive", RecordField::ShotPower, "9",
                             [](BootRecord r) {
                                 r.Sila = 5;
                                 return r;
                             }},
                    RuleCase{"StatisticZeroIsOne", RecordField::ShotPower, "0",
                             [](BootRecord r) {
                                 r.Sila = 1;
                                 return r;
                             }},
                    RuleCase{"StatisticThatIsNoNumberIsOne", RecordField::TopSpeed, "x",
                             [](BootRecord r) {
                                 r.Szybkosc = 1;
                                 return r;
                             }},
                    RuleCase{"CodeOutsideSixteenBitsKeepsTheCode", RecordField::Code, "70000",
                             [](BootRecord r) { return r; }},
                    RuleCase{"CodeIsRoundedHalfToEven", RecordField::Code, "-2.5",
                             [](BootRecord r) {
                                 r.nowe = -2;
                                 return r;
                             }}),
    CaseName::by([](const auto &c) { return std::string(c.name); }));

TEST_F(Document, AllIsOneStepAndItsUndoRewritesTheWorkingFile)
{
    edit(2, RecordField::Name, "Edited");
    const std::vector<BootRecord> beforeAll = doc.database().records();
    QString error;
    ASSERT_TRUE(doc.changeAllStatistics(3, -1, RecordTexts{}, &error)) << error.toStdString();
    EXPECT_EQ(doc.undoStack()->count(), 2);
    EXPECT_EQ(doc.undoStack()->undoText(), "Change Statistics of All Boots");
    EXPECT_EQ(recordAt(1).Sila, 3);
    EXPECT_EQ(workingRecords(), doc.database().records());

    doc.undoStack()->undo();
    EXPECT_EQ(doc.database().records(), beforeAll);
    EXPECT_EQ(workingRecords(), beforeAll) << "the working file agrees with memory";
    doc.undoStack()->redo();
    EXPECT_EQ(recordAt(0).Podkrecanie, 3);
    EXPECT_EQ(workingRecords(), doc.database().records());
}

TEST_F(Document, SaveIsTheCleanStateAndOpeningClearsTheSteps)
{
    edit(0, RecordField::Name, "Saved name");
    QString error;
    ASSERT_TRUE(doc.save(&error)) << error.toStdString();
    EXPECT_FALSE(doc.isModified());
    doc.undoStack()->undo();
    EXPECT_TRUE(doc.isModified()) << "undoing past the save differs from the file";
    ASSERT_TRUE(doc.open(doc.gamePath(), &error));
    EXPECT_EQ(doc.undoStack()->count(), 0);
    EXPECT_EQ(recordAt(0).Nazwa, "Saved name");
}

// The boots chosen in the document: a current boot and a selection, each with its signal.
struct Choice
{
    int current;
    std::vector<int> selected;
    friend bool operator==(const Choice &, const Choice &) = default;
    friend void PrintTo(const Choice &c, std::ostream *os)
    {
        *os << "current " << c.current << ", selected {";
        for (const int s : c.selected)
            *os << ' ' << s;
        *os << " }";
    }
};

struct SelectionCase
{
    const char *name;
    Choice before;
    bool (*change)(BootsDocument &);
    bool accepted;
    Choice after;
};

class SelectionRule : public Document, public testing::WithParamInterface<SelectionCase>
{
};

TEST_P(SelectionRule, ChoosesTheseBootsAndSaysWhatChanged)
{
    const SelectionCase &c = GetParam();
    ASSERT_TRUE(doc.setSelection(c.before.current, c.before.selected));
    ASSERT_EQ((Choice{doc.currentBoot(), doc.selectedBoots()}), c.before);
    QSignalSpy current(&doc, &BootsDocument::currentBootChanged);
    QSignalSpy selection(&doc, &BootsDocument::selectionChanged);
    EXPECT_EQ(c.change(doc), c.accepted);
    EXPECT_EQ((Choice{doc.currentBoot(), doc.selectedBoots()}), c.after);
    EXPECT_EQ(current.count(), c.after.current != c.before.current ? 1 : 0);
    if (!current.isEmpty()) {
        EXPECT_EQ(current.at(0).at(0).toInt(), c.after.current);
    }
    EXPECT_EQ(selection.count(), c.after.selected != c.before.selected ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SelectionRule,
    testing::Values(
        SelectionCase{"ABootBecomesCurrentAndTheOnlyOneSelected", {-1, {}},
                      [](BootsDocument &d) { return d.setCurrentBoot(2); }, true, {2, {2}}},
        SelectionCase{"ABootInsideASelectionKeepsIt", {1, {1, 2, 3}},
                      [](BootsDocument &d) { return d.setCurrentBoot(3); }, true, {3, {1, 2, 3}}},
        SelectionCase{"ABootOutsideASelectionEndsIt", {1, {1, 2}},
                      [](BootsDocument &d) { return d.setCurrentBoot(3); }, true, {3, {3}}},
        SelectionCase{"NoneChoosesNothing", {2, {1, 2}},
                      [](BootsDocument &d) { return d.setCurrentBoot(-1); }, true, {-1, {}}},
        SelectionCase{"ThePositionPastTheLastBootIsRefused", {1, {1}},
                      [](BootsDocument &d) { return d.setCurrentBoot(4); }, false, {1, {1}}},
        SelectionCase{"TheSameBootAgainSaysNothing", {1, {1}},
                      [](BootsDocument &d) { return d.setCurrentBoot(1); }, true, {1, {1}}},
        SelectionCase{"ASelectionIsSortedWithoutPositionsThatAreNoBoots", {-1, {}},
                      [](BootsDocument &d) { return d.setSelection(2, {3, 9, -1, 2, 3}); }, true,
                      {2, {2, 3}}},
        SelectionCase{"ACurrentBootTakenOutOfTheSelectionStaysCurrent", {1, {1, 2}},
                      [](BootsDocument &d) { return d.setSelection(1, {2}); }, true, {1, {2}}},
        SelectionCase{"ASelectionWithACurrentThatIsNoBootIsRefused", {1, {1}},
                      [](BootsDocument &d) { return d.setSelection(7, {2}); }, false, {1, {1}}}),
    CaseName::by([](const auto &c) { return std::string(c.name); }));

TEST_F(Document, OpeningOrClosingChoosesNoBootOnceTheViewsAreReset)
{
    ASSERT_TRUE(doc.setSelection(2, {1, 2}));
    std::vector<std::string> heard;
    QObject::connect(&doc, &BootsDocument::reset, [&] { heard.push_back("reset"); });
    QObject::connect(&doc, &BootsDocument::currentBootChanged, [&](int index) {
        heard.push_back("current " + std::to_string(index) + " of " +
                        std::to_string(doc.currentBoot()));
    });
    QString error;
    ASSERT_TRUE(doc.open(doc.gamePath(), &error)) << error.toStdString();
    EXPECT_EQ(heard, (std::vector<std::string>{"reset", "current -1 of -1"}));
    EXPECT_TRUE(doc.selectedBoots().empty());
    ASSERT_TRUE(doc.setCurrentBoot(3));
    doc.close();
    EXPECT_EQ(doc.currentBoot(), -1);
    EXPECT_FALSE(doc.setCurrentBoot(0)) << "no file, no boot";
}

TEST_F(Document, UndoAndRedoMakeTheBootTheyChangeCurrent)
{
    ASSERT_TRUE(doc.setCurrentBoot(1));
    ASSERT_TRUE(edit(1, RecordField::Name, "One"));
    ASSERT_TRUE(doc.setCurrentBoot(3));
    doc.undoStack()->undo();
    EXPECT_EQ(doc.currentBoot(), 1);
    EXPECT_EQ(recordAt(1).Nazwa, "Boot 1");
    ASSERT_TRUE(doc.setSelection(3, {0, 3}));
    doc.undoStack()->redo();
    EXPECT_EQ(doc.currentBoot(), 1);
    EXPECT_EQ(doc.selectedBoots(), std::vector<int>{1});
}

TEST_F(Document, BootsPastTheListLimitAreKeptButCannotBeChosen)
{
    const std::string game = gameDir.file("many.bin");
    TestData::writeFile(game, TestData::wesys(TestData::bootsFile(TestData::boots(300))));
    QString error;
    ASSERT_TRUE(doc.open(QString::fromStdString(game), &error)) << error.toStdString();
    EXPECT_EQ(doc.database().Count(), 300);
    EXPECT_EQ(doc.listedCount(), 255);
    EXPECT_TRUE(doc.setCurrentBoot(254));
    EXPECT_FALSE(doc.setCurrentBoot(255));
    EXPECT_EQ(doc.currentBoot(), 254);
}

} // namespace
