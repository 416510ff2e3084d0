#pragma once
// A folder of pictures brought back into a texture archive: the files an export wrote
// ("<NNN>_<name>.png"), repainted or not. Files named "<NNN>_<anything>" with the extension
// png, bmp, tga, jpg, jpeg or dds replace entry NNN as replace-texture does; other names are
// skipped. A picture that decodes to what the entry holds leaves the entry as it is. A
// picture whose export mark is of another archive (ExportMark::fits()) is a problem: entry
// numbers of one archive mean other textures in the other. Any problem refuses the whole set,
// so that an archive takes all of a folder or none of it.
#include "archive/ArchiveEntry.h"
#include "archive/Textura.h"
#include "imaging/textures/TextureReplacer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace TextureSet {

using Bytes = std::vector<std::uint8_t>;

/// One file of the folder that names an entry.
struct Match
{
    std::int32_t entry = -1;
    std::string name; ///< the file's name as the folder holds it
    std::string path;
};

/// What the folder holds, before any file is read.
struct Listing
{
    std::vector<Match> matches;        ///< in entry order
    std::vector<Reason> skipped;       ///< "<name>: why", in name order
    std::vector<Reason> problems;      ///< "<name>: why"
};

/// What an import did (or, refused, would have had to do).
struct Outcome
{
    std::vector<Match> replaced; ///< the entries whose texture changed, in entry order
    int unchanged = 0;
    std::vector<Reason> skipped;
    std::vector<Reason> problems;
    int otherSize = 0; ///< of the problems, pictures refused only for their size
    bool cancelled = false;

    /// "N textures replaced, M unchanged, K files skipped"
    std::string summary() const;
};

/// Called after each file: the files done and the files in all; false cancels.
using Progress = std::function<bool(std::size_t done, std::size_t total)>;

/// The entry a file name stands for, or -1 when it is no "<NNN>_<anything>.<extension>"
/// name (three or more digits, an extension above, in any case). A number past what 32 bits
/// hold gives INT32_MAX, which no archive has.
std::int32_t entryOf(const std::string &fileName);

/// Lists `folder` against an archive of `entryCount` entries: no such entry and two files for
/// one entry are problems; other names, folders and symbolic links are skipped. False (the
/// reason in `error`) when the folder cannot be listed.
bool list(const std::string &folder, std::int32_t entryCount, Listing &listing, ReasonOut error);

/// Reads each matched file and puts its picture into `archive` (the unwrapped archive that
/// `index` reads, loaded from a file named `archiveName`). False when any file is refused
/// (every refusal is in `outcome.problems`) or `progress` cancelled: `archive` may then hold
/// part of the set and is to be dropped.
bool apply(const Listing &listing, const Textura &index, const std::string &archiveName,
           Bytes &archive, Outcome &outcome, const Progress &progress = {},
           TextureReplacer::Fit fit = TextureReplacer::Fit::Exact);

/// list() and apply() in one; a folder that cannot be listed is a problem.
bool importFolder(const std::string &folder, const Textura &index, const std::string &archiveName,
                  Bytes &archive, Outcome &outcome, const Progress &progress = {},
                  TextureReplacer::Fit fit = TextureReplacer::Fit::Exact);

/// What an export of a whole archive wrote.
/// An entry's name as a line may show it (UTF-8): control bytes as dots, "?" when it cannot
/// be read.
std::string shownName(const Bytes &archive, const ArchiveEntry &entry);

struct Exported
{
    int written = 0;
    std::vector<Reason> skipped; ///< "entry <N> (<name>): why"
};

/// The boots (their names, UTF-8) whose texture an entry is.
using BootsOf = std::function<std::vector<std::string>(std::int32_t entry)>;

/// The index an export writes beside its pictures; an import passes it by without a word.
constexpr const char *kIndexName = "index.csv";

/// The index as CSV (RFC 4180, UTF-8 with a byte-order mark, CRLF): "Number,Entry,Boots", then
/// per entry its number, its name as shownName() gives it and its boots joined by "; ".
std::string indexCsv(const Bytes &archive, const Textura &index, const BootsOf &bootsOf);

/// Writes every entry of `archive` (read by `index`, loaded from a file named `archiveName`;
/// each picture's mark keeps that name and the archive's identity) into `folder`, made when
/// missing, as TextureExport::fileName() names it; entries that are not valid textures are
/// skipped. With `bootsOf` also kIndexName. False (the reason in `error`) when the folder cannot
/// be made or a file cannot be written.
bool exportAll(const Bytes &archive, const Textura &index, const std::string &archiveName,
               const std::string &folder, Exported &exported, ReasonOut error,
               const BootsOf &bootsOf = {});

} // namespace TextureSet
