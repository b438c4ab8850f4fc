// SPDX-License-Identifier: Apache-2.0
#include "emulator/Control.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace emulator {

namespace {

std::vector<std::string> splitWords(const std::string& line, std::size_t maxWords,
                                    std::string& rest) {
    // The first maxWords words; rest is everything after them (a value may hold blanks or be
    // empty).
    std::vector<std::string> words;
    std::size_t i = 0;
    while (words.size() < maxWords) {
        while (i < line.size() && line[i] == ' ') {
            ++i;
        }
        if (i >= line.size()) {
            break;
        }
        const std::size_t end = line.find(' ', i);
        words.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
        i = end == std::string::npos ? line.size() : end;
    }
    rest = i < line.size() ? line.substr(i + 1) : "";
    return words;
}

std::string ok(const std::string& payload = "") {
    return payload.empty() ? "OK\n" : "OK " + payload + "\n";
}
std::string err(const std::string& reason) {
    return "ERR " + reason + "\n";
}

const char kUsage[] = "commands: ping list get set setting settings log clearlog fault behave "
                      "finish reset quit";

} // namespace

std::string escapeBytes(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x20 || c >= 0x7f || c == '\\') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

namespace {

// What a verb needs from its line before it runs: nothing, a printer, or a printer and a field,
// setting or fault name. The checks run in that order for every verb, so an unknown verb reports
// a missing printer name, an unknown printer or a missing field before the usage.
enum class Needs { Nothing, Printer, Argument };

struct Request {
    std::deque<ServedPrinter>& printers;
    const std::string& line;
    const std::vector<std::string>& words;
    // Everything behind the third word: the value of "set" and "setting", the fault's extras.
    const std::string& rest;
    std::int64_t nowMs;
    bool& quit;
    Printer* printer = nullptr;
};

std::string handlePing(Request&) {
    return ok();
}

std::string handleQuit(Request& r) {
    r.quit = true;
    return ok();
}

std::string handleList(Request& r) {
    std::string out;
    for (const ServedPrinter& served : r.printers) {
        const ModelInfo& model = served.printer.model();
        out += "| " + served.printer.name() + " " + std::to_string(served.port) + " " +
               model.model + " " + familyName(model.family) + " " + variantName(model.variant) +
               " " + model.deviceId + "\n";
    }
    return out + ok();
}

std::string handleReset(Request& r) {
    r.printer->reset();
    return ok();
}

std::string handleFinish(Request& r) {
    r.printer->finishFunction();
    return ok();
}

std::string handleClearLog(Request& r) {
    r.printer->clearLog();
    return ok();
}

std::string handleLog(Request& r) {
    std::string out;
    for (const std::string& entry : r.printer->log()) {
        out += "| " + escapeBytes(entry) + "\n";
    }
    return out + ok();
}

std::string handleSettings(Request& r) {
    std::string out;
    for (const SettingRule& rule : r.printer->settings()) {
        std::string value;
        r.printer->getSetting(rule.command, value);
        out += "| " + rule.key + " " + rule.command + " " + value + "\n";
    }
    return out + ok();
}

std::string handleBehave(Request& r) {
    // "behave P" tells; "behave P KIND [MS]" changes it until the next reset.
    if (r.words.size() < 3) {
        return ok(behaviourName(r.printer->behaviour));
    }
    const std::string text = r.rest.empty() ? r.words[2] : r.words[2] + ":" + r.rest;
    Behaviour behaviour;
    if (!parseBehaviour(text, behaviour)) {
        return err("bad behaviour " + text);
    }
    r.printer->behaviour = behaviour;
    return ok();
}

std::string handleGet(Request& r) {
    const std::string& what = r.words[2];
    std::string current;
    return r.printer->getField(what, current, r.nowMs) ? ok(current) : err("no field " + what);
}

// "set P FIELD" without a value sets the field empty; "set P FIELD " does the same.
std::string handleSet(Request& r) {
    const std::string& what = r.words[2];
    return r.printer->setField(what, r.rest) ? ok() : err("cannot set " + what);
}

std::string handleSetting(Request& r) {
    const std::string& what = r.words[2];
    if (r.line.size() > r.words[0].size() + r.words[1].size() + what.size() + 2) {
        return r.printer->setSetting(what, r.rest) ? ok() : err("refused");
    }
    std::string current;
    return r.printer->getSetting(what, current) ? ok(current) : err("absent");
}

std::string handleFault(Request& r) {
    const std::string& what = r.words[2];
    Fault fault;
    if (!parseFaultKind(what, fault.kind)) {
        return err("no fault " + what);
    }
    std::istringstream extra(r.rest);
    std::string word;
    while (extra >> word) {
        if (!parseFaultScope(word, fault.scope)) {
            char* end = nullptr;
            const long ms = std::strtol(word.c_str(), &end, 10);
            if (*end != '\0' || ms < 0 || ms > 600000) {
                return err("bad fault argument " + word);
            }
            fault.delayMs = static_cast<int>(ms);
        }
    }
    r.printer->fault = fault;
    return ok();
}

std::string handleUnknown(Request&) {
    return err(kUsage);
}

struct Verb {
    const char* name;
    Needs needs;
    std::string (*handle)(Request&);
};

constexpr Verb kVerbs[] = {
    {"ping", Needs::Nothing, handlePing},     {"quit", Needs::Nothing, handleQuit},
    {"list", Needs::Nothing, handleList},     {"reset", Needs::Printer, handleReset},
    {"finish", Needs::Printer, handleFinish}, {"clearlog", Needs::Printer, handleClearLog},
    {"log", Needs::Printer, handleLog},       {"settings", Needs::Printer, handleSettings},
    {"behave", Needs::Printer, handleBehave}, {"get", Needs::Argument, handleGet},
    {"set", Needs::Argument, handleSet},      {"setting", Needs::Argument, handleSetting},
    {"fault", Needs::Argument, handleFault},
};

constexpr Verb kUnknownVerb = {"", Needs::Argument, handleUnknown};

const Verb& findVerb(const std::string& name) {
    for (const Verb& verb : kVerbs) {
        if (name == verb.name) {
            return verb;
        }
    }
    return kUnknownVerb;
}

} // namespace

Printer* Control::find(const std::string& name) {
    for (ServedPrinter& served : printers_) {
        if (served.printer.name() == name) {
            return &served.printer;
        }
    }
    return nullptr;
}

std::string Control::execute(const std::string& rawLine, std::int64_t nowMs, bool& quit) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    std::string rest;
    const std::vector<std::string> words = splitWords(line, 3, rest);
    if (words.empty()) {
        return err(kUsage);
    }
    const Verb& verb = findVerb(words[0]);
    Request request{printers_, line, words, rest, nowMs, quit};
    if (verb.needs != Needs::Nothing) {
        if (words.size() < 2) {
            return err("missing printer name");
        }
        request.printer = find(words[1]);
        if (request.printer == nullptr) {
            return err("no printer " + words[1]);
        }
        if (verb.needs == Needs::Argument && words.size() < 3) {
            return err("missing field, setting or fault");
        }
    }
    return verb.handle(request);
}

} // namespace emulator
