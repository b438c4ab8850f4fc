// SPDX-License-Identifier: Apache-2.0
// The printer models the emulator knows: family, variant, device ID and the stored settings
// each family has, with their codes and dot ranges.
#ifndef EMULATOR_MODEL_H
#define EMULATOR_MODEL_H

#include <string>
#include <vector>

namespace emulator {

enum class Family { C9000, C2000, D5000, C5000 };
enum class Variant { Cutter, Peeler };

struct ModelInfo {
    std::string model; // the MDL value, e.g. RV-D5510P
    Family family = Family::C5000;
    Variant variant = Variant::Cutter;
    std::string deviceId; // the IEEE-1284 device ID the queue's PPD carries
};

// False for a model name outside the four families.
bool recogniseModel(const std::string& model, ModelInfo& out);

const char* familyName(Family family);
const char* variantName(Variant variant);

// One stored setting of a model: its command (group and item, "CLM,P"), the tool's key, and
// either the codes it accepts or its range in dots.
struct SettingRule {
    std::string key;
    std::string command;
    bool position = false; // a length in dots, converted by the unit settings
    std::vector<std::string> codes;
    int min = 0;
    int max = 0;
    std::string initial;

    bool accepts(const std::string& value, int& dots) const;
};

// The settings the model answers, in the order of the tool's table; a setting the family lacks
// is not in the list.
std::vector<SettingRule> settingsFor(const ModelInfo& model);

// The models one test bed serves: every family, and both variants of the 5000 series.
std::vector<std::string> standardModels();

} // namespace emulator

#endif
