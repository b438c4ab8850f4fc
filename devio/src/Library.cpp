// SPDX-License-Identifier: Apache-2.0
#include "Library.h"

#include "Deadline.h"
#include "Framing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace devio {

namespace {

// Longest text accepted in the status-command record; the tool's are well under 200 bytes.
constexpr std::size_t kCommandTextLimit = std::size_t{64} * 1024;

// How long a data-channel reply may pause after its last byte before the queries still owed are
// taken as unanswered (a setting the model lacks gets no answer): four times what the printer
// took to start answering, within these bounds, and never past the call's own time-out. Only a
// reply that is missing answers pays it. A printer that answers at once pays the least; one
// that is slow to answer is given a gap to match.
constexpr int kIdleGapMinMs = 200;
constexpr int kIdleGapMaxMs = 1000;
constexpr int kIdleGapPerLatency = 4;

int idleGapFor(std::chrono::steady_clock::duration latency) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(latency).count();
    const long long gap = ms * kIdleGapPerLatency;
    return static_cast<int>(std::clamp<long long>(gap, kIdleGapMinMs, kIdleGapMaxMs));
}

// How long the channel close waits for the printer to close its side once it has acknowledged
// every byte; only a printer that keeps the connection open pays it.
constexpr int kCloseLingerMs = 100;

// The most unanswered bytes kept for sending once more: requests and functions are far
// smaller; a command file is not kept, and its loss is reported instead.
constexpr std::size_t kResendLimit = std::size_t{64} * 1024;

// How long a write right after an answer waits for the printer to close: one that closes after
// each answer does so right behind it, and what is written into its close is lost. Only a write
// that follows a read pays it, and only against a printer that keeps the connection.
constexpr int kCloseGraceMs = 10;

// How much of a write goes to the socket in one call: small enough that the slice is still in
// the processor's cache when it is searched for queries.
constexpr std::size_t kSendSlice = std::size_t{256} << 10;

// Books bytes that went to the printer: the answers they ask for, and a copy to send again.
void noteWritten(Channel& channel, std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    channel.expected += countQueries(bytes, channel.queryCarry);
    if (channel.unansweredOverflow || channel.unanswered.size() + bytes.size() > kResendLimit) {
        channel.unanswered.clear();
        channel.unansweredOverflow = true;
    } else {
        channel.unanswered.append(bytes);
    }
}

DEXO_Err errorFor(Delivery delivery) {
    switch (delivery) {
    case Delivery::Taken:
        return kDEXO_Err_NoErr;
    case Delivery::TimedOut:
        return kDEXO_Err_Timeout;
    case Delivery::Lost:
    case Delivery::Unsure:
        break;
    }
    return kDEXO_Err_InvalidChannel;
}

bool copyText(const char* text, std::string& out) {
    if (text == nullptr) {
        return false;
    }
    const std::size_t length = ::strnlen(text, kCommandTextLimit + 1);
    if (length > kCommandTextLimit) {
        return false;
    }
    out.assign(text, length);
    return true;
}

} // namespace

int effectiveTimeout(int timeoutMs) {
    int value = timeoutMs < 0 ? kDefaultTimeoutMs : timeoutMs;
    if (const char* cap = std::getenv("DEXO1_MAX_TIMEOUT_MS")) {
        const long limit = std::strtol(cap, nullptr, 10);
        if (limit > 0 && limit < value) {
            value = static_cast<int>(limit);
        }
    }
    return value;
}

Library& Library::instance() {
    static Library library;
    return library;
}

DEXO_Err Library::initialize(int mode) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (mode != kDEXO_InitMode_Default) {
        return kDEXO_Err_Param;
    }
    if (initialized_) {
        return kDEXO_Err_DoubleCall;
    }
    initialized_ = true;
    return kDEXO_Err_NoErr;
}

DEXO_Err Library::release() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    channels_.clear();
    devices_.clear();
    initialized_ = false;
    return kDEXO_Err_NoErr;
}

Device* Library::findDevice(const void* handle) {
    auto it = devices_.find(handle);
    return it == devices_.end() ? nullptr : it->second.get();
}

Channel* Library::findChannel(const void* handle) {
    auto it = channels_.find(handle);
    return it == channels_.end() ? nullptr : it->second.get();
}

