#pragma once
// The editor's command line, `cleatwork [FILE]`: read before the window system is touched,
// so that --help, --version and mistakes are answered without a display.
#include <QString>
#include <QStringList>


namespace CommandLine {

struct Request
{
    enum class Action { Start, Exit };
    Action action = Action::Start;
    /// With Action::Exit: the exit code and what to print (to standard output for 0,
    /// standard error otherwise).
    int exitCode = 0;
    QString output;
    /// With Action::Start: the boots file to open (absolute), or the empty text, and a note
    /// for standard error (further files that are ignored), or the empty text.
    QString file;
    QString note;
};

/// The program's arguments, its name first, with every character the user typed: on Windows
/// from the UTF-16 command line (the C runtime's argv is in the ANSI code page), and there the
/// standard output and error of a parent's console, which a windowed program lacks, are
/// attached so that --help and --version answer in it, in UTF-8.
QStringList programArguments(int argc, char **argv);

/// Reads `arguments` (the program's name first). Qt's own options (-style, -platform ...)
/// are let through for the application object.
Request parse(const QStringList &arguments);

} // namespace CommandLine
