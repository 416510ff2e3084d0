#pragma once
// What cleatwork-cli prints, as a console shows it. Every command writes UTF-8; a Windows
// console would read those bytes in its own code page (437 shows "Müller" as box letters), so
// where the standard output or error is a console it gets the text as the console's Unicode
// text (WriteConsoleW). Output to a file or a pipe stays the same UTF-8 bytes on every system.
#include <string>
#include <string_view>

namespace ConsoleOutput {

/// UTF-8 written in pieces, as the UTF-16 that a console takes: a character cut between two
/// pieces waits for its end, a byte that cannot be UTF-8 shows as U+FFFD, and a byte-order
/// mark at the very start (written for files that spreadsheets open) is left out.
class Utf16Text
{
public:
    std::u16string feed(std::string_view bytes);
    /// The end of the output: a character left unfinished shows as U+FFFD.
    std::u16string finish();

private:
    std::string mPending;
    bool mStarted = false;
};

/// On Windows, makes std::cout and std::cerr write through WriteConsoleW where they are a
/// console; elsewhere, and for files and pipes, it changes nothing.
void install();

} // namespace ConsoleOutput
