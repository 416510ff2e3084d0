#include "boots/BootFields.h"
#include "CaseName.h"
#include "TestData.h"

#include <gtest/gtest.h>

namespace {

using Id = BootField::Id;

BootRecord held()
{
    BootRecord r = TestData::boots(1)[0];
    r.Sila = 7; // brought in by a file: more than a user may type
    r.nowe = 513;
    r.Nazwa = std::string(63, 'n'); // as long as the file's field allows
    return r;
}

struct TypedCase
{
    const char *name;
    Id field;
    std::string typed;  ///< UTF-8
    std::string stored; ///< as shown afterwards
    bool readsAsTyped;  ///< the stored value is what was typed
};

class TypedRule : public testing::TestWithParam<TypedCase>
{
};

TEST_P(TypedRule, StoresTheTypedTextByTheFieldsRule)
{
    const BootField &field = BootFields::field(GetParam().field);
    BootRecord record = held();
    field.storeTyped(record, GetParam().typed);
    EXPECT_EQ(field.shown(record), GetParam().stored);
    EXPECT_EQ(field.readsAs(record, GetParam().typed), GetParam().readsAsTyped);
    BootRecord others = record;
    field.storeTyped(others, GetParam().typed);
    EXPECT_EQ(others, record) << "storing again changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    BootFields, TypedRule,
    testing::Values(
        TypedCase{"StatisticAsTyped", Id::ShotPower, "3", "3", true},
        TypedCase{"StatisticWithLeadingZero", Id::ShotPower, "04", "4", true},
        TypedCase{"StatisticAboveFive", Id::ShotPower, "9", "5", false},
        TypedCase{"StatisticOfThreeDigits", Id::ShotPower, "300", "5", false},
        TypedCase{"StatisticRoundedDownToFive", Id::ShotPower, "5.4", "5", false},
        TypedCase{"StatisticRoundedUpAboveFive", Id::ShotPower, "5.5", "5", false},
        TypedCase{"StatisticOfAByteAboveFive", Id::Swerve, "255", "5", false},
        TypedCase{"StatisticZero", Id::Acceleration, "0", "1", false},
        TypedCase{"StatisticNegative", Id::TopSpeed, "-3", "1", false},
        TypedCase{"StatisticNoNumber", Id::ShotAccuracy, "abc", "1", false},
        TypedCase{"StatisticEmpty", Id::ShotAccuracy, "", "1", false},
        TypedCase{"StatisticHalfToEven", Id::ShotPower, "2.5", "2", false},
        TypedCase{"StatisticHalfUpToEven", Id::ShotPower, "3.5", "4", false},
        TypedCase{"StatisticHexadecimal", Id::ShotPower, "&H2", "2", true},
        TypedCase{"CodeOfAManufacturer", Id::Code, "260", "260", true},
        TypedCase{"CodeLowestOfSixteenBits", Id::Code, "-32768", "-32768", true},
        TypedCase{"CodeHighestOfSixteenBits", Id::Code, "32767", "32767", true},
        TypedCase{"CodeBelowSixteenBitsKeepsTheCode", Id::Code, "-40000", "513", false},
        TypedCase{"CodeEmptyKeepsTheCode", Id::Code, "", "513", false},
        TypedCase{"CodeRoundedHalfToEven", Id::Code, "259.5", "260", false},
        TypedCase{"CodeOutsideSixteenBitsKeepsTheCode", Id::Code, "32768", "513", false},
        TypedCase{"CodeNoNumberKeepsTheCode", Id::Code, "Nike", "513", false},
        TypedCase{"NameCutToSixty", Id::Name, std::string(61, 'x'), std::string(60, 'x'), false},
        TypedCase{"NameInTheCodePage", Id::Name, "Z\u00f3lw \u00e9", "Z\u00f3lw \u00e9", true},
        TypedCase{"NameBestFit", Id::Name, "\u017b\u00f3\u0142w \u65e5", "Z\u00f3lw ?", false},
        TypedCase{"MaterialCutTo125", Id::Material, std::string(130, 'm'), std::string(125, 'm'),
                  false},
        TypedCase{"ColourCutTo83", Id::Colour, std::string(90, 'c'), std::string(83, 'c'), false},
        TypedCase{"ColourEndsAtAZeroByte", Id::Colour, std::string("Red\0Blue", 8), "Red", false},
        TypedCase{"UnshownFieldIsNeverTyped", Id::Pole5, "9", "0", false}),
    CaseName::by([](const TypedCase &c) { return std::string(c.name); }));

TEST(BootFields, TableFollowsTheRecordTheExportAndTheEditor)
{
    std::vector<std::string> names;
    for (const BootField &f : BootFields::all())
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Nazwa", "ID", "Kolej", "nowe", "Pole5", "Sila",
                                               "Precyzja", "Przyspieszenie", "Szybkosc",
                                               "Podkrecanie", "NazwaMaterialu", "Kolor"}));
    std::vector<std::string> editor;
    for (int k = 0; k < 9; ++k)
        editor.push_back(BootFields::editorField(k)->caption);
    EXPECT_EQ(editor, (std::vector<std::string>{"Boots Name", "Material Name", "Color Name",
                                                "Shot Power", "Shot Accuracy", "Acceleration",
                                                "Top Speed", "Swerve", "Producent"}));
    EXPECT_EQ(BootFields::editorField(9), nullptr);
    EXPECT_EQ(BootFields::named("Kolor"), &BootFields::field(Id::Colour));
    EXPECT_EQ(BootFields::named("kolor"), nullptr);
    EXPECT_EQ(BootFields::statistics()[4], &BootFields::field(Id::Swerve));
    EXPECT_EQ(BootFields::field(Id::TopSpeed).undoName, LanguageKeys::Key::ChangeTopSpeed);
}

