#include "Languages.h"

#include "Ini.h"
#include "common/Ansi.h"
#include "common/FileIo.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace Languages {

namespace {

std::size_t characterCount(const std::string &utf8)
{
    std::size_t count = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

std::string lowered(const std::string &text)
{
    std::string out = text;
    for (auto &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

const std::vector<Key> &keys()
{
    static const std::vector<Key> table = {
        {"GroupBox", "GroupBox1", "GroupBox1", "GroupBox1", "List Boots", 0},
        {"GroupBox", "GroupBox2", "GroupBox2", "GroupBox2", "Parameters", 1},
        {"GroupBox", "GroupBox3", "GroupBox3", "GroupBox3", "Boots Name", 2},
        {"GroupBox", "GroupBox4", "GroupBox4", "GroupBox4", "Material Name", 3},
        {"GroupBox", "GroupBox5", "GroupBox5", "GroupBox5", "Color Name", 4},
        {"GroupBox", "GroupBox6", "GroupBox6", "GroupBox6", "Statistics", 5},
        {"GroupBox", "GroupBox7", "GroupBox7", "GroupBox7", "Shot Power", 6},
        {"GroupBox", "GroupBox8", "GroupBox8", "GroupBox8", "Shot Accuracy", 7},
        {"GroupBox", "GroupBox9", "GroupBox9", "GroupBox9", "Acceleration", 8},
        {"GroupBox", "GroupBox10", "GroupBox10", "GroupBox10", "Top Speed", 9},
        {"GroupBox", "GroupBox11", "GroupBox11", "GroupBox11", "Swerve", 10},
        {"GroupBox", "GroupBox12", "GroupBox12", "GroupBox12", "Global Options", 11},
        {"GroupBox", "GroupBox13", "GroupBox13", "GroupBox13", "Change Stats", 12},
        {"GroupBox", "GroupBox14", "GroupBox14", "GroupBox14", "Value", 13},
        {"GroupBox", "GroupBox15", "GroupBox15", "GroupBox15", "Preview", 14},
        {"GroupBox", "GroupBox16", "GroupBox16", "GroupBox16", "ID/Index", 15},
        {"GroupBox", "GroupBox17", "GroupBox17", "GroupBox17", "Producent", 16},
        {"GroupBox", "GroupBox18", "GroupBox18", "GroupBox18", "Other", 17},
        {"GroupBox", "GroupBox19", "GroupBox19", "GroupBox19", "Language", 18},
        {"GroupBox", "GroupBox20", "GroupBox20", "GroupBox20", "Create Language", 19},
        {"Radio", "R1", "R1", "R1", "Only selected", 27},
        {"Radio", "R2", "R2", "R2", "All", 28},
        {"Buttons", "cmdOpenT", "cmdOpenT", "cmdOpenT", "Load unnamed_5756.bin", 21},
        {"Buttons", "cmdOpenT2", "cmdOpent2", "cmdOpent2", "Load unnamed_2113.bin", 22},
        {"Buttons", "cmdChange", "cmdChange", "cmdChange", "Change", 20},
        {"Buttons", "cmdCreate", "cmdCreate", "cmdCreate", "Create\\Edit", 23},
        {"Menu", "File", "File", "File", "File", 29},
        {"Menu", "mnuOpen", "mnuOpen", "mnuOpen", "Open", 24},
        {"Menu", "mnuSave", "mnuSave", "mnuSave", "Save", 25},
        {"Menu", "About", "About", "About", "About", 30},
    };
    return table;
}

std::string languageFolder(const std::string &programFolder)
{
    return FileIo::join(programFolder, "Language");
}

std::string configFile(const std::string &programFolder)
{
    // The name as the folder holds it: where the file system ignores case (Windows), "C"
    // would find "c" too, and a save under the other name would rename the user's file.
    const std::string folder = languageFolder(programFolder);
    bool upper = false;
    bool lower = false;
    std::error_code ec;
    for (fs::directory_iterator it(FileIo::toPath(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = FileIo::fromPath(it->path().filename());
        upper = upper || name == "C";
        lower = lower || name == "c";
    }
    return FileIo::join(folder, !upper && lower ? "c" : "C");
}

std::string languageFile(const std::string &programFolder, const std::string &language)
{
    return FileIo::join(FileIo::join(languageFolder(programFolder), language), "LNG.ini");
}

namespace {

void sortLanguages(std::vector<std::string> &names)
{
    std::stable_sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        return lowered(a) < lowered(b);
    });
}

} // namespace

std::vector<std::string> ListLanguages(const std::string &bundledFolder,
                                       const std::string &userFolder)
{
    std::vector<std::string> names = ListLanguages(userFolder);
    if (languageFolder(bundledFolder) == languageFolder(userFolder))
        return names;
    for (auto &name : ListLanguages(bundledFolder)) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    sortLanguages(names);
    return names;
}

std::string languageFile(const std::string &bundledFolder, const std::string &userFolder,
                         const std::string &language)
{
    std::string own = languageFile(userFolder, language);
    if (FileIo::exists(own))
        return own;
    std::string bundled = languageFile(bundledFolder, language);
    return FileIo::exists(bundled) ? bundled : own;
}

std::vector<std::string> ListLanguages(const std::string &programFolder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(FileIo::toPath(languageFolder(programFolder)), ec), end;
         !ec && it != end; it.increment(ec)) {
        const auto u8 = it->path().filename().u8string();
        const std::string name(u8.begin(), u8.end());
        if (name.empty() || name[0] == '.')
            continue; // hidden entries are not listed
        if (characterCount(name) > 2)
            names.push_back(name);
    }
    sortLanguages(names);
    return names;
}

std::string configuredLanguage(const std::string &programFolder)
{
    return ReadIniText(configFile(programFolder), "Config", "Language");
}

std::string configuredLanguage(const std::string &bundledFolder, const std::string &userFolder)
{
    return configuredLanguage(FileIo::exists(configFile(userFolder)) ? userFolder : bundledFolder);
}

bool rememberLanguage(const std::string &programFolder, const std::string &language)
{
    // A name the file would read back as another one is not written at all.
    if (nameProblem(language))
        return false;
    Ansi::Conversion conversion;
    return WriteIniText(configFile(programFolder), "Config", "Language", language, &conversion) &&
           conversion.replaced.empty();
}

std::optional<LanguageKeys::Key> nameProblem(const std::string &name)
{
    using LanguageKeys::Key;
    if (name.empty())
        return Key::NameEmpty;
    if (name == "." || name == "..")
        return Key::NameReserved;
    if (name.find_first_of("/\\") != std::string::npos)
        return Key::NameSeparator;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F)
            return Key::NameControl;
    }
    // The configuration file holds Windows-1252 and its reader drops outer blanks and one
    // pair of outer quotes.
    if (!Ansi::isRepresentable(name))
        return Key::NameNotStorable;
    if (name.front() == ' ' || name.back() == ' ')
        return Key::NameOuterSpaces;
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') &&
        name.back() == name.front())
        return Key::NameQuoted;
    return std::nullopt;
}

std::vector<std::string> nameArguments(const std::string &name)
{
    return {name, Ansi::toUtf8(Ansi::fromUtf8(name))};
}

std::string problemWithName(const std::string &name)
{
    const auto problem = nameProblem(name);
    if (!problem)
        return {};
    return LanguageKeys::format(LanguageKeys::entry(*problem).english, nameArguments(name));
}

} // namespace Languages
