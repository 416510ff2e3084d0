#include "ChangeRecordCommand.h"

#include "BootsDocument.h"

#include <QCoreApplication>
#include <utility>

namespace {

constexpr int kChangeRecordId = 1;

bool mergesTyping(RecordField field)
{
    return field != RecordField::Manufacturer && field != RecordField::Statistics;
}

} // namespace

ChangeRecordCommand::ChangeRecordCommand(BootsDocument *document, int index, RecordField field,
                                         BootRecord before, BootRecord after)
    : QUndoCommand(nameOf(field)), mDocument(document), mIndex(index), mField(field),
      mStepSerial(document->stepSerial()), mBefore(std::move(before)), mAfter(std::move(after))
{
}

QString ChangeRecordCommand::nameOf(RecordField field)
{
    static const char *const names[] = {
        "Change Boots Name",   "Change Material Name", "Change Color Name",
        "Change Shot Power",   "Change Shot Accuracy", "Change Acceleration",
        "Change Top Speed",    "Change Swerve",        "Change Manufacturer Code",
        "Change Manufacturer", "Change Statistics",
    };
    return QCoreApplication::translate("ChangeRecordCommand", names[static_cast<int>(field)]);
}

void ChangeRecordCommand::undo()
{
    // The record exists: the step was made on it and the table keeps its size.
    mDocument->putRecord(mIndex, mBefore);
}

void ChangeRecordCommand::redo()
{
    mDocument->putRecord(mIndex, mAfter);
}

int ChangeRecordCommand::id() const
{
    return kChangeRecordId;
}

bool ChangeRecordCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const ChangeRecordCommand *>(other);
    if (!mergesTyping(mField) || next->mField != mField || next->mIndex != mIndex ||
        next->mStepSerial != mStepSerial)
        return false;
    mAfter = next->mAfter;
    // Typing back to where the step began leaves no step.
    setObsolete(mAfter == mBefore);
    return true;
}
