// SPDX-License-Identifier: Apache-2.0
#include "QueueLookup.h"

#include "Dump.h"
#include "Switches.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <regex>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

// The PPD calls are deprecated in libcups 2 but are the only way to read a queue's driver
// attributes; only their deprecation warnings are silenced, and only in this file.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

// libcups loses the reason of a failed connection (it closes an invalid descriptor after the
// attempt, which overwrites errno). One attempt of our own, within msLeft, tells it.
int connectionError(int msLeft) {
    if (msLeft <= 0) {
        return ETIMEDOUT;
    }
    http_addrlist_t* list =
        httpAddrGetList(cupsServer(), AF_UNSPEC, std::to_string(ippPort()).c_str());
    int error = list ? 0 : EHOSTUNREACH;
    for (http_addrlist_t* a = list; a; a = a->next) {
        const int fd =
            socket(httpAddrFamily(&a->addr), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            error = errno;
            continue;
        }
        error = connect(fd, &a->addr.addr, static_cast<socklen_t>(httpAddrLength(&a->addr))) == 0
                    ? 0
                    : errno;
        if (error == EINPROGRESS) {
            pollfd wait{fd, POLLOUT, 0};
            socklen_t length = sizeof error;
            error = poll(&wait, 1, msLeft) <= 0                                  ? ETIMEDOUT
                    : getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 ? error
                                                                                 : errno;
        }
        close(fd);
        if (error == 0) {
            break;
        }
    }
    httpAddrFreeList(list);
    return error;
}

// One connection to the default server, every wait bounded by the time-out. Tells whether the
// server answered at all, and the error of its own request (libcups keeps the text of an
// earlier one when a request fails before the server has said anything).
class CupsConnection {
public:
    CupsConnection()
        : started_(std::chrono::steady_clock::now()),
          http_(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             kTimeoutMs, nullptr)) {
        if (http_) {
            httpSetTimeout(http_, kCupsTimeoutSeconds, giveUp, this);
        }
    }
    ~CupsConnection() {
        if (http_) {
            httpClose(http_);
        }
    }
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;
    http_t* get() const { return http_; }

    // False when the connection failed or a wait ran out.
    bool answered() const { return http_ && !timedOut_; }

    // After a failed request: the transport's error, else the status the server sent.
    std::string error() const {
        if (!http_) {
            const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - started_);
            const int error = connectionError(static_cast<int>(kTimeoutMs - spent.count()));
            return error != 0 ? strerror(error)
                              : ippErrorString(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
        }
        if (timedOut_) {
            return strerror(ETIMEDOUT);
        }
        if (const int e = httpError(http_)) {
            return strerror(e);
        }
        return ippErrorString(cupsLastError());
    }

private:
    // A call such as cupsGetDests2 makes several requests on one connection: after one wait has
    // run out, the later ones give up at once instead of waiting out a time-out each.
    static int giveUp(http_t* http, void* self) {
        static_cast<CupsConnection*>(self)->timedOut_ = true;
        httpSetTimeout(http, kAtOnceSeconds, giveUp, self);
        return 0;
    }

    static constexpr double kAtOnceSeconds = 0.001;

    static constexpr int kTimeoutMs = kCupsTimeoutSeconds * 1000;
    std::chrono::steady_clock::time_point started_;
    http_t* http_;
    bool timedOut_ = false;
};

class IppMessage {
public:
    explicit IppMessage(ipp_t* ipp) : ipp_(ipp) {}
    ~IppMessage() { ippDelete(ipp_); }
    void reset(ipp_t* ipp) {
        ippDelete(ipp_);
        ipp_ = ipp;
    }
    IppMessage(const IppMessage&) = delete;
    IppMessage& operator=(const IppMessage&) = delete;
    ipp_t* get() const { return ipp_; }

private:
    ipp_t* ipp_;
};

