// SPDX-License-Identifier: Apache-2.0
#include "emulator/Server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace emulator {

namespace {

constexpr std::size_t kControlLineLimit = std::size_t{64} * 1024;

Fd listenOn(int port, int& boundPort, std::string& error) {
    Fd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd.valid()) {
        error = std::strerror(errno);
        return Fd();
    }
    int on = 1;
    ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd.get(), 16) != 0) {
        error = "port " + std::to_string(port) + ": " + std::strerror(errno);
        return Fd();
    }
    socklen_t length = sizeof address;
    ::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&address), &length);
    boundPort = ntohs(address.sin_port);
    return fd;
}

bool applies(const Fault& fault, bool statusRequest) {
    switch (fault.scope) {
    case Fault::Scope::Status:
        return statusRequest;
    case Fault::Scope::Data:
        return !statusRequest;
    default:
        return true;
    }
}

std::string garbageLike(const std::string& reply) {
    // No STX and no ETX, so nothing in it can look like a record.
    static const char pattern[] = "#?!garbage\x7f\x01\x05\xff";
    std::string out(reply.size() < 64 ? 64 : reply.size(), ' ');
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = pattern[i % (sizeof pattern - 1)];
    }
    return out;
}

} // namespace

Fd::~Fd() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

Server::Server()
    : wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), start_(std::chrono::steady_clock::now()) {}

Server::~Server() = default;

std::int64_t Server::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
}

bool Server::listen(const std::vector<PrinterEntry>& printers, int controlPort,
                    std::string& error) {
    for (const PrinterEntry& entry : printers) {
        ModelInfo model;
        if (!recogniseModel(entry.model, model)) {
            error = "unknown model " + entry.model;
            return false;
        }
        int bound = 0;
        Fd fd = listenOn(entry.port, bound, error);
        if (!fd.valid()) {
            return false;
        }
        listeners_.push_back(std::move(fd));
        printers_.push_back(ServedPrinter{Printer(entry.name, model), bound});
    }
    controlListener_ = listenOn(controlPort, controlPort_, error);
    return controlListener_.valid();
}

std::vector<std::pair<std::string, int>> Server::printerPorts() const {
    std::vector<std::pair<std::string, int>> ports;
    for (const ServedPrinter& served : printers_) {
        ports.emplace_back(served.printer.name(), served.port);
    }
    return ports;
}

void Server::stop() {
    std::uint64_t one = 1;
    (void)!::write(wake_.get(), &one, sizeof one);
}

void Server::accept(int listenFd, int printer) {
    for (;;) {
        const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            return;
        }
        int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        auto connection = std::make_unique<Connection>();
        connection->fd = Fd(fd);
        connection->printer = printer;
        connections_.push_back(std::move(connection));
    }
}

void Server::serveChunk(Connection& connection, const std::string& chunk) {
    Printer& printer = printers_[static_cast<std::size_t>(connection.printer)].printer;
    const bool statusRequest = chunk.find("~H(SMA,S") != std::string::npos;
    const Fault fault = applies(printer.fault, statusRequest) ? printer.fault : Fault{};
    if (fault.kind == Fault::Kind::Close) {
        connection.closed = true;
        return;
    }
    const std::int64_t now = nowMs();
    const std::string reply = printer.execute(chunk, now);
    if (reply.empty()) {
        return;
    }
    Outgoing outgoing;
    outgoing.dueMs = now;
    switch (fault.kind) {
    case Fault::Kind::Silent:
        return;
    case Fault::Kind::Cut:
        outgoing.bytes = reply.substr(0, reply.size() / 2);
        outgoing.closeAfter = true;
        break;
    case Fault::Kind::Slow:
        outgoing.dueMs = now + fault.delayMs;
        outgoing.bytes = reply;
        break;
    case Fault::Kind::Garbage:
        outgoing.bytes = garbageLike(reply);
        break;
    case Fault::Kind::Huge:
        outgoing.bytes.assign(kHugeReplyBytes, 'x');
        outgoing.bytes += reply;
        break;
    default:
        outgoing.bytes = reply;
        break;
    }
    const Behaviour& behaviour = printer.behaviour;
    if (behaviour.kind == Behaviour::Kind::Delay) {
        outgoing.dueMs += behaviour.delayMs;
    }
    if (behaviour.kind == Behaviour::Kind::CloseAfter) {
        outgoing.closeAfter = true;
    }
    // Replies leave in order: one held back holds back those behind it.
    if (!connection.out.empty() && connection.out.back().dueMs > outgoing.dueMs) {
        outgoing.dueMs = connection.out.back().dueMs;
    }
    if (behaviour.kind != Behaviour::Kind::Dribble) {
        connection.out.push_back(std::move(outgoing));
        return;
    }
    // One byte per segment, a millisecond apart, so that the reader gets records in pieces.
    for (std::size_t i = 0; i < outgoing.bytes.size(); ++i) {
        Outgoing piece;
        piece.dueMs = outgoing.dueMs + static_cast<std::int64_t>(i);
        piece.bytes = outgoing.bytes.substr(i, 1);
        piece.closeAfter = outgoing.closeAfter && i + 1 == outgoing.bytes.size();
        connection.out.push_back(std::move(piece));
    }
}

