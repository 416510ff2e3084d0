#include "AppliedPacks.h"

#include "CoreStrings.h"

#include <algorithm>

using CoreStrings::toNative;

namespace {

// Two receipts of one apply: the one the folder holds has an id, the undo step's copy not.
bool sameApply(const Receipt &a, const Receipt &b)
{
    return a.applied == b.applied && a.packFingerprint == b.packFingerprint && a.boots == b.boots &&
           a.changes == b.changes;
}

} // namespace

AppliedPacks::AppliedPacks(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("appliedPacks"));
}

void AppliedPacks::setFolder(const QString &folder)
{
    mFolder = folder;
}

void AppliedPacks::load(const QString &gamePath)
{
    mGamePath = gamePath;
    mReceipts.clear();
    if (!mFolder.isEmpty() && !gamePath.isEmpty())
        mReceipts = Receipts::list(toNative(mFolder), toNative(gamePath));
    mKept = mReceipts;
    emit changed();
}

const Receipt *AppliedPacks::latestOf(const std::string &packFingerprint) const
{
    return Receipts::latest(mReceipts, packFingerprint);
}

const Receipt *AppliedPacks::setterOf(std::size_t position, const std::string &key,
                                      const std::string &shown) const
{
    for (auto r = mReceipts.rbegin(); r != mReceipts.rend(); ++r) {
        for (const PackBootChange &boot : r->changes.boots) {
            if (boot.position != position)
                continue;
            for (const PackFieldChange &f : boot.fields) {
                if (f.key == key)
                    return f.after == shown ? &*r : nullptr;
            }
        }
    }
    return nullptr;
}

void AppliedPacks::moveTo(const QString &gamePath)
{
    mGamePath = gamePath;
    mKept.clear(); // those of the old file stay with it
    for (Receipt &r : mReceipts) {
        r.id.clear();
        r.boots = toNative(gamePath);
    }
}

void AppliedPacks::add(const Receipt &receipt)
{
    mReceipts.push_back(receipt);
    emit changed();
}

void AppliedPacks::drop(const Receipt &receipt)
{
    const auto found = std::find_if(mReceipts.begin(), mReceipts.end(),
                                    [&](const Receipt &r) { return sameApply(r, receipt); });
    if (found == mReceipts.end())
        return;
    mReceipts.erase(found);
    emit changed();
}

bool AppliedPacks::keep(Reason *error)
{
    if (mFolder.isEmpty())
        return true;
    bool kept = true;
    const std::string folder = toNative(mFolder);
    for (Receipt &r : mReceipts) {
        const auto known = std::find_if(mKept.begin(), mKept.end(),
                                        [&](const Receipt &k) { return sameApply(k, r); });
        if (known != mKept.end()) {
            r.id = known->id;
        } else if (!Receipts::write(folder, r, error)) {
            kept = false;
        }
    }
    for (const Receipt &k : mKept) {
        const bool holds = std::any_of(mReceipts.begin(), mReceipts.end(),
                                       [&](const Receipt &r) { return sameApply(k, r); });
        if (!holds)
            Receipts::remove(folder, k);
    }
    mKept.clear();
    for (const Receipt &r : mReceipts) {
        if (!r.id.empty())
            mKept.push_back(r);
    }
    return kept;
}
