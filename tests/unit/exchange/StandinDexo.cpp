// SPDX-License-Identifier: Apache-2.0
// A stand-in device library for the exchange tests: the sixteen entry points of dexo1.so, each
// appending one line to the log file named by STANDIN_LOG, answering with canned data and
// failing the calls chosen by the environment:
//   STANDIN_FAIL          names of calls that fail, "Name" (every call) or "Name#N" (the N-th
//                         call, counted in the log), separated by spaces or commas
//   STANDIN_STATUS        the status reply held by the device (its size is its length)
//   STANDIN_REPLY         the bytes waiting on the data channel
//   STANDIN_WAITING       overrides the count of waiting bytes reported by a read without buffer
//   STANDIN_STATUS_EXTRA  bytes added to the size reported after a status copy
//   STANDIN_READ_EXTRA    bytes added to the size reported after a read into a buffer
// Sizes claimed beyond a buffer are only claimed; nothing is written past the buffer.
#include "dexo1.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

int s_device;
int s_channel;

std::string env(const char* name) {
    const char* value = getenv(name);
    return value != nullptr ? value : "";
}

unsigned long envSize(const char* name, unsigned long fallback) {
    const std::string value = env(name);
    return value.empty() ? fallback : std::stoul(value);
}

std::string escaped(const char* data, size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            text.push_back(static_cast<char>(c));
        } else {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        }
    }
    return text;
}

std::string escaped(const char* text) {
    return text != nullptr ? escaped(text, strlen(text)) : "(null)";
}

// How many calls of name the log holds already.
int callsSoFar(const std::string& name) {
    std::ifstream log(env("STANDIN_LOG"));
    int count = 0;
    for (std::string line; std::getline(log, line);) {
        if (line == name || line.rfind(name + " ", 0) == 0) {
            ++count;
        }
    }
    return count;
}

// Logs the call and tells whether it is to fail.
bool call(const std::string& name, const std::string& arguments = "") {
    const int number = callsSoFar(name) + 1;
    if (FILE* log = fopen(env("STANDIN_LOG").c_str(), "a")) {
        fprintf(log, "%s%s%s\n", name.c_str(), arguments.empty() ? "" : " ", arguments.c_str());
        fclose(log);
    }
    std::string fail = env("STANDIN_FAIL");
    for (char& c : fail) {
        c = c == ',' ? ' ' : c;
    }
    const std::string all = " " + fail + " ";
    return all.find(" " + name + " ") != std::string::npos ||
           all.find(" " + name + "#" + std::to_string(number) + " ") != std::string::npos;
}

const char* deviceTag(const void* device) {
    return device == &s_device ? "device" : "bad-device";
}
const char* channelTag(const void* channel) {
    return channel == &s_channel ? "channel" : "bad-channel";
}

constexpr DEXO_Err kFailure = kDEXO_Err_Timeout;

} // namespace

