// SPDX-License-Identifier: Apache-2.0
// Value cutting on arbitrary printer replies: every setting's value is the run of value
// characters right behind its first answer prefix, found before the first NUL, never beyond.
#include "FuzzCheck.h"
#include "SettingsTable.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

const char* const kSettingKeys[] = {
    "paperSource",    "paperShape",
    "paperForm",      "formDetectionType",
    "formGap",        "sideMargin",
    "rightMargin",    "paperCoatingType",
    "printQuality",   "cutPosition",
    "printPositionV", "printPositionH",
    "peelerMode",     "peelPositionA",
    "peelPositionB",  "incomplete_labelTreatment",
    "edgeHole",       "head_mediaClearanceHeight",
};

bool IsValueCharacter(char c) {
    return c != '\0' && std::strchr(kValueCharacters, c) != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* reply = reinterpret_cast<const char*>(data);
    const std::string_view text(reply, size == 0 ? 0 : strnlen(reply, size));
    const std::string replyString(reply, size);

    for (const char* key : kSettingKeys) {
        const SettingEntry* entry = findSetting(key);
        FUZZ_CHECK(entry != nullptr);

        // Straight from the exact-size buffer, which has no NUL behind it.
        const std::string value =
            strstr_tail_val(size == 0 ? nullptr : reply, size, entry->setPrefix);
        const size_t at = text.find(entry->setPrefix);
        if (at == std::string_view::npos) {
            FUZZ_CHECK(value.empty());
        } else {
            const size_t start = at + std::strlen(entry->setPrefix);
            size_t stop = start;
            while (stop < text.size() && IsValueCharacter(text[stop])) {
                ++stop;
            }
            FUZZ_CHECK(value == text.substr(start, stop - start));
        }

        const std::string reported = settingValue(*entry, replyString);
        if (std::strcmp(key, "peelerMode") == 0) {
            FUZZ_CHECK(reported.empty() || reported == "A" || reported == "P" || reported == "R");
            FUZZ_CHECK(reported.empty() || reported == value);
        } else {
            FUZZ_CHECK(reported == value);
        }
    }
    return 0;
}
