// SPDX-License-Identifier: Apache-2.0
#include "Actions.h"

#include <cstdio>

std::string ActionPrintNozzleCheck::getKey() const {
    return "printNozzleCheck";
}

std::string ActionPrintNozzleCheck::getRequest(const std::string& /*argument*/) const {
    fputs("ActionPrintNozzleCheck\n", stdout);
    return "~W(PNC";
}

std::string ActionStartCleaningHead::getKey() const {
    return "startCleaningHead";
}

std::string ActionStartCleaningHead::getRequest(const std::string& argument) const {
    struct Mode {
        const char* argument;
        const char* command;
    };
    static const Mode kModes[] = {{"", "~J(MCL,A"}, {"A", "~J(MCL,A"}, {"H", "~J(MCL,H"}};
    for (const Mode& mode : kModes) {
        if (argument == mode.argument) {
            return mode.command;
        }
    }
    return {};
}
