// SPDX-License-Identifier: Apache-2.0
// How long one status read and one settings read take through the whole chain (tarn, private
// cupsd, dexo1.so, emulator), against `lpstat -v QUEUE` in the same run, and the device exchange
// alone through dexo1.so. Prints medians and ratios; not a test.
#include "TestBed.h"
#include "dexo1.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char kStatusRequest[] = "~H(SMA,S~H(IMM,I~H(SEA,E~H(QWN~H(CLM,P~H(IMF,V~H(QMN~H(QIQ~H(IMP,"
                              "S~H(SPA,P~H(SPA,S~H(SPA,O~H(SEA,F";
const char kSettingsRequest[] = "~H(CLM,P~H(CLM,S~H(CLM,F~H(CLM,D~H(CLS,C~H(CLS,G~H(CLS,R~H(CLS,T";
const char kPreamble[] = "^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600^XZ";

struct Result {
    double medianMs = 0;
    double minMs = 0;
    bool ok = true;
};

Result measure(int iterations, const std::function<bool()>& once) {
    std::vector<double> times;
    Result result;
    for (int i = 0; i < iterations; ++i) {
        const auto start = Clock::now();
        result.ok = once() && result.ok;
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    result.medianMs = times[times.size() / 2];
    result.minMs = times.front();
    return result;
}

void print(const char* what, const Result& r) {
    std::printf("%-44s median %8.3f ms   min %8.3f ms%s\n", what, r.medianMs, r.minMs,
                r.ok ? "" : "   (FAILED RUNS)");
}

struct Dexo {
    void* handle = nullptr;
    template <typename T> T fn(const char* name) {
        return reinterpret_cast<T>(::dlsym(handle, name));
    }
};

} // namespace