struct AdjustCase
{
    const char *name;
    std::vector<std::pair<Id, std::string>> texts;    ///< every field the editor writes back
    std::vector<Id> typed;                            ///< of those, the ones the user typed
    std::vector<std::array<std::string, 2>> adjusted; ///< from, to
};

class Adjustments : public testing::TestWithParam<AdjustCase>
{
};

TEST_P(Adjustments, NameWhatStoringChangedOtherwiseThanTypedOrHeld)
{
    const BootRecord before = held();
    BootRecord after = before;
    std::vector<TypedText> typed;
    for (const auto &[id, text] : GetParam().texts) {
        const BootField &field = BootFields::field(id);
        field.storeTyped(after, text);
        for (const Id t : GetParam().typed)
            if (t == id)
                typed.push_back({&field, text});
    }
    std::vector<std::array<std::string, 2>> adjusted;
    for (const FieldAdjustment &a : BootFields::adjustments(before, after, typed))
        adjusted.push_back({a.from, a.to});
    EXPECT_EQ(adjusted, GetParam().adjusted);
}

INSTANTIATE_TEST_SUITE_P(
    BootFields, Adjustments,
    testing::Values(
        AdjustCase{"TypedAsStoredIsNoAdjustment", {{Id::Swerve, "3"}}, {Id::Swerve}, {}},
        AdjustCase{"TypedAboveFiveEvenWhenTheBootHeldFive",
                   {{Id::Swerve, "300"}},
                   {Id::Swerve},
                   {{"300", "5"}}},
        AdjustCase{"OtherFieldsWrittenBackNameWhatTheyHeld",
                   {{Id::Colour, "Gold"}, {Id::ShotPower, "7"}, {Id::Name, std::string(63, 'n')}},
                   {Id::Colour},
                   {{std::string(63, 'n'), std::string(60, 'n')}, {"7", "5"}}},
        AdjustCase{"ManufacturerChosenIsExact", {{Id::Code, "257"}}, {Id::Code}, {}}),
    CaseName::by([](const AdjustCase &c) { return std::string(c.name); }));

} // namespace
