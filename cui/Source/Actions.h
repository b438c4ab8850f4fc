// SPDX-License-Identifier: Apache-2.0
// The printer functions tarn offers; tarnCUIMain registers them, in this order.
#pragma once

#include "FunctionRegistry.h"

// printNozzleCheck: prints the nozzle-check pattern; the argument is ignored.
class ActionPrintNozzleCheck : public virtual ActionEntry {
public:
    std::string getKey() const override;
    // Also writes the line "ActionPrintNozzleCheck" on standard output.
    std::string getRequest(const std::string& argument) const override;
};

// startCleaningHead: normal cleaning (no argument or "A") or power cleaning ("H").
class ActionStartCleaningHead : public virtual ActionEntry {
public:
    std::string getKey() const override;
    std::string getRequest(const std::string& argument) const override;
};
