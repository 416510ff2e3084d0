#include "ReplaceRecordsCommand.h"

#include "BootsDocument.h"

#include <utility>

ReplaceRecordsCommand::ReplaceRecordsCommand(BootsDocument *document, const QString &text,
                                             std::vector<BootRecord> before,
                                             std::vector<BootRecord> after, bool rewriteWorkingFile,
                                             QUndoCommand *parent)
    : QUndoCommand(text, parent), mDocument(document), mBefore(std::move(before)), mAfter(std::move(after)),
      mRewriteWorkingFile(rewriteWorkingFile)
{
}

void ReplaceRecordsCommand::undo()
{
    // A working file that cannot be written is reported by the document.
    mDocument->putRecords(mBefore, mRewriteWorkingFile);
}

void ReplaceRecordsCommand::redo()
{
    mDocument->putRecords(mAfter, mRewriteWorkingFile);
}
