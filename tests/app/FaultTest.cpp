// The editor's save under failing disks and sudden death: the game file is always either the
// complete old file or the complete new one.
#include "ChildProcess.h"
#include "TempDir.h"
#include "TestData.h"
#include "TestImages.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <thread>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using TestData::Bytes;

namespace {

// A limit on the size of the files a process writes (RLIMIT_FSIZE), which Windows does not have.
constexpr bool kFileSizeLimits =
#ifdef _WIN32
    false;
#else
    true;
#endif
constexpr const char *kNoFileSizeLimits =
    "Windows cannot limit the size of the files a process writes";

// An environment variable for the children started after it (empty: none).
void setVariable(const char *name, const std::string &value)
{
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    if (value.empty())
        unsetenv(name);
    else
        setenv(name, value.c_str(), 1);
#endif
}

// Boots whose texts are random bytes, so that their wrapped file is larger than the plain one.
std::vector<BootRecord> incompressibleBoots(int count)
{
    std::mt19937 random(7);
    auto text = [&](std::size_t n) {
        std::string s(n, 'x');
        for (auto &c : s)
            c = static_cast<char>(1 + random() % 255);
        return s;
    };
    auto records = TestData::boots(count);
    for (auto &r : records) {
        r.Nazwa = text(60); // the longest texts an edit keeps whole
        r.NazwaMaterialu = text(125);
        r.Kolor = text(83);
    }
    return records;
}

// Runs a save of `game` with boot 0 renamed, under a file size limit (0: none); returns the
// lines the editor printed, its last line the result.
std::vector<std::string> saveWithLimit(const std::string &program, const std::string &game,
                                       std::int64_t limit)
{
    ChildProcess child({CLEATWORK_SAVE_CHILD, program, game, "fsize", std::to_string(limit)});
    std::vector<std::string> lines;
    std::string line;
    while (child.readLine(line))
        lines.push_back(line);
    EXPECT_EQ(child.wait(), 0);
    return lines;
}

void expectCleanFailure(const std::vector<std::string> &lines, const std::string &game)
{
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.back(), "SAVE failed MODIFIED 1");
    const std::string critical = "MESSAGE 3 Cannot save " + game + "."; // 3: the critical icon
    EXPECT_EQ(lines[lines.size() - 2].rfind(critical, 0), 0u) << lines[lines.size() - 2];
}

// After a killed save of `path`: counts whether it holds the old or the changed bytes (a
// failure when neither) and removes the unfinished temporary file a killed save may leave
// beside it; never the file itself half written.
void checkKilledSave(const std::string &path, const Bytes &old, const Bytes &changed, int round,
                     int &sawOld, int &sawNew)
{
    const Bytes now = TestData::readFile(path);
    if (now == old)
        ++sawOld;
    else if (now == changed)
        ++sawNew;
    else
        ADD_FAILURE() << "round " << round << ": " << path << " is neither the old nor the new one";
    const fs::path kept(path);
    for (const auto &entry : fs::directory_iterator(kept.parent_path())) {
        if (entry.path().filename() != kept.filename())
            fs::remove(entry.path());
    }
}

// A texture archive that compresses badly: a small DXT5 entry to replace and an entry of
// `noiseSide` x `noiseSide` random pixels.
Bytes noisyArchive(int noiseSide)
{
    std::mt19937 random(11);
    TestData::Image noise = TestData::solid(noiseSide, noiseSide, {});
    for (auto &p : noise.pixels)
        p = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
             static_cast<std::uint8_t>(random()), 255};
    return TestData::textureArchive(
        {{"ab12", TestData::ddsOf(TestData::DdsFormat::Dxt5, TestData::solid(64, 64, {}), 7)},
         {"cd34", TestData::ddsOf(TestData::DdsFormat::Rgba32, noise)}});
}

// Runs cleatwork-cli's replacement of entry 0 of `archive` with `image`; its exit status.
int replaceTexture(const std::string &archive, const std::string &image)
{
    ChildProcess child({CLEATWORK_CLI, "replace-texture", archive, "0", image});
    std::string line;
    while (child.readLine(line)) {
    }
    return child.wait();
}

TEST(FileSizeLimit, WorkingFileThatCannotBeWrittenFailsTheSave)
{
    if (!kFileSizeLimits)
        GTEST_SKIP() << kNoFileSizeLimits;
    TempDir program;
    TempDir games;
    const std::string game = games.file("unnamed_1831.bin");
    const Bytes old = TestData::wesys(TestData::bootsFile(incompressibleBoots(40)));
    TestData::writeFile(game, old);
    expectCleanFailure(saveWithLimit(program.path(), game, 1000), game);
    EXPECT_EQ(TestData::readFile(game), old);
    EXPECT_EQ(games.listing(), "unnamed_1831.bin");
}

