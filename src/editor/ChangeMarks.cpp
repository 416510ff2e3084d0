#include "ChangeMarks.h"

#include "BootsDocument.h"

#include <QFileInfo>

ChangeMarks::ChangeMarks(BootsDocument *document) : QObject(document), mDocument(document)
{
    connect(document, &BootsDocument::reset, this, &ChangeMarks::documentReset);
}

bool ChangeMarks::showOriginal(QString *error)
{
    std::vector<BootRecord> records;
    if (!mDocument->originalRecords(records, error))
        return false;
    set(Base::Original, QString(), std::move(records));
    return true;
}

bool ChangeMarks::compareWith(const QString &path, QString *error)
{
    std::vector<BootRecord> records;
    if (!BootsDocument::readBoots(path, records, error))
        return false;
    set(Base::File, QFileInfo(path).absoluteFilePath(), std::move(records));
    return true;
}

void ChangeMarks::hide()
{
    if (mBase != Base::None)
        set(Base::None, QString(), {});
}

const BootRecord *ChangeMarks::reference(int position) const
{
    if (mBase == Base::None || position < 0 ||
        static_cast<std::size_t>(position) >= mRecords.size())
        return nullptr;
    return &mRecords[static_cast<std::size_t>(position)];
}

void ChangeMarks::documentReset()
{
    // Another file's boots were compared with the file that is gone; the new one has an
    // original of its own.
    QString ignored;
    if (mBase != Base::Original || !mDocument->isOpen() || !showOriginal(&ignored))
        hide();
}

void ChangeMarks::set(Base base, const QString &file, std::vector<BootRecord> records)
{
    mBase = base;
    mFile = file;
    mRecords = std::move(records);
    emit changed();
}
