// SPDX-License-Identifier: Apache-2.0
#include "Report.h"

#include "SettingsTable.h"

namespace {

// A PPD value may span lines; a report line holds one, or the rest would pass for lines of
// the tool's own (a forged "ERROR" or status line).
std::string orNA(const std::string& value) {
    const std::string firstLine = value.substr(0, value.find_first_of("\r\n"));
    return firstLine.empty() ? "N/A" : firstLine;
}

std::string blackInkName(const DeviceIDs& record, const KorelStatusParser& parser) {
    switch (parser.GetInkModel()) {
    case kInkModelGL:
        return orNA(record.inkNameBK);
    case kInkModelMT:
        return orNA(record.inkNameMK);
    default:
        return "N/A";
    }
}

struct RecordKey {
    const char* key;
    std::string (*value)(const DeviceIDs&, const KorelStatusParser&);
};

const RecordKey kRecordKeys[] = {
    {"deviceID", [](const DeviceIDs& r, const KorelStatusParser&) { return orNA(r.deviceID); }},
    {"deviceOption",
     [](const DeviceIDs& r, const KorelStatusParser&) { return orNA(r.deviceOption); }},
    {"inkNameK", blackInkName},
    {"inkNameC", [](const DeviceIDs& r, const KorelStatusParser&) { return orNA(r.inkNameC); }},
    {"inkNameM", [](const DeviceIDs& r, const KorelStatusParser&) { return orNA(r.inkNameM); }},
    {"inkNameY", [](const DeviceIDs& r, const KorelStatusParser&) { return orNA(r.inkNameY); }},
    {"inkNameMN", [](const DeviceIDs& r, const KorelStatusParser&) { return orNA(r.inkNameMN); }},
    {"inkCartridgeLayout",
     [](const DeviceIDs& r, const KorelStatusParser&) { return orNA(r.inkCartridgeLayout); }},
};

struct InkKey {
    const char* key;
    int ink;
};

const InkKey kInkKeys[] = {
    {"inkK", 'K'}, {"inkC", 'C'}, {"inkM", 'M'}, {"inkY", 'Y'}, {"inkMN", kInkKeyMN},
};

struct InkLetter {
    int ink;
    const char* letter;
};

const InkLetter kInkLetters[] = {{'K', "K"}, {'C', "C"}, {'M', "M"}, {'Y', "Y"}};

std::string inksOfErrorReason(const KorelStatusParser& parser) {
    std::string value;
    for (int ink : parser.GetInksOfErrorReason()) {
        for (const InkLetter& entry : kInkLetters) {
            if (entry.ink == ink) {
                value += value.empty() ? "" : ",";
                value += entry.letter;
            }
        }
    }
    return value;
}

const DeviceIDs& recordOf(ReportContext& context) {
    static const DeviceIDs kEmpty;
    if (context.records == nullptr) {
        return kEmpty;
    }
    DeviceIDs& record = (*context.records)[context.queue];
    if (record.deviceID.empty() && context.fetchRecord) {
        record = context.fetchRecord(context.queue);
    }
    return record;
}

std::string line(const std::string& key, const std::string& value) {
    return key + ": " + value + "\n";
}

} // namespace

std::string reportLine(const std::string& key, ReportContext& context) {
    static const KorelStatusParser kInitial;
    const KorelStatusParser& parser = context.parser != nullptr ? *context.parser : kInitial;
    for (const RecordKey& entry : kRecordKeys) {
        if (key == entry.key) {
            return line(key, entry.value(recordOf(context), parser));
        }
    }
    if (key == "status") {
        const StatusDetail detail = parser.GetStatusDetail();
        return line(key, std::to_string(detail) + ", " + ConvertStatusDetail2STR(detail));
    }
    if (key == "statusGroup") {
        const StatusGroup group = parser.GetStatusGroup();
        return line(key, std::to_string(group) + ", " + ConvertStatusGroup2STR(group));
    }
    if (key == "inksOfErrorReason") {
        return line(key, inksOfErrorReason(parser));
    }
    for (const InkKey& entry : kInkKeys) {
        if (key == entry.key) {
            return line(key, std::to_string(parser.GetInkStatus(entry.ink)) + " " +
                                 std::to_string(parser.GetInkAmount(entry.ink)));
        }
    }
    if (const SettingEntry* setting = findSetting(key)) {
        static const std::string kNoReply;
        return line(key, settingValue(*setting, context.reply ? *context.reply : kNoReply));
    }
    return line(key, "N/A");
}

std::string reportLines(const std::deque<std::string>& keys, ReportContext& context) {
    std::string lines;
    for (const std::string& key : keys) {
        lines += reportLine(key, context);
    }
    return lines;
}
