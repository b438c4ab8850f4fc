// SPDX-License-Identifier: Apache-2.0
// Builds status replies record by record, in the order the status request asks for them.
#pragma once

#include "KorelStatusParser.h"

#include <optional>
#include <string>
#include <vector>

struct StatusReply {
    // An empty optional leaves the record out of the reply.
    std::optional<std::string> state = "IL";
    std::optional<std::string> inkModel = "GL";
    std::optional<std::string> error = "00";
    // "" gives the empty warning record STX "WN" ETX; text gives STX "WN," text ETX.
    std::optional<std::string> warnings = "";
    std::optional<std::string> sensor = "IR";
    std::vector<std::string> boxRecords = {"RH"};
    std::vector<std::string> inkRecords = {"RH,RH,RH,RH"};
    std::optional<std::string> paper = "F";
    std::optional<std::string> pause = "UN";
    std::optional<std::string> fatal = "0";

    std::string str() const {
        std::string out;
        auto record = [&out](const std::string& tag, const std::optional<std::string>& value) {
            if (value) {
                out += "\x02" + tag + *value + "\x03";
            }
        };
        record("^S(SMA,S,", state);
        record("^S(IMM,I,", inkModel);
        record("^S(SEA,E,", error);
        if (warnings) {
            out += warnings->empty() ? std::string("\x02WN\x03") : "\x02WN," + *warnings + "\x03";
        }
        record("^S(CLM,P,", sensor);
        record("^S(IMF,V,", std::string("1.00"));
        for (const auto& box : boxRecords) {
            record("MN,", box);
        }
        for (const auto& inks : inkRecords) {
            record("IQ,", inks);
        }
        record("^S(IMP,S,", std::string("0"));
        record("^S(SPA,P,", paper);
        record("^S(SPA,S,", std::string("0"));
        record("^S(SPA,O,", pause);
        record("^S(SEA,F,", fatal);
        return out;
    }
};

// Parses `reply` from a heap buffer of exactly its size, so that a read past the end is caught
// by the address sanitizer build.
inline bool ParseExact(KorelStatusParser& parser, const std::string& reply) {
    std::vector<char> buffer(reply.begin(), reply.end());
    return parser.Parse(buffer.empty() ? nullptr : buffer.data(), static_cast<int>(buffer.size()));
}

// Exposes the protected steps for the tests of the converters and merge rules.
class ExposedParser : public KorelStatusParser {
public:
    using KorelStatusParser::convertInkAmountIQ;
    using KorelStatusParser::convertInkAmountMN;
    using KorelStatusParser::convertInkStatusIQ;
    using KorelStatusParser::convertInkStatusMN;
    using KorelStatusParser::mergeInkAmount;
    using KorelStatusParser::mergeInkStatus;
};
