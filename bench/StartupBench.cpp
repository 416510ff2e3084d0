// Start-up of the editor: with a boots file on the command line, to the window shown with
// its boots listed, beside starting empty and then opening the file as File ▸ Open does after
// its dialog; and `cleatwork --version`, which must answer without starting the GUI.
#include "BenchData.h"
#include "TempDir.h"
#include "app/frmMain.h"
#include "desktop/CommandLine.h"

#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

struct Folders
{
    TempDir program;
    TempDir game;
    QString file;

    Folders()
    {
        std::filesystem::copy(CLEATWORK_LANGUAGE_DIR, program.file("Language"),
                              std::filesystem::copy_options::recursive);
        const std::string path = game.file("unnamed_1831.bin");
        TestData::writeFile(path, TestData::wesys(BenchData::boots255()));
        file = QString::fromStdString(path);
    }
};

void waitForList(frmMain &window, benchmark::State &state)
{
    auto *list = window.findChild<QListWidget *>(QStringLiteral("List1"));
    while (list->count() == 0)
        QApplication::processEvents();
    if (list->count() != 255)
        state.SkipWithError("the boots were not listed");
    QApplication::processEvents(); // and drawn
}

void BM_StartWithFileOnCommandLine(benchmark::State &state)
{
    Folders folders;
    const QString program = QString::fromStdString(folders.program.path());
    for (auto _ : state) {
        const CommandLine::Request request =
            CommandLine::parse({QStringLiteral("cleatwork"), folders.file});
        frmMain window(program);
        window.show();
        window.openAtStart(request.file);
        waitForList(window, state);
        window.close();
    }
}
BENCHMARK(BM_StartWithFileOnCommandLine)->Unit(benchmark::kMillisecond);

void BM_StartEmptyThenOpen(benchmark::State &state)
{
    Folders folders;
    const QString program = QString::fromStdString(folders.program.path());
    for (auto _ : state) {
        const CommandLine::Request request = CommandLine::parse({QStringLiteral("cleatwork")});
        frmMain window(program);
        window.show();
        QApplication::processEvents(); // the empty window is up before the user opens
        if (!window.openFile(folders.file))
            state.SkipWithError("the file did not open");
        waitForList(window, state);
        window.close();
    }
}
BENCHMARK(BM_StartEmptyThenOpen)->Unit(benchmark::kMillisecond);

void BM_VersionProcess(benchmark::State &state)
{
    for (auto _ : state) {
        QProcess editor;
        editor.start(QStringLiteral(CLEATWORK_EDITOR), {QStringLiteral("--version")});
        if (!editor.waitForFinished(5000) || editor.exitCode() != 0)
            state.SkipWithError("--version failed");
    }
}
BENCHMARK(BM_VersionProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
