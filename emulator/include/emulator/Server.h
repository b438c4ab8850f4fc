// SPDX-License-Identifier: Apache-2.0
// The emulator's network side: one TCP endpoint on 127.0.0.1 per emulated printer plus a control
// endpoint, all served by one poll() loop on one thread. Faults are applied here, to the replies
// the printers produce.
#ifndef EMULATOR_SERVER_H
#define EMULATOR_SERVER_H

#include "emulator/Control.h"
#include "emulator/Printer.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace emulator {

// One emulated printer the server is to start: its name, model and port.
struct PrinterEntry {
    std::string name;
    std::string model; // e.g. RV-C9000
    int port = 0;      // 0: any free port
};

// Owns one file descriptor.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd();
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

class Server {
public:
    Server();
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds every endpoint; false with a reason when a model is unknown or a port is taken.
    bool listen(const std::vector<PrinterEntry>& printers, int controlPort, std::string& error);

    // Serves until the control command "quit" or stop().
    void run();
    // Makes run() return; callable from any thread or a signal handler.
    void stop();

    int controlPort() const { return controlPort_; }
    std::vector<std::pair<std::string, int>> printerPorts() const;
    // Only before run() or after it has returned.
    std::deque<ServedPrinter>& printers() { return printers_; }

    // The size of the filler a "huge" fault sends before the reply.
    static constexpr std::size_t kHugeReplyBytes = std::size_t{10} * 1024 * 1024;

private:
    struct Outgoing {
        std::int64_t dueMs = 0;
        std::string bytes;
        bool closeAfter = false;
    };
    struct Connection {
        Fd fd;
        int printer = -1; // index into printers_, -1 for the control endpoint
        std::string controlInput;
        std::deque<Outgoing> out;
        std::size_t offset = 0;
        bool peerEnded = false;
        bool closed = false;
    };

    std::int64_t nowMs() const;
    void accept(int listenFd, int printer);
    void readFrom(Connection& connection);
    void writeTo(Connection& connection);
    void serveChunk(Connection& connection, const std::string& chunk);
    void serveControl(Connection& connection);

    std::deque<ServedPrinter> printers_;
    std::vector<Fd> listeners_; // one per printer, in order
    Fd controlListener_;
    int controlPort_ = 0;
    Fd wake_;
    std::vector<std::unique_ptr<Connection>> connections_;
    std::chrono::steady_clock::time_point start_;
    bool quit_ = false;
};

// A server on its own thread, for tests: started by the constructor, stopped by the destructor.
class BackgroundServer {
public:
    explicit BackgroundServer(const std::vector<PrinterEntry>& printers, int controlPort = 0);
    ~BackgroundServer();
    BackgroundServer(const BackgroundServer&) = delete;
    BackgroundServer& operator=(const BackgroundServer&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    int controlPort() const { return server_.controlPort(); }
    int port(const std::string& printer) const;

private:
    Server server_;
    std::string error_;
    std::thread thread_;
};

} // namespace emulator

#endif
