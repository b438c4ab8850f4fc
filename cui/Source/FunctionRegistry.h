// SPDX-License-Identifier: Apache-2.0
// Printer functions (-f key or -f key=argument): a process-wide list of actions filled by the
// registrars before main runs, and the function request composed from it.
#pragma once

#include <deque>
#include <string>
#include <vector>

class FunctionEntry {
public:
    virtual ~FunctionEntry() = default;
    virtual std::string getKey() const = 0;
};

class ActionEntry : public FunctionEntry {
public:
    // The printer command for the argument; empty when the argument is not understood.
    virtual std::string getRequest(const std::string& argument) const = 0;
};

// The registry, in registration order; made on the first call. Entries live until the process
// ends.
std::vector<ActionEntry*>* getActionList();

// The name is accepted for the registrars' sake and not stored.
void registerAction(ActionEntry* entry, const char* name);

// The commands of the -f entries in list order, concatenated; unknown keys add nothing.
std::string composeFunctionRequest(const std::deque<std::string>& functions);
