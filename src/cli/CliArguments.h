#pragma once
// The arguments of one cleatwork-cli command, read in order: the command says which flags
// (--dry-run), options with one value (--format X, optionally limited to a few words) and
// options with two values (--archive A B) it takes, and gets back its positional arguments
// and every value given. Reading stops at the first argument it cannot take: an option it was
// not told about, one whose values are missing, a value outside its choices, or a positional
// argument beyond the number the command allows (an empty one before it names nothing and
// gives way). read() then returns false and errorString() names the argument; the command
// adds its own help. Values are taken as they stand, even when they begin with '-'; any other
// argument beginning with '-' (a lone "-" and "--" too) is an option.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class CliArguments
{
public:
    enum class Problem {
        None,
        UnknownOption, // not known, or its values are missing
        BadChoice,     // a value that is not one of the option's choices
        TooMany,       // a positional argument beyond the allowed number
    };

    CliArguments &flag(const std::string &name);
    /// An option followed by one value; with `choices`, only one of them.
    CliArguments &option(const std::string &name, std::vector<std::string> choices = {});
    /// An option followed by two values.
    CliArguments &pair(const std::string &name);
    /// The first `count` arguments are positional whatever they look like.
    CliArguments &leading(std::size_t count);
    /// More positional arguments than `count` are refused where they stand.
    CliArguments &atMost(std::size_t count);

    bool read(const std::vector<std::string> &args);
    Problem problem() const { return mProblem; }
    /// "unknown option --x" (or "unknown or incomplete option --x" for a command that has
    /// options with values), "--format takes text, json or csv", "too many arguments: x".
    const std::string &errorString() const { return mError; }

    const std::vector<std::string> &positional() const { return mPositional; }
    /// How often the flag or option `name` was given.
    std::size_t count(const std::string &name) const;
    /// The value the option `name` was given last, or `fallback`.
    std::string value(const std::string &name, const std::string &fallback = {}) const;
    /// Every value of the option `name`, in order.
    std::vector<std::string> values(const std::string &name) const;
    /// Every pair of values of the option `name`, in order.
    std::vector<std::pair<std::string, std::string>> pairs(const std::string &name) const;
    /// Which of `names` was given last, or "" when none was.
    std::string lastOf(std::initializer_list<const char *> names) const;

private:
    struct Known
    {
        std::string name;
        std::size_t values = 0;
        std::vector<std::string> choices;
    };
    struct Given
    {
        std::string name;
        std::vector<std::string> values;
    };

    const Known *known(const std::string &name) const;
    bool refuse(Problem problem, std::string text);

    std::vector<Known> mKnown;
    std::size_t mLeading = 0;
    std::size_t mAtMost = static_cast<std::size_t>(-1);
    std::vector<Given> mGiven;
    std::vector<std::string> mPositional;
    Problem mProblem = Problem::None;
    std::string mError;
};