DEXO_Err Library::open(const char* uri, const void** device) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    if (device == nullptr) {
        return kDEXO_Err_Param;
    }
    *device = nullptr;
    auto entry = std::make_unique<Device>();
    const DEXO_Err err = parseDeviceUri(uri, entry->address);
    if (err != kDEXO_Err_NoErr) {
        return err;
    }
    const void* handle = entry.get();
    devices_.emplace(handle, std::move(entry));
    *device = handle;
    return kDEXO_Err_NoErr;
}

DEXO_Err Library::close(const void* device) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    Device* entry = findDevice(device);
    if (entry == nullptr) {
        return kDEXO_Err_Param;
    }
    for (auto it = channels_.begin(); it != channels_.end();) {
        it = it->second->device == entry ? channels_.erase(it) : std::next(it);
    }
    devices_.erase(device);
    return kDEXO_Err_NoErr;
}

DEXO_Err Library::setStatusCommand(const DEXO_KorelStatusCommand* record) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    if (record == nullptr) {
        return kDEXO_Err_Param;
    }
    Device* device = findDevice(record->device);
    if (device == nullptr) {
        return kDEXO_Err_Param;
    }
    Device updated = *device;
    if (!copyText(record->request, updated.statusRequest) ||
        !copyText(record->replyBegin, updated.replyBegin) ||
        !copyText(record->replyEnd, updated.replyEnd) || updated.statusRequest.empty() ||
        updated.replyBegin.empty() || updated.replyEnd.empty()) {
        return kDEXO_Err_Param;
    }
    updated.hasStatusCommand = true;
    updated.polled = false;
    updated.status.clear();
    updated.statusError = kDEXO_Err_NoErr;
    *device = std::move(updated);
    return kDEXO_Err_NoErr;
}

void Library::pollStatus(Device& device, int timeout) {
    device.polled = true;
    device.status.clear();
    const Deadline deadline(effectiveTimeout(timeout));
    Socket socket;
    device.statusError = Socket::connect(device.address, deadline, socket);
    if (device.statusError != kDEXO_Err_NoErr) {
        return;
    }
    std::size_t sent = 0;
    device.statusError =
        socket.sendAll(device.statusRequest.data(), device.statusRequest.size(), deadline, sent);
    if (device.statusError != kDEXO_Err_NoErr) {
        return;
    }
    std::string received;
    for (;;) {
        Span span;
        if (findStatusReply(received, device.replyBegin, device.replyEnd, span)) {
            device.status = received.substr(span.begin, span.end - span.begin);
            return;
        }
        if (received.size() >= kReplyLimit) {
            device.statusError = kDEXO_Err_BufferSize;
            return;
        }
        bool closed = false;
        device.statusError =
            socket.receiveSome(received, kReplyLimit - received.size(), deadline, closed);
        if (device.statusError != kDEXO_Err_NoErr) {
            return;
        }
        if (closed) {
            device.statusError = kDEXO_Err_InvalidChannel;
            return;
        }
    }
}

DEXO_Err Library::getSize(const void* device, unsigned long* deviceIDSize,
                          unsigned long* statusSize) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    Device* entry = findDevice(device);
    if (entry == nullptr || deviceIDSize == nullptr || statusSize == nullptr ||
        !entry->hasStatusCommand) {
        return kDEXO_Err_Param;
    }
    // A printer that gives no complete reply is not a failure of this call: the size is 0 and
    // DEXOGetStatus tells why.
    pollStatus(*entry, -1);
    *deviceIDSize = 0;
    *statusSize = entry->status.size();
    return kDEXO_Err_NoErr;
}

DEXO_Err Library::getStatus(const void* device, char* buffer, unsigned long* size, int timeout) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    Device* entry = findDevice(device);
    if (entry == nullptr || size == nullptr || !entry->hasStatusCommand) {
        return kDEXO_Err_Param;
    }
    if (!entry->polled) {
        pollStatus(*entry, timeout);
    }
    if (entry->status.empty()) {
        *size = 0;
        return entry->statusError != kDEXO_Err_NoErr ? entry->statusError : kDEXO_Err_Fatal;
    }
    if (buffer == nullptr || *size < entry->status.size()) {
        *size = entry->status.size();
        return kDEXO_Err_BufferSize;
    }
    // The status is bytes with a size, not a C string: no NUL is owed behind it.
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
    std::memcpy(buffer, entry->status.data(), entry->status.size());
    *size = entry->status.size();
    return kDEXO_Err_NoErr;
}

DEXO_Err Library::cancel(const void* device) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    // Every call finishes before it returns, so there is never anything in flight to cancel.
    return findDevice(device) != nullptr ? kDEXO_Err_NoErr : kDEXO_Err_Param;
}

