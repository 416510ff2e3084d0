#include "editor/BootsDocument.h"
#include "CaseName.h"
#include "TempDir.h"
#include "TestData.h"
#include "editor/Translation.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using Id = BootField::Id;

/// The record editor's fields as showing `r` shows them.
TypedFields textsOf(const BootRecord &r)
{
    TypedFields t;
    for (int k = 0; k < 9; ++k)
        t.set(*BootFields::editorField(k),
              QString::fromStdString(BootFields::editorField(k)->shown(r)));
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
        Reason error;
        ASSERT_TRUE(doc.open(QString::fromStdString(game), &error)) << error.text();
    }

    /// Stores `text` typed into `field` of boot `index` (or, `chosen`, a manufacturer chosen
    /// by its code), the other fields as the record holds them.
    bool edit(int index, Id field, const char *text, bool chosen = false)
    {
        TypedFields t = textsOf(doc.database().records()[static_cast<std::size_t>(index)]);
        const BootField &f = BootFields::field(field);
        t.set(f, QString::fromUtf8(text));
        return doc.setRecord(index, t,
                             chosen ? RecordEdit::manufacturerChosen() : RecordEdit::typing(f));
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
    Id field;
    const char *text;
    bool newStepBefore = false;
    bool chosen = false;
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
        edit(e.index, e.field, e.text, e.chosen);
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
        StepCase{"TypingInOneFieldIsOneStep", {{0, Id::Name, "B"}, {0, Id::Name, "Bo"}}, 1},
        StepCase{"AnotherFieldStartsAStep", {{0, Id::Name, "X"}, {0, Id::Colour, "Y"}}, 2},
        StepCase{"AnotherBootStartsAStep", {{0, Id::Name, "X"}, {1, Id::Name, "Y"}}, 2},
        StepCase{
            "ChoosingTheBootAgainStartsAStep", {{0, Id::Name, "X"}, {0, Id::Name, "XY", true}}, 2},
        StepCase{"EachManufacturerChoiceIsAStep",
                 {{0, Id::Code, "259", false, true}, {0, Id::Code, "260", false, true}},
                 2},
        StepCase{"TypingBackLeavesNoStep", {{0, Id::Name, "Boot 0x"}, {0, Id::Name, "Boot 0"}}, 0},
        StepCase{"UnchangedRecordMakesNoStep", {{2, Id::Name, "Boot 2"}}, 0},
        StepCase{"StatisticEditKeepsTheUnshownZeroOnUndo", {{1, Id::Swerve, "4"}}, 1}),
    CaseName::by([](const auto &c) { return std::string(c.name); }));

struct NoticeCase
{
    const char *name;
    bool (*store)(BootsDocument &doc, const std::vector<BootRecord> &records);
    const char *note; ///< the status message, or empty for none
};

class Notices : public Document, public testing::WithParamInterface<NoticeCase>
{
protected:
    void SetUp() override
    {
        Document::SetUp();
        // A boot brought in by a file with values a user may not type.
        records[3].Sila = 7;
        ASSERT_TRUE(doc.putRecords(records, false));
    }
};

TEST_P(Notices, NameEachFieldStoredOtherwiseThanTypedOrHeld)
{
    QSignalSpy notes(&doc, &BootsDocument::valuesAdjusted);
    GetParam().store(doc, records);
    const QString expected = QString::fromUtf8(GetParam().note);
    ASSERT_EQ(notes.count(), expected.isEmpty() ? 0 : 1);
    if (!expected.isEmpty()) {
        EXPECT_EQ(notes[0][0].toString(), expected);
    }
}

TypedFields with(TypedFields t, Id field, const char *text)
{
    t.set(BootFields::field(field), QString::fromUtf8(text));
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Document, Notices,
    testing::Values(
        NoticeCase{"RecordEditorOtherFieldsWrittenBack",
                   [](BootsDocument &doc, const std::vector<BootRecord> &records) {
                       return doc.setRecord(3, with(textsOf(records[3]), Id::Colour, "Gold"),
                                            RecordEdit::typing(BootFields::field(Id::Colour)));
                   },
                   "Adjusted to the fields' limits: Shot Power: 7 \u2192 5"},
        NoticeCase{"RecordEditorTypedAboveFive",
                   [](BootsDocument &doc, const std::vector<BootRecord> &records) {
                       return doc.setRecord(2, with(textsOf(records[2]), Id::Swerve, "300"),
                                            RecordEdit::typing(BootFields::field(Id::Swerve)));
                   },
                   "Adjusted to the fields' limits: Swerve: 300 \u2192 5"},
        NoticeCase{"RecordEditorTypedAsStored",
                   [](BootsDocument &doc, const std::vector<BootRecord> &records) {
                       return doc.setRecord(2, with(textsOf(records[2]), Id::Swerve, "3"),
                                            RecordEdit::typing(BootFields::field(Id::Swerve)));
                   },
                   ""},
        NoticeCase{"TableCellTypedAboveFive",
                   [](BootsDocument &doc, const std::vector<BootRecord> &) {
                       Reason reason;
                       return doc.setField(3, BootFields::field(Id::ShotAccuracy), "300", &reason);
                   },
                   "Adjusted to the fields' limits: Shot Accuracy: 300 \u2192 5"},
        NoticeCase{"TableCellLetterOutsideTheCodePage",
                   [](BootsDocument &doc, const std::vector<BootRecord> &) {
                       Reason reason;
                       return doc.setField(3, BootFields::field(Id::Colour),
                                           QString::fromUtf8("\u0141\u00f3d\u017a"), &reason);
                   },
                   "Adjusted to the fields' limits: Color Name: \"\u0141\u00f3d\u017a\" "
                   "\u2192 \"L\u00f3dz\""},
        NoticeCase{"TableCellManufacturerByName",
                   [](BootsDocument &doc, const std::vector<BootRecord> &) {
                       Reason reason;
                       return doc.setField(3, BootFields::field(Id::Code), "Nike", &reason);
                   },
                   ""},
        NoticeCase{"SelectedRowsValueNoNumber",
                   [](BootsDocument &doc, const std::vector<BootRecord> &) {
                       return doc.changeStatistics({0, 3}, {true, true, true, true, true}, "abc");
                   },
                   "Adjusted to the fields' limits: Value: \"abc\" \u2192 1"},
        NoticeCase{"AllValueZero",
                   [](BootsDocument &doc, const std::vector<BootRecord> &) {
                       Reason error;
                       return doc.changeAllStatistics("0", -1, TypedFields{}, &error);
                   },
                   "Adjusted to the fields' limits: Value: 0 \u2192 1"}),
    CaseName::by([](const NoticeCase &c) { return std::string(c.name); }));

