// SPDX-License-Identifier: Apache-2.0
#include "emulator/Model.h"

#include <cstdlib>
#include <regex>
#include <sstream>

namespace emulator {

namespace {

struct ModelPattern {
    const char* pattern;
    Family family;
    Variant variant;
};

// The 5000 and 5500 series end in A (cutter) or P (peeler); the 2000 and 9000 series cut.
const ModelPattern kModels[] = {
    {"RV-C90[0-5]0.?", Family::C9000, Variant::Cutter},
    {"RV-C20[0-5]0.?", Family::C2000, Variant::Cutter},
    {"RV-D5[05][0-5]0P.?", Family::D5000, Variant::Peeler},
    {"RV-D5[05][0-5]0A.?", Family::D5000, Variant::Cutter},
    {"RV-C5[05][0-5]0P.?", Family::C5000, Variant::Peeler},
    {"RV-C5[05][0-5]0A.?", Family::C5000, Variant::Cutter},
};

// Rules per model column: "" absent, "codes:A B C" or "range:MIN MAX =INITIAL".
// Columns: RV-C9000, RV-C2000, 5000 series cutter (C and D alike), 5000 series peeler.
struct SettingRow {
    const char* key;
    const char* command;
    bool position;
    const char* rules[4];
};

const SettingRow kSettings[] = {
    {"paperSource", "CLM,P", false, {"codes:IR ER", "codes:IR ER", "codes:IR ER", "codes:IR ER"}},
    {"paperShape", "CLM,S", false, {"codes:RP FP", "codes:RP FP", "", ""}},
    {"paperForm", "CLM,F", false, {"codes:DL CL CP TG", "codes:DL CL CP WB", "", ""}},
    {"formDetectionType",
     "CLM,D",
     false,
     {"codes:W M N H", "codes:W M N", "codes:W M N", "codes:W M N"}},
    {"formGap",
     "CLS,C",
     true,
     {"range:0 142 =72", "range:0 142 =48", "range:0 142 =48", "range:0 142 =48"}},
    {"sideMargin",
     "CLS,G",
     true,
     {"range:0 709 =47", "range:0 142 =47", "range:0 142 =47", "range:0 142 =47"}},
    {"rightMargin", "CLS,R", true, {"range:0 709 =47", "", "", ""}},
    {"paperCoatingType",
     "CLM,T",
     false,
     {"codes:N M G S", "codes:N M G S", "codes:N M G S", "codes:N M G S"}},
    {"printQuality", "CPC,Q", false, {"codes:N S Q", "codes:N S Q", "codes:N S Q", "codes:N S Q"}},
    {"cutPosition",
     "CLP,O",
     true,
     {"range:-472 35 =0", "range:-255 255 =0", "range:-255 255 =0", ""}},
    {"printPositionV",
     "CLE,T",
     true,
     {"range:-47 47 =0", "range:-258 258 =0", "range:-258 258 =0", "range:-258 258 =0"}},
    {"printPositionH",
     "CLE,M",
     true,
     {"range:-24 24 =0", "range:-36 36 =0", "range:-47 47 =0", "range:-47 47 =0"}},
    {"peelerMode", "CMP,M", false, {"", "", "", "codes:A P R"}},
    {"peelPositionA", "CMQ,A", true, {"", "", "", "range:-255 255 =0"}},
    {"peelPositionB", "CMQ,B", true, {"range:0 1181 =0", "", "", "range:-255 255 =0"}},
    {"incomplete_labelTreatment", "CWR,C", false, {"codes:Y N", "", "", ""}},
    {"edgeHole", "CLS,T", true, {"range:0 7228 =0", "", "", ""}},
    {"head_mediaClearanceHeight", "CMF,G", false, {"codes:1 2 3 4", "", "", ""}},
};

int column(const ModelInfo& model) {
    switch (model.family) {
    case Family::C9000:
        return 0;
    case Family::C2000:
        return 1;
    default:
        return model.variant == Variant::Peeler ? 3 : 2;
    }
}

bool parseInt(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) {
        return false;
    }
    for (std::size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') {
            return false;
        }
    }
    value = std::atoi(text.c_str());
    return true;
}

} // namespace

bool SettingRule::accepts(const std::string& value, int& dots) const {
    if (!position) {
        for (const std::string& code : codes) {
            if (code == value) {
                return true;
            }
        }
        return false;
    }
    return parseInt(value, dots) && dots >= min && dots <= max;
}

bool recogniseModel(const std::string& model, ModelInfo& out) {
    for (const ModelPattern& entry : kModels) {
        if (std::regex_match(model, std::regex(entry.pattern))) {
            out.model = model;
            out.family = entry.family;
            out.variant = entry.variant;
            out.deviceId =
                "MFG:VARDA;MDL:" + model + ";CMD:VLCL;CLS:PRINTER;DES:VARDA " + model + ";";
            return true;
        }
    }
    return false;
}

const char* familyName(Family family) {
    static const char* const names[] = {"RV-C9000", "RV-C2000", "RV-D5000", "RV-C5000"};
    return names[static_cast<int>(family)];
}

const char* variantName(Variant variant) {
    return variant == Variant::Peeler ? "peeler" : "cutter";
}

std::vector<SettingRule> settingsFor(const ModelInfo& model) {
    std::vector<SettingRule> rules;
    const int col = column(model);
    for (const SettingRow& row : kSettings) {
        const std::string text = row.rules[col];
        if (text.empty()) {
            continue;
        }
        SettingRule rule;
        rule.key = row.key;
        rule.command = row.command;
        rule.position = row.position;
        std::istringstream words(text.substr(text.find(':') + 1));
        std::string word;
        if (rule.position) {
            words >> rule.min >> rule.max >> word;
            rule.initial = word.substr(1);
        } else {
            while (words >> word) {
                rule.codes.push_back(word);
            }
            rule.initial = rule.codes.front();
        }
        rules.push_back(rule);
    }
    return rules;
}

std::vector<std::string> standardModels() {
    return {"RV-C9000", "RV-C2000", "RV-D5510P", "RV-D5500A", "RV-C5020A", "RV-C5000P"};
}

} // namespace emulator