// The temporary copy (or link) of a queue's PPD that CUPS makes: removed on every path.
class TempPpdCopy {
public:
    explicit TempPpdCopy(const char* path) : path_(path ? path : "") {}
    ~TempPpdCopy() {
        if (!path_.empty()) {
            unlink(path_.c_str());
        }
    }
    TempPpdCopy(const TempPpdCopy&) = delete;
    TempPpdCopy& operator=(const TempPpdCopy&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

class PpdFile {
public:
    explicit PpdFile(const std::string& path) : ppd_(ppdOpenFile(path.c_str())) {}
    ~PpdFile() {
        if (ppd_) {
            ppdClose(ppd_);
        }
    }
    PpdFile(const PpdFile&) = delete;
    PpdFile& operator=(const PpdFile&) = delete;
    ppd_file_t* get() const { return ppd_; }

private:
    ppd_file_t* ppd_;
};

class DestList {
public:
    explicit DestList(http_t* http) : count_(http ? cupsGetDests2(http, &dests_) : 0) {}
    ~DestList() { cupsFreeDests(count_, dests_); }
    DestList(const DestList&) = delete;
    DestList& operator=(const DestList&) = delete;
    const cups_dest_t* begin() const { return dests_; }
    const cups_dest_t* end() const { return dests_ + (dests_ ? count_ : 0); }

private:
    cups_dest_t* dests_ = nullptr;
    int count_;
};

struct PpdField {
    const char* keyword;
    std::string DeviceIDs::*field;
};

// Read in this order; the device option is derived afterwards.
const PpdField kPpdFields[] = {
    {"1284DeviceID", &DeviceIDs::deviceID}, {"inkNameBK", &DeviceIDs::inkNameBK},
    {"inkNameMK", &DeviceIDs::inkNameMK},   {"inkNameC", &DeviceIDs::inkNameC},
    {"inkNameM", &DeviceIDs::inkNameM},     {"inkNameY", &DeviceIDs::inkNameY},
    {"inkNameMN", &DeviceIDs::inkNameMN},   {"inkCartridgeLayout", &DeviceIDs::inkCartridgeLayout},
};

// Printed by the verbose scan for a supported queue, each only when not empty.
const PpdField kInkFields[] = {
    {"inkNameBK", &DeviceIDs::inkNameBK},
    {"inkNameMK", &DeviceIDs::inkNameMK},
    {"inkNameC", &DeviceIDs::inkNameC},
    {"inkNameM", &DeviceIDs::inkNameM},
    {"inkNameY", &DeviceIDs::inkNameY},
    {"inkNameMN", &DeviceIDs::inkNameMN},
    {"inkCartridgeLayout", &DeviceIDs::inkCartridgeLayout},
};

struct OptionPattern {
    std::regex pattern;
    const char* option;
};

// First match wins: the P models of the 5000/5500 series peel, their A models and every
// 2000/9000 model cut.
const std::vector<OptionPattern>& optionPatterns() {
    static const std::vector<OptionPattern> patterns{
        {std::regex("MFG:VARDA;MDL:RV-[CD]5[05][0-5]0P.?;.*"), "PEELER"},
        {std::regex("MFG:VARDA;MDL:RV-[CD](5[05][0-5]0A|20[0-5]0.?|90[0-5]0.?).?;.*"), "CUTTER"},
    };
    return patterns;
}

const std::regex& supportedModel() {
    static const std::regex pattern(
        "MFG:VARDA;MDL:RV-[CD](5[05][0-5]0[PA]|20[0-5]0|90[0-5]0).?;.*");
    return pattern;
}

const std::regex& supportedScheme() {
    static const std::regex pattern("^(vardaUSB|lpd|socket|mdns|dnssd|ipp)://.*");
    return pattern;
}

// A repeated keyword may be valueless in its first occurrences; the first non-empty one counts.
std::string firstValued(ppd_file_t* ppd, const char* keyword) {
    for (ppd_attr_t* attr = ppdFindAttr(ppd, keyword, nullptr); attr;
         attr = ppdFindNextAttr(ppd, keyword, nullptr)) {
        if (attr->value && attr->value[0]) {
            return attr->value;
        }
    }
    return {};
}

std::string firstValueText(ipp_attribute_t* attr) {
    if (ippGetCount(attr) < 1) {
        return {};
    }
    if (const char* s = ippGetString(attr, 0, nullptr)) {
        return s;
    }
    switch (ippGetValueTag(attr)) {
    case IPP_TAG_INTEGER:
    case IPP_TAG_ENUM:
        return std::to_string(ippGetInteger(attr, 0));
    case IPP_TAG_BOOLEAN:
        return ippGetBoolean(attr, 0) ? "true" : "false";
    default:
        return {};
    }
}

struct PrinterRun {
    std::string name;
    std::string uriSupported;
    std::string deviceUri;
};

struct WantedAttribute {
    const char* name;
    ipp_tag_t tag;
    std::string PrinterRun::*field;
};

const WantedAttribute kWanted[] = {
    {"printer-name", IPP_TAG_NAME, &PrinterRun::name},
    {"printer-uri-supported", IPP_TAG_URI, &PrinterRun::uriSupported},
    {"device-uri", IPP_TAG_URI, &PrinterRun::deviceUri},
};

void takeAttribute(ipp_attribute_t* attr, PrinterRun& printer) {
    const char* name = ippGetName(attr);
    if (debug) {
        const int count = ippGetCount(attr);
        diag("attr[%p]: { name: \"%s\", num_values: %d, value: {\"%s\"}%s }\n",
             static_cast<void*>(attr), name ? name : "", count, firstValueText(attr).c_str(),
             count > 1 ? "..." : "");
    }
    if (!name) {
        return;
    }
    for (const auto& wanted : kWanted) {
        if (std::string(name) == wanted.name && ippGetValueTag(attr) == wanted.tag) {
            const char* value = ippGetString(attr, 0, nullptr);
            printer.*wanted.field = value ? value : "";
        }
    }
}

void storePrinter(const PrinterRun& printer, DeviceUriTable& table) {
    if (printer.name.empty()) {
        return;
    }
    static const std::string filePrefix = "file:";
    std::string uri = printer.deviceUri;
    if (uri.empty()) {
        uri = printer.uriSupported;
    } else if (uri.compare(0, filePrefix.size(), filePrefix) == 0) {
        uri.erase(0, filePrefix.size());
    }
    table[printer.name] = uri;
}

} // namespace

std::string deviceOptionOf(const std::string& deviceID) {
    if (deviceID.empty()) {
        return {};
    }
    for (const auto& p : optionPatterns()) {
        if (std::regex_match(deviceID, p.pattern)) {
            return p.option;
        }
    }
    return {};
}

bool QueueNameLess::operator()(const std::string& a, const std::string& b) const {
    // Byte-wise and locale-free, as the scheduler compares names.
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

DeviceIDs GetDeviceIDFromQueue(const std::string& queue, CupsRun& run) {
    DeviceIDs ids;
    if (queue.empty() || !run.mayAsk(queue)) {
        return ids;
    }
    CupsConnection http;
    // Declared before the PPD handle, so the file is closed before its copy is removed.
    TempPpdCopy copy(http.get() ? cupsGetPPD2(http.get(), queue.c_str()) : nullptr);
    if (copy.path().empty()) {
        run.queueFailed(queue);
        if (!http.answered()) {
            run.serverSilent();
        }
        return ids;
    }
    {
        PpdFile ppd(copy.path());
        if (ppd.get()) {
            for (const auto& f : kPpdFields) {
                ids.*f.field = firstValued(ppd.get(), f.keyword);
            }
        }
    }
    ids.deviceOption = deviceOptionOf(ids.deviceID);
    return ids;
}

DeviceUriTable listupDevicesByIPP(CupsRun& run) {
    DeviceUriTable table;
    if (!run.mayAsk()) {
        return table;
    }
    CupsConnection http;
    IppMessage response(nullptr);
    if (http.get()) {
        static const char* const requested[] = {"printer-name", "printer-uri-supported",
                                                "device-uri"};
        ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                      static_cast<int>(sizeof requested / sizeof requested[0]), nullptr, requested);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     cupsUser());
        // cupsDoRequest frees the request.
        response.reset(cupsDoRequest(http.get(), request, "/"));
    }
    if (!response.get() || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        if (debug) {
            diag("\e[31m%s\e[0m\n", http.error().c_str());
        }
        if (!http.answered()) {
            run.serverSilent();
        }
        return table;
    }
    ipp_attribute_t* attr = ippFirstAttribute(response.get());
    while (attr) {
        while (attr && ippGetGroupTag(attr) != IPP_TAG_PRINTER) {
            attr = ippNextAttribute(response.get());
        }
        if (!attr) {
            break;
        }
        PrinterRun printer;
        for (; attr && ippGetGroupTag(attr) == IPP_TAG_PRINTER;
             attr = ippNextAttribute(response.get())) {
            takeAttribute(attr, printer);
        }
        storePrinter(printer, table);
    }
    return table;
}

