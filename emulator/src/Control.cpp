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
    std::vector<std::string> words = splitWords(line, 3, rest);
    if (words.empty()) {
        return err(kUsage);
    }
    const std::string& verb = words[0];
    if (verb == "ping") {
        return ok();
    }
    if (verb == "quit") {
        quit = true;
        return ok();
    }
    if (verb == "list") {
        std::string out;
        for (const ServedPrinter& served : printers_) {
            const ModelInfo& model = served.printer.model();
            out += "| " + served.printer.name() + " " + std::to_string(served.port) + " " +
                   model.model + " " + familyName(model.family) + " " + variantName(model.variant) +
                   " " + model.deviceId + "\n";
        }
        return out + ok();
    }
    if (words.size() < 2) {
        return err("missing printer name");
    }
    Printer* printer = find(words[1]);
    if (printer == nullptr) {
        return err("no printer " + words[1]);
    }
    if (verb == "reset") {
        printer->reset();
        return ok();
    }
    if (verb == "finish") {
        printer->finishFunction();
        return ok();
    }
    if (verb == "clearlog") {
        printer->clearLog();
        return ok();
    }
    if (verb == "log") {
        std::string out;
        for (const std::string& entry : printer->log()) {
            out += "| " + escapeBytes(entry) + "\n";
        }
        return out + ok();
    }
    if (verb == "settings") {
        std::string out;
        for (const SettingRule& rule : printer->settings()) {
            std::string value;
            printer->getSetting(rule.command, value);
            out += "| " + rule.key + " " + rule.command + " " + value + "\n";
        }
        return out + ok();
    }
    if (verb == "behave") {
        // "behave P" tells; "behave P KIND [MS]" changes it until the next reset.
        if (words.size() < 3) {
            return ok(behaviourName(printer->behaviour));
        }
        const std::string text = rest.empty() ? words[2] : words[2] + ":" + rest;
        Behaviour behaviour;
        if (!parseBehaviour(text, behaviour)) {
            return err("bad behaviour " + text);
        }
        printer->behaviour = behaviour;
        return ok();
    }
    if (words.size() < 3) {
        return err("missing field, setting or fault");
    }
    const std::string& what = words[2];
    // "set P FIELD" without a value sets the field empty; "set P FIELD " does the same.
    const std::string value = rest;
    if (verb == "get") {
        std::string current;
        return printer->getField(what, current, nowMs) ? ok(current) : err("no field " + what);
    }
    if (verb == "set") {
        return printer->setField(what, value) ? ok() : err("cannot set " + what);
    }
    if (verb == "setting") {
        if (line.size() > words[0].size() + words[1].size() + what.size() + 2) {
            return printer->setSetting(what, value) ? ok() : err("refused");
        }
        std::string current;
        return printer->getSetting(what, current) ? ok(current) : err("absent");
    }
    if (verb == "fault") {
        Fault fault;
        if (!parseFaultKind(what, fault.kind)) {
            return err("no fault " + what);
        }
        std::istringstream extra(value);
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
        printer->fault = fault;
        return ok();
    }
    return err(kUsage);
}

} // namespace emulator
