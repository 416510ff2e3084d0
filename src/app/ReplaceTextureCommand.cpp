#include "ReplaceTextureCommand.h"

#include "TextureActions.h"

#include <utility>

ReplaceTextureCommand::ReplaceTextureCommand(TextureActions *actions, const QString &text,
                                             Change change)
    : QUndoCommand(text), mActions(actions), mChange(std::move(change))
{
}

void ReplaceTextureCommand::undo()
{
    put(mChange.before);
}

void ReplaceTextureCommand::redo()
{
    if (mApplied) {
        mApplied = false;
        return;
    }
    put(mChange.after);
}

void ReplaceTextureCommand::put(const std::vector<std::uint8_t> &texture)
{
    // Another archive now stands where this one was; its entries are not this step's to change.
    if (!mActions->isCurrent(mChange.archive, mChange.generation)) {
        setObsolete(true);
        return;
    }
    // A working copy that cannot be written is reported by the actions; it still holds the
    // texture it had, so the step leaves the stack rather than claim a state that is not there.
    if (!mActions->putTexture(mChange.archive, mChange.entry, texture))
        setObsolete(true);
}
