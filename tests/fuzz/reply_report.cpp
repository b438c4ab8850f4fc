// SPDX-License-Identifier: Apache-2.0
// From the printer's replies to tarn's report lines: a status reply and a get reply, both
// arbitrary, give one well-formed "key: value" line per key; the byte dump of a reply shows
// every byte and reads back to the same bytes.
//
// Input: the first byte is where the status reply ends (as a share of the rest); the status
// reply, then the get reply.
#include "Dump.h"
#include "FuzzCheck.h"
#include "KorelStatusParser.h"
#include "Report.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>

namespace {

const std::deque<std::string> kKeys = {
    "deviceID",
    "deviceOption",
    "inkNameK",
    "inkNameC",
    "inkNameM",
    "inkNameY",
    "inkNameMN",
    "status",
    "statusGroup",
    "inksOfErrorReason",
    "inkK",
    "inkC",
    "inkM",
    "inkY",
    "inkMN",
    "paperSource",
    "paperShape",
    "paperForm",
    "formDetectionType",
    "formGap",
    "sideMargin",
    "rightMargin",
    "paperCoatingType",
    "printQuality",
    "cutPosition",
    "printPositionV",
    "printPositionH",
    "peelerMode",
    "peelPositionA",
    "peelPositionB",
    "incomplete_labelTreatment",
    "edgeHole",
    "head_mediaClearanceHeight",
    "noSuchKey",
};

std::string Dump(const char* data, size_t length) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    FUZZ_CHECK(out != nullptr);
    PrintBinary(data, length, out);
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

// Reads a dump back: printable bytes as they are, "\033[34m\xHH\033[0m" as the byte HH.
bool Undump(const std::string& text, std::string& bytes) {
    static const std::string open = "\033[34m\\x";
    static const std::string close = "\033[0m";
    bytes.clear();
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, open.size(), open) == 0) {
            i += open.size();
            if (i + 2 + close.size() > text.size()) {
                return false;
            }
            bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
            i += 2;
            if (text.compare(i, close.size(), close) != 0) {
                return false;
            }
            i += close.size();
        } else {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (c < 0x20 || c > 0x7E) {
                return false; // a raw control byte would reach the terminal
            }
            bytes += text[i++];
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const size_t restSize = size - 1;
    const size_t split = restSize * data[0] / 255;

    KorelStatusParser parser;
    parser.Parse(restSize == 0 ? nullptr : rest, static_cast<int>(split));
    const std::string getReply(rest + split, restSize - split);

    std::map<std::string, DeviceIDs> records;
    DeviceIDs& record = records["Q"];
    record.deviceID = "MFG:VARDA;MDL:RV-C9000;";
    record.inkNameBK = "BK";
    record.inkNameMK = "MK";
    ReportContext context;
    context.queue = "Q";
    context.parser = &parser;
    context.reply = &getReply;
    context.records = &records;
    context.fetchRecord = [](const std::string&) { return DeviceIDs{}; };

    const std::string lines = reportLines(kKeys, context);
    size_t at = 0;
    for (const std::string& key : kKeys) {
        const size_t end = lines.find('\n', at);
        FUZZ_CHECK(end != std::string::npos);
        FUZZ_CHECK(lines.compare(at, key.size() + 2, key + ": ") == 0);
        at = end + 1;
    }
    FUZZ_CHECK(at == lines.size());

    std::string back;
    FUZZ_CHECK(Undump(Dump(rest, restSize), back));
    FUZZ_CHECK(back == std::string(rest, restSize));
    return 0;
}
