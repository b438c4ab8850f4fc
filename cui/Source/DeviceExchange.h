// SPDX-License-Identifier: Apache-2.0
// One exchange with the device behind a queue: initialise the library, open the device, read and
// decode the status, write the requests on a data channel and read the reply, close everything.
#pragma once

#include "DeviceBinding.h"
#include "KorelStatusParser.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The status request (fourteen queries) and the texts that open its reply and its last record.
extern const char kStatusRequest[];
extern const char kStatusReplyBegin[];
extern const char kStatusReplyEnd[];

struct ExchangeInput {
    std::string uri;         // empty when the queue has no device URI
    bool statusFlag = false; // read and decode the status
    bool unitFlag = false;   // write the unit preamble first
    std::string_view setRequest;
    std::string_view getRequest; // its reply is read
    std::string_view functionRequest;
    const std::string* outputPath = nullptr; // -u: store and echo the reply
    // Libraries tried in order; "" stands for ./dexo1.so.
    std::vector<std::string> libraryPaths = {kInstalledLibraryPath, ""};
};

enum class ExchangeEnd {
    Completed,        // report the queue (also after printer failures)
    LoadFailed,       // no library: the run ends with exit status 1
    OutputOpenFailed, // the reply file cannot be written: the run ends with exit status 1
};

struct ExchangeResult {
    ExchangeEnd end = ExchangeEnd::Completed;
    std::unique_ptr<KorelStatusParser> parser; // set unless the library could not be loaded
    bool channelFailed = false; // "ERROR" was printed; the report starts with a status line
    bool replyRead = false;
    std::string reply;
};

// Reads the switches dryrun and debug. Report-related output (dumps, "ERROR", the echoed
// reply, the load failure line) goes to out, traces to standard error.
ExchangeResult runExchange(const ExchangeInput& input, FILE* out = stdout);
