// SPDX-License-Identifier: Apache-2.0
#include "emulator/ControlClient.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace emulator {

namespace {
constexpr int kAnswerTimeoutMs = 10000;
}

ControlClient::~ControlClient() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool ControlClient::connect(int port) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = -1;
        return false;
    }
    return true;
}

ControlClient::Response ControlClient::command(const std::string& line) {
    Response response;
    if (fd_ < 0) {
        response.value = "not connected";
        return response;
    }
    const std::string text = line + "\n";
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(fd_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            response.value = "connection lost";
            return response;
        }
        sent += static_cast<std::size_t>(n);
    }
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            const std::string answer = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (answer.compare(0, 2, "| ") == 0) {
                response.lines.push_back(answer.substr(2));
                continue;
            }
            response.ok = answer.compare(0, 2, "OK") == 0;
            const std::size_t blank = answer.find(' ');
            response.value = blank == std::string::npos ? "" : answer.substr(blank + 1);
            return response;
        }
        pollfd entry{fd_, POLLIN, 0};
        char chunk[65536];
        if (::poll(&entry, 1, kAnswerTimeoutMs) <= 0) {
            response.value = "no answer";
            return response;
        }
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n <= 0) {
            response.value = "connection lost";
            return response;
        }
        pending_.append(chunk, static_cast<std::size_t>(n));
    }
}

bool ControlClient::set(const std::string& printer, const std::string& field,
                        const std::string& value) {
    return command("set " + printer + " " + field + " " + value).ok;
}

std::string ControlClient::get(const std::string& printer, const std::string& field) {
    return command("get " + printer + " " + field).value;
}

bool ControlClient::setSetting(const std::string& printer, const std::string& key,
                               const std::string& value) {
    return command("setting " + printer + " " + key + " " + value).ok;
}

std::string ControlClient::setting(const std::string& printer, const std::string& key) {
    Response response = command("setting " + printer + " " + key);
    return response.ok ? response.value : "";
}

std::vector<std::string> ControlClient::log(const std::string& printer) {
    return command("log " + printer).lines;
}

bool ControlClient::clearLog(const std::string& printer) {
    return command("clearlog " + printer).ok;
}

bool ControlClient::fault(const std::string& printer, const std::string& kind,
                          const std::string& scope, int delayMs) {
    return command("fault " + printer + " " + kind + " " + scope + " " + std::to_string(delayMs))
        .ok;
}

bool ControlClient::behave(const std::string& printer, const std::string& kind, int delayMs) {
    return command("behave " + printer + " " + kind +
                   (delayMs > 0 ? " " + std::to_string(delayMs) : std::string()))
        .ok;
}

bool ControlClient::finish(const std::string& printer) {
    return command("finish " + printer).ok;
}

bool ControlClient::reset(const std::string& printer) {
    return command("reset " + printer).ok;
}

} // namespace emulator
