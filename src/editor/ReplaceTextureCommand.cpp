#include "ReplaceTextureCommand.h"

#include <utility>

ReplaceTextureCommand::ReplaceTextureCommand(TextureArchives *archives, const QString &text,
                                             Step step)
    : QUndoCommand(text), mArchives(archives), mStep(std::move(step))
{
}

ReplaceTextureCommand::ReplaceTextureCommand(TextureArchives *archives, Step step,
                                             QUndoCommand *parent)
    : QUndoCommand(parent), mArchives(archives), mStep(std::move(step)), mApplied(false)
{
}

void ReplaceTextureCommand::undo()
{
    put(mStep.before);
}

void ReplaceTextureCommand::redo()
{
    if (mApplied) {
        mApplied = false;
        return;
    }
    put(mStep.after);
}

void ReplaceTextureCommand::put(const std::vector<TextureArchives::EntryTexture> &textures)
{
    // Another load of the archive, or a working copy that cannot be written (the document has
    // said why): the step leaves the stack rather than claim a state that is not there. The
    // title's marker compares with the saved files, so it stays right either way.
    if (!mArchives->putTextures(mStep.archive, mStep.loadNumber, textures))
        setObsolete(true);
}