DEXO_Err Library::openChannel(const void* device, int kind, const void** channel, int timeout) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    if (channel == nullptr) {
        return kDEXO_Err_Param;
    }
    *channel = nullptr;
    Device* entry = findDevice(device);
    if (entry == nullptr) {
        return kDEXO_Err_Param;
    }
    if (kind != kDEXO_OpenChChannel_Data) {
        return kDEXO_Err_NotSupport;
    }
    auto opened = std::make_unique<Channel>();
    opened->device = entry;
    const DEXO_Err err =
        Socket::connect(entry->address, Deadline(effectiveTimeout(timeout)), opened->socket);
    if (err != kDEXO_Err_NoErr) {
        return err;
    }
    const void* handle = opened.get();
    channels_.emplace(handle, std::move(opened));
    *channel = handle;
    return kDEXO_Err_NoErr;
}

DEXO_Err Library::closeChannel(const void* channel, int timeout) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    Channel* entry = findChannel(channel);
    if (entry == nullptr) {
        return kDEXO_Err_InvalidChannel;
    }
    // Waiting for the printer to acknowledge everything means it has taken every byte written,
    // the last function command included, before the caller goes on. Bytes it dropped unread
    // go once more over a new connection; if they are lost again, the caller is told.
    const Deadline deadline(effectiveTimeout(timeout));
    Delivery delivery = Delivery::Taken;
    if (!entry->socket.ended()) {
        delivery = entry->socket.shutdownAndDrain(deadline, kCloseLingerMs);
    } else if (entry->holdsUnanswered()) {
        delivery = entry->socket.settle(deadline);
    }
    DEXO_Err err = errorFor(delivery);
    const bool reset = delivery == Delivery::Lost || delivery == Delivery::Unsure;
    if (reset && !entry->holdsUnanswered()) {
        err = kDEXO_Err_NoErr; // everything written was answered
    } else if (delivery == Delivery::Lost) {
        err = resendUnanswered(*entry, deadline);
        if (err == kDEXO_Err_NoErr) {
            err = errorFor(entry->socket.shutdownAndDrain(deadline, kCloseLingerMs));
        }
    }
    // Unsure is not sent again: the printer may have taken it. The caller is told.
    channels_.erase(channel);
    return err;
}

DEXO_Err Library::reconnect(Channel& channel, const Deadline& deadline) {
    Socket fresh;
    const DEXO_Err err = Socket::connect(channel.device->address, deadline, fresh);
    if (err == kDEXO_Err_NoErr) {
        channel.socket = std::move(fresh);
        // Queries asked over the old connection are answered there or not at all.
        channel.expected = completeRecords(channel.received, channel.expected).count;
    }
    return err;
}

// Sends what the printer dropped unread once more, over a new connection; never a third time.
DEXO_Err Library::resendUnanswered(Channel& channel, const Deadline& deadline) {
    if (channel.unansweredOverflow || channel.resent) {
        return kDEXO_Err_InvalidChannel;
    }
    DEXO_Err err = reconnect(channel, deadline);
    if (err != kDEXO_Err_NoErr) {
        return err;
    }
    channel.resent = true;
    std::size_t sent = 0;
    err = channel.socket.sendAll(channel.unanswered.data(), channel.unanswered.size(), deadline,
                                 sent);
    std::string carry;
    channel.expected += countQueries(std::string_view(channel.unanswered.data(), sent), carry);
    return err;
}

// Replaces a connection the printer has ended. What it had not answered is sent again when the
// printer dropped it; otherwise the new connection starts clean.
DEXO_Err Library::renew(Channel& channel, const Deadline& deadline) {
    if (channel.holdsUnanswered() && channel.socket.settle(deadline) == Delivery::Lost) {
        return resendUnanswered(channel, deadline);
    }
    channel.answered();
    return reconnect(channel, deadline);
}

