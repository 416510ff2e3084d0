#pragma once
// Why something failed, as it travels from the core to whoever shows it: a reason of the
// catalogue (Reasons::Id) with its arguments, each a reason of its own or a plain text (a
// number, a file name, a system's message), or a plain text alone where the catalogue has
// nothing to say. The core keeps one beside its English text; a window puts it into the
// user's language from the id and the arguments, the command line prints text(). No text is
// ever read back into a reason. An empty reason is no failure.
#include "Reasons.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class Reason
{
public:
    Reason() = default;
    Reason(Reasons::Id id, std::vector<Reason> arguments = {});
    /// A text that reads the same in every language; implicit, so that a number, a name or a
    /// system's message can stand as an argument as it is.
    Reason(std::string plain);
    Reason(const char *plain);

    bool empty() const { return !mId && mPlain.empty(); }
    void clear() { *this = Reason(); }
    bool isPlain() const { return !mId; }
    /// The catalogue's reason; only for a reason that is not plain.
    Reasons::Id id() const { return *mId; }
    const std::string &plainText() const { return mPlain; }
    const std::vector<Reason> &arguments() const { return mArguments; }

    /// The English text, each "%N" replaced by the text of its argument.
    std::string text() const;

    bool operator==(const Reason &other) const = default;

private:
    std::optional<Reasons::Id> mId;
    std::string mPlain;
    std::vector<Reason> mArguments;
};

/// Where a free function puts why it failed: the caller's Reason, its English text (the
/// `std::string *error` every caller may still pass), or nowhere (nullptr).
class ReasonOut
{
public:
    ReasonOut(std::nullptr_t = nullptr) {}
    ReasonOut(std::string *text) : mText(text) {}
    ReasonOut(Reason *reason) : mReason(reason) {}

    /// Whether the caller wants the reason at all (so that it need not be made otherwise).
    explicit operator bool() const { return mText || mReason; }
    void set(const Reason &reason) const;
    /// set(), then false, for `return error.fail(...)`.
    bool fail(const Reason &reason) const;

private:
    std::string *mText = nullptr;
    Reason *mReason = nullptr;
};
