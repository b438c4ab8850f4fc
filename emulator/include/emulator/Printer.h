// SPDX-License-Identifier: Apache-2.0
// One emulated printer: its state, its stored settings and the interpreter of the label command
// language. Pure: bytes and the current time in, reply bytes and state changes out, so that it
// can be tested and fuzzed without sockets.
#ifndef EMULATOR_PRINTER_H
#define EMULATOR_PRINTER_H

#include "emulator/Model.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace emulator {

// A fault the server applies to this printer's replies (see Server).
struct Fault {
    enum class Kind { None, Silent, Cut, Slow, Close, Garbage, Huge };
    enum class Scope { All, Status, Data };
    Kind kind = Kind::None;
    Scope scope = Scope::All;
    int delayMs = 0; // Slow only
};

bool parseFaultKind(const std::string& text, Fault::Kind& kind);
bool parseFaultScope(const std::string& text, Fault::Scope& scope);

// How the printer's link behaves while nothing is wrong; each is a kind of real printer the
// library must work with (see Server).
struct Behaviour {
    enum class Kind { Prompt, Dribble, Delay, KeepOpen, CloseAfter };
    Kind kind = Kind::Prompt;
    int delayMs = 0; // Delay only
};

// "prompt", "dribble", "delay" (delayMs as given), "keep-open", "close-after".
bool parseBehaviourKind(const std::string& text, Behaviour::Kind& kind);
std::string behaviourName(const Behaviour& behaviour);
// "KIND" or "delay:MS" (300 ms when MS is left out), as the command line takes it.
bool parseBehaviour(const std::string& text, Behaviour& behaviour);

class Printer {
public:
    Printer(std::string name, const ModelInfo& model);

    const std::string& name() const { return name_; }
    const ModelInfo& model() const { return model_; }

    // Executes every command in bytes (the end of bytes ends the last one) and returns the
    // answers of its queries in order.
    std::string execute(const std::string& bytes, std::int64_t nowMs);

    // Power-on state: settings, status, unit settings, faults, the log and the power-on
    // behaviour.
    void reset();

    // Status fields by name (see README): false for an unknown name.
    bool setField(const std::string& field, const std::string& value);
    bool getField(const std::string& field, std::string& value, std::int64_t nowMs) const;
    static const std::vector<std::string>& fieldNames();

    // Stored settings by the tool's key or by command ("formGap" or "CLS,C"), in dots.
    const SettingRule* findSetting(const std::string& name) const;
    bool getSetting(const std::string& name, std::string& value) const;
    bool setSetting(const std::string& name, const std::string& value);
    std::string setting(const std::string& name) const {
        std::string value;
        getSetting(name, value);
        return value;
    }
    const std::vector<SettingRule>& settings() const { return rules_; }

    // Ends a running function (nozzle check, cleaning) at once.
    void finishFunction() {
        functionUntilMs_ = 0;
        function_.clear();
    }
    std::string activeFunction(std::int64_t nowMs) const;

    const std::deque<std::string>& log() const { return log_; }
    void clearLog() { log_.clear(); }

    Fault fault;
    Behaviour behaviour;
    Behaviour powerOnBehaviour; // what reset() returns to (the command line's choice)

private:
    void command(const std::string& text, std::string& reply, std::int64_t nowMs);
    void query(const std::string& what, std::string& reply, std::int64_t nowMs);
    void set(const std::string& what, const std::string& value);
    void function(const std::string& text, std::int64_t nowMs);
    std::string mainState(std::int64_t nowMs) const;
    bool statusValue(const std::string& command, std::string& value, std::int64_t nowMs) const;
    int resolution() const;
    void record(const std::string& text);

    std::string name_;
    ModelInfo model_;
    std::vector<SettingRule> rules_;
    std::map<std::string, std::string> values_; // by command, in dots
    std::map<std::string, std::string> fields_; // status fields
    std::map<std::string, std::string> units_;  // CMP,U and CLR,P/R/Z
    std::string function_;
    std::int64_t functionUntilMs_ = 0; // -1: until finished
    std::deque<std::string> log_;
};

} // namespace emulator

#endif
