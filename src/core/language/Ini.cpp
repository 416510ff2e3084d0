#include "Ini.h"

#include "common/FileIo.h"
#include "common/Reason.h"
#include "common/Text.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr std::size_t kMaxValue = 254;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Blanks around a line, a name or a value; the caller's names lose spaces only.
constexpr std::string_view kBlanks = " \t\v";
constexpr std::string_view kSpaces = " ";

std::string trim(std::string_view text, std::string_view blanks)
{
    return std::string(Text::trim(text, blanks));
}

unsigned char fold(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    // Windows-1252 capitals À..Þ (but ×) fold onto à..þ.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    return c;
}

bool sameName(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(static_cast<unsigned char>(a[i])) != fold(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

enum class Kind { Other, Section, Key };

struct Line
{
    std::size_t begin = 0; // first byte of the line
    std::size_t end = 0;   // one past the last byte before the line break
    std::size_t next = 0;  // first byte after the line break
    Kind kind = Kind::Other;
    std::string name;  // section name or key, trimmed, as the file spells it
    std::string value; // the value of a key line, trimmed
};

std::vector<Line> parse(const std::string &text)
{
    std::vector<Line> lines;
    std::size_t pos = IniText::isUtf8(text) ? kUtf8Mark.size() : 0; // the mark stays in place
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        line.end = end;
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            line.next = end + 2;
        else
            line.next = end < text.size() ? end + 1 : end;
        const std::string content = trim(text.substr(line.begin, end - line.begin), kBlanks);
        if (!content.empty() && content[0] == '[') {
            const std::size_t close = content.find(']');
            line.kind = Kind::Section;
            line.name =
                trim(content.substr(1, close == std::string::npos ? std::string::npos : close - 1),
                     kBlanks);
        } else if (!content.empty() && content[0] != ';') {
            const std::size_t equals = content.find('=');
            if (equals != std::string::npos) {
                line.kind = Kind::Key;
                line.name = trim(content.substr(0, equals), kBlanks);
                line.value = trim(content.substr(equals + 1), kBlanks);
            }
        }
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

// The index of the first section header named `section`, if any.
std::optional<std::size_t> findSection(const std::vector<Line> &lines, const std::string &section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Kind::Section && sameName(lines[i].name, section))
            return i;
    }
    return std::nullopt;
}

} // namespace

namespace IniText {

bool isUtf8(const std::string &contents)
{
    return contents.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0;
}

std::string decode(const std::string &contents, const std::string &value)
{
    return isUtf8(contents) ? value : Ansi::toUtf8(value);
}

std::string read(const std::string &contents, const std::string &section, const std::string &key)
{
    const std::string wantedSection = trim(section, kSpaces);
    const std::string wantedKey = trim(key, kSpaces);
    const auto lines = parse(contents);
    const auto start = findSection(lines, wantedSection);
    if (!start)
        return {};
    for (std::size_t i = *start + 1; i < lines.size() && lines[i].kind != Kind::Section; ++i) {
        if (lines[i].kind != Kind::Key || !sameName(lines[i].name, wantedKey))
            continue;
        std::string value = lines[i].value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        // The limit counts characters: a UTF-8 value is cut before a character's first byte.
        const bool utf8 = isUtf8(contents);
        std::size_t count = 0;
        for (std::size_t at = 0; at < value.size(); ++at) {
            const bool continuation = utf8 && (value[at] & 0xC0) == 0x80;
            if (!continuation && ++count > kMaxValue) {
                value.resize(at);
                break;
            }
        }
        return value;
    }
    return {};
}

std::string write(const std::string &contents, const std::string &section, const std::string &key,
                  const std::string &value)
{
    const std::string wantedSection = trim(section, kSpaces);
    const std::string wantedKey = trim(key, kSpaces);
    const auto lines = parse(contents);
    const auto start = findSection(lines, wantedSection);
    if (!start) {
        std::string out = contents;
        const std::size_t markSize = isUtf8(contents) ? kUtf8Mark.size() : 0;
        if (out.size() > markSize &&
            (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0))
            out += "\r\n";
        return out + "[" + wantedSection + "]\r\n" + wantedKey + "=" + value + "\r\n";
    }
    std::size_t lastKey = *start;
    for (std::size_t i = *start + 1; i < lines.size() && lines[i].kind != Kind::Section; ++i) {
        if (lines[i].kind != Kind::Key)
            continue;
        if (sameName(lines[i].name, wantedKey)) {
            // Replace the line's text, keeping the file's spelling of the key and its line break.
            return contents.substr(0, lines[i].begin) + lines[i].name + "=" + value +
                   contents.substr(lines[i].end);
        }
        lastKey = i;
    }
    const Line &after = lines[lastKey];
    const std::string lineBreak = after.next == after.end ? "\r\n" : "";
    return contents.substr(0, after.next) + lineBreak + wantedKey + "=" + value + "\r\n" +
           contents.substr(after.next);
}

} // namespace IniText

namespace {

// The contents of an existing file, or the empty text; false when it exists but cannot be
// rewritten.
bool readForWriting(const std::string &fileName, std::string &contents, ReasonOut error)
{
    FileIo::Bytes data;
    if (FileIo::exists(fileName)) {
        if (!FileIo::isWritableFile(fileName)) {
            error.set(Reason(Reasons::Id::ReadOnlyFile));
            return false;
        }
        if (!FileIo::readFile(fileName, data, error))
            return false;
    }
    contents.assign(data.begin(), data.end());
    return true;
}

bool writeUpdated(const std::string &fileName, const std::string &contents,
                  const std::string &section, const std::string &key, const std::string &value,
                  ReasonOut error)
{
    const std::string updated = IniText::write(contents, section, key, value);
    return FileIo::writeFileAtomic(fileName, reinterpret_cast<const std::uint8_t *>(updated.data()),
                                   updated.size(), error);
}

std::string contentsOf(const std::string &fileName)
{
    FileIo::Bytes data;
    if (!FileIo::readFile(fileName, data))
        return {};
    return std::string(data.begin(), data.end());
}

} // namespace

std::string ReadIni(const std::string &fileName, const std::string &section, const std::string &key)
{
    return IniText::read(contentsOf(fileName), section, key);
}

std::string ReadIniText(const std::string &fileName, const std::string &section,
                        const std::string &key)
{
    const std::string contents = contentsOf(fileName);
    return IniText::decode(contents, IniText::read(contents, section, key));
}

bool WriteIni(const std::string &fileName, const std::string &section, const std::string &key,
              const std::string &value, ReasonOut error)
{
    std::string contents;
    return readForWriting(fileName, contents, error) &&
           writeUpdated(fileName, contents, section, key, value, error);
}

bool WriteIniText(const std::string &fileName, const std::string &section, const std::string &key,
                  const std::string &value, Ansi::Conversion *conversion, ReasonOut error)
{
    std::string contents;
    if (!readForWriting(fileName, contents, error))
        return false;
    Ansi::Conversion converted; // a UTF-8 file stores the value as it is, nothing replaced
    if (!IniText::isUtf8(contents))
        converted = Ansi::convert(value);
    const std::string &stored = IniText::isUtf8(contents) ? value : converted.ansi;
    if (conversion)
        *conversion = converted;
    return writeUpdated(fileName, contents, section, key, stored, error);
}
