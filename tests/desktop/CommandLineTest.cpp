#include "desktop/CommandLine.h"
#include "CaseName.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

constexpr int kStarts = -1;

struct ParseCase
{
    const char *name;
    QStringList arguments;
    int exitCode;    ///< kStarts: the window starts
    QString file;    ///< the file it opens, relative to the current folder
    QString printed; ///< a part of what is printed (the answer or the note)
};

class CommandLineParse : public testing::TestWithParam<ParseCase>
{
};

TEST_P(CommandLineParse, AnswersOrStarts)
{
    const ParseCase &c = GetParam();
    const CommandLine::Request r = CommandLine::parse(QStringList{"cleatwork"} + c.arguments);
    const bool starts = r.action == CommandLine::Request::Action::Start;
    EXPECT_EQ(starts ? kStarts : r.exitCode, c.exitCode);
    EXPECT_EQ(r.file, c.file.isEmpty() ? QString() : QDir::current().absoluteFilePath(c.file));
    EXPECT_TRUE((r.output + r.note).contains(c.printed)) << (r.output + r.note).toStdString();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineParse, testing::Values(
    ParseCase{"nothing starts empty", {}, kStarts, {}, {}},
    ParseCase{"a file is opened by its full path", {"unnamed_1831.bin"}, kStarts,
              "unnamed_1831.bin", {}},
    ParseCase{"several files open the first and name the rest", {"a.bin", "b.bin", "c.bin"},
              kStarts, "a.bin", "ignored: b.bin, c.bin"},
    ParseCase{"Qt options pass through", {"-style", "fusion", "a.bin"}, kStarts, "a.bin", {}},
    ParseCase{"two dashes end the options", {"--", "-odd.bin"}, kStarts, "-odd.bin", {}},
    ParseCase{"help describes FILE", {"--help"}, 0, {}, "[FILE]"},
    ParseCase{"version names the release", {"--version"}, 0, {}, "cleatwork " CLEATWORK_VERSION},
    ParseCase{"an unknown option is an error with the usage", {"--bogus"}, 2, {},
              "Unknown option 'bogus'.\nUsage: cleatwork"}),
    CaseName::by([](const ParseCase &c) { return std::string(c.name); }));
// clang-format on

// The answers come before the window system is touched: no display is needed.
TEST(CommandLineProcess, AnswersWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    for (const auto &[argument, code] : {std::pair{"--version", 0}, {"--help", 0}, {"-x", 2}}) {
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(QStringLiteral(CLEATWORK_EDITOR), {QString::fromLatin1(argument)});
        ASSERT_TRUE(editor.waitForFinished(10000)) << argument;
        EXPECT_EQ(editor.exitStatus() == QProcess::NormalExit ? editor.exitCode() : -1, code);
    }
}

} // namespace
