#include "Manufacturer.h"

#include <utility>

namespace Manufacturer {

namespace {

const std::vector<std::pair<std::int32_t, std::string>> &codeTable()
{
    static const std::vector<std::pair<std::int32_t, std::string>> table = {
        {257, "Adidas"}, {258, "Nike"},   {259, "Puma"},  {260, "Umbro"}, {294, "Mizuno"},
        {261, "Konami"}, {513, "Adidas"}, {514, "Nike"},  {515, "Puma"},  {769, "Adidas"},
        {770, "Nike"},   {771, "Puma"},   {772, "Umbro"}, {806, "Mizuno"}};
    return table;
}

} // namespace

const std::vector<std::string> &names()
{
    static const std::vector<std::string> list = {"Adidas", "Nike",   "Puma",
                                                  "Umbro",  "Mizuno", "Konami"};
    return list;
}

std::optional<std::string> nameForText(const std::string &codeText)
{
    for (const auto &[code, name] : codeTable()) {
        if (std::to_string(code) == codeText)
            return name;
    }
    return std::nullopt;
}

std::optional<std::int32_t> codeForName(const std::string &name)
{
    // The first six rows are the codes with high byte 1, in the order of names().
    for (std::size_t i = 0; i < names().size(); ++i) {
        if (codeTable()[i].second == name)
            return codeTable()[i].first;
    }
    return std::nullopt;
}

} // namespace Manufacturer
