// SPDX-License-Identifier: Apache-2.0
// The whole chain for a test: emulated printers on a thread of the test, a private cupsd with
// one queue per printer (socket://127.0.0.1:PORT and the model's PPD), and runs of the real
// `tarn` from the build's bin folder, where dexo1.so sits beside it. No test framework inside, so
// GoogleTest and QtTest tests can both use it.
#ifndef EMULATOR_TESTBED_H
#define EMULATOR_TESTBED_H

#include "TempCups.h"
#include "emulator/ControlClient.h"
#include "emulator/Model.h"
#include "emulator/Server.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace testbed {

struct Queue {
    std::string name; // the CUPS queue and the emulated printer: the model, lower case, no "RV-"
    emulator::ModelInfo model;
    int port = 0;
    std::string uri;
};

class TestBed {
public:
    // One queue per model; the standard set has every family and both variants.
    explicit TestBed(const std::vector<std::string>& models = emulator::standardModels());
    ~TestBed();
    TestBed(const TestBed&) = delete;
    TestBed& operator=(const TestBed&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    const std::vector<Queue>& queues() const { return queues_; }
    const Queue* queue(const std::string& name) const;
    static std::string queueName(const std::string& model);

    emulator::ControlClient& control() { return control_; }
    int controlPort() const { return server_ ? server_->controlPort() : 0; }
    harness::TempCups& cups() { return *cups_; }

    // Where tarn, tarnqt and dexo1.so are built, side by side.
    static std::string binDir();
    static std::string tarnPath() { return binDir() + "/tarn"; }

    // Every wait of dexo1.so is capped at this (DEXO1_MAX_TIMEOUT_MS) in the runs below, so a
    // silent printer costs a test this long, not the tool's ten seconds. 0: no cap.
    void setTimeoutCapMs(int ms) { timeoutCapMs_ = ms; }
    int timeoutCapMs() const { return timeoutCapMs_; }

    // The environment for tarn and tarnqt: the private CUPS and the time-out cap.
    harness::Env environment() const;

    // Runs tarn with args in the bin folder (so ./dexo1.so is found).
    harness::RunResult tarn(const std::vector<std::string>& args,
                            std::chrono::milliseconds timeout = std::chrono::seconds(60)) const;

    // Every printer back to its power-on state (settings, status, faults, log).
    bool resetPrinters();

private:
    std::unique_ptr<emulator::BackgroundServer> server_;
    std::unique_ptr<harness::TempCups> cups_;
    emulator::ControlClient control_;
    std::vector<Queue> queues_;
    std::string error_;
    int timeoutCapMs_ = 1000;
};

} // namespace testbed

#endif
