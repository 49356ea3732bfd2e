// Coverage-guided fuzzer for the command line: each line of the input is one argument.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "program/options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words = {"trundlebop"};
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            words.push_back(word);
            word.clear();
        } else {
            word.push_back(static_cast<char>(data[i]));
        }
    }
    if (!word.empty()) words.push_back(word);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(&w[0]);
    argv.push_back(nullptr);

    Options options;
    const int code = ParseOptions(static_cast<int>(words.size()), argv.data(), options);
    // Go on (-1) or a mistake (2), nothing else.
    if (code != -1 && code != 2) std::abort();
    // --help and --version print and end the program with 0 whatever else the line holds.
    if (code == -1 && !options.help && !options.version) {
        // A run that is let through has what it needs.
        if (options.headless && (!options.framesGiven || options.frames < 1)) std::abort();
        if (options.scale && (*options.scale < 1 || *options.scale > 8)) std::abort();
        if (!options.audioOut.empty() && !options.headless) std::abort();
        for (const auto& [pass, file] : options.shots)
            if (pass < 1 || file.empty()) std::abort();
    }
    return 0;
}
