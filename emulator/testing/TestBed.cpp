// SPDX-License-Identifier: Apache-2.0
#include "TestBed.h"

#include <sys/stat.h>

namespace testbed {

namespace {

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// A PPD for a model the harness ships none for: the device ID and ink names of its family.
std::string ppdFor(const emulator::ModelInfo& model, const std::string& folder) {
    const std::string shipped = harness::shippedPpd(model.model);
    if (exists(shipped)) {
        return shipped;
    }
    const std::string path = folder + "/" + model.model + ".ppd";
    const std::string series = model.model.substr(4, 2);
    harness::writePpd(path, {{"1284DeviceID", model.deviceId},
                             {"inkNameBK", "IC-" + series + "BK"},
                             {"inkNameMK", "IC-" + series + "MK"},
                             {"inkNameC", "IC-" + series + "C"},
                             {"inkNameM", "IC-" + series + "M"},
                             {"inkNameY", "IC-" + series + "Y"},
                             {"inkNameMN", "MB-" + series},
                             {"inkCartridgeLayout", "KCMY"}});
    return path;
}

} // namespace

std::string TestBed::queueName(const std::string& model) {
    std::string name;
    for (char c : model.compare(0, 3, "RV-") == 0 ? model.substr(3) : model) {
        name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return name;
}

std::string TestBed::binDir() {
    return TARN_TESTBED_BIN_DIR;
}

TestBed::TestBed(const std::vector<std::string>& models) {
    std::vector<emulator::PrinterEntry> entries;
    for (const std::string& model : models) {
        entries.push_back({queueName(model), model, 0});
    }
    server_ = std::make_unique<emulator::BackgroundServer>(entries);
    if (!server_->ok()) {
        error_ = "emulator: " + server_->error();
        return;
    }
    if (!control_.connect(server_->controlPort())) {
        error_ = "emulator control port does not answer";
        return;
    }
    cups_ = std::make_unique<harness::TempCups>();
    if (!cups_->ok()) {
        error_ = "cupsd: " + cups_->error();
        return;
    }
    for (const std::string& model : models) {
        Queue queue;
        queue.name = queueName(model);
        emulator::recogniseModel(model, queue.model);
        queue.port = server_->port(queue.name);
        queue.uri = "socket://127.0.0.1:" + std::to_string(queue.port);
        if (!cups_->addQueue(queue.name, queue.uri, ppdFor(queue.model, cups_->root()))) {
            error_ = "queue " + queue.name + ": " + cups_->lastError();
            return;
        }
        queues_.push_back(queue);
    }
}

TestBed::~TestBed() {
    // cupsd first: it may still hold connections to the printers.
    cups_.reset();
    server_.reset();
}

const Queue* TestBed::queue(const std::string& name) const {
    for (const Queue& queue : queues_) {
        if (queue.name == name) {
            return &queue;
        }
    }
    return nullptr;
}

harness::Env TestBed::environment() const {
    harness::Env env = cups_ ? cups_->environment() : harness::Env{};
    if (timeoutCapMs_ > 0) {
        env["DEXO1_MAX_TIMEOUT_MS"] = std::to_string(timeoutCapMs_);
    }
    return env;
}

harness::RunResult TestBed::tarn(const std::vector<std::string>& args,
                                 std::chrono::milliseconds timeout) const {
    std::vector<std::string> argv{tarnPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> unset = harness::TempCups::unsetVariables();
    if (timeoutCapMs_ <= 0) {
        unset.push_back("DEXO1_MAX_TIMEOUT_MS");
    }
    return harness::run(argv, binDir(), environment(), unset, timeout);
}

bool TestBed::resetPrinters() {
    bool all = true;
    for (const Queue& queue : queues_) {
        all = control_.reset(queue.name) && all;
    }
    return all;
}

} // namespace testbed