void Server::serveControl(Connection& connection) {
    Control control(printers_);
    std::size_t end;
    while ((end = connection.controlInput.find('\n')) != std::string::npos) {
        const std::string line = connection.controlInput.substr(0, end);
        connection.controlInput.erase(0, end + 1);
        Outgoing outgoing;
        outgoing.dueMs = nowMs();
        outgoing.bytes = control.execute(line, outgoing.dueMs, quit_);
        connection.out.push_back(std::move(outgoing));
    }
    if (connection.controlInput.size() > kControlLineLimit) {
        connection.closed = true;
    }
}

void Server::readFrom(Connection& connection) {
    char chunk[65536];
    const ssize_t n = ::recv(connection.fd.get(), chunk, sizeof chunk, 0);
    if (n == 0) {
        connection.peerEnded = true;
        return;
    }
    if (n < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            connection.closed = true;
        }
        return;
    }
    if (connection.printer < 0) {
        connection.controlInput.append(chunk, static_cast<std::size_t>(n));
        serveControl(connection);
    } else {
        serveChunk(connection, std::string(chunk, static_cast<std::size_t>(n)));
    }
}

void Server::writeTo(Connection& connection) {
    while (!connection.out.empty() && connection.out.front().dueMs <= nowMs()) {
        Outgoing& front = connection.out.front();
        const ssize_t n = ::send(connection.fd.get(), front.bytes.data() + connection.offset,
                                 front.bytes.size() - connection.offset, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                connection.closed = true;
            }
            return;
        }
        connection.offset += static_cast<std::size_t>(n);
        if (connection.offset < front.bytes.size()) {
            return;
        }
        connection.offset = 0;
        const bool closeAfter = front.closeAfter;
        connection.out.pop_front();
        if (closeAfter) {
            connection.closed = true;
            return;
        }
    }
}

void Server::run() {
    quit_ = false;
    while (!quit_) {
        std::vector<pollfd> fds;
        fds.push_back({wake_.get(), POLLIN, 0});
        for (const Fd& listener : listeners_) {
            fds.push_back({listener.get(), POLLIN, 0});
        }
        fds.push_back({controlListener_.get(), POLLIN, 0});
        const std::size_t firstConnection = fds.size();
        const std::int64_t now = nowMs();
        std::int64_t nextDue = -1;
        for (const auto& connection : connections_) {
            short events = connection->peerEnded ? 0 : POLLIN;
            if (!connection->out.empty()) {
                const std::int64_t due = connection->out.front().dueMs;
                if (due <= now) {
                    events |= POLLOUT;
                } else if (nextDue < 0 || due < nextDue) {
                    nextDue = due;
                }
            }
            fds.push_back({connection->fd.get(), events, 0});
        }
        const int timeout = nextDue < 0 ? -1 : static_cast<int>(nextDue - now);
        if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) {
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            return;
        }
        for (std::size_t i = 0; i < listeners_.size(); ++i) {
            if ((fds[1 + i].revents & POLLIN) != 0) {
                accept(listeners_[i].get(), static_cast<int>(i));
            }
        }
        if ((fds[firstConnection - 1].revents & POLLIN) != 0) {
            accept(controlListener_.get(), -1);
        }
        // Connections accepted above are served from the next round on.
        for (std::size_t i = firstConnection; i < fds.size(); ++i) {
            Connection& connection = *connections_[i - firstConnection];
            if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 && !connection.peerEnded) {
                readFrom(connection);
            } else if ((fds[i].revents & (POLLHUP | POLLERR)) != 0) {
                connection.closed = true; // gone both ways: nothing owed can arrive
            }
            if (!connection.closed) {
                writeTo(connection);
            }
        }
        for (auto it = connections_.begin(); it != connections_.end();) {
            Connection& connection = **it;
            // A peer that has ended its side gets what is still owed, then the close; a printer
            // that keeps its side open waits for a reset or the end of the emulator instead.
            const bool keepOpen =
                connection.printer >= 0 &&
                printers_[static_cast<std::size_t>(connection.printer)].printer.behaviour.kind ==
                    Behaviour::Kind::KeepOpen;
            const bool done =
                connection.closed || (connection.peerEnded && connection.out.empty() && !keepOpen);
            it = done ? connections_.erase(it) : std::next(it);
        }
    }
    // The response to "quit" is owed to the one who asked.
    for (const auto& connection : connections_) {
        for (const Outgoing& outgoing : connection->out) {
            if (connection->printer < 0) {
                (void)!::send(connection->fd.get(), outgoing.bytes.data(), outgoing.bytes.size(),
                              MSG_NOSIGNAL);
            }
        }
    }
}

BackgroundServer::BackgroundServer(const std::vector<PrinterEntry>& printers, int controlPort) {
    if (server_.listen(printers, controlPort, error_)) {
        thread_ = std::thread([this] { server_.run(); });
    } else if (error_.empty()) {
        error_ = "cannot listen";
    }
}

BackgroundServer::~BackgroundServer() {
    if (thread_.joinable()) {
        server_.stop();
        thread_.join();
    }
}

int BackgroundServer::port(const std::string& printer) const {
    for (const auto& entry : server_.printerPorts()) {
        if (entry.first == printer) {
            return entry.second;
        }
    }
    return 0;
}

} // namespace emulator
