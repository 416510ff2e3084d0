#pragma once
// What the record editor hands the document: the texts of its fields as they stand, and how
// the edit came about. Typing in one field of one boot is one undo step; choosing a
// manufacturer and a change of statistics are steps of their own.
#include "boots/BootFields.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

/// The text of each field the record editor shows, by field.
class TypedFields
{
public:
    void set(const BootField &field, const QString &text) { mTexts[index(field)] = text; }
    /// The field's text, or null when the editor handed none for it.
    const QString *text(const BootField &field) const
    {
        const auto &t = mTexts[index(field)];
        return t ? &*t : nullptr;
    }

private:
    static std::size_t index(const BootField &field) { return static_cast<std::size_t>(field.id); }
    std::array<std::optional<QString>, BootFields::kCount> mTexts;
};

/// How an edit of the record editor came about.
struct RecordEdit
{
    LanguageKeys::Key step; ///< the undo step's name
    /// Typing in this field merges into one step until another field or boot is chosen;
    /// null: the edit is a step of its own.
    const BootField *merging = nullptr;
    /// The fields whose texts the user typed (or the global change set); the others were
    /// only written back as they stood.
    std::vector<const BootField *> typed;

    /// Typing in `field`.
    static RecordEdit typing(const BootField &field) { return {*field.undoName, &field, {&field}}; }
    /// A manufacturer chosen by name: the code field holds its code.
    static RecordEdit manufacturerChosen()
    {
        return {LanguageKeys::Key::ChangeManufacturer,
                nullptr,
                {&BootFields::field(BootField::Id::Code)}};
    }
    /// The value of the global change put into the statistics `fields`.
    static RecordEdit statistics(std::vector<const BootField *> fields)
    {
        return {LanguageKeys::Key::ChangeStatistics, nullptr, std::move(fields)};
    }
};
