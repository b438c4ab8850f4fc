// SPDX-License-Identifier: Apache-2.0
// A client of the emulator's control endpoint, for GoogleTest and QtTest tests and tools alike
// (no test framework inside). Every call waits at most a few seconds for its answer.
#ifndef EMULATOR_CONTROLCLIENT_H
#define EMULATOR_CONTROLCLIENT_H

#include <string>
#include <vector>

namespace emulator {

class ControlClient {
public:
    struct Response {
        bool ok = false;
        std::string value;              // the text after "OK " (or the reason after "ERR ")
        std::vector<std::string> lines; // the "| " lines before it, without their mark
    };

    ControlClient() = default;
    explicit ControlClient(int port) { connect(port); }
    ~ControlClient();
    ControlClient(const ControlClient&) = delete;
    ControlClient& operator=(const ControlClient&) = delete;

    bool connect(int port);
    bool connected() const { return fd_ >= 0; }

    // One control line (see emulator/README.md); a lost connection gives ok == false.
    Response command(const std::string& line);

    bool set(const std::string& printer, const std::string& field, const std::string& value);
    std::string get(const std::string& printer, const std::string& field);
    bool setSetting(const std::string& printer, const std::string& key, const std::string& value);
    std::string setting(const std::string& printer, const std::string& key);
    std::vector<std::string> log(const std::string& printer);
    bool clearLog(const std::string& printer);
    // kind: none silent cut slow close garbage huge; scope: all status data.
    bool fault(const std::string& printer, const std::string& kind,
               const std::string& scope = "all", int delayMs = 0);
    // kind: prompt dribble delay keep-open close-after; delayMs for delay (0: its default).
    bool behave(const std::string& printer, const std::string& kind, int delayMs = 0);
    bool finish(const std::string& printer);
    bool reset(const std::string& printer);

private:
    int fd_ = -1;
    std::string pending_;
};

} // namespace emulator

#endif
