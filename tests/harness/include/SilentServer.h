// SPDX-License-Identifier: Apache-2.0
// A wedged scheduler: listens on a unix socket, accepts every connection and never answers;
// or, with answerFirst, answers the first request with an empty IPP success (no printers) and
// wedges after that. Connections stay open until the server is destroyed.
#pragma once

#include <cstdio>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace harness {

class SilentServer {
public:
    explicit SilentServer(const std::string& path, bool answerFirst = false)
        : answerFirst_(answerFirst) {
        fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
        unlink(path.c_str());
        ok_ = fd_ >= 0 && pipe(stop_) == 0 &&
              bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              listen(fd_, 64) == 0;
        if (ok_) {
            acceptor_ = std::thread([this] { acceptAll(); });
        }
    }
    ~SilentServer() {
        if (acceptor_.joinable()) {
            const char byte = 0;
            (void)!write(stop_[1], &byte, 1);
            acceptor_.join();
        }
        for (int fd : {fd_, stop_[0], stop_[1]}) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    bool ok() const { return ok_; }

private:
    void acceptAll() {
        std::vector<int> held;
        for (;;) {
            pollfd fds[] = {{fd_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 || fds[1].revents != 0) {
                break;
            }
            const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                held.push_back(client);
                if (answerFirst_ && held.size() == 1 && !answer(client)) {
                    break;
                }
            }
        }
        for (int fd : held) {
            close(fd);
        }
    }

    // Reads one request (headers, then a body that ends with the end-of-attributes tag, plain or
    // as the last chunk) and sends the answer; false when the server is stopped meanwhile.
    bool answer(int client) {
        std::string request;
        char buffer[4096];
        for (;;) {
            const size_t body = request.find("\r\n\r\n");
            if (body != std::string::npos && request.size() > body + 4 &&
                (request.back() == '\x03' ||
                 request.compare(request.size() - 5, 5, "0\r\n\r\n") == 0)) {
                break;
            }
            pollfd fds[] = {{client, POLLIN, 0}, {stop_[0], POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 || fds[1].revents != 0) {
                return false;
            }
            const ssize_t got = read(client, buffer, sizeof buffer);
            if (got <= 0) {
                return true;
            }
            request.append(buffer, static_cast<size_t>(got));
        }
        // Version 2.0, status successful-ok, request 1, the two charset attributes, end.
        static const char kIpp[] = "\x02\x00\x00\x00\x00\x00\x00\x01\x01"
                                   "\x47\x00\x12"
                                   "attributes-charset"
                                   "\x00\x05"
                                   "utf-8"
                                   "\x48\x00\x1b"
                                   "attributes-natural-language"
                                   "\x00\x05"
                                   "en-us"
                                   "\x03";
        const std::string ipp(kIpp, sizeof kIpp - 1);
        const std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
                                  "Content-Length: " +
                                  std::to_string(ipp.size()) + "\r\n\r\n" + ipp;
        return write(client, reply.data(), reply.size()) == static_cast<ssize_t>(reply.size());
    }

    const bool answerFirst_;
    int fd_ = -1;
    int stop_[2] = {-1, -1};
    bool ok_ = false;
    std::thread acceptor_;
};

} // namespace harness
