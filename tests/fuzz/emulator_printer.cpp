// SPDX-License-Identifier: Apache-2.0
// The emulator's command and control interpreters on arbitrary input, and the status reply of
// whatever state that leaves, read back by tarn's status parser.
//
// Input: the first byte picks the model; the rest is lines. A line starting with '!' is a
// control line for the printer "P" (without the '!'); any other line is bytes sent to the
// printer. Each line is one second later than the one before.
#include "FuzzCheck.h"
#include "KorelStatusParser.h"
#include "emulator/Control.h"
#include "emulator/Model.h"
#include "emulator/Printer.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxLines = 64;
const char kStatusRequest[] = "~H(SMA,S~H(IMM,I~H(SEA,E~H(QWN~H(CLM,P~H(IMF,V~H(QMN~H(QIQ"
                              "~H(IMP,S~H(SPA,P~H(SPA,S~H(SPA,O~H(SEA,F";

void CheckStatus(emulator::Printer& printer, std::int64_t nowMs) {
    const std::string reply = printer.execute(kStatusRequest, nowMs);
    KorelStatusParser parser;
    parser.Parse(reply.data(), static_cast<int>(reply.size()));
    FUZZ_CHECK(ConvertStatusGroup2STR(parser.GetStatusGroup()) != nullptr);
    FUZZ_CHECK(ConvertStatusDetail2STR(parser.GetStatusDetail()) != nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // Recognising a model compiles regular expressions: do it once per model, not per input.
    static const std::vector<emulator::ModelInfo> models = [] {
        std::vector<emulator::ModelInfo> list;
        for (const std::string& name : emulator::standardModels()) {
            emulator::ModelInfo info;
            FUZZ_CHECK(emulator::recogniseModel(name, info));
            list.push_back(info);
        }
        return list;
    }();
    const emulator::ModelInfo& model = models[data[0] % models.size()];

    std::deque<emulator::ServedPrinter> printers;
    printers.push_back({emulator::Printer("P", model), 9100});
    emulator::Control control(printers);
    emulator::Printer& printer = printers.front().printer;

    std::vector<std::string> lines(1);
    for (size_t i = 1; i < size && lines.size() <= kMaxLines; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += static_cast<char>(data[i]);
        }
    }
    std::int64_t nowMs = 1000;
    for (size_t i = 0; i < lines.size() && i < kMaxLines; ++i, nowMs += 1000) {
        const std::string& line = lines[i];
        if (!line.empty() && line[0] == '!') {
            bool quit = false;
            const std::string response = control.execute(line.substr(1), nowMs, quit);
            // Every response ends with its "OK" or "ERR" line.
            FUZZ_CHECK(!response.empty() && response.back() == '\n');
            const size_t last = response.rfind('\n', response.size() - 2);
            const std::string tail = response.substr(last == std::string::npos ? 0 : last + 1);
            FUZZ_CHECK(tail.compare(0, 2, "OK") == 0 || tail.compare(0, 3, "ERR") == 0);
        } else {
            printer.execute(line, nowMs);
        }
    }
    CheckStatus(printer, nowMs);
    return 0;
}
