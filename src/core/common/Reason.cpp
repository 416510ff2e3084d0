#include "Reason.h"

Reason::Reason(Reasons::Id id, std::vector<Reason> arguments)
    : mId(id), mArguments(std::move(arguments))
{
}

Reason::Reason(std::string plain) : mPlain(std::move(plain)) {}

Reason::Reason(const char *plain) : mPlain(plain ? plain : "") {}

std::string Reason::text() const
{
    if (!mId)
        return mPlain;
    std::vector<std::string> arguments;
    arguments.reserve(mArguments.size());
    for (const Reason &argument : mArguments)
        arguments.push_back(argument.text());
    return Reasons::text(*mId, arguments);
}

void ReasonOut::set(const Reason &reason) const
{
    if (mText)
        *mText = reason.text();
    if (mReason)
        *mReason = reason;
}

bool ReasonOut::fail(const Reason &reason) const
{
    set(reason);
    return false;
}
