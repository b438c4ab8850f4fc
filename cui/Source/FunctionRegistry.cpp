// SPDX-License-Identifier: Apache-2.0
#include "FunctionRegistry.h"

std::vector<ActionEntry*>* getActionList() {
    // Made on first use, so that registrars in any unit may run first during static
    // initialisation; never destroyed, so the actions it holds stay reachable until the very
    // end (leak checkers see them as live, which they are).
    static std::vector<ActionEntry*>* const s_actionHandlers = new std::vector<ActionEntry*>;
    return s_actionHandlers;
}

void registerAction(ActionEntry* entry, const char* /*name*/) {
    getActionList()->push_back(entry);
}

std::string composeFunctionRequest(const std::deque<std::string>& functions) {
    std::string request;
    for (const std::string& function : functions) {
        const size_t equals = function.find('=');
        const std::string key = function.substr(0, equals);
        const std::string argument =
            equals == std::string::npos ? std::string() : function.substr(equals + 1);
        for (const ActionEntry* action : *getActionList()) {
            if (action->getKey() == key) {
                request += action->getRequest(argument);
                break;
            }
        }
    }
    return request;
}
