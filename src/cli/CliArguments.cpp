#include "CliArguments.h"

#include <algorithm>

CliArguments &CliArguments::flag(const std::string &name)
{
    mKnown.push_back({name, 0, {}});
    return *this;
}

CliArguments &CliArguments::option(const std::string &name, std::vector<std::string> choices)
{
    mKnown.push_back({name, 1, std::move(choices)});
    return *this;
}

CliArguments &CliArguments::pair(const std::string &name)
{
    mKnown.push_back({name, 2, {}});
    return *this;
}

CliArguments &CliArguments::leading(std::size_t count)
{
    mLeading = count;
    return *this;
}

CliArguments &CliArguments::atMost(std::size_t count)
{
    mAtMost = count;
    return *this;
}

const CliArguments::Known *CliArguments::known(const std::string &name) const
{
    const auto it = std::find_if(mKnown.begin(), mKnown.end(),
                                 [&name](const Known &k) { return k.name == name; });
    return it == mKnown.end() ? nullptr : &*it;
}

bool CliArguments::refuse(Problem problem, std::string text)
{
    mProblem = problem;
    mError = std::move(text);
    return false;
}

bool CliArguments::read(const std::vector<std::string> &args)
{
    mGiven.clear();
    mPositional.clear();
    mProblem = Problem::None;
    mError.clear();
    // Only a command with options that take values can be given one without them.
    const bool takesValues =
        std::any_of(mKnown.begin(), mKnown.end(), [](const Known &k) { return k.values > 0; });
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool isOption = i >= mLeading && !a.empty() && a[0] == '-';
        if (!isOption) {
            if (mPositional.size() < mAtMost) {
                mPositional.push_back(a);
                continue;
            }
            // An empty argument names nothing: the next one takes its place.
            const bool emptyLast = mPositional.size() > mLeading && mPositional.back().empty();
            if (!emptyLast)
                return refuse(Problem::TooMany, "too many arguments: " + a);
            mPositional.back() = a;
            continue;
        }
        const Known *k = known(a);
        if (!k || args.size() - i - 1 < k->values)
            return refuse(Problem::UnknownOption,
                          (takesValues ? "unknown or incomplete option " : "unknown option ") + a);
        const auto first = args.begin() + static_cast<std::ptrdiff_t>(i) + 1;
        Given given{a, {first, first + static_cast<std::ptrdiff_t>(k->values)}};
        i += k->values;
        if (!k->choices.empty() &&
            std::find(k->choices.begin(), k->choices.end(), given.values[0]) == k->choices.end()) {
            std::string text = a + " takes ";
            for (std::size_t c = 0; c < k->choices.size(); ++c)
                text += (c == 0 ? "" : c + 1 == k->choices.size() ? " or " : ", ") + k->choices[c];
            return refuse(Problem::BadChoice, text);
        }
        mGiven.push_back(std::move(given));
    }
    return true;
}

std::size_t CliArguments::count(const std::string &name) const
{
    return static_cast<std::size_t>(std::count_if(
        mGiven.begin(), mGiven.end(), [&name](const Given &g) { return g.name == name; }));
}

std::string CliArguments::value(const std::string &name, const std::string &fallback) const
{
    const std::vector<std::string> all = values(name);
    return all.empty() ? fallback : all.back();
}

std::vector<std::string> CliArguments::values(const std::string &name) const
{
    std::vector<std::string> out;
    for (const Given &g : mGiven) {
        if (g.name == name && !g.values.empty())
            out.push_back(g.values[0]);
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> CliArguments::pairs(const std::string &name) const
{
    std::vector<std::pair<std::string, std::string>> out;
    for (const Given &g : mGiven) {
        if (g.name == name && g.values.size() == 2)
            out.emplace_back(g.values[0], g.values[1]);
    }
    return out;
}

std::string CliArguments::lastOf(std::initializer_list<const char *> names) const
{
    for (auto g = mGiven.rbegin(); g != mGiven.rend(); ++g) {
        for (const char *name : names) {
            if (g->name == name)
                return g->name;
        }
    }
    return {};
}
