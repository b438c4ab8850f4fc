// SPDX-License-Identifier: Apache-2.0
// The eighteen stored printer settings: their queries and set commands, how the get and set
// requests of a run are composed, and how each value is cut from the printer's reply.
#pragma once

#include "BoundedSearch.h"

#include <cstddef>
#include <deque>
#include <map>
#include <string>

struct SettingEntry {
    const char* key;       // option key on the command line
    const char* query;     // ~H(GRP,I
    const char* setPrefix; // ^S(GRP,I, : the set command and the start of its answer
    bool position;         // value in dots; needs the unit preamble before it is read
};

// Read-back values consist only of these characters.
extern const char kValueCharacters[];
extern const char kSetFrameStart[];
extern const char kSetFrameEnd[];
extern const char kUnitPreamble[];

// nullptr for a key outside the table.
const SettingEntry* findSetting(const std::string& key);
// The keys whose value comes from the status reply (inkNameK included).
bool isStatusKey(const std::string& key);

struct GetRequest {
    std::string text;        // the queries of the option keys, in list order
    bool unitFlag = false;   // a position key is among the option keys
    bool statusFlag = false; // a status key is among the option keys
};

GetRequest composeGetRequest(const std::deque<std::string>& optionKeys);

// Set commands of the settings map in key order, framed with the unit settings unless the run
// sends a command file (which composes nothing from the table anyway).
std::string composeSetRequest(const std::map<std::string, std::string>& settings,
                              bool commandFileMode);

// The run of value characters behind the first occurrence of prefix; empty when text is null or
// empty, or prefix does not occur.
std::string strstr_tail_val(const char* text, size_t length, const char* prefix);

// The value reported for a setting key (peelerMode only "A", "P" or "R"); empty for no answer.
std::string settingValue(const SettingEntry& entry, const std::string& reply);
