#include "FunctionRegistry.h"

std::vector<ActionEntry*>* getActionList() {
    // Function-local so that registrars in other units may run first during static
    // initialisation.
    static std::vector<ActionEntry*> s_actionHandlers;
    return &s_actionHandlers;
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