int main(int argc, char** argv) {
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    testbed::TestBed bed({"RV-C9000"});
    if (!bed.ok()) {
        std::fprintf(stderr, "test bed: %s\n", bed.error().c_str());
        return 1;
    }
    const testbed::Queue& queue = bed.queues().front();
    std::printf("queue %s (%s) at %s, %d runs each\n", queue.name.c_str(),
                queue.model.model.c_str(), queue.uri.c_str(), iterations);

    auto tarnRun = [&](const std::vector<std::string>& args, const char* expect) {
        std::vector<std::string> argv{"-p", queue.name};
        argv.insert(argv.end(), args.begin(), args.end());
        const harness::RunResult r = bed.tarn(argv);
        return r.status == 0 && r.out.find(expect) != std::string::npos;
    };
    const Result lpstat = measure(iterations, [&] {
        const harness::RunResult r = bed.cups().run({"lpstat", "-v", queue.name});
        return r.status == 0 && r.out.find(queue.uri) != std::string::npos;
    });
    const Result status = measure(iterations, [&] {
        return tarnRun({"-o", "status", "-o", "statusGroup", "-o", "inksOfErrorReason", "-o",
                        "inkK", "-o", "inkC", "-o", "inkM", "-o", "inkY", "-o", "inkMN"},
                       "status: 600, Status_IL_PAPF");
    });
    const Result settings = measure(iterations, [&] {
        return tarnRun({"-o", "deviceID", "-o", "paperSource", "-o", "paperShape", "-o",
                        "paperForm", "-o", "formDetectionType", "-o", "formGap", "-o", "sideMargin",
                        "-o", "rightMargin", "-o", "edgeHole"},
                       "formGap: 72");
    });

    Dexo dexo;
    dexo.handle = ::dlopen((testbed::TestBed::binDir() + "/dexo1.so").c_str(), RTLD_NOW);
    if (dexo.handle == nullptr) {
        std::fprintf(stderr, "%s\n", ::dlerror());
        return 1;
    }
    auto Initialize = dexo.fn<decltype(&::DEXOInitialize)>("DEXOInitialize");
    auto Release = dexo.fn<decltype(&::DEXORelease)>("DEXORelease");
    auto Open = dexo.fn<decltype(&::DEXOOpen)>("DEXOOpen");
    auto Close = dexo.fn<decltype(&::DEXOClose)>("DEXOClose");
    auto IOCTL = dexo.fn<decltype(&::DEXOIOCTL)>("DEXOIOCTL");
    auto GetSize = dexo.fn<decltype(&::DEXOGetSize)>("DEXOGetSize");
    auto GetStatus = dexo.fn<decltype(&::DEXOGetStatus)>("DEXOGetStatus");
    auto OpenChannel = dexo.fn<decltype(&::DEXOOpenChannel)>("DEXOOpenChannel");
    auto CloseChannel = dexo.fn<decltype(&::DEXOCloseChannel)>("DEXOCloseChannel");
    auto Write = dexo.fn<decltype(&::DEXOWrite)>("DEXOWrite");
    auto Read = dexo.fn<decltype(&::DEXORead)>("DEXORead");

    // The calls of one tool exchange, without the tool: status, then the settings channel.
    const Result exchangeStatus = measure(iterations, [&] {
        const void* device = nullptr;
        bool ok = Initialize(kDEXO_InitMode_Default, nullptr) == kDEXO_Err_NoErr &&
                  Open(queue.uri.c_str(), &device) == kDEXO_Err_NoErr;
        DEXO_KorelStatusCommand record{device, kStatusRequest, "\x02^S(SMA,S,", "\x02^S(SEA,F,"};
        unsigned long idSize = 0;
        unsigned long size = 0;
        ok = ok && IOCTL(kDEXO_IOCTLMode_SetKorelStatusCommand, &record) == kDEXO_Err_NoErr &&
             GetSize(device, &idSize, &size) == kDEXO_Err_NoErr && size > 0;
        std::vector<char> buffer(size);
        ok = ok && GetStatus(device, buffer.data(), &size, -1) == kDEXO_Err_NoErr;
        Close(device);
        Release();
        return ok;
    });
    const Result exchangeSettings = measure(iterations, [&] {
        const void* device = nullptr;
        const void* channel = nullptr;
        bool ok = Initialize(kDEXO_InitMode_Default, nullptr) == kDEXO_Err_NoErr &&
                  Open(queue.uri.c_str(), &device) == kDEXO_Err_NoErr &&
                  OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000) ==
                      kDEXO_Err_NoErr;
        unsigned long size = sizeof kPreamble - 1;
        ok = ok && Write(channel, kPreamble, &size, 10000) == kDEXO_Err_NoErr;
        size = sizeof kSettingsRequest - 1;
        ok = ok && Write(channel, kSettingsRequest, &size, 10000) == kDEXO_Err_NoErr;
        size = 0;
        ok = ok && Read(channel, nullptr, &size, 10000) == kDEXO_Err_NoErr && size > 0;
        std::vector<char> buffer(size);
        ok = ok && Read(channel, buffer.data(), &size, 10000) == kDEXO_Err_NoErr;
        CloseChannel(channel, 10000);
        Close(device);
        Release();
        return ok;
    });

    print("lpstat -v QUEUE", lpstat);
    print("tarn status read (whole chain)", status);
    print("tarn settings read (whole chain)", settings);
    print("dexo1.so status exchange alone", exchangeStatus);
    print("dexo1.so settings exchange alone", exchangeSettings);
    // Minimums too: on a shared machine they show the cost with the least interference.
    const struct {
        const char* what;
        const Result& r;
    } ratios[] = {{"status read", status},
                  {"settings read", settings},
                  {"status exchange", exchangeStatus},
                  {"settings exchange", exchangeSettings}};
    for (const auto& entry : ratios) {
        std::printf("ratio %-18s / lpstat: median %7.3f   min %7.3f\n", entry.what,
                    entry.r.medianMs / lpstat.medianMs, entry.r.minMs / lpstat.minMs);
    }
    ::dlclose(dexo.handle);
    return lpstat.ok && status.ok && settings.ok && exchangeStatus.ok && exchangeSettings.ok ? 0
                                                                                             : 1;
}
