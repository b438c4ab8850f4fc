// SPDX-License-Identifier: Apache-2.0
#include "emulator/Printer.h"

#include <cstdlib>
#include <utility>

namespace emulator {

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr std::size_t kLogLimit = 10000;

// Status fields, their power-on values and the command whose answer carries them.
struct FieldRow {
    const char* name;
    const char* initial;
};
const FieldRow kFields[] = {
    {"state", "IL"},          // SMA,S main state
    {"error", "NO"},          // SEA,E error code
    {"pause", "NO"},          // SPA,O pause reason
    {"warnings", ""},         // QWN, comma-separated codes
    {"paperPrompt", "F"},     // SPA,P
    {"inkK", "RH"},           // QIQ, one code per ink: RH RM RL RN RR NA CI
    {"inkC", "RH"},           //
    {"inkM", "RH"},           //
    {"inkY", "RH"},           //
    {"maintenanceBox", "RH"}, // QMN
    {"inkModel", "GL"},       // IMM,I
    {"fatal", "0"},           // SEA,F fatal error code
    {"inkRecord", ""},        // when set, the QIQ answer's text instead of the four inks
    {"firmware", "1.00"},     // IMF,V
    {"IMP,S", "0"},           //
    {"SPA,S", "0"},           //
    {"functionMs", "2000"},   // how long a function runs; -1 until finished
    {"functionState", ""},    // read only: the main state while a function runs
};

struct StatusRow {
    const char* command;
    const char* field;
};
const StatusRow kStatusAnswers[] = {
    {"SMA,S", "state"},       {"SEA,E", "error"},    {"SPA,O", "pause"},
    {"SPA,P", "paperPrompt"}, {"IMM,I", "inkModel"}, {"SEA,F", "fatal"},
    {"IMF,V", "firmware"},    {"IMP,S", "IMP,S"},    {"SPA,S", "SPA,S"},
};

// Unit settings and their accepted values; positions are stored in 600-dpi dots.
struct UnitRow {
    const char* command;
    const char* initial;
    const char* accepted[3];
};
const UnitRow kUnits[] = {
    {"CMP,U", "D", {"D", nullptr, nullptr}},
    {"CLR,P", "600", {"600", "300", nullptr}},
    {"CLR,R", "600", {"600", "300", nullptr}},
    {"CLR,Z", "600", {"600", "300", nullptr}},
};

// Functions: command, log-visible name, main state while it runs.
struct FunctionRow {
    const char* command;
    const char* name;
    const char* state;
};
const FunctionRow kFunctions[] = {
    {"~W(PNC", "nozzleCheck", "SP"},
    {"~J(MCL,A", "cleaning", "CL"},
    {"~J(MCL,H", "powerCleaning", "CL"},
};

bool isDelimiter(char c) {
    return c == '^' || c == '~' || c == '\r' || c == '\n' || c == '\0';
}

std::string framed(const std::string& body) {
    return std::string(1, kStx) + body + kEtx;
}

int scaled(int dots, int resolution) {
    // Rounded half away from zero, so a value survives a set and a query at the same unit.
    const long product = static_cast<long>(dots) * resolution;
    return static_cast<int>(product >= 0 ? (product + 300) / 600 : -((-product + 300) / 600));
}

} // namespace

bool parseFaultKind(const std::string& text, Fault::Kind& kind) {
    static const std::pair<const char*, Fault::Kind> kinds[] = {
        {"none", Fault::Kind::None},   {"silent", Fault::Kind::Silent},
        {"cut", Fault::Kind::Cut},     {"slow", Fault::Kind::Slow},
        {"close", Fault::Kind::Close}, {"garbage", Fault::Kind::Garbage},
        {"huge", Fault::Kind::Huge},
    };
    for (const auto& entry : kinds) {
        if (text == entry.first) {
            kind = entry.second;
            return true;
        }
    }
    return false;
}

bool parseFaultScope(const std::string& text, Fault::Scope& scope) {
    static const std::pair<const char*, Fault::Scope> scopes[] = {
        {"all", Fault::Scope::All}, {"status", Fault::Scope::Status}, {"data", Fault::Scope::Data}};
    for (const auto& entry : scopes) {
        if (text == entry.first) {
            scope = entry.second;
            return true;
        }
    }
    return false;
}

namespace {
const std::pair<const char*, Behaviour::Kind> kBehaviours[] = {
    {"prompt", Behaviour::Kind::Prompt},
    {"dribble", Behaviour::Kind::Dribble},
    {"delay", Behaviour::Kind::Delay},
    {"keep-open", Behaviour::Kind::KeepOpen},
    {"close-after", Behaviour::Kind::CloseAfter},
};
constexpr int kDefaultDelayMs = 300;
} // namespace