TEST_F(Document, NoticeIsInTheUsersLanguage)
{
    Translation::apply(QStringLiteral(CLEATWORK_LANGUAGE_DIR "/Deutsch/LNG.ini"));
    QSignalSpy notes(&doc, &BootsDocument::valuesAdjusted);
    Reason reason;
    doc.setField(1, BootFields::field(Id::ShotPower), "300", &reason);
    Translation::apply(QString());
    ASSERT_EQ(notes.count(), 1);
    EXPECT_EQ(notes[0][0].toString(),
              QString::fromUtf8("An die Grenzen der Felder angepasst: Schusskraft: 300 \u2192 5"));
}

TEST_F(Document, AllIsOneStepAndItsUndoRewritesTheWorkingFile)
{
    edit(2, Id::Name, "Edited");
    const std::vector<BootRecord> beforeAll = doc.database().records();
    Reason error;
    ASSERT_TRUE(doc.changeAllStatistics("3", -1, TypedFields{}, &error)) << error.text();
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
    edit(0, Id::Name, "Saved name");
    Reason error;
    ASSERT_TRUE(doc.save(&error)) << error.text();
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
    testing::Values(SelectionCase{"ABootBecomesCurrentAndTheOnlyOneSelected",
                                  {-1, {}},
                                  [](BootsDocument &d) { return d.setCurrentBoot(2); },
                                  true,
                                  {2, {2}}},
                    SelectionCase{"ABootInsideASelectionKeepsIt",
                                  {1, {1, 2, 3}},
                                  [](BootsDocument &d) { return d.setCurrentBoot(3); },
                                  true,
                                  {3, {1, 2, 3}}},
                    SelectionCase{"ABootOutsideASelectionEndsIt",
                                  {1, {1, 2}},
                                  [](BootsDocument &d) { return d.setCurrentBoot(3); },
                                  true,
                                  {3, {3}}},
                    SelectionCase{"NoneChoosesNothing",
                                  {2, {1, 2}},
                                  [](BootsDocument &d) { return d.setCurrentBoot(-1); },
                                  true,
                                  {-1, {}}},
                    SelectionCase{"ThePositionPastTheLastBootIsRefused",
                                  {1, {1}},
                                  [](BootsDocument &d) { return d.setCurrentBoot(4); },
                                  false,
                                  {1, {1}}},
                    SelectionCase{"TheSameBootAgainSaysNothing",
                                  {1, {1}},
                                  [](BootsDocument &d) { return d.setCurrentBoot(1); },
                                  true,
                                  {1, {1}}},
                    SelectionCase{"ASelectionIsSortedWithoutPositionsThatAreNoBoots",
                                  {-1, {}},
                                  [](BootsDocument &d) {
                                      return d.setSelection(2, {3, 9, -1, 2, 3});
                                  },
                                  true,
                                  {2, {2, 3}}},
                    SelectionCase{"ACurrentBootTakenOutOfTheSelectionStaysCurrent",
                                  {1, {1, 2}},
                                  [](BootsDocument &d) { return d.setSelection(1, {2}); },
                                  true,
                                  {1, {2}}},
                    SelectionCase{"ASelectionWithACurrentThatIsNoBootIsRefused",
                                  {1, {1}},
                                  [](BootsDocument &d) { return d.setSelection(7, {2}); },
                                  false,
                                  {1, {1}}}),
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
    Reason error;
    ASSERT_TRUE(doc.open(doc.gamePath(), &error)) << error.text();
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
    ASSERT_TRUE(edit(1, Id::Name, "One"));
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
    Reason error;
    ASSERT_TRUE(doc.open(QString::fromStdString(game), &error)) << error.text();
    EXPECT_EQ(doc.database().Count(), 300);
    EXPECT_EQ(doc.listedCount(), 255);
    EXPECT_TRUE(doc.setCurrentBoot(254));
    EXPECT_FALSE(doc.setCurrentBoot(255));
    EXPECT_EQ(doc.currentBoot(), 254);
}

} // namespace
