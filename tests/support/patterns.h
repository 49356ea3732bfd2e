// Regular expressions for the tests (ECMAScript syntax). They are compiled here once: the
// standard library's regular expressions cost each file that uses them seconds to build.
#pragma once

#include <string>
#include <vector>

namespace gametest {

// True when the whole text matches.
bool MatchesWhole(const std::string& text, const std::string& pattern);
// The first match in the text and its groups, the whole match first; empty when none.
std::vector<std::string> FirstMatch(const std::string& text, const std::string& pattern);
// The text with every match replaced.
std::string ReplaceEvery(const std::string& text, const std::string& pattern, const std::string& with);

}  // namespace gametest
