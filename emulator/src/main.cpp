// SPDX-License-Identifier: Apache-2.0
// tarn-emulator: serves emulated VARDA RV printers on 127.0.0.1 until "quit" or SIGTERM.
#include "emulator/Server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

emulator::Server* g_server = nullptr;

void onSignal(int) {
    if (g_server != nullptr) {
        g_server->stop();
    }
}

void usage() {
    std::cout << "usage: tarn-emulator [--control PORT] [--ports-file FILE] [--function-ms MS]\n"
                 "                     [--behaviour KIND] --printer NAME=MODEL[:PORT] ...\n"
                 "       tarn-emulator --standard   (one printer of every family and variant)\n"
                 "MODEL is an RV model name such as RV-C9000, RV-C2000, RV-D5510P, RV-C5020A.\n"
                 "Port 0 or none picks a free port. Once listening, one line per endpoint is\n"
                 "printed (and written to FILE): \"control PORT\", then\n"
                 "\"printer NAME PORT MODEL DEVICE-ID\".\n"
                 "KIND (every printer's link): prompt, dribble (records byte by byte), delay[:MS]\n"
                 "(answers held back MS ms, 300 by default), keep-open (the connection stays open\n"
                 "after the client's close), close-after (closed after each answer).\n";
}

bool parsePrinter(const std::string& text, emulator::PrinterEntry& entry) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        return false;
    }
    entry.name = text.substr(0, equals);
    std::string model = text.substr(equals + 1);
    const std::size_t colon = model.find(':');
    if (colon != std::string::npos) {
        entry.port = std::atoi(model.c_str() + colon + 1);
        model.resize(colon);
    }
    entry.model = model;
    return !model.empty() && entry.port >= 0 && entry.port <= 65535;
}

std::string lowerName(const std::string& model) {
    std::string name;
    for (char c : model.substr(model.find('-') + 1)) {
        name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return name;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<emulator::PrinterEntry> printers;
    int controlPort = 0;
    std::string portsFile;
    std::string functionMs;
    emulator::Behaviour behaviour;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--control" && hasValue) {
            controlPort = std::atoi(argv[++i]);
        } else if (arg == "--ports-file" && hasValue) {
            portsFile = argv[++i];
        } else if (arg == "--function-ms" && hasValue) {
            functionMs = argv[++i];
        } else if (arg == "--behaviour" && hasValue) {
            if (!emulator::parseBehaviour(argv[++i], behaviour)) {
                std::cerr << "tarn-emulator: bad behaviour " << argv[i] << "\n";
                return 2;
            }
        } else if (arg == "--printer" && hasValue) {
            emulator::PrinterEntry entry;
            if (!parsePrinter(argv[++i], entry)) {
                std::cerr << "tarn-emulator: bad printer " << argv[i] << "\n";
                return 2;
            }
            printers.push_back(entry);
        } else if (arg == "--standard") {
            for (const std::string& model : emulator::standardModels()) {
                printers.push_back({lowerName(model), model, 0});
            }
        } else {
            usage();
            return arg == "--help" || arg == "-h" ? 0 : 2;
        }
    }
    if (printers.empty()) {
        usage();
        return 2;
    }

    emulator::Server server;
    std::string error;
    if (!server.listen(printers, controlPort, error)) {
        std::cerr << "tarn-emulator: " << error << "\n";
        return 1;
    }
    for (emulator::ServedPrinter& served : server.printers()) {
        served.printer.powerOnBehaviour = behaviour;
        served.printer.behaviour = behaviour;
        if (!functionMs.empty() && !served.printer.setField("functionMs", functionMs)) {
            std::cerr << "tarn-emulator: bad --function-ms " << functionMs << "\n";
            return 2;
        }
    }
    std::string ready = "control " + std::to_string(server.controlPort()) + "\n";
    for (const emulator::ServedPrinter& served : server.printers()) {
        ready += "printer " + served.printer.name() + " " + std::to_string(served.port) + " " +
                 served.printer.model().model + " " + served.printer.model().deviceId + "\n";
    }
    if (!portsFile.empty()) {
        // Written whole and then renamed, so a reader never sees half of it.
        const std::string temporary = portsFile + ".part";
        std::ofstream(temporary) << ready;
        if (std::rename(temporary.c_str(), portsFile.c_str()) != 0) {
            std::cerr << "tarn-emulator: cannot write " << portsFile << "\n";
            return 1;
        }
    }
    std::cout << ready << std::flush;

    g_server = &server;
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGPIPE, SIG_IGN);
    server.run();
    g_server = nullptr;
    return 0;
}
