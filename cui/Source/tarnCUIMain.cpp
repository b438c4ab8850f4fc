// SPDX-License-Identifier: Apache-2.0
// tarn: the command-line tool that does all the talking to VARDA RV printers.
#include "Actions.h"
#include "CommandLine.h"
#include "DeviceExchange.h"
#include "Dump.h"
#include "FunctionRegistry.h"
#include "KorelStatusParser.h"
#include "QueueLookup.h"
#include "Report.h"
#include "ResidentTrim.h"
#include "SettingsTable.h"
#include "Switches.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

// The registrars fill the function registry before main runs, in this order.
class ActionPrintNozzleCheckRegister {
public:
    ActionPrintNozzleCheckRegister() {
        registerAction(new ActionPrintNozzleCheck, "ActionPrintNozzleCheck");
    }
};

class ActionStartCleaningHeadRegister {
public:
    ActionStartCleaningHeadRegister() {
        registerAction(new ActionStartCleaningHead, "ActionStartCleaningHead");
    }
};

ActionPrintNozzleCheckRegister ActionPrintNozzleCheckRegisterGlobalInstance;
ActionStartCleaningHeadRegister ActionStartCleaningHeadRegisterGlobalInstance;

namespace {

[[noreturn]] void usage_exit() {
    fputs(usageText().c_str(), stdout);
    fflush(stdout);
    exit(0);
}

// One queue's turn: requests, exchange, report. False when the run must end with status 1.
bool serveQueue(const std::string& queue, RunDescription& run, const DeviceUriTable& uris,
                std::map<std::string, DeviceIDs>& records, CupsRun& cups) {
    printf("destination: %s\n", queue.c_str());

    const GetRequest get = composeGetRequest(run.optionKeys);
    const std::string set = composeSetRequest(run.settings, run.commandFileMode);
    const std::string functions = composeFunctionRequest(run.functions);

    ExchangeInput input;
    const auto uri = uris.find(queue);
    input.uri = uri != uris.end() ? uri->second : std::string();
    input.statusFlag = get.statusFlag;
    input.unitFlag = get.unitFlag;
    input.getRequest = get.text;
    input.setRequest = set;
    input.functionRequest = functions;
    if (run.commandFileMode) {
        // The command file goes out unchanged; only with a reply file is its answer read.
        (run.outputGiven ? input.getRequest : input.setRequest) = run.commandText.view();
    }
    input.outputPath = run.outputGiven ? &run.outputPath : nullptr;

    ExchangeResult result;
    if (get.statusFlag || !input.getRequest.empty() || !input.setRequest.empty() ||
        !input.functionRequest.empty()) {
        // A long command file is sent in one write; what it has passed leaves memory meanwhile.
        const ResidentTrim trim(run.commandText.droppableBegin(), run.commandText.droppableBytes());
        result = runExchange(input);
        if (result.end != ExchangeEnd::Completed) {
            return false;
        }
        if (result.channelFailed) {
            run.optionKeys.push_front("status");
        }
    }

    const KorelStatusParser initial;
    ReportContext context;
    context.queue = queue;
    context.parser = result.parser ? result.parser.get() : &initial;
    context.reply = &result.reply;
    context.records = &records;
    context.fetchRecord = [&cups](const std::string& name) {
        return GetDeviceIDFromQueue(name, cups);
    };
    fputs(reportLines(run.optionKeys, context).c_str(), stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage_exit();
    }
    ParseResult parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    verbose = parsed.switches.verbose;
    debug = parsed.switches.debug;
    dryrun = parsed.switches.dryrun;
    fputs(parsed.message.c_str(), stdout);
    switch (parsed.outcome) {
    case ParseOutcome::Usage:
        usage_exit();
    case ParseOutcome::FileError:
        return 1;
    case ParseOutcome::Run:
        break;
    }
    RunDescription& run = parsed.run;

    if (dryrun) {
        puts("dryrun mode");
    }
    CupsRun cups;
    const DeviceUriTable uris = listupDevicesByIPP(cups);
    if (debug) {
        for (const auto& [queue, uri] : uris) {
            diag("device for %s: %s\n", queue.c_str(), uri.c_str());
        }
    }
    std::map<std::string, DeviceIDs> records;
    if (run.listMode) {
        listSupportedQueues(uris, run.queues, records, cups);
    }

    // A reader that closes the pipe early, or a termination request, must not cut an exchange.
    signal(SIGPIPE, SIG_IGN);
    signal(SIGTERM, SIG_IGN);

    for (const std::string& queue : run.queues) {
        if (!serveQueue(queue, run, uris, records, cups)) {
            fflush(stdout);
            return 1;
        }
    }
    unload();
    return 0;
}