DEXO_Err Library::write(const void* channel, const char* data, unsigned long* size, int timeout) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    Channel* entry = findChannel(channel);
    if (entry == nullptr) {
        return kDEXO_Err_InvalidChannel;
    }
    if (size == nullptr || (data == nullptr && *size > 0)) {
        return kDEXO_Err_Param;
    }
    const Deadline deadline(effectiveTimeout(timeout));
    // A printer may end the connection after each answer; what is written after that goes over
    // a new one instead of into a socket the printer no longer reads.
    if (!entry->socket.ended() && entry->replyEnded && entry->received.empty()) {
        entry->socket.awaitPeer(deadline.sooner(kCloseGraceMs));
    }
    entry->replyEnded = false;
    if (!entry->socket.ended()) {
        entry->socket.takeWaiting(entry->received, kReplyLimit - entry->received.size());
    }
    if (entry->socket.ended()) {
        const DEXO_Err err = renew(*entry, deadline);
        if (err != kDEXO_Err_NoErr) {
            *size = 0;
            return err;
        }
    }
    // A slice at a time, each counted for its queries right after it went, while it is still in
    // the cache: a long command file is read once, not twice.
    std::size_t sent = 0;
    DEXO_Err err = kDEXO_Err_NoErr;
    while (sent < *size && err == kDEXO_Err_NoErr) {
        const std::size_t slice = std::min<std::size_t>(kSendSlice, *size - sent);
        std::size_t done = 0;
        err = entry->socket.sendAll(data + sent, slice, deadline, done);
        noteWritten(*entry, std::string_view(data + sent, done));
        sent += done;
    }
    *size = sent;
    return err;
}

DEXO_Err Library::collectReply(Channel& channel, int timeout) {
    const Deadline deadline(effectiveTimeout(timeout));
    const std::size_t owed = channel.expected;
    channel.expected = 0;
    // With nothing asked, nothing is owed: no wait.
    if (owed == 0) {
        return kDEXO_Err_NoErr;
    }
    // Records already here when the read starts count as if they had just arrived.
    const auto began = std::chrono::steady_clock::now();
    bool answering = !channel.received.empty();
    int gapMs = kIdleGapMinMs;
    Deadline idle = deadline.sooner(gapMs);
    bool idleBound = false;
    DEXO_Err err = kDEXO_Err_NoErr;
    for (;;) {
        const Records records = completeRecords(channel.received, owed);
        // Done when every query is answered, or when the printer has paused long enough after
        // the last whole record that the rest are taken as unanswered. A close before every
        // answer has come is a cut, even at a record's end: nothing is handed out.
        const bool settled = records.count > 0 && !records.partial;
        if (records.count == owed || (settled && idleBound && idle.passed())) {
            channel.held = channel.received.substr(0, records.end);
            channel.received.erase(0, records.end);
            channel.answered();
            channel.replyEnded = true;
            return kDEXO_Err_NoErr;
        }
        if (channel.socket.ended()) {
            err = kDEXO_Err_InvalidChannel;
            break;
        }
        if (channel.received.size() >= kReplyLimit) {
            err = kDEXO_Err_BufferSize;
            break;
        }
        idleBound = settled;
        const std::size_t before = channel.received.size();
        bool closed = false; // the socket keeps it in mind
        err = channel.socket.receiveSome(channel.received, kReplyLimit - channel.received.size(),
                                         idleBound ? idle : deadline, closed);
        if (err == kDEXO_Err_Timeout && idleBound) {
            continue; // the idle gap ran out: decided at the top of the loop
        }
        if (err != kDEXO_Err_NoErr) {
            break;
        }
        if (channel.received.size() > before) {
            if (!answering) {
                answering = true;
                gapMs = idleGapFor(std::chrono::steady_clock::now() - began);
            }
            idle = deadline.sooner(gapMs);
        }
    }
    // A reply that did not end where it should is not handed out in part. What the printer sends
    // later for it is not told apart from later answers, so it is dropped as far as it is here;
    // the channel itself stays usable for the writes that follow.
    channel.received.clear();
    channel.held.clear();
    return err;
}

DEXO_Err Library::read(const void* channel, char* buffer, unsigned long* size, int timeout) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) {
        return kDEXO_Err_Init;
    }
    Channel* entry = findChannel(channel);
    if (entry == nullptr) {
        return kDEXO_Err_InvalidChannel;
    }
    if (size == nullptr) {
        return kDEXO_Err_Param;
    }
    if (entry->held.empty()) {
        const DEXO_Err err = collectReply(*entry, timeout);
        if (err != kDEXO_Err_NoErr) {
            *size = 0;
            return err;
        }
    }
    if (buffer == nullptr) {
        *size = entry->held.size();
        return kDEXO_Err_NoErr;
    }
    const std::size_t count = *size < entry->held.size() ? *size : entry->held.size();
    // The caller gets count bytes and the count; a reply is no C string, so no NUL follows.
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
    std::memcpy(buffer, entry->held.data(), count);
    entry->held.erase(0, count);
    *size = count;
    return kDEXO_Err_NoErr;
}

} // namespace devio
