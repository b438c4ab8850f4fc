// SPDX-License-Identifier: Apache-2.0
// One report line per option key: the contract with the graphical utility.
#pragma once

#include "KorelStatusParser.h"
#include "QueueLookup.h"

#include <deque>
#include <functional>
#include <map>
#include <string>

struct ReportContext {
    std::string queue;
    const KorelStatusParser* parser = nullptr; // state after the exchange (or a fresh parser)
    const std::string* reply = nullptr;        // reply to the get request, empty for none
    std::map<std::string, DeviceIDs>* records = nullptr; // device record cache of the run
    // Fetches a queue's record when the cached one has no device ID (GetDeviceIDFromQueue).
    std::function<DeviceIDs(const std::string&)> fetchRecord;
};

// The line of one key, with its line end.
std::string reportLine(const std::string& key, ReportContext& context);

// The lines of all keys, in list order.
std::string reportLines(const std::deque<std::string>& keys, ReportContext& context);