bool parseBehaviourKind(const std::string& text, Behaviour::Kind& kind) {
    for (const auto& entry : kBehaviours) {
        if (text == entry.first) {
            kind = entry.second;
            return true;
        }
    }
    return false;
}

std::string behaviourName(const Behaviour& behaviour) {
    for (const auto& entry : kBehaviours) {
        if (behaviour.kind == entry.second) {
            return behaviour.kind == Behaviour::Kind::Delay
                       ? std::string(entry.first) + ":" + std::to_string(behaviour.delayMs)
                       : entry.first;
        }
    }
    return "";
}

bool parseBehaviour(const std::string& text, Behaviour& behaviour) {
    const std::size_t colon = text.find(':');
    Behaviour parsed;
    if (!parseBehaviourKind(text.substr(0, colon), parsed.kind)) {
        return false;
    }
    if (parsed.kind == Behaviour::Kind::Delay) {
        parsed.delayMs = kDefaultDelayMs;
        if (colon != std::string::npos) {
            const std::string ms = text.substr(colon + 1);
            char* end = nullptr;
            const long value = std::strtol(ms.c_str(), &end, 10);
            if (ms.empty() || *end != '\0' || value < 0 || value > 600000) {
                return false;
            }
            parsed.delayMs = static_cast<int>(value);
        }
    } else if (colon != std::string::npos) {
        return false;
    }
    behaviour = parsed;
    return true;
}

Printer::Printer(std::string name, const ModelInfo& model)
    : name_(std::move(name)), model_(model), rules_(settingsFor(model)) {
    reset();
}

void Printer::reset() {
    values_.clear();
    for (const SettingRule& rule : rules_) {
        values_[rule.command] = rule.initial;
    }
    fields_.clear();
    for (const FieldRow& row : kFields) {
        fields_[row.name] = row.initial;
    }
    units_.clear();
    for (const UnitRow& row : kUnits) {
        units_[row.command] = row.initial;
    }
    function_.clear();
    functionUntilMs_ = 0;
    log_.clear();
    fault = Fault{};
    behaviour = powerOnBehaviour;
}

const std::vector<std::string>& Printer::fieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const FieldRow& row : kFields) {
            list.push_back(row.name);
        }
        return list;
    }();
    return names;
}

bool Printer::setField(const std::string& field, const std::string& value) {
    auto it = fields_.find(field);
    if (it == fields_.end() || field == "functionState") {
        return false;
    }
    if (field == "functionMs") {
        char* end = nullptr;
        const long ms = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || ms < -1) {
            return false;
        }
    }
    it->second = value;
    return true;
}

bool Printer::getField(const std::string& field, std::string& value, std::int64_t nowMs) const {
    if (field == "functionState") {
        value = activeFunction(nowMs);
        return true;
    }
    if (field == "state") {
        value = mainState(nowMs);
        return true;
    }
    auto it = fields_.find(field);
    if (it == fields_.end()) {
        return false;
    }
    value = it->second;
    return true;
}

const SettingRule* Printer::findSetting(const std::string& name) const {
    for (const SettingRule& rule : rules_) {
        if (rule.key == name || rule.command == name) {
            return &rule;
        }
    }
    return nullptr;
}

bool Printer::getSetting(const std::string& name, std::string& value) const {
    const SettingRule* rule = findSetting(name);
    if (rule == nullptr) {
        auto unit = units_.find(name);
        if (unit == units_.end()) {
            return false;
        }
        value = unit->second;
        return true;
    }
    value = values_.at(rule->command);
    return true;
}

bool Printer::setSetting(const std::string& name, const std::string& value) {
    if (units_.count(name) != 0) {
        set(name, value);
        return units_.at(name) == value;
    }
    const SettingRule* rule = findSetting(name);
    int dots = 0;
    if (rule == nullptr || !rule->accepts(value, dots)) {
        return false;
    }
    values_[rule->command] = rule->position ? std::to_string(dots) : value;
    return true;
}

std::string Printer::activeFunction(std::int64_t nowMs) const {
    if (function_.empty() || (functionUntilMs_ >= 0 && nowMs >= functionUntilMs_)) {
        return "";
    }
    return function_;
}

std::string Printer::mainState(std::int64_t nowMs) const {
    const std::string running = activeFunction(nowMs);
    for (const FunctionRow& row : kFunctions) {
        if (running == row.name) {
            return row.state;
        }
    }
    return fields_.at("state");
}

