// Regular expressions for the tests, compiled once.
#include "support/patterns.h"

#include <regex>

namespace gametest {

bool MatchesWhole(const std::string& text, const std::string& pattern) {
    return std::regex_match(text, std::regex(pattern));
}

std::vector<std::string> FirstMatch(const std::string& text, const std::string& pattern) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(pattern))) return {};
    std::vector<std::string> groups;
    for (const auto& group : match) groups.push_back(group.str());
    return groups;
}

std::string ReplaceEvery(const std::string& text, const std::string& pattern, const std::string& with) {
    return std::regex_replace(text, std::regex(pattern), with);
}

}  // namespace gametest
