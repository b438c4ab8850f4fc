// SPDX-License-Identifier: Apache-2.0
// The control language of a running emulator, one command per line, for tests and the demo.
// Pure: a line and the current time in, the response text out.
#ifndef EMULATOR_CONTROL_H
#define EMULATOR_CONTROL_H

#include "emulator/Printer.h"

#include <cstdint>
#include <deque>
#include <string>

namespace emulator {

struct ServedPrinter {
    Printer printer;
    int port = 0;
};

class Control {
public:
    explicit Control(std::deque<ServedPrinter>& printers) : printers_(printers) {}

    // The response to one line: zero or more lines "| ..." and then "OK ..." or "ERR ...",
    // each ending with a line end. quit is set by the command "quit".
    std::string execute(const std::string& line, std::int64_t nowMs, bool& quit);

private:
    Printer* find(const std::string& name);
    std::deque<ServedPrinter>& printers_;
};

// A command-language text with every byte outside printable ASCII (and the backslash) as \xNN.
std::string escapeBytes(const std::string& bytes);

} // namespace emulator

#endif
