// Print queue discovery through CUPS: the device record of a queue (from its PPD), the device
// URIs of all queues (one IPP request) and the scan for supported queues.
#pragma once

#include <map>
#include <string>
#include <vector>

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

// Empty fields for anything that cannot be read: no queue, no PPD, no server.
DeviceIDs GetDeviceIDFromQueue(const std::string& queue);

// "CUTTER", "PEELER" or "" for a device ID.
std::string deviceOptionOf(const std::string& deviceID);

// Queue name -> device URI, from one CUPS-Get-Printers request; empty on any error.
std::map<std::string, std::string> listupDevicesByIPP();

// Appends every supported queue (model and URI scheme) to queues, in the order CUPS lists the
// destinations, and stores its record in records.
void listSupportedQueues(const std::map<std::string, std::string>& uris,
                         std::vector<std::string>& queues,
                         std::map<std::string, DeviceIDs>& records);
