#pragma once
// The undo step of a change of many boots at once (the statistics of all boots, an import):
// every record before and after.
#include "boots/BootRecord.h"

#include <QUndoCommand>
#include <vector>

class BootsDocument;

class ReplaceRecordsCommand : public QUndoCommand
{
public:
    /// With `rewriteWorkingFile` every undo and redo also writes the working file from the
    /// records, for changes that wrote it.
    ReplaceRecordsCommand(BootsDocument *document, const QString &text,
                          std::vector<BootRecord> before, std::vector<BootRecord> after,
                          bool rewriteWorkingFile, QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

private:
    BootsDocument *mDocument;
    std::vector<BootRecord> mBefore;
    std::vector<BootRecord> mAfter;
    bool mRewriteWorkingFile;
};
