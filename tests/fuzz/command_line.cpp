// SPDX-License-Identifier: Apache-2.0
// The three-pass command line of tarn on arbitrary words: it never exits or crashes, and a run
// it accepts has what a run needs.
#include "CommandLine.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Words are separated by NUL or line feed bytes, at most this many, so inputs stay quick.
constexpr size_t kMaxWords = 64;

std::vector<std::string> SplitWords(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size && words.size() <= kMaxWords; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\0' || c == '\n') {
            words.emplace_back();
        } else {
            words.back() += c;
        }
    }
    if (words.size() > kMaxWords) {
        words.resize(kMaxWords);
    }
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args = SplitWords(data, size);
    // A command file is read from the -i path: point every such path at an empty file, so the
    // fuzzer neither reads arbitrary files nor blocks on a device.
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i].size() >= 2 && args[i][0] == '-' && args[i][1] == 'i' &&
            (args[i + 1].empty() || args[i + 1][0] != '-')) {
            args[i + 1] = "/dev/null";
        }
    }

    const ParseResult result = parseCommandLine(args);
    const RunDescription& run = result.run;
    if (result.outcome == ParseOutcome::Run) {
        FUZZ_CHECK(result.message.empty());
        FUZZ_CHECK(run.listMode || !run.queues.empty());
        FUZZ_CHECK(run.listMode || run.commandFileMode || !run.optionKeys.empty() ||
                   !run.functions.empty());
        FUZZ_CHECK(!(run.commandFileMode && run.listMode));
        FUZZ_CHECK(!run.commandFileMode || run.inputGiven);
        // Every setting given as key=value has its key in the option list.
        for (const auto& setting : run.settings) {
            bool listed = false;
            for (const std::string& key : run.optionKeys) {
                listed = listed || key == setting.first;
            }
            FUZZ_CHECK(listed);
        }
    } else {
        FUZZ_CHECK(result.outcome == ParseOutcome::Usage ||
                   result.outcome == ParseOutcome::FileError);
    }
    if (!result.message.empty()) {
        FUZZ_CHECK(result.message.back() == '\n');
    }
    return 0;
}
