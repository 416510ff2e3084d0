#include "editor/Translation.h"

#include "CaseName.h"
#include "TempDir.h"
#include "TestData.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

using Translation::Key;

class UiTexts : public testing::Test
{
protected:
    void TearDown() override { Translation::apply(QString()); } // back to English
};

TEST_F(UiTexts, GermanMessagesAndQtsOwnButtonsFollowTheLanguage)
{
    Translation::apply(QStringLiteral(CLEATWORK_LANGUAGE_DIR "/Deutsch/LNG.ini"));
    EXPECT_EQ(Translation::text(Key::RecordLimit, {"300", "255"}),
              QString::fromUtf8("Diese Datei enthält 300 Schuhe; die Liste zeigt die ersten 255."));
    // The buttons of Qt's own dialogs take their captions from the platform theme's texts.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save").remove('&'), "Speichern");
    Translation::apply(QString());
    EXPECT_EQ(Translation::text(Key::Undo), "Undo");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save").remove('&'), "Save");
}

TEST_F(UiTexts, TextsALanguageLacksOrLeavesEmptyAreEnglish)
{
    TempDir dir;
    const std::string file = dir.file("LNG.ini");
    const std::string text = "[Menu]\r\nFile=Plik\r\nQuit=Koniec\r\nEdit=\r\n";
    TestData::writeFile(file, TestData::Bytes(text.begin(), text.end()));
    Translation::apply(QString::fromStdString(file));
    EXPECT_EQ(Translation::text(Key::Quit), "Koniec");
    EXPECT_EQ(Translation::text(Key::Edit), "Edit");
    EXPECT_EQ(Translation::text(Key::ReadOnly), "The file is read-only.");
    EXPECT_EQ(Translation::text(Key::CannotSave, {"50%1.bin"}), "Cannot save 50%1.bin.")
        << "an argument is not searched for markers";
}

TEST_F(UiTexts, CoreReasonsAreTranslatedWithTheReasonsInsideThem)
{
    Translation::apply(QStringLiteral(CLEATWORK_LANGUAGE_DIR "/Deutsch/LNG.ini"));
    using Reasons::Id;
    EXPECT_EQ(Translation::reason(Reason(
                  Id::TableLineColumn,
                  {"2", "Nazwa",
                   Reason(Id::LongerThanField, {Reason(Id::CountCharacters, {"61"}), "60"})})),
              "Zeile 2, Nazwa: 61 Zeichen sind mehr, als das Feld fasst (60)");
    EXPECT_EQ(Translation::reason(Reason(Id::CannotWriteWorkingCopy, {"No space left on device"})),
              "die Arbeitskopie kann nicht geschrieben werden: No space left on device")
        << "a text that is no reason stays as it is";
    EXPECT_EQ(Translation::reason(
                  Reason(Id::NamedLine,
                         {"001_ab12.png", Reason(Id::PictureOtherSize, {"32", "64", "64", "64"})})),
              "001_ab12.png: das Bild hat 32 x 64 Pixel, die Textur 64 x 64")
        << "a file's line keeps its name";
}

struct PolishCase
{
    const char *name;
    Reason reason;
    const char *polish;
};

class PolishReasons : public UiTexts, public testing::WithParamInterface<PolishCase>
{
};

TEST_P(PolishReasons, AreWordedFromTheirIdsAndArguments)
{
    Translation::apply(QStringLiteral(CLEATWORK_LANGUAGE_DIR "/Polski/LNG.ini"));
    EXPECT_EQ(Translation::reason(GetParam().reason), QString::fromUtf8(GetParam().polish));
}

INSTANTIATE_TEST_SUITE_P(
    Polski, PolishReasons,
    testing::Values(
        PolishCase{"a folder's file the archive has no entry for",
                   Reason(Reasons::Id::NamedLine,
                          {"999_x.png", Reason(Reasons::Id::NoSuchEntry, {"999", "3"})}),
                   "999_x.png: archiwum nie ma pozycji 999 (ma ich 3)"},
        PolishCase{"an entry an export skipped",
                   Reason(Reasons::Id::EntryLine, {"2", "abc", Reason(Reasons::Id::DdsNotDds)}),
                   "pozycja 2 (abc): tekstura nie jest plikiem DDS"},
        PolishCase{"a table's cell",
                   Reason(Reasons::Id::TableLineColumn,
                          {"3", "Sila", Reason(Reasons::Id::NotAText, {"7"})}),
                   "wiersz 3, Sila: 7 nie jest tekstem"},
        PolishCase{"a pack's refusal in Polish letters",
                   Reason(Reasons::Id::NamedLine,
                          {Reason(Reasons::Id::PackBoot, {"2"}),
                           Reason(Reasons::Id::PackFileNotUnpacked, {"\"changes.json\""})}),
                   "but 2: nie można rozpakować \"changes.json\""},
        PolishCase{"a system's message", Reason("No space left on device"),
                   "No space left on device"}),
    CaseName::by([](const auto &c) { return std::string(c.name); }));

TEST_F(UiTexts, AdjustmentsQuoteTextsAndShortenLongOnesInTheMiddle)
{
    EXPECT_EQ(Translation::adjustment("Swerve", "300", "5", false),
              QString::fromUtf8("Swerve: 300 \u2192 5"));
    EXPECT_EQ(Translation::adjustment("Swerve", "", "1", false),
              QString::fromUtf8("Swerve: \"\" \u2192 1"))
        << "a text that is no number is quoted";
    const std::string material = std::string(40, 'a') + std::string(40, 'z');
    EXPECT_EQ(Translation::adjustment("Material", material, material.substr(0, 60), true),
              QString::fromUtf8("Material: \"") + QString(32, 'a') + QChar(0x2026) +
                  QString(31, 'z') + QString::fromUtf8("\" \u2192 \"") + QString(40, 'a') +
                  QString(20, 'z') + QLatin1Char('"'))
        << "a name's length (64) is shown whole";
    EXPECT_EQ(Translation::adjustmentNote({}), QString());
}

TEST_F(UiTexts, EveryBundledLanguageHasQtsTranslations)
{
    for (const char *language :
         {"Deutsch", "Español", "Français", "Italiano", "Polski", "Português"}) {
        Translation::apply(QString::fromUtf8(CLEATWORK_LANGUAGE_DIR "/") +
                           QString::fromUtf8(language) + "/LNG.ini");
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel").remove('&'), "Cancel")
            << language;
    }
}

} // namespace
