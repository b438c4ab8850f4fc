// SPDX-License-Identifier: Apache-2.0
#include "CommandLine.h"

#include "FunctionRegistry.h"

#include <cstdio>
#include <sys/types.h>

namespace {

enum class Action {
    Nothing,
    SkipNext,    // the next word, whatever it is
    Debug,       // pass 1
    Verbose,     // pass 1
    DryRun,      // pass 1
    List,        // pass 1
    Queue,       // pass 1, value required
    Input,       // pass 1, value required
    Output,      // pass 1, value required
    CommandFile, // pass 2
    Function,    // pass 3, value required
    Option,      // pass 3, value required
};

struct LetterAction {
    char letter;
    Action action;
};

// One table per pass: the letters each pass cares about; every recognised letter is present.
const LetterAction kPass1[] = {
    {'c', Action::Nothing}, {'d', Action::Debug},   {'f', Action::SkipNext}, {'i', Action::Input},
    {'l', Action::List},    {'n', Action::DryRun},  {'o', Action::SkipNext}, {'p', Action::Queue},
    {'u', Action::Output},  {'v', Action::Verbose},
};
const LetterAction kPass2[] = {
    {'c', Action::CommandFile}, {'d', Action::Nothing},  {'f', Action::SkipNext},
    {'i', Action::SkipNext},    {'l', Action::Nothing},  {'n', Action::Nothing},
    {'o', Action::SkipNext},    {'p', Action::SkipNext}, {'u', Action::SkipNext},
    {'v', Action::Nothing},
};
const LetterAction kPass3[] = {
    {'c', Action::Nothing},  {'d', Action::Nothing},  {'f', Action::Function},
    {'i', Action::SkipNext}, {'l', Action::Nothing},  {'n', Action::Nothing},
    {'o', Action::Option},   {'p', Action::SkipNext}, {'u', Action::SkipNext},
    {'v', Action::Nothing},
};

template <size_t N> const Action* lookup(const LetterAction (&table)[N], char letter) {
    for (const LetterAction& entry : table) {
        if (entry.letter == letter) {
            return &entry.action;
        }
    }
    return nullptr;
}

enum class Step { Continue, Usage, EndPass, FileError };

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    template <size_t N> Step runPass(const LetterAction (&table)[N]) {
        for (size_t i = 0; i < args_.size(); ++i) {
            const std::string& word = args_[i];
            if (word.size() < 2 || word[0] != '-') {
                return Step::Usage;
            }
            const Action* action = lookup(table, word[1]);
            if (action == nullptr) {
                return Step::Usage;
            }
            const Step step = apply(*action, i);
            if (step != Step::Continue) {
                return step;
            }
        }
        return Step::Continue;
    }

    ParseResult result;

private:
    bool hasValue(size_t i) const { return i + 1 < args_.size() && args_[i + 1][0] != '-'; }

    // Takes the value of the option at i into value; false when there is none.
    bool takeValue(size_t& i, std::string& value) {
        if (!hasValue(i)) {
            return false;
        }
        value = args_[++i];
        return true;
    }

    Step apply(Action action, size_t& i) {
        RunDescription& run = result.run;
        std::string value;
        switch (action) {
        case Action::Nothing:
            return Step::Continue;
        case Action::SkipNext:
            ++i;
            return Step::Continue;
        case Action::Debug:
            result.switches.debug = true;
            return Step::Continue;
        case Action::Verbose:
            result.switches.verbose = true;
            return Step::Continue;
        case Action::DryRun:
            result.switches.dryrun = true;
            return Step::Continue;
        case Action::List:
            run.listMode = true;
            return Step::Continue;
        case Action::Queue:
            if (!takeValue(i, value)) {
                return Step::Usage;
            }
            run.queues.push_back(value);
            return Step::Continue;
        case Action::Input:
            if (!takeValue(i, run.inputPath)) {
                return Step::Usage;
            }
            run.inputGiven = true;
            return Step::Continue;
        case Action::Output:
            if (!takeValue(i, run.outputPath)) {
                return Step::Usage;
            }
            run.outputGiven = true;
            return Step::Continue;
        case Action::CommandFile:
            return loadCommandFileStep();
        case Action::Function:
            if (!takeValue(i, value)) {
                return Step::Usage;
            }
            run.functions.push_back(value);
            return Step::Continue;
        case Action::Option:
            if (!takeValue(i, value)) {
                return Step::Usage;
            }
            addOption(value);
            return Step::Continue;
        }
        return Step::Usage;
    }

    Step loadCommandFileStep() {
        RunDescription& run = result.run;
        run.commandFileMode = true;
        run.listMode = false;
        if (!run.inputGiven) {
            result.message = "\033[1mNo inputfile specified\033[0m\n";
            return Step::Usage;
        }
        const CommandFileStatus status = loadCommandFile(run.inputPath, run.commandText);
        if (status != CommandFileStatus::Loaded) {
            result.message = commandFileMessage(status);
            return Step::FileError;
        }
        return Step::EndPass;
    }

