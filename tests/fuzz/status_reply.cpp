// SPDX-License-Identifier: Apache-2.0
// The status parser on arbitrary replies: no read outside the reply, and a state that the report
// and tarnqt can use (a named group and detail, inks only K, C, M, Y in that order).
#include "FuzzCheck.h"
#include "KorelStatusParser.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct State {
    bool parsed;
    int group, detail, fatal, model;
    std::vector<int> inks, status, amount;
    bool operator==(const State& o) const {
        return parsed == o.parsed && group == o.group && detail == o.detail && fatal == o.fatal &&
               model == o.model && inks == o.inks && status == o.status && amount == o.amount;
    }
};

const int kKeys[5] = {'K', 'C', 'M', 'Y', kInkKeyMN};

State Take(const KorelStatusParser& p, bool parsed) {
    State s{parsed,
            p.GetStatusGroup(),
            p.GetStatusDetail(),
            p.GetFatalErrorCode(),
            p.GetInkModel(),
            p.GetInksOfErrorReason(),
            {},
            {}};
    for (int key : kKeys) {
        s.status.push_back(p.GetInkStatus(key));
        s.amount.push_back(p.GetInkAmount(key));
    }
    return s;
}

bool IsOneOf(int value, std::initializer_list<int> allowed) {
    for (int a : allowed) {
        if (a == value) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > INT_MAX) {
        return 0;
    }
    const char* reply = reinterpret_cast<const char*>(data);
    const int length = static_cast<int>(size);

    KorelStatusParser parser;
    const State state = Take(parser, parser.Parse(reply, length));

    // Names abort for a value outside their tables.
    FUZZ_CHECK(ConvertStatusGroup2STR(static_cast<StatusGroup>(state.group)) != nullptr);
    FUZZ_CHECK(ConvertStatusDetail2STR(static_cast<StatusDetail>(state.detail)) != nullptr);

    int last = -1;
    for (int ink : state.inks) {
        int index = 0;
        while (index < 4 && kKeys[index] != ink) {
            ++index;
        }
        FUZZ_CHECK(index < 4);
        FUZZ_CHECK(index > last);
        last = index;
    }
    for (int i = 0; i < 5; ++i) {
        FUZZ_CHECK(IsOneOf(state.status[i], {InkStatus_Normal, InkStatus_RN, InkStatus_RR,
                                             InkStatus_NA, InkStatus_CI, InkStatus_Unknown}));
        FUZZ_CHECK(IsOneOf(state.amount[i], {InkAmount_RH, InkAmount_RM, InkAmount_RL, InkAmount_RN,
                                             InkAmount_Unknown}));
    }
    FUZZ_CHECK(IsOneOf(state.model, {kInkModelGL, kInkModelMT, -1}));

    // The text ends at the first NUL: the bytes before it, NUL-terminated, read the same.
    const void* nul = size == 0 ? nullptr : std::memchr(reply, '\0', size);
    const size_t textLength = nul ? static_cast<const char*>(nul) - reply : size;
    std::vector<char> terminated(reply, reply + textLength);
    terminated.push_back('\0');
    KorelStatusParser again;
    FUZZ_CHECK(Take(again, again.Parse(terminated.data(), static_cast<int>(textLength))) == state);

    // A parser reused after another reply ends in the same state, except for what the reset
    // leaves alone after an empty reply (the maintenance box and the ink model).
    if (textLength > 0) {
        KorelStatusParser reused;
        static const char kOther[] = "\x02^S(SMA,S,ER\x03\x02^S(SEA,E,IE\x03\x02IQ,NA,RR,RN,CI\x03"
                                     "\x02MN,RN\x03\x02^S(IMM,I,MT\x03\x02^S(SEA,F,5\x03";
        reused.Parse(kOther, static_cast<int>(sizeof kOther - 1));
        FUZZ_CHECK(Take(reused, reused.Parse(reply, length)) == state);
    }
    return 0;
}
