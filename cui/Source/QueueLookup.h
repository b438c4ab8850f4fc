// SPDX-License-Identifier: Apache-2.0
// Print queue discovery through CUPS: the device record of a queue (from its PPD), the device
// URIs of all queues (one IPP request) and the scan for supported queues.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

// How long a CUPS request may wait for the server: for its connection, and for each answer.
// A local scheduler answers in milliseconds; one that accepts and never answers is given up.
constexpr int kCupsTimeoutSeconds = 5;

// CUPS matches queue names without regard to ASCII letter case; so do the tool's tables.
struct QueueNameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

// Queue name -> device URI.
using DeviceUriTable = std::map<std::string, std::string, QueueNameLess>;

// What one run has learnt of the scheduler: once a request has failed, the run asks no more for
// that queue, and nothing more at all of a server that did not answer, so that a wedged
// scheduler costs the run one time-out, not one per request.
class CupsRun {
public:
    bool mayAsk() const { return !silent_; }
    bool mayAsk(const std::string& queue) const {
        return !silent_ && failedQueues_.count(queue) == 0;
    }
    void serverSilent() { silent_ = true; }
    void queueFailed(const std::string& queue) { failedQueues_.insert(queue); }

private:
    bool silent_ = false;
    std::set<std::string, QueueNameLess> failedQueues_;
};

struct DeviceIDs {
    std::string deviceID;     // IEEE-1284 device ID, PPD attribute "1284DeviceID"
    std::string deviceOption; // "PEELER", "CUTTER" or empty, derived from the device ID
    std::string inkNameBK;    // black ink part name when the printer reports ink model GL
    std::string inkNameMK;    // black ink part name when the printer reports ink model MT
    std::string inkNameC;
    std::string inkNameM;
    std::string inkNameY;
    std::string inkNameMN; // maintenance box
    std::string inkCartridgeLayout;
};

// Empty fields for anything that cannot be read: no queue, no PPD, no server, or a queue or
// server that already failed in this run.
DeviceIDs GetDeviceIDFromQueue(const std::string& queue, CupsRun& run);

// "CUTTER", "PEELER" or "" for a device ID.
std::string deviceOptionOf(const std::string& deviceID);

// The device URIs from one CUPS-Get-Printers request; empty on any error.
DeviceUriTable listupDevicesByIPP(CupsRun& run);

// Appends every supported queue (model and URI scheme) to queues, in the order CUPS lists the
// destinations, and stores its record in records.
void listSupportedQueues(const DeviceUriTable& uris, std::vector<std::string>& queues,
                         std::map<std::string, DeviceIDs>& records, CupsRun& run);
