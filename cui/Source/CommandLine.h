// SPDX-License-Identifier: Apache-2.0
// The command line of tarn: three passes over the words, the checks after them, and the run
// description they produce. Parsing never exits; the entry prints and exits by the result.
#pragma once

#include "CommandFile.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

struct RunDescription {
    std::vector<std::string> queues;             // -p values, then the supported queues (-l)
    std::deque<std::string> optionKeys;          // one per -o, the key only for key=value
    std::map<std::string, std::string> settings; // key=value of -o, last value wins
    std::deque<std::string> functions;           // -f values verbatim
    std::string inputPath;
    bool inputGiven = false;
    std::string outputPath;
    bool outputGiven = false;
    CommandText commandText; // content of the command file
    bool listMode = false;
    bool commandFileMode = false;
};

struct Switches {
    bool verbose = false;
    bool debug = false;
    bool dryrun = false;
};

enum class ParseOutcome {
    Run,       // go on with the run
    Usage,     // print message (may be empty), then the usage text; exit status 0
    FileError, // print message; exit status 1 (the command file cannot be used)
};

struct ParseResult {
    ParseOutcome outcome = ParseOutcome::Usage;
    std::string message; // with its line end, printed before the usage text or alone
    RunDescription run;
    Switches switches;
};

// args are the words after the program name.
ParseResult parseCommandLine(const std::vector<std::string>& args);

// The usage text, with the registered functions; the listing lines are the tool's capabilities.
std::string usageText();
