// SPDX-License-Identifier: Apache-2.0
#include "SettingsTable.h"

#include <cstring>

const char kValueCharacters[] = ".-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const char kSetFrameStart[] = "^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600";
const char kSetFrameEnd[] = "^XZ";
const char kUnitPreamble[] = "^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600^XZ";

namespace {

// In the order the keys are tested, the order of the usage listing.
const SettingEntry kSettings[] = {
    {"paperSource", "~H(CLM,P", "^S(CLM,P,", false},
    {"paperShape", "~H(CLM,S", "^S(CLM,S,", false},
    {"paperForm", "~H(CLM,F", "^S(CLM,F,", false},
    {"formDetectionType", "~H(CLM,D", "^S(CLM,D,", false},
    {"formGap", "~H(CLS,C", "^S(CLS,C,", true},
    {"sideMargin", "~H(CLS,G", "^S(CLS,G,", true},
    {"rightMargin", "~H(CLS,R", "^S(CLS,R,", true},
    {"paperCoatingType", "~H(CLM,T", "^S(CLM,T,", false},
    {"printQuality", "~H(CPC,Q", "^S(CPC,Q,", false},
    {"cutPosition", "~H(CLP,O", "^S(CLP,O,", true},
    {"printPositionV", "~H(CLE,T", "^S(CLE,T,", true},
    {"printPositionH", "~H(CLE,M", "^S(CLE,M,", true},
    {"peelerMode", "~H(CMP,M", "^S(CMP,M,", false},
    {"peelPositionA", "~H(CMQ,A", "^S(CMQ,A,", true},
    {"peelPositionB", "~H(CMQ,B", "^S(CMQ,B,", true},
    {"incomplete_labelTreatment", "~H(CWR,C", "^S(CWR,C,", false},
    {"edgeHole", "~H(CLS,T", "^S(CLS,T,", true},
    {"head_mediaClearanceHeight", "~H(CMF,G", "^S(CMF,G,", false},
};

const char* const kStatusKeys[] = {"status",   "statusGroup", "inksOfErrorReason",
                                   "inkNameK", "inkK",        "inkC",
                                   "inkM",     "inkY",        "inkMN"};

// peelerMode reports only the modes the printer defines.
const char* const kPeelerModes[] = {"A", "P", "R"};

} // namespace

const SettingEntry* findSetting(const std::string& key) {
    for (const SettingEntry& entry : kSettings) {
        if (key == entry.key) {
            return &entry;
        }
    }
    return nullptr;
}

bool isStatusKey(const std::string& key) {
    for (const char* statusKey : kStatusKeys) {
        if (key == statusKey) {
            return true;
        }
    }
    return false;
}

GetRequest composeGetRequest(const std::deque<std::string>& optionKeys) {
    GetRequest request;
    for (const std::string& key : optionKeys) {
        if (isStatusKey(key)) {
            request.statusFlag = true;
        } else if (const SettingEntry* entry = findSetting(key)) {
            request.text += entry->query;
            request.unitFlag = request.unitFlag || entry->position;
        }
    }
    return request;
}

std::string composeSetRequest(const std::map<std::string, std::string>& settings,
                              bool commandFileMode) {
    std::string request;
    for (const auto& [key, value] : settings) {
        if (isStatusKey(key)) {
            continue;
        }
        if (const SettingEntry* entry = findSetting(key)) {
            request += entry->setPrefix;
            request += value;
        }
    }
    if (!request.empty() && !commandFileMode) {
        request = kSetFrameStart + request + kSetFrameEnd;
    }
    return request;
}

std::string strstr_tail_val(const char* text, size_t length, const char* prefix) {
    if (text == nullptr || length == 0 || text[0] == '\0') {
        return {};
    }
    const char* start = strstr_tail(text, length, prefix);
    if (start == nullptr) {
        return {};
    }
    const char* end = text + strnlen(text, length);
    const char* stop = start;
    while (stop < end && strchr(kValueCharacters, *stop) != nullptr) {
        ++stop;
    }
    return std::string(start, stop);
}

std::string settingValue(const SettingEntry& entry, const std::string& reply) {
    std::string value = strstr_tail_val(reply.data(), reply.size(), entry.setPrefix);
    if (strcmp(entry.key, "peelerMode") == 0) {
        for (const char* mode : kPeelerModes) {
            if (value == mode) {
                return value;
            }
        }
        return {};
    }
    return value;
}