    void addOption(const std::string& option) {
        RunDescription& run = result.run;
        const size_t equals = option.find('=');
        if (equals == std::string::npos) {
            run.optionKeys.push_back(option);
            return;
        }
        const std::string key = option.substr(0, equals);
        run.settings[key] = option.substr(equals + 1);
        run.optionKeys.push_back(key);
    }

    const std::vector<std::string>& args_;
};

ParseResult finish(Parser& parser, Step step) {
    ParseResult& result = parser.result;
    result.outcome = step == Step::FileError ? ParseOutcome::FileError : ParseOutcome::Usage;
    return std::move(result);
}

} // namespace

ParseResult parseCommandLine(const std::vector<std::string>& args) {
    Parser parser(args);
    if (args.empty()) {
        return finish(parser, Step::Usage);
    }
    Step step = parser.runPass(kPass1);
    if (step != Step::Continue) {
        return finish(parser, step);
    }
    step = parser.runPass(kPass2);
    if (step != Step::Continue && step != Step::EndPass) {
        return finish(parser, step);
    }
    RunDescription& run = parser.result.run;
    if (!run.commandFileMode) {
        step = parser.runPass(kPass3);
        if (step != Step::Continue) {
            return finish(parser, step);
        }
    }
    if (!run.listMode && run.queues.empty()) {
        parser.result.message = "\033[1mNo queue specified\033[0m\n";
        return finish(parser, Step::Usage);
    }
    if (!run.listMode && !run.commandFileMode && run.optionKeys.empty() && run.functions.empty()) {
        parser.result.message = "\033[1mNo option specified\033[0m\n";
        return finish(parser, Step::Usage);
    }
    parser.result.outcome = ParseOutcome::Run;
    return std::move(parser.result);
}

std::string usageText() {
    static const char kHead[] =
        "Usage: tarn -p destination[-i inputfile_path][-u outputfile_path] [-o option[=value]] "
        "[-l [option]]\n"
        "\n"
        "  \033[1m-l\033[0m\n"
        "      Shows the printers which is supported.\n"
        "  \033[1m-p\033[0m destination\n"
        "      Sets the destination and instance.\n"
        "  \033[1m-o\033[0m option=value\n"
        "      Specifies a new option for the named destination.\n"
        "  \033[1m-o\033[0m option\n"
        "      The current options for the named printer are reported on the standard output.\n"
        "        - deviceID [O]\n"
        "        - deviceOption [O], 'CUTTER' or 'PEELER'\n"
        "        - inkNameK [O]\n"
        "        - inkNameC [O]\n"
        "        - inkNameM [O]\n"
        "        - inkNameY [O]\n"
        "        - inkNameMN [O], maintenance Box\n"
        "        - status [O]\n"
        "        - statusGroup [O]\n"
        "        - inkK [O]\n"
        "        - inkC [O]\n"
        "        - inkM [O]\n"
        "        - inkY [O]\n"
        "        - inkMN [O], maintenance Box\n"
        "        - paperSource [I/O]\n"
        "        - paperShape [I/O]\n"
        "        - paperForm [I/O]\n"
        "        - formDetectionType [I/O]\n"
        "        - formGap [I/O]\n"
        "        - sideMargin [I/O]\n"
        "        - rightMargin [I/O]\n"
        "        - paperCoatingType [I/O]\n"
        "        - printQuality [I/O]\n"
        "        - cutPosition [I/O]\n"
        "        - printPositionV [I/O]\n"
        "        - printPositionH [I/O]\n"
        "        - peelerMode [I/O]\n"
        "        - peelPositionA [I/O]\n"
        "        - peelPositionB [I/O]\n"
        "        - incomplete_labelTreatment [I/O]\n"
        "        - edgeHole [I/O]\n"
        "        - head_mediaClearanceHeight [I/O]\n";
    static const char kTail[] =
        "  \033[1m-v\033[0m [option]\n"
        "      Verbose\n"
        "  \033[1m-d\033[0m [option]\n"
        "      Debug\n"
        "  \033[1m-n\033[0m [option]\n"
        "      Dry run\n"
        "  \033[1m-c\033[0m [option]\n"
        "      CUI Mode\n"
        "  \033[1m-i\033[0m option\n"
        "      Used in CUI Mode. Specifies the file path of the text file that contains "
        "commands.\n"
        "  \033[1m-u\033[0m option\n"
        "      Used in CUI Mode. Specifies the file path of the text file where the output will "
        "be written.\n"
        "\n";
    std::string text = kHead;
    const std::vector<ActionEntry*>& actions = *getActionList();
    if (actions.empty()) {
        char line[64];
        snprintf(line, sizeof line, "action count = %zd\n", static_cast<ssize_t>(actions.size()));
        text += line;
    } else {
        text += "  \033[1m-f\033[0m [option]\n      Do some functions\n";
        for (const ActionEntry* action : actions) {
            text += "        - " + action->getKey() + "\n";
        }
    }
    return text + kTail;
}
