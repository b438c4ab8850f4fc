// SPDX-License-Identifier: Apache-2.0
#include "DeviceExchange.h"

#include "CommandFile.h"
#include "Dump.h"
#include "SettingsTable.h"
#include "Switches.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <sys/types.h>

const char kStatusRequest[] = "~H(SMA,S~H(IMM,I~H(SEA,E~H(QWN~H(CLM,P~H(IMF,V~H(QMN~H(QIQ~H(IMP,"
                              "S~H(SPA,P~H(SPA,S~H(SPA,O~H(SEA,F";
const char kStatusReplyBegin[] = "\x02^S(SMA,S,";
const char kStatusReplyEnd[] = "\x02^S(SEA,F,";

// A trace line of the -d switch; a macro so that the format stays checked.
#define TRACE(...)                                                                                 \
    do {                                                                                           \
        if (debug) {                                                                               \
            diag(__VA_ARGS__);                                                                     \
        }                                                                                          \
    } while (false)

namespace {

constexpr int kTimeout = 10000;
constexpr int kStatusTimeout = -1;

// Runs a closing step when the scope ends, on every path out of the exchange.
template <typename Fn> class AtExit {
public:
    explicit AtExit(Fn fn) : fn_(fn) {}
    ~AtExit() { fn_(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

private:
    Fn fn_;
};

// A zero-filled buffer with one NUL byte beyond size, so that text searches stop inside it;
// null when it cannot be had.
std::unique_ptr<char[]> zeroBuffer(unsigned long size) {
    if (size >= ULONG_MAX) {
        return nullptr;
    }
    return std::unique_ptr<char[]>(new (std::nothrow) char[size + 1]());
}

ssize_t signedSize(unsigned long size) {
    return static_cast<ssize_t>(size);
}

// The scheme of a device URI for a diagnostic: letters, digits and "+-." only, so that a queue's
// URI cannot put control bytes on the terminal.
std::string uriScheme(const std::string& uri) {
    const std::size_t end = uri.find("://");
    std::string scheme = uri.substr(0, end == std::string::npos ? 0 : end);
    for (char& c : scheme) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        c = plain ? c : '?';
    }
    return scheme;
}

bool loadLibrary(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (load(path.c_str())) {
            return true;
        }
    }
    return false;
}

class Exchange {
public:
    Exchange(const ExchangeInput& input, FILE* out) : input_(input), out_(out) {}

    ExchangeResult run() {
        if (dryrun) {
            load_dryrun();
            result_.parser = std::make_unique<KorelStatusParserDryrun>();
        } else if (!loadLibrary(input_.libraryPaths)) {
            fprintf(out_, "dexo1.so load error, %s\n", lastLoadError().c_str());
            result_.end = ExchangeEnd::LoadFailed;
            return std::move(result_);
        } else {
            result_.parser = std::make_unique<KorelStatusParser>();
        }

        DEXO_Err err = dexo::DEXOInitialize(kDEXO_InitMode_Default, nullptr);
        TRACE("\033[33mDEXOInitialize\033[0m  err = %s(%d)\n", toString(err), err);
        if (failed(err)) {
            return std::move(result_);
        }
        AtExit release([] {
            const DEXO_Err e = dexo::DEXORelease();
            TRACE("\033[33mDEXORelease\033[0m  err = %s(%d)\n", toString(e), e);
        });

        const void* device = nullptr;
        err = dexo::DEXOOpen(input_.uri.c_str(), &device);
        TRACE("\033[33mDEXOOpen\033[0m(\"\033[36m%s\033[0m\")  err = %s(%d)\n", input_.uri.c_str(),
              toString(err), err);
        // The library expects a close after a failed open as well.
        AtExit close([device] {
            const DEXO_Err e = dexo::DEXOClose(device);
            TRACE("\033[33mDEXOClose\033[0m  err = %s(%d)\n", toString(e), e);
        });
        if (failed(err)) {
            // Another library may reach more schemes; the user is told only what this one said.
            if (err == kDEXO_Err_NotSupport && (verbose || debug)) {
                diag(
                    "\033[33mthis dexo1.so cannot reach %s:// printers; a socket://host:9100 queue "
                    "works\033[0m\n",
                    uriScheme(input_.uri).c_str());
            }
            return std::move(result_);
        }
        if (input_.statusFlag) {
            readStatus(device);
        }
        if (!input_.setRequest.empty() || !input_.getRequest.empty() ||
            !input_.functionRequest.empty()) {
            useChannel(device);
        }
        return std::move(result_);
    }

private:
    // Outside dry-run mode every non-zero code is a failure; the dry-run functions are not
    // checked.
    static bool failed(DEXO_Err err) { return !dryrun && err != kDEXO_Err_NoErr; }

