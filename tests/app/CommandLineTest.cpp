#include "app/CommandLine.h"
#include "CaseName.h"
#include "MainWindowFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

using Action = CommandLine::Request::Action;

struct ParseCase
{
    const char *name;
    QStringList arguments;
    Action action;
    int exitCode;
    QString file;   ///< relative to the current folder
    QString output; ///< a part of what is printed (output or note)
};

class CommandLineParse : public testing::TestWithParam<ParseCase>
{
};

TEST_P(CommandLineParse, AnswersOrStarts)
{
    const ParseCase &c = GetParam();
    const CommandLine::Request r = CommandLine::parse(QStringList{"cleatwork"} + c.arguments);
    EXPECT_EQ(r.action, c.action);
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_EQ(r.file, c.file.isEmpty() ? QString() : QDir::current().absoluteFilePath(c.file));
    EXPECT_TRUE((r.output + r.note).contains(c.output)) << (r.output + r.note).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineParse,
    testing::Values(
        ParseCase{"nothing starts empty", {}, Action::Start, 0, {}, {}},
        ParseCase{"a file is opened by its full path",
                  {"unnamed_1831.bin"},
                  Action::Start,
                  0,
                  "unnamed_1831.bin",
                  {}},
        ParseCase{"several files open the first and name the rest",
                  {"a.bin", "b.bin", "c.bin"},
                  Action::Start,
                  0,
                  "a.bin",
                  "ignored: b.bin, c.bin"},
        ParseCase{"Qt options pass through",
                  {"-style", "fusion", "a.bin"},
                  Action::Start,
                  0,
                  "a.bin",
                  {}},
        ParseCase{
            "two dashes end the options", {"--", "-odd.bin"}, Action::Start, 0, "-odd.bin", {}},
        ParseCase{"help describes FILE", {"--help"}, Action::Exit, 0, {}, "[FILE]"},
        ParseCase{"version names the release",
                  {"--version"},
                  Action::Exit,
                  0,
                  {},
                  "cleatwork " CLEATWORK_VERSION},
        ParseCase{"an unknown option is an error with the usage",
                  {"--bogus"},
                  Action::Exit,
                  2,
                  {},
                  "Unknown option 'bogus'.\nUsage: cleatwork"}),
    CaseName::by([](const ParseCase &c) { return std::string(c.name); }));

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
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit) << argument;
        EXPECT_EQ(editor.exitCode(), code) << argument;
    }
}

using CommandLineWindow = MainWindowFixture;

// A FILE that does not load is met as Open meets it: a message, and an empty window.
TEST_F(CommandLineWindow, FileOnTheCommandLineIsOpenedAtStart)
{
    const QString game = writeGame(TestData::boots(3));
    window();
    const QStringList refused = {game + ".missing", QString::fromStdString(gameDir.path()),
                                 window().workingFile()};
    for (const QString &path : refused) {
        answer.message();
        CommandLine::openAtStart(window(), path);
        QCoreApplication::processEvents();
        EXPECT_EQ(answer.icons.back(), QMessageBox::Critical) << path.toStdString();
        EXPECT_EQ(list()->count(), 0);
        EXPECT_EQ(window().windowTitle(), frmMain::designTitle() + "[*]");
    }
    EXPECT_EQ(answer.icons.size(), 3u);

    CommandLine::openAtStart(window(), game);
    QCoreApplication::processEvents();
    EXPECT_EQ(window().windowTitle(), QDir::toNativeSeparators(game) + "[*]");
    EXPECT_EQ(list()->count(), 3);
}

} // namespace