extern "C" {

DEXO_Err DEXOInitialize(DEXO_InitMode mode, const void* reserved) {
    return call("DEXOInitialize", std::to_string(mode) + (reserved ? " reserved" : " null"))
               ? kFailure
               : kDEXO_Err_NoErr;
}

DEXO_Err DEXORelease(void) {
    return call("DEXORelease") ? kFailure : kDEXO_Err_NoErr;
}

DEXO_Err DEXOStartSearchDevice(DEXO_SearchMode, const void*, DEXOSearchCallback, void*) {
    return call("DEXOStartSearchDevice") ? kFailure : kDEXO_Err_NoErr;
}

DEXO_Err DEXOStopSearchDevice(void) {
    return call("DEXOStopSearchDevice") ? kFailure : kDEXO_Err_NoErr;
}

DEXO_Err DEXOOpen(const char* uri, const void** device) {
    if (call("DEXOOpen", "\"" + escaped(uri) + "\"")) {
        return kDEXO_Err_DeviceNotFound;
    }
    *device = &s_device;
    return kDEXO_Err_NoErr;
}

DEXO_Err DEXOClose(const void* device) {
    return call("DEXOClose", device == nullptr ? "null" : deviceTag(device)) ? kFailure
                                                                             : kDEXO_Err_NoErr;
}

DEXO_Err DEXOOpenChannel(const void* device, DEXO_OpenChChannel kind, const void* reserved,
                         const void** channel, int timeout) {
    if (call("DEXOOpenChannel", std::string(deviceTag(device)) + " " + std::to_string(kind) +
                                    (reserved ? " reserved " : " null ") +
                                    std::to_string(timeout))) {
        return kDEXO_Err_InvalidChannel;
    }
    *channel = &s_channel;
    return kDEXO_Err_NoErr;
}

DEXO_Err DEXOCloseChannel(const void* channel, int timeout) {
    return call("DEXOCloseChannel", std::string(channel == nullptr ? "null" : channelTag(channel)) +
                                        " " + std::to_string(timeout))
               ? kFailure
               : kDEXO_Err_NoErr;
}

DEXO_Err DEXOWrite(const void* channel, const char* data, unsigned long* size, int timeout) {
    if (call("DEXOWrite", std::string(channelTag(channel)) + " " + std::to_string(timeout) + " " +
                              escaped(data, *size))) {
        *size = 0;
        return kFailure;
    }
    return kDEXO_Err_NoErr;
}

DEXO_Err DEXORead(const void* channel, char* buffer, unsigned long* size, int timeout) {
    const std::string reply = env("STANDIN_REPLY");
    if (call("DEXORead", std::string(channelTag(channel)) + " " + std::to_string(timeout) + " " +
                             (buffer == nullptr ? "null" : std::to_string(*size)))) {
        return kFailure;
    }
    if (buffer == nullptr) {
        *size = envSize("STANDIN_WAITING", reply.size());
        return kDEXO_Err_NoErr;
    }
    const unsigned long copied = std::min<unsigned long>(*size, reply.size());
    memcpy(buffer, reply.data(), copied);
    *size = copied + envSize("STANDIN_READ_EXTRA", 0);
    return kDEXO_Err_NoErr;
}

DEXO_Err DEXOGetStatus(const void* device, char* buffer, unsigned long* size, int timeout) {
    const std::string status = env("STANDIN_STATUS");
    if (call("DEXOGetStatus", std::string(deviceTag(device)) + " " + std::to_string(*size) + " " +
                                  std::to_string(timeout))) {
        return kFailure;
    }
    const unsigned long copied = std::min<unsigned long>(*size, status.size());
    memcpy(buffer, status.data(), copied);
    *size = copied + envSize("STANDIN_STATUS_EXTRA", 0);
    return kDEXO_Err_NoErr;
}

DEXO_Err DEXOGetDeviceID(const void*, char*, unsigned long*, int) {
    return call("DEXOGetDeviceID") ? kFailure : kDEXO_Err_NoErr;
}

DEXO_Err DEXOIOCTL(DEXO_IOCTLMode mode, void* record) {
    const auto* command = static_cast<const DEXO_KorelStatusCommand*>(record);
    return call("DEXOIOCTL", std::to_string(mode) + " " + deviceTag(command->device) + " " +
                                 escaped(command->request) + " " + escaped(command->replyBegin) +
                                 " " + escaped(command->replyEnd))
               ? kFailure
               : kDEXO_Err_NoErr;
}

DEXO_Err DEXOCancel(const void*) {
    return call("DEXOCancel") ? kFailure : kDEXO_Err_NoErr;
}

DEXO_Err DEXOGetSize(const void* device, unsigned long* deviceIDSize, unsigned long* statusSize) {
    if (call("DEXOGetSize", deviceTag(device))) {
        return kFailure;
    }
    *deviceIDSize = 0;
    *statusSize = env("STANDIN_STATUS").size();
    return kDEXO_Err_NoErr;
}

#ifndef STANDIN_WITHOUT_VERSION
DEXO_Err DEXOGetVersion(DEXO_Version* version) {
    version->major = 1;
    version->minor = 0;
    version->patch = 0;
    return call("DEXOGetVersion") ? kFailure : kDEXO_Err_NoErr;
}
#endif
}
