// Every kind of file the editor reads, malformed, opened as a user would: a clear message (or
// none where the program shows none), and no file outside the program folder changes.
#include "CaseName.h"
#include "MainWindowFixture.h"

#include <QPixmap>
#include <filesystem>
#include <map>
#include <random>

namespace fs = std::filesystem;
using TestData::Bytes;
using TestData::DdsFormat;

namespace {

enum class Kind { Boots, Archive, Language };

struct Malformed
{
    const char *what;
    Kind kind;
    Bytes bytes;
    const char *message; // the message box's text, or nullptr for none
    friend void PrintTo(const Malformed &c, std::ostream *os) { *os << c.what; }
};

std::map<std::string, Bytes> snapshot(const std::string &folder)
{
    std::map<std::string, Bytes> files;
    for (const auto &e : fs::recursive_directory_iterator(folder)) {
        if (e.is_regular_file())
            files[e.path().string()] = TestData::readFile(e.path().string());
    }
    return files;
}

Bytes withInt(Bytes bytes, std::size_t offset, std::int32_t value)
{
    TestData::putInt32(bytes, offset, value);
    return bytes;
}

Bytes randomBytes(std::size_t n)
{
    std::mt19937 random(99);
    Bytes out(n);
    for (auto &b : out)
        b = static_cast<std::uint8_t>(random());
    return out;
}

Bytes textWithoutEnd()
{
    Bytes plain = TestData::bootsFile(TestData::boots(2));
    std::fill(plain.begin() + 32, plain.begin() + 32 + 64, 'n');
    return TestData::wesys(plain);
}

Bytes archiveWith(const std::vector<TestData::ArchiveEntry> &entries)
{
    return TestData::wesys(TestData::textureArchive(entries));
}

const Bytes kBoots = TestData::wesys(TestData::bootsFile(TestData::boots(3)));
const char *const kArchiveError = "Cannot load the texture archive";

class MalformedInput : public MainWindowFixture, public testing::WithParamInterface<Malformed>
{
};

TEST_P(MalformedInput, IsRefusedCleanly)
{
    const Malformed &input = GetParam();
    if (input.kind == Kind::Language) {
        fs::create_directory(programFile("Language/Broken"));
        TestData::writeFile(programFile("Language/Broken/LNG.ini"), input.bytes);
        TestData::writeFile(programFile("Language/C"), input.bytes);
    }
    const QString boots = writeGame(TestData::boots(3));
    const QString bad = writeGameBytes(input.bytes, "bad.bin");
    const auto before = snapshot(gameDir.path());
    window();
    if (input.kind == Kind::Archive) {
        open(boots);
        select(0);
    }
    if (input.message)
        answer.message();
    switch (input.kind) {
    case Kind::Boots:
        EXPECT_FALSE(window().openFile(bad));
        EXPECT_EQ(list()->count(), 0);
        break;
    case Kind::Archive: {
        const bool taken = window().loadArchive(1, bad);
        EXPECT_EQ(taken, input.message == nullptr);
        for (int boot = 0; boot < 3; ++boot)
            select(boot); // previews whatever the archive holds
        EXPECT_TRUE(find<QLabel>("Img")->pixmap().isNull());
        break;
    }
    case Kind::Language: {
        QComboBox *box = find<QComboBox>("ComboBox");
        box->setCurrentIndex(box->findText("Broken"));
        emit box->activated(box->currentIndex());
        open(boots);
        break;
    }
    }
    if (input.message) {
        ASSERT_EQ(answer.texts.size(), 1);
        EXPECT_TRUE(answer.texts[0].startsWith(QString::fromLatin1(input.message)))
            << answer.texts[0].toStdString();
        EXPECT_EQ(answer.icons[0], QMessageBox::Critical);
    }
    EXPECT_EQ(snapshot(gameDir.path()), before);
    EXPECT_FALSE(fs::exists(fs::path(programParent.path()) / "e"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedInput,
    testing::Values(
        Malformed{"container of noise", Kind::Boots, randomBytes(300), "Error File"},
        Malformed{"empty container", Kind::Boots, {}, "Error File"},
        Malformed{"container claiming 2 GiB", Kind::Boots, withInt(kBoots, 12, 0x7FFFFFF0), "Error File"},
        Malformed{"cut container", Kind::Boots, Bytes(kBoots.begin(), kBoots.end() - 9), "Error File"},
        Malformed{"boots header", Kind::Boots,
                  TestData::wesys(withInt(TestData::bootsFile(TestData::boots(3)), 16, 0)), "Error File"},
        Malformed{"boots promising too many", Kind::Boots,
                  TestData::wesys(withInt(TestData::bootsFile(TestData::boots(3)), 12, 292 * 40)),
                  "Error File"},
        Malformed{"boots text without end", Kind::Boots, textWithoutEnd(), "Error File"},
        Malformed{"archive of noise", Kind::Archive, randomBytes(300), kArchiveError},
        Malformed{"archive table past the end", Kind::Archive,
                  TestData::wesys(withInt(TestData::textureArchive({{"ab12", TestData::dds(DdsFormat::Dxt1, 4, 4, {})}}),
                                          0, 5000)),
                  kArchiveError},
        Malformed{"archive entries outside the file", Kind::Archive,
                  TestData::wesys(withInt(withInt(TestData::textureArchive(
                                                      {{"ab12", TestData::dds(DdsFormat::Dxt1, 4, 4, {})}}),
                                                  8, 1 << 30),
                                          16, -500)),
                  nullptr},
        Malformed{"archive with hostile names", Kind::Archive,
                  archiveWith({{"../e", TestData::dds(DdsFormat::Dxt1, 4, 4, {})},
                               {"..\\e", TestData::dds(DdsFormat::Dxt1, 4, 4, {})},
                               {std::string("/\0\0\0", 4), TestData::dds(DdsFormat::Dxt1, 4, 4, {})}}),
                  nullptr},
        Malformed{"DDS cut short, too large, not DDS", Kind::Archive,
                  archiveWith({{"cut1", Bytes(200, 0)},
                               {"big1", [] {
                                    Bytes h = TestData::ddsHeader(DdsFormat::Dxt1, 30000, 30000);
                                    h.resize(65000, 0);
                                    return h;
                                }()},
                               {"tiny", Bytes(5, 1)}}),
                  nullptr},
        Malformed{"language files of noise", Kind::Language, randomBytes(2000), nullptr},
        Malformed{"language files of one long line", Kind::Language, Bytes(100000, '['), nullptr}),
    CaseName::by([](const auto &c) { return std::string(c.what); }));

TEST_F(MainWindowFixture, UnreadableLanguageFileStillStarts)
{
    fs::remove(programFile("Language/English/LNG.ini"));
    fs::create_directory(programFile("Language/English/LNG.ini")); // a folder cannot be read
    window();
    EXPECT_EQ(find<QGroupBox>("GroupBox1")->title(), "");
    open(writeGame(TestData::boots(2)));
    EXPECT_EQ(list()->count(), 2);
}

} // namespace
