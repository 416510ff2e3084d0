#pragma once
// What the boots of a document are compared with: the kept original of its file, or another
// boots file the user chose, boots paired by their position. The boots table marks every field
// that differs from it and tells what it holds there. Showing marks is no edit. Opening or
// closing a file ends a comparison with another file; marks against the original go on with
// the new file's original. Failures are false and a reason; the marks stay as they were then.
#include "boots/BootRecord.h"
#include "common/FileIo.h"
#include "common/Reason.h"

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

class BootsDocument;

class ChangeMarks : public QObject
{
    Q_OBJECT
public:
    enum class Base { None, Original, File };

    explicit ChangeMarks(BootsDocument *document);

    Base base() const { return mBase; }
    bool shown() const { return mBase != Base::None; }
    /// The file compared with (absolute), while the base is another file.
    QString comparedFile() const { return mBase == Base::File ? mFile : QString(); }

    /// Marks the differences from the open file's kept original.
    bool showOriginal(Reason *error);
    /// Marks the differences from the boots file at `path`, read and checked as opening reads.
    bool compareWith(const QString &path, Reason *error);
    /// No marks.
    void hide();

    /// The boot at `position` as the base holds it; null when nothing is compared or the base
    /// holds no boot there.
    const BootRecord *reference(int position) const;
    /// True when the texture of the boot at `position` differs from the kept original of its
    /// archive (only while the marks show changes since the original).
    bool textureChanged(int position) const;

signals:
    /// The base is another one, or none.
    void changed();

private:
    void documentReset();
    void set(Base base, const QString &file, std::vector<BootRecord> records);
    /// Finds again which entries of the loaded archives differ from their originals.
    void findChangedTextures();

    /// The unwrapped original of an archive's load, kept while changes since the original are
    /// shown, so that a texture step compares without unwrapping it again.
    struct ArchiveOriginal
    {
        int load = -1;
        QString source;
        bool found = false;
        FileIo::Bytes bytes;
    };

    BootsDocument *mDocument;
    std::array<ArchiveOriginal, 2> mArchiveOriginals;
    Base mBase = Base::None;
    QString mFile;
    std::vector<BootRecord> mRecords;
    std::set<std::pair<int, std::int32_t>> mChangedTextures; ///< archive, entry
};
