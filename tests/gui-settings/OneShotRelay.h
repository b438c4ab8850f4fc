// SPDX-License-Identifier: Apache-2.0
// A TCP relay in front of an emulated printer that lets a given number of connections through
// and then stops listening, so that the next connection is refused: a printer that goes away
// between the status read of a step and its operation.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class OneShotRelay {
public:
    explicit OneShotRelay(int targetPort);
    ~OneShotRelay();
    OneShotRelay(const OneShotRelay&) = delete;
    OneShotRelay& operator=(const OneShotRelay&) = delete;

    bool ok() const { return port_ > 0; }
    int port() const { return port_; }

    // Lets the next count connections through (listening again if it had stopped); the one
    // after them is refused.
    void allow(int count);
    // Connections relayed so far.
    int relayed() const { return relayed_; }

private:
    void serve();
    bool listenOn(int port);

    int targetPort_;
    int port_ = 0;
    int listener_ = -1;
    int wake_[2] = {-1, -1};
    std::mutex mutex_;
    int allowed_ = 0;
    bool reopen_ = false;
    std::condition_variable reopened_;
    std::atomic<int> relayed_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
