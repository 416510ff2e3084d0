#pragma once
// The undo step of a replaced texture: the entry's DDS texture before and after, so that undo
// puts the old texture back exactly and redo applies the new one without encoding again.
#include <QUndoCommand>
#include <cstdint>
#include <vector>

class TextureActions;

class ReplaceTextureCommand : public QUndoCommand
{
public:
    struct Change
    {
        int archive = 0;    ///< 1 or 2
        int generation = 0; ///< the load of the archive that the entry belongs to
        int entry = -1;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
    };

    /// The change is already in the working copy: the first redo does nothing.
    ReplaceTextureCommand(TextureActions *actions, const QString &text, Change change);

    void undo() override;
    void redo() override;

private:
    /// Puts `texture` back, unless the archive was loaded again since: the step is then void.
    void put(const std::vector<std::uint8_t> &texture);

    TextureActions *mActions;
    Change mChange;
    bool mApplied = true;
};