TEST(FileSizeLimit, RoomForEverythingSavesWhole)
{
    if (!kFileSizeLimits)
        GTEST_SKIP() << kNoFileSizeLimits;
    TempDir program;
    TempDir games;
    auto records = incompressibleBoots(40);
    const Bytes plain = TestData::bootsFile(records);
    const std::string game = games.file("unnamed_1831.bin");
    TestData::writeFile(game, TestData::wesys(plain));
    const auto lines = saveWithLimit(program.path(), game, static_cast<std::int64_t>(plain.size()));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "SAVE ok MODIFIED 0");
    records[0].Nazwa = "Changed";
    EXPECT_EQ(TestData::readFile(game), TestData::wesys(TestData::bootsFile(records)));
}

// A game folder on a small disk of its own, which a test can fill or make read-only.
class SmallGameDisk : public testing::Test
{
protected:
    void SetUp() override
    {
#ifdef _WIN32
        GTEST_SKIP() << "a small disk is a tmpfs mounted for the test, which Windows does not have "
                        "(a file the game holds open is tested with the file calls)";
#else
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a small disk needs root";
#endif
        const std::string command =
            "mount -t tmpfs -o size=96k tmpfs '" + games.path() + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0)
            GTEST_SKIP() << "this machine does not allow mounting a small disk";
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted) {
            EXPECT_EQ(std::system(("umount '" + games.path() + "'").c_str()), 0);
        }
    }

    TempDir program;
    TempDir games;
    bool mounted = false;
};

TEST_F(SmallGameDisk, GameFileStaysWholeWhenTheDiskFills)
{
    const std::string game = games.file("unnamed_1831.bin");
    const Bytes old = TestData::wesys(TestData::bootsFile(incompressibleBoots(100)));
    TestData::writeFile(game, old);
    const std::string go = program.file("go");
    setVariable("CLEATWORK_SAVE_WHEN", go);
    ChildProcess child({CLEATWORK_SAVE_CHILD, program.path(), game, "fsize", "0"});
    setVariable("CLEATWORK_SAVE_WHEN", {});
    std::vector<std::string> lines;
    std::string line;
    while (child.readLine(line) && line != "EDITED")
        lines.push_back(line);
    ASSERT_EQ(line, "EDITED");
    // Fill the disk but for a few kilobytes, less than the new file needs.
    const auto space = fs::space(games.path());
    TestData::writeFile(games.file("filler"), Bytes(space.available - 8 * 1024, 0));
    TestData::writeFile(go, {});
    while (child.readLine(line))
        lines.push_back(line);
    EXPECT_EQ(child.wait(), 0);
    expectCleanFailure(lines, game);
    EXPECT_EQ(TestData::readFile(game), old);
    EXPECT_EQ(games.listing(), "filler unnamed_1831.bin") << "no half-written file is left";
}

TEST_F(SmallGameDisk, ReadOnlyGameFolderKeepsTheEditsForALaterSave)
{
    auto records = incompressibleBoots(20);
    const std::string game = games.file("unnamed_1831.bin");
    const Bytes old = TestData::wesys(TestData::bootsFile(records));
    TestData::writeFile(game, old);
    const std::string go = program.file("go");
    const std::string again = program.file("again");
    setVariable("CLEATWORK_SAVE_WHEN", go);
    setVariable("CLEATWORK_SAVE_AGAIN_WHEN", again);
    ChildProcess child({CLEATWORK_SAVE_CHILD, program.path(), game, "fsize", "0"});
    setVariable("CLEATWORK_SAVE_WHEN", {});
    setVariable("CLEATWORK_SAVE_AGAIN_WHEN", {});
    std::vector<std::string> lines;
    std::string line;
    while (child.readLine(line) && line != "EDITED") {
    }
    ASSERT_EQ(line, "EDITED");
    // The folder turns read-only between the edit and the save.
    ASSERT_EQ(std::system(("mount -o remount,ro '" + games.path() + "'").c_str()), 0);
    TestData::writeFile(go, {});
    while (child.readLine(line) && line.rfind("SAVE", 0) != 0)
        lines.push_back(line);
    lines.push_back(line);
    expectCleanFailure(lines, game);
    EXPECT_EQ(TestData::readFile(game), old);

    ASSERT_EQ(std::system(("mount -o remount,rw '" + games.path() + "'").c_str()), 0);
    TestData::writeFile(again, {});
    while (child.readLine(line) && line.rfind("SAVE", 0) != 0) {
    }
    EXPECT_EQ(line, "SAVE ok MODIFIED 0");
    EXPECT_EQ(child.wait(), 0);
    records[0].Nazwa = "Changed";
    EXPECT_EQ(TestData::readFile(game), TestData::wesys(TestData::bootsFile(records)));
}

