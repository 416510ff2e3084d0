#include "ChangeRecordCommand.h"

#include "BootsDocument.h"

#include "UiText.h"

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
    static const UiText::Key names[] = {
        UiText::Key::ChangeBootsName,        UiText::Key::ChangeMaterialName,
        UiText::Key::ChangeColorName,        UiText::Key::ChangeShotPower,
        UiText::Key::ChangeShotAccuracy,     UiText::Key::ChangeAcceleration,
        UiText::Key::ChangeTopSpeed,         UiText::Key::ChangeSwerve,
        UiText::Key::ChangeManufacturerCode, UiText::Key::ChangeManufacturer,
        UiText::Key::ChangeStatistics,
    };
    return UiText::text(names[static_cast<int>(field)]);
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