void listSupportedQueues(const DeviceUriTable& uris, std::vector<std::string>& queues,
                         std::map<std::string, DeviceIDs>& records, CupsRun& run) {
    static const char* const kRedNA = "\e[31mN/A\e[0m";
    if (!run.mayAsk()) {
        return;
    }
    CupsConnection http;
    DestList dests(http.get());
    if (!http.answered()) {
        run.serverSilent();
    }
    for (const cups_dest_t& dest : dests) {
        if (!dest.name || (dest.instance && dest.instance[0])) {
            continue;
        }
        const std::string name = dest.name;
        const char* deviceUri = cupsGetOption("device-uri", dest.num_options, dest.options);
        DeviceIDs ids = GetDeviceIDFromQueue(name, run);
        const auto found = uris.find(name);
        const std::string uri = found == uris.end() ? std::string() : found->second;
        if (verbose) {
            diag("%s\n", name.c_str());
            diag("\t\e[33m%s(cupsGetDests):\e[0m %s\n", "device-uri",
                 deviceUri ? deviceUri : kRedNA);
            diag("\t\e[33mdevice-uri(IPP):\e[0m %s\n", uri.c_str());
            diag("\t\e[33m1284DeviceID:\e[0m %s\n",
                 ids.deviceID.empty() ? kRedNA : ids.deviceID.c_str());
        }
        if (ids.deviceID.empty() || !std::regex_match(ids.deviceID, supportedModel()) ||
            !std::regex_search(uri, supportedScheme())) {
            continue;
        }
        queues.push_back(name);
        if (verbose) {
            for (const auto& f : kInkFields) {
                const std::string& value = ids.*f.field;
                if (!value.empty()) {
                    diag("\t\e[33m%s:\e[0m %s\n", f.keyword, value.c_str());
                }
            }
        }
        records[name] = std::move(ids);
    }
}