TEST_F(SmallGameDisk, ArchiveStaysWholeWhenItsSaveFails)
{
    const std::string archive = games.file("unnamed_5756.bin");
    const Bytes old = TestData::wesys(noisyArchive(96)); // about 37 KB of the disk's 96
    const std::string image = program.file("new.png");
    TestData::writeFile(image, TestData::png(TestData::pattern(64, 64, true)));
    const struct
    {
        const char *name;
        const char *breakIt;
        const char *mendIt;
    } faults[] = {
        {"full disk", "dd if=/dev/zero of='{}/filler' bs=1k 2>/dev/null; true", "rm '{}/filler'"},
        {"read-only disk", "mount -o remount,ro '{}'", "mount -o remount,rw '{}'"}};
    const auto withFolder = [&](std::string command) {
        for (std::size_t at; (at = command.find("{}")) != std::string::npos;)
            command.replace(at, 2, games.path());
        return command;
    };
    for (const auto &fault : faults) {
        TestData::writeFile(archive, old);
        ASSERT_EQ(std::system(withFolder(fault.breakIt).c_str()), 0) << fault.name;
        EXPECT_EQ(replaceTexture(archive, image), 1) << fault.name;
        EXPECT_EQ(TestData::readFile(archive), old) << fault.name;
        ASSERT_EQ(std::system(withFolder(fault.mendIt).c_str()), 0) << fault.name;
        EXPECT_EQ(games.listing(), "unnamed_5756.bin") << fault.name << ": nothing half written";
    }
    EXPECT_EQ(replaceTexture(archive, image), 0) << "once mended, the save goes through";
}

// A game file made read-only: its mode bits on POSIX, its read-only attribute on Windows.
TEST(ReadOnlyGameFile, ArchiveSaveFailsAndLeavesTheArchiveWhole)
{
    TempDir program;
    TempDir games;
    const std::string archive = games.file("unnamed_5756.bin");
    const Bytes old = TestData::wesys(noisyArchive(96));
    const std::string image = program.file("new.png");
    TestData::writeFile(image, TestData::png(TestData::pattern(64, 64, true)));
    TestData::writeFile(archive, old);
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(archive, writable, fs::perm_options::remove);
    EXPECT_EQ(replaceTexture(archive, image), 1);
    EXPECT_EQ(TestData::readFile(archive), old);
    EXPECT_EQ(games.listing(), "unnamed_5756.bin") << "nothing half written beside it";
    fs::permissions(archive, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(replaceTexture(archive, image), 0) << "once writable, the save goes through";
}

TEST(SuddenDeath, KilledArchiveSavesLeaveTheOldOrTheNewArchive)
{
    TempDir program;
    TempDir games;
    const std::string archive = games.file("unnamed_5756.bin");
    const std::string image = program.file("new.png");
    TestData::writeFile(image, TestData::png(TestData::pattern(64, 64, true)));
    const Bytes old = TestData::wesys(noisyArchive(768));
    TestData::writeFile(archive, old);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(replaceTexture(archive, image), 0);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - started)
                          .count();
    const Bytes changed = TestData::readFile(archive);
    std::mt19937 random(2025);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 12; ++round) {
        TestData::writeFile(archive, old);
        ChildProcess child({CLEATWORK_CLI, "replace-texture", archive, "0", image});
        // Mostly in the second half of the run, where the archive is written.
        std::this_thread::sleep_for(std::chrono::milliseconds(took / 3 + random() % (took + 1)));
        child.kill();
        child.wait();
        checkKilledSave(archive, old, changed, round, sawOld, sawNew);
    }
    std::cout << "old archive " << sawOld << " times, new archive " << sawNew << " times\n";
}

TEST(SuddenDeath, KilledSavesLeaveTheOldOrTheNewFile)
{
    TempDir program;
    TempDir games;
    auto records = TestData::boots(5000);
    const std::string game = games.file("unnamed_1831.bin");
    const Bytes old = TestData::wesys(TestData::bootsFile(records));
    for (auto &r : records)
        r.Sila = r.Precyzja = r.Przyspieszenie = r.Szybkosc = r.Podkrecanie = 3;
    const Bytes changed = TestData::wesys(TestData::bootsFile(records));
    std::mt19937 random(2024);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 30; ++round) {
        TestData::writeFile(game, old);
        ChildProcess child({CLEATWORK_SAVE_CHILD, program.path(), game, "loop"});
        std::string line;
        while (child.readLine(line) && line != "READY") {
        }
        ASSERT_EQ(line, "READY");
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 120));
        child.kill();
        EXPECT_EQ(child.wait(), -1);
        checkKilledSave(game, old, changed, round, sawOld, sawNew);
    }
    EXPECT_GT(sawOld + sawNew, 0);
    std::cout << "old file " << sawOld << " times, new file " << sawNew << " times\n";
}

} // namespace