    void readStatus(const void* device) {
        DEXO_KorelStatusCommand command{device, kStatusRequest, kStatusReplyBegin, kStatusReplyEnd};
        DEXO_Err err = dexo::DEXOIOCTL(kDEXO_IOCTLMode_SetKorelStatusCommand, &command);
        TRACE("\033[33mDEXOIOCTL\033[0m(kDEXO_IOCTLMode_SetKorelStatusCommand,)  err = %s(%d)\n",
              toString(err), err);
        if (failed(err)) {
            return;
        }
        unsigned long deviceIDSize = 0;
        unsigned long statusSize = 0;
        err = dexo::DEXOGetSize(device, &deviceIDSize, &statusSize);
        TRACE("\033[33mDEXOGetSize\033[0m  err = %s(%d), devIDSize %zd, statusSize %zd\n",
              toString(err), err, signedSize(deviceIDSize), signedSize(statusSize));
        if (err != kDEXO_Err_NoErr) {
            return;
        }
        std::unique_ptr<char[]> buffer = zeroBuffer(statusSize);
        unsigned long size = statusSize;
        err = buffer ? dexo::DEXOGetStatus(device, buffer.get(), &size, kStatusTimeout)
                     : kDEXO_Err_Nomem;
        // A library that claims more than the buffer it was given is not believed.
        size = buffer ? std::min(size, statusSize) : 0;
        if (!buffer || (!dryrun && (err != kDEXO_Err_NoErr || size == 0))) {
            result_.parser->SetAsCommError();
            TRACE("\033[33mDEXOGetStatus\033[0m  err = %s(%d), size %zd\n", toString(err), err,
                  signedSize(size));
            return;
        }
        if (debug) {
            diag("\033[33mDEXOGetStatus\033[0m  err = %s(%d), size %zd, Status [\n", toString(err),
                 err, signedSize(size));
            if (!dryrun) {
                PrintBinaryMultilines(buffer.get(), size, out_);
            }
            fputs("]\n", out_);
        }
        result_.parser->Parse(buffer.get(),
                              static_cast<int>(std::min<unsigned long>(size, INT_MAX)));
    }

    void useChannel(const void* device) {
        const void* channel = nullptr;
        const DEXO_Err err =
            dexo::DEXOOpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, kTimeout);
        TRACE("\033[33mDEXOOpenChannel\033[0m  err = %s(%d)\n", toString(err), err);
        AtExit closeChannel([channel] {
            const DEXO_Err e = dexo::DEXOCloseChannel(channel, kTimeout);
            TRACE("\033[33mDEXOCloseChannel\033[0m  err = %s(%d)\n", toString(e), e);
        });
        if (failed(err)) {
            result_.parser->SetAsCommError();
            result_.channelFailed = true;
            fputs("ERROR\n", out_);
            return;
        }
        // Each write is made whatever the earlier ones returned.
        if (input_.unitFlag) {
            write(channel, kUnitPreamble);
        }
        if (!input_.setRequest.empty()) {
            write(channel, input_.setRequest);
        }
        if (!input_.getRequest.empty() && write(channel, input_.getRequest) == kDEXO_Err_NoErr) {
            if (readReply(channel) && input_.outputPath != nullptr && !keepReply()) {
                result_.end = ExchangeEnd::OutputOpenFailed;
                return;
            }
        }
        if (!input_.functionRequest.empty()) {
            write(channel, input_.functionRequest);
        }
    }

    DEXO_Err write(const void* channel, std::string_view request) {
        unsigned long size = request.size();
        const DEXO_Err err = dexo::DEXOWrite(channel, request.data(), &size, kTimeout);
        if (debug) {
            diag("\033[33mDEXOWrite\033[0m err = %s(%d), writeSize %zd, writtenSize %zd [",
                 toString(err), err, signedSize(request.size()), signedSize(size));
            PrintBinary(request.data(), request.size(), out_);
            fputs("]\n", out_);
        }
        return err;
    }

    // True when a reply was read.
    bool readReply(const void* channel) {
        unsigned long waiting = 0;
        DEXO_Err err = dexo::DEXORead(channel, nullptr, &waiting, kTimeout);
        std::unique_ptr<char[]> buffer;
        if (err == kDEXO_Err_NoErr && waiting > 0) {
            buffer = zeroBuffer(waiting);
            // A reply that cannot be held counts as none.
            err = buffer ? err : kDEXO_Err_Nomem;
        }
        if (!buffer) {
            TRACE("\033[33mDEXORead\033[0m  err = %s(%d)\n", toString(err), err);
            return false;
        }
        unsigned long size = waiting;
        err = dexo::DEXORead(channel, buffer.get(), &size, kTimeout);
        // A failed copy leaves only the zeroed buffer: storing it would empty the reply file.
        if (failed(err)) {
            TRACE("\033[33mDEXORead\033[0m  err = %s(%d)\n", toString(err), err);
            return false;
        }
        size = std::min(size, waiting);
        result_.reply.assign(buffer.get(), size);
        result_.replyRead = true;
        buffer.reset();
        if (debug) {
            const std::string& reply = result_.reply;
            diag("\033[33mDEXORead\033[0m  err = %s(%d) readSize %zd readBuf [", toString(err), err,
                 signedSize(size));
            // A line end before the last byte makes the reply multi-line; the last byte is left
            // out on purpose, and the reply is bytes, not a C string.
            // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
            if (reply.size() > 1 && memchr(reply.data(), '\n', reply.size() - 1) != nullptr) {
                diag("\n");
                PrintBinaryMultilines(reply.data(), reply.size(), out_);
            } else {
                PrintBinary(reply.data(), reply.size(), out_);
            }
            fputs("]\n", out_);
        }
        return true;
    }

    bool keepReply() {
        if (!storeReply(*input_.outputPath, result_.reply)) {
            fputs("Outputfile Open Error.", out_);
            return false;
        }
        echoReply(result_.reply, out_);
        return true;
    }

    const ExchangeInput& input_;
    FILE* out_;
    ExchangeResult result_;
};

} // namespace

ExchangeResult runExchange(const ExchangeInput& input, FILE* out) {
    return Exchange(input, out).run();
}
