#include "CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#include <shellapi.h>
#endif

namespace {

// The options QGuiApplication and QApplication take for themselves, and whether each takes
// a value.
struct QtOption
{
    const char *name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowtitle", true},
    {"qwindowicon", true},     {"display", true},
    {"geometry", true},        {"style", true},
    {"stylesheet", true},      {"session", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"sync", false},
};

QString usageLine()
{
    return QStringLiteral("Usage: cleatwork [options] [FILE]\n"
                          "Try 'cleatwork --help' for more information.\n");
}

} // namespace

namespace CommandLine {

Request parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Cleatwork edits the football-boots database of a football video game."));
    // Qt's options are single-dash words (-style fusion); ours have long forms only.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on the command line and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information and exits."));
    parser.addOption(help);
    parser.addOption(version);
    for (const QtOption &q : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(q.name));
        if (q.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A boots file of the game to open at start, as File > Open does."),
        QStringLiteral("[FILE]"));

    Request request;
    if (!parser.parse(arguments)) {
        request.action = Request::Action::Exit;
        request.exitCode = 2;
        request.output =
            QStringLiteral("cleatwork: ") + parser.errorText() + QLatin1Char('\n') + usageLine();
        return request;
    }
    if (parser.isSet(help)) {
        request.action = Request::Action::Exit;
        // The program's own name, whatever the application object knows or not.
        request.output = parser.helpText().replace(
            QRegularExpression(QStringLiteral("^Usage: \\S+")), QStringLiteral("Usage: cleatwork"));
        return request;
    }
    if (parser.isSet(version)) {
        request.action = Request::Action::Exit;
        request.output = QStringLiteral("cleatwork %1\n").arg(QStringLiteral(CLEATWORK_VERSION));
        return request;
    }
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        request.file = QFileInfo(files.constFirst()).absoluteFilePath();
    if (files.size() > 1)
        request.note = QStringLiteral("cleatwork: opening %1; ignored: %2\n")
                           .arg(files.constFirst(), files.mid(1).join(QStringLiteral(", ")));
    return request;
}

QStringList programArguments(int argc, char **argv)
{
    QStringList arguments;
#ifdef _WIN32
    if (::GetStdHandle(STD_OUTPUT_HANDLE) == nullptr && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        (void)std::freopen("CONOUT$", "w", stdout);
        (void)std::freopen("CONOUT$", "w", stderr);
    }
    (void)::SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    wchar_t **wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(wide[i]);
        ::LocalFree(wide);
        return arguments;
    }
#endif
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace CommandLine
