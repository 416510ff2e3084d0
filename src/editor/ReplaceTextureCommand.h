#pragma once
// The undo step of replaced textures (one entry, or a folder's import): each entry's DDS
// texture before and after, so that undo puts the old textures back exactly and redo applies
// the new ones without encoding again. A step whose archive has been loaded again since is
// void: it leaves the stack at its next undo or redo and changes nothing.
#include "TextureArchives.h"

#include <QUndoCommand>

class ReplaceTextureCommand : public QUndoCommand
{
public:
    struct Step
    {
        int archive = 0;    ///< 1 or 2
        int loadNumber = 0; ///< the load of the archive that the entries belong to
        std::vector<TextureArchives::EntryTexture> before;
        std::vector<TextureArchives::EntryTexture> after;
    };

    /// The change is already in the working copy: the first redo does nothing.
    ReplaceTextureCommand(TextureArchives *archives, const QString &text, Step step);
    /// A part of a larger step whose first redo puts the new textures in.
    ReplaceTextureCommand(TextureArchives *archives, Step step, QUndoCommand *parent);

    void undo() override;
    void redo() override;

private:
    void put(const std::vector<TextureArchives::EntryTexture> &textures);

    TextureArchives *mArchives;
    Step mStep;
    bool mApplied = true;
};
