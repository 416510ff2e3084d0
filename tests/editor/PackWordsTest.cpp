// A pack's changes in the user's language: fields by the captions the window shows, makers by
// name, results and counts in every language, the plural forms each language has.
#include "editor/PackWords.h"
#include "CaseName.h"
#include "TestData.h"
#include "editor/Translation.h"

#include <gtest/gtest.h>

namespace {

struct Language
{
    const char *name;
    const char *shotPower; ///< the caption of Sila there
    const char *willChange;
};

class PackWordsIn : public testing::TestWithParam<Language>
{
protected:
    void SetUp() override
    {
        Translation::apply(QStringLiteral(CLEATWORK_LANGUAGE_DIR "/") +
                           QString::fromUtf8(GetParam().name) + QStringLiteral("/LNG.ini"));
    }
    void TearDown() override { Translation::apply(QString()); }
};

TEST_P(PackWordsIn, everyColumnSpeaksTheLanguageAndNoInternalKey)
{
    Pack pack;
    pack.manifest.title = "Gold";
    pack.boots.push_back({1, "Predator", {{"Sila", "3", "5"}, {"nowe", "257", "258"}}});
    PackMerge::Receiver receiver{TestData::boots(3), {}};
    receiver.records[1].Sila = 3;
    receiver.records[1].nowe = 259;
    PackMerge::Plan plan = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, nullptr);
    const QStringList power = PackWords::row(pack, PackMerge::Direction::Apply, plan.items[0]);
    EXPECT_EQ(power[1], QString::fromUtf8(GetParam().shotPower));
    EXPECT_EQ(power[3], QStringLiteral("3 \u2192 5"));
    EXPECT_EQ(power[4], QString::fromUtf8(GetParam().willChange));
    const QStringList maker = PackWords::row(pack, PackMerge::Direction::Apply, plan.items[1]);
    EXPECT_EQ(maker[3], QStringLiteral("Adidas \u2192 Nike"));
    const QString report = PackWords::report(pack, PackMerge::Direction::Apply, plan);
    for (const char *internal : {"Sila", "nowe", "257"})
        EXPECT_FALSE(report.contains(QLatin1String(internal))) << internal;
    if (QLatin1String(GetParam().name) == QLatin1String("English"))
        return;
    for (const char *english :
         {"Shot Power", "will change", "conflict", "applied", "Boot", "Field"})
        EXPECT_FALSE(report.contains(QLatin1String(english))) << english << "\n"
                                                              << report.toStdString();
}

const Language kLanguages[] = {
    {"English", "Shot Power", "will change"},
    {"Deutsch", "Schusskraft", "wird geändert"},
    {"Polski", "Siła strzału", "do zmiany"},
};
INSTANTIATE_TEST_SUITE_P(PackWords, PackWordsIn, testing::ValuesIn(kLanguages),
                         CaseName::by([](const Language &l) { return l.name; }));

TEST(PackWords, countsTakeTheLanguagesPluralForms)
{
    Translation::apply(QStringLiteral(CLEATWORK_LANGUAGE_DIR "/Polski/LNG.ini"));
    QStringList counted;
    for (const std::size_t n : {1, 2, 5, 12, 22, 25})
        counted << Translation::counted(Translation::Key::PackCountFields, n);
    Translation::apply(QString());
    EXPECT_EQ(counted, QStringList({"1 pole", "2 pola", "5 pól", "12 pól", "22 pola", "25 pól"}));
    EXPECT_EQ(Translation::counted(Translation::Key::PackCountFields, 1),
              QStringLiteral("1 field"));
    EXPECT_EQ(Translation::counted(Translation::Key::PackCountFields, 0),
              QStringLiteral("0 fields"));
}

} // namespace