int Printer::resolution() const {
    return std::atoi(units_.at("CLR,P").c_str());
}

void Printer::record(const std::string& text) {
    if (log_.size() >= kLogLimit) {
        log_.pop_front();
    }
    log_.push_back(text);
}

std::string Printer::execute(const std::string& bytes, std::int64_t nowMs) {
    std::string reply;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != '^' && bytes[i] != '~') {
            ++i; // line ends and stray bytes between commands
            continue;
        }
        std::size_t end = i + 1;
        while (end < bytes.size() && !isDelimiter(bytes[end])) {
            ++end;
        }
        command(bytes.substr(i, end - i), reply, nowMs);
        i = end;
    }
    return reply;
}

void Printer::command(const std::string& text, std::string& reply, std::int64_t nowMs) {
    if (text.compare(0, 3, "~H(") == 0) {
        record(text);
        query(text.substr(3), reply, nowMs);
        return;
    }
    record(text);
    if (text.compare(0, 3, "^S(") == 0) {
        // "^S(GRP,I,value": the value runs to the end of the command.
        const std::size_t comma = text.find(',', 3);
        const std::size_t second = comma == std::string::npos ? comma : text.find(',', comma + 1);
        if (second != std::string::npos) {
            set(text.substr(3, second - 3), text.substr(second + 1));
        }
        return;
    }
    function(text, nowMs);
}

void Printer::query(const std::string& what, std::string& reply, std::int64_t nowMs) {
    if (what == "QWN") {
        const std::string& warnings = fields_.at("warnings");
        reply += framed(warnings.empty() ? "WN" : "WN," + warnings);
        return;
    }
    if (what == "QMN") {
        reply += framed("MN," + fields_.at("maintenanceBox"));
        return;
    }
    if (what == "QIQ") {
        const std::string& literal = fields_.at("inkRecord");
        reply +=
            framed("IQ," + (literal.empty() ? fields_.at("inkK") + "," + fields_.at("inkC") + "," +
                                                  fields_.at("inkM") + "," + fields_.at("inkY")
                                            : literal));
        return;
    }
    std::string value;
    if (statusValue(what, value, nowMs)) {
        reply += framed("^S(" + what + "," + value);
        return;
    }
    std::string stored;
    const SettingRule* rule = findSetting(what);
    if (rule != nullptr && rule->command == what) {
        stored = values_.at(rule->command);
        if (rule->position) {
            stored = std::to_string(scaled(std::atoi(stored.c_str()), resolution()));
        }
        reply += framed("^S(" + what + "," + stored);
        return;
    }
    auto unit = units_.find(what);
    if (unit != units_.end()) {
        reply += framed("^S(" + what + "," + unit->second);
    }
    // Anything else gets no answer at all: an unknown group or item, a query with more or less
    // than group and item, a setting of another family.
}

bool Printer::statusValue(const std::string& command, std::string& value,
                          std::int64_t nowMs) const {
    for (const StatusRow& row : kStatusAnswers) {
        if (command == row.command) {
            return getField(row.field, value, nowMs);
        }
    }
    return false;
}

void Printer::set(const std::string& what, const std::string& value) {
    for (const UnitRow& row : kUnits) {
        if (what != row.command) {
            continue;
        }
        for (const char* accepted : row.accepted) {
            if (accepted != nullptr && value == accepted) {
                units_[what] = value;
            }
        }
        return;
    }
    const SettingRule* rule = findSetting(what);
    if (rule == nullptr || rule->command != what) {
        return; // a setting this family lacks
    }
    if (rule->position) {
        // The value is in the current unit; it is held in 600-dpi dots.
        int units = 0;
        SettingRule asUnits = *rule;
        asUnits.min = -1000000;
        asUnits.max = 1000000;
        if (!asUnits.accepts(value, units)) {
            return;
        }
        const int dots = static_cast<int>(static_cast<long>(units) * 600 / resolution());
        if (dots < rule->min || dots > rule->max) {
            return;
        }
        values_[rule->command] = std::to_string(dots);
        return;
    }
    int unused = 0;
    if (rule->accepts(value, unused)) {
        values_[rule->command] = value;
    }
}

void Printer::function(const std::string& text, std::int64_t nowMs) {
    for (const FunctionRow& row : kFunctions) {
        if (text == row.command) {
            function_ = row.name;
            const long ms = std::atol(fields_.at("functionMs").c_str());
            functionUntilMs_ = ms < 0 ? -1 : nowMs + ms;
            return;
        }
    }
}

} // namespace emulator
