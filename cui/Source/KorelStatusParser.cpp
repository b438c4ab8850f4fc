// SPDX-License-Identifier: Apache-2.0
// Decoding of the printer's status reply: records that start with STX, read by tag.
//
// The reply comes from the device as a byte count, not as a C string: every search below is
// bounded by that count, and a NUL byte inside the reply ends the text that is searched.
#include "KorelStatusParser.h"

#include "BoundedSearch.h"

#include <climits>
#include <cstring>

namespace {

constexpr int kInkKeys[4] = {'K', 'C', 'M', 'Y'};

// The length of the searchable text: up to `length` bytes, ending at the first NUL.
std::size_t SearchableLength(const char* text, int length) {
    if (text == nullptr || length <= 0) {
        return 0;
    }
    return strnlen(text, static_cast<std::size_t>(length));
}

// The one-character value or two-character code of the `width` bytes behind `tag`; -1 when the
// tag is absent or fewer than `width` bytes of text follow it.
int strstr_tail_id(const char* text, std::size_t length, const char* tag, int width) {
    if (text == nullptr || length == 0 || text[0] == '\0') {
        return -1;
    }
    const char* tail = strstr_tail(text, length, tag);
    if (tail == nullptr) {
        return -1;
    }
    const char* end = text + length;
    if (end - tail < width || std::memchr(tail, '\0', static_cast<std::size_t>(width)) != nullptr) {
        return -1;
    }
    return width == 1 ? static_cast<signed char>(tail[0]) : TwoCharCode(tail[0], tail[1]);
}

// atoi, but it stops at the end of the text and saturates instead of overflowing.
int ReadDecimal(const char* p, const char* end) {
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (p < end && isSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit) {
            value = limit;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

struct CodeConversion {
    int code;
    InkStatus status;
    InkAmount amount;
};

// One two-character code carries both the state and the remaining amount of an ink.
constexpr CodeConversion kInkCodes[] = {
    {TwoCharCode('R', 'H'), InkStatus_Normal, InkAmount_RH},
    {TwoCharCode('R', 'M'), InkStatus_Normal, InkAmount_RM},
    {TwoCharCode('R', 'L'), InkStatus_Normal, InkAmount_RL},
    {TwoCharCode('R', 'N'), InkStatus_RN, InkAmount_RN},
    {TwoCharCode('R', 'R'), InkStatus_RR, InkAmount_Unknown},
    {TwoCharCode('N', 'A'), InkStatus_NA, InkAmount_Unknown},
    {TwoCharCode('C', 'I'), InkStatus_CI, InkAmount_Unknown},
};

const CodeConversion* FindInkCode(char a, char b) {
    const int code = TwoCharCode(a, b);
    for (const auto& entry : kInkCodes) {
        if (entry.code == code) {
            return &entry;
        }
    }
    return nullptr;
}

struct CodeDetail {
    int code;
    StatusDetail detail;
};

template <std::size_t N> const CodeDetail* FindDetail(const CodeDetail (&table)[N], int code) {
    for (const auto& entry : table) {
        if (entry.code == code) {
            return &entry;
        }
    }
    return nullptr;
}

// Error codes of state ER that name their detail directly; IE, SN and FE need more.
constexpr CodeDetail kPlainErrors[] = {
    {TwoCharCode('N', 'I'), Status_ER_NI}, {TwoCharCode('C', 'O'), Status_ER_CO},
    {TwoCharCode('S', 'J'), Status_ER_SJ}, {TwoCharCode('S', 'S'), Status_ER_SS},
    {TwoCharCode('S', 'T'), Status_ER_ST}, {TwoCharCode('M', 'F'), Status_ER_MF},
    {TwoCharCode('S', 'R'), Status_ER_SR}, {TwoCharCode('C', 'I'), Status_ER_CI},
    {TwoCharCode('M', 'N'), Status_ER_MN}, {TwoCharCode('C', 'M'), Status_ER_CM},
    {TwoCharCode('S', 'E'), Status_ER_SE}, {TwoCharCode('L', 'T'), Status_ER_LT},
    {TwoCharCode('C', 'S'), Status_ER_CS}, {TwoCharCode('C', 'F'), Status_ER_CF},
    {TwoCharCode('C', 'R'), Status_ER_CR}, {TwoCharCode('C', 'G'), Status_ER_CG},
    {TwoCharCode('S', 'C'), Status_ER_SC}, {TwoCharCode('I', 'C'), Status_ER_IC},
    {TwoCharCode('M', 'C'), Status_ER_MC}, {TwoCharCode('S', 'M'), Status_ER_SM},
};

constexpr CodeDetail kSensorAfterNoPaper[] = {
    {TwoCharCode('I', 'R'), Status_ER_SN_IR},
    {TwoCharCode('E', 'R'), Status_ER_SN_ER},
};

constexpr CodeDetail kSensorIdleNoPaper[] = {
    {TwoCharCode('I', 'R'), Status_IL_PAPT_IR},
    {TwoCharCode('E', 'R'), Status_IL_PAPT_ER},
};

constexpr CodeDetail kPauseReasons[] = {
    {TwoCharCode('U', 'N'), Status_PS_UN},
    {TwoCharCode('S', 'F'), Status_PS_SF},
    {TwoCharCode('N', 'C'), Status_PS_NC},
    {TwoCharCode('N', 'W'), Status_PS_NW},
};

// Main states that fall through to Others, and the detail each of them then names.
constexpr CodeDetail kUnclassifiedStates[] = {
    {TwoCharCode('P', 'R'), Status_PR},
    {TwoCharCode('W', 'T'), Status_WT},
    {TwoCharCode('C', 'L'), Status_CL},
    {TwoCharCode('F', 'C'), Status_FC},
};

struct WarningDetail {
    const char* code;
    StatusDetail detail;
};

// Warnings of the idle state, in the order they are tested (the first found wins).
constexpr WarningDetail kIdleWarnings[] = {
    {",WNC", Status_IL_PAPF_WNC},
    {",WSC", Status_IL_PAPF_WSC},
    {",MNF", Status_IL_PAPF_MNF},
};

// Low-ink warnings, one per ink in the order K, C, M, Y.
constexpr const char* kInkLowWarnings[4] = {",IK1", ",IC1", ",IM1", ",IY1"};

constexpr WarningDetail kPrintingWarnings[] = {
    {",NSU", Status_PR_NSU},
    {",NCR", Status_PR_NCR},
    {",WNC", Status_PR_WNC},
};

constexpr char kTagInkModel[] = "\x02^S(IMM,I,";
constexpr char kTagInkQuantities[] = "\x02IQ,";
constexpr char kTagMaintenanceBox[] = "\x02MN,";
constexpr char kTagFatalError[] = "\x02^S(SEA,F,";
constexpr char kTagMainState[] = "\x02^S(SMA,S,";
constexpr char kTagErrorCode[] = "\x02^S(SEA,E,";
constexpr char kTagPaperSensor[] = "\x02^S(CLM,P,";
constexpr char kTagPaperPresent[] = "\x02^S(SPA,P,";
constexpr char kTagPauseReason[] = "\x02^S(SPA,O,";
constexpr char kTagWarnings[] = "\x02WN,";
constexpr char kTagNoWarnings[] = "\x02WN\x03";

enum class Outcome { Fail, Done, Unclassified };

// What one main state may change while it is decided.
struct Decision {
    const char* text;
    std::size_t length;
    const InkStatus (&inkStatus)[4];
    StatusGroup& group;
    StatusDetail& detail;
    std::vector<int>& inks;
};

bool HasTag(const Decision& d, const char* tag) {
    return strstr_tail(d.text, d.length, tag) != nullptr;
}

// The first warning of `table` found from `from` to the end of the text.
const WarningDetail* FindWarning(const WarningDetail* begin, const WarningDetail* end,
                                 const char* from, const char* textEnd) {
    for (const WarningDetail* w = begin; w != end; ++w) {
        if (strstr_tail(from, static_cast<std::size_t>(textEnd - from), w->code) != nullptr) {
            return w;
        }
    }
    return nullptr;
}

Outcome DecideCodeTable(const Decision& d, const char* tag, const CodeDetail* table,
                        std::size_t size, Outcome otherwise) {
    const int code = strstr_tail_id(d.text, d.length, tag, 2);
    for (std::size_t i = 0; i < size; ++i) {
        if (table[i].code == code) {
            d.detail = table[i].detail;
            return Outcome::Done;
        }
    }
    return otherwise;
}

// An ink error names the inks that are missing or unreadable, else those to be replaced.
Outcome DecideInkError(const Decision& d) {
    auto collect = [&d](bool (*wanted)(InkStatus)) {
        d.inks.clear();
        for (int i = 0; i < 4; ++i) {
            if (wanted(d.inkStatus[i])) {
                d.inks.push_back(kInkKeys[i]);
            }
        }
        return !d.inks.empty();
    };
    if (collect([](InkStatus s) {
            return s == InkStatus_NA || s == InkStatus_CI || s == InkStatus_Dryrun ||
                   s == InkStatus_Unknown;
        })) {
        d.detail = Status_ER_IE_NACI;
        return Outcome::Done;
    }
    if (collect([](InkStatus s) { return s != InkStatus_Normal; })) {
        d.detail = Status_ER_IE_RR;
        return Outcome::Done;
    }
    return Outcome::Fail;
}

Outcome DecideError(const Decision& d) {
    d.group = Error;
    const int code = strstr_tail_id(d.text, d.length, kTagErrorCode, 2);
    if (const CodeDetail* plain = FindDetail(kPlainErrors, code)) {
        d.detail = plain->detail;
        return Outcome::Done;
    }
    if (code == TwoCharCode('I', 'E')) {
        return DecideInkError(d);
    }
    if (code == TwoCharCode('S', 'N')) {
        return DecideCodeTable(d, kTagPaperSensor, kSensorAfterNoPaper,
                               std::size(kSensorAfterNoPaper), Outcome::Fail);
    }
    if (code == TwoCharCode('F', 'E')) {
        d.group = FatalError;
        d.detail = Status_ER_FE;
        return Outcome::Done;
    }
    return Outcome::Fail;
}

Outcome DecideIdleWarnings(const Decision& d) {
    const char* tail = strstr_tail(d.text, d.length, kTagWarnings);
    if (tail == nullptr) {
        if (HasTag(d, kTagNoWarnings)) {
            d.group = Others;
            d.detail = Status_IL_PAPF;
        } else {
            d.detail = Status_CommError;
        }
        return Outcome::Done;
    }
    // Codes are searched to the end of the reply, not only to the end of the warning record.
    const char* textEnd = d.text + d.length;
    const char* comma = tail - 1;
    if (const WarningDetail* w =
            FindWarning(std::begin(kIdleWarnings), std::end(kIdleWarnings), comma, textEnd)) {
        d.detail = w->detail;
        return Outcome::Done;
    }
    std::vector<int> low;
    for (int i = 0; i < 4; ++i) {
        if (strstr_tail(comma, static_cast<std::size_t>(textEnd - comma), kInkLowWarnings[i]) !=
            nullptr) {
            low.push_back(kInkKeys[i]);
        }
    }
    if (!low.empty()) {
        d.inks = std::move(low);
        d.detail = Status_IL_PAPF_Ix1;
        return Outcome::Done;
    }
    if (strstr_tail(tail, static_cast<std::size_t>(textEnd - tail), "NSU") != nullptr) {
        d.detail = Status_IL_PAPF_NSU;
        return Outcome::Done;
    }
    return Outcome::Unclassified;
}

Outcome DecideIdle(const Decision& d) {
    d.group = Warning;
    const int paperPresent = strstr_tail_id(d.text, d.length, kTagPaperPresent, 1);
    if (paperPresent == 'T') {
        return DecideCodeTable(d, kTagPaperSensor, kSensorIdleNoPaper,
                               std::size(kSensorIdleNoPaper), Outcome::Unclassified);
    }
    if (paperPresent == 'F') {
        return DecideIdleWarnings(d);
    }
    return Outcome::Unclassified;
}

Outcome DecidePrinting(const Decision& d) {
    const char* tail = strstr_tail(d.text, d.length, kTagWarnings);
    if (tail == nullptr) {
        if (HasTag(d, kTagNoWarnings)) {
            return Outcome::Unclassified;
        }
        d.detail = Status_CommError;
        return Outcome::Done;
    }
    const char* comma = tail - 1;
    if (const WarningDetail* w = FindWarning(
            std::begin(kPrintingWarnings), std::end(kPrintingWarnings), comma, d.text + d.length)) {
        d.group = Printing;
        d.detail = w->detail;
        return Outcome::Done;
    }
    return Outcome::Unclassified;
}

Outcome DecidePause(const Decision& d) {
    d.group = Pause;
    return DecideCodeTable(d, kTagPauseReason, kPauseReasons, std::size(kPauseReasons),
                           Outcome::Fail);
}

Outcome DecideSpooling(const Decision& d) {
    d.group = Printing;
    d.detail = Status_SP;
    return Outcome::Done;
}

struct MainStateRule {
    int code;
    Outcome (*decide)(const Decision&);
};

constexpr MainStateRule kMainStates[] = {
    {TwoCharCode('E', 'R'), DecideError},    {TwoCharCode('I', 'L'), DecideIdle},
    {TwoCharCode('P', 'R'), DecidePrinting}, {TwoCharCode('P', 'S'), DecidePause},
    {TwoCharCode('S', 'P'), DecideSpooling},
};

} // namespace

InkStatus KorelStatusParser::GetInkStatus(int ink) const {
    if (ink == kInkKeyMN) {
        return inkStatusMN;
    }
    for (int i = 0; i < 4; ++i) {
        if (kInkKeys[i] == ink) {
            return inkStatus[i];
        }
    }
    return InkStatus_Unknown;
}

InkAmount KorelStatusParser::GetInkAmount(int ink) const {
    if (ink == kInkKeyMN) {
        return inkAmountMN;
    }
    for (int i = 0; i < 4; ++i) {
        if (kInkKeys[i] == ink) {
            return inkAmount[i];
        }
    }
    return InkAmount_Unknown;
}

void KorelStatusParser::mergeInkStatus(InkStatus& current, InkStatus incoming) {
    bool replace = false;
    if (current == InkStatus_Normal || current == InkStatus_Unknown) {
        replace = incoming != InkStatus_Unknown;
    } else if (current == InkStatus_RN) {
        replace = incoming != InkStatus_Unknown && incoming != InkStatus_Normal;
    } else if (current == InkStatus_NA || current == InkStatus_CI || current == InkStatus_RR) {
        replace = incoming == InkStatus_Dryrun;
    }
    if (replace) {
        current = incoming;
    }
}

InkStatus KorelStatusParser::convertInkStatusIQ(char a, char b) {
    const CodeConversion* entry = FindInkCode(a, b);
    return entry == nullptr ? InkStatus_Unknown : entry->status;
}

InkStatus KorelStatusParser::convertInkStatusMN(char a, char b) {
    return convertInkStatusIQ(a, b);
}

void KorelStatusParser::mergeInkAmount(InkAmount& current, InkAmount incoming) {
    // The first known amount stays, except that a low amount always wins.
    if (current == InkAmount_Unknown) {
        current = incoming;
    }
    if (incoming != InkAmount_RH && incoming != InkAmount_RM && incoming != InkAmount_RL &&
        incoming != InkAmount_Unknown) {
        current = incoming;
    }
}

InkAmount KorelStatusParser::convertInkAmountIQ(char a, char b) {
    const CodeConversion* entry = FindInkCode(a, b);
    return entry == nullptr ? InkAmount_Unknown : entry->amount;
}

InkAmount KorelStatusParser::convertInkAmountMN(char a, char b) {
    return convertInkAmountIQ(a, b);
}

bool KorelStatusParser::Parse_InkStatus(const char* reply, int length) {
    const std::size_t size = SearchableLength(reply, length);
    if (size == 0) {
        return false;
    }
    const char* end = reply + size;

    inkModel = -1;
    if (const char* tail = strstr_tail(reply, size, kTagInkModel); tail != nullptr) {
        if (end - tail > 4) {
            const int code = TwoCharCode(tail[0], tail[1]);
            if (code == kInkModelGL || code == kInkModelMT) {
                inkModel = code;
            }
        }
    }

    for (int i = 0; i < 4; ++i) {
        inkStatus[i] = InkStatus_Unknown;
        inkAmount[i] = InkAmount_Unknown;
    }
    // Every IQ record counts; each search starts behind the previous tag.
    for (const char* tail = strstr_tail(reply, size, kTagInkQuantities); tail != nullptr;
         tail = strstr_tail(tail, static_cast<std::size_t>(end - tail), kTagInkQuantities)) {
        const long remaining = end - tail;
        if (remaining > 2 && std::memcmp(tail, "#NA", 3) == 0) {
            continue;
        }
        if (remaining <= 11) {
            continue;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            const char a = tail[3 * i];
            const char b = tail[3 * i + 1];
            mergeInkStatus(inkStatus[i], convertInkStatusIQ(a, b));
            mergeInkAmount(inkAmount[i], convertInkAmountIQ(a, b));
        }
    }

    inkStatusMN = InkStatus_Unknown;
    inkAmountMN = InkAmount_Unknown;
    for (const char* tail = strstr_tail(reply, size, kTagMaintenanceBox); tail != nullptr;
         tail = strstr_tail(tail, static_cast<std::size_t>(end - tail), kTagMaintenanceBox)) {
        if (end - tail > 2) {
            mergeInkStatus(inkStatusMN, convertInkStatusMN(tail[0], tail[1]));
            mergeInkAmount(inkAmountMN, convertInkAmountMN(tail[0], tail[1]));
        }
    }
    return true;
}

bool KorelStatusParser::Parse_Status(const char* reply, int length) {
    const std::size_t size = SearchableLength(reply, length);
    if (size == 0) {
        return false;
    }
    const char* fatal = strstr_tail(reply, size, kTagFatalError);
    if (fatal == nullptr) {
        return false;
    }
    fatalErrorCode = ReadDecimal(fatal, reply + size);

    const int mainState = strstr_tail_id(reply, size, kTagMainState, 2);
    if (mainState == -1) {
        return false;
    }

    const Decision decision{reply, size, inkStatus, statusGroup, statusDetail, inksOfErrorReason};
    Outcome outcome = Outcome::Unclassified;
    for (const auto& rule : kMainStates) {
        if (rule.code == mainState) {
            outcome = rule.decide(decision);
            break;
        }
    }
    if (outcome != Outcome::Unclassified) {
        return outcome == Outcome::Done;
    }
    statusGroup = Others;
    if (const CodeDetail* entry = FindDetail(kUnclassifiedStates, mainState)) {
        statusDetail = entry->detail;
    }
    return true;
}

bool KorelStatusParser::Parse(const char* reply, int length) {
    statusGroup = BeforeComm;
    statusDetail = Status_Unsettled;
    inksOfErrorReason.clear();
    fatalErrorCode = 0;
    for (int i = 0; i < 4; ++i) {
        inkStatus[i] = InkStatus_Unknown;
        inkAmount[i] = InkAmount_Unknown;
    }
    if (!Parse_InkStatus(reply, length)) {
        return false;
    }
    return Parse_Status(reply, length);
}

void KorelStatusParser::SetAsCommError() {
    // The maintenance box and the ink model keep what the last reply said.
    statusGroup = BeforeComm;
    statusDetail = Status_CommError;
    inksOfErrorReason.clear();
    fatalErrorCode = 0;
    for (int i = 0; i < 4; ++i) {
        inkStatus[i] = InkStatus_Unknown;
        inkAmount[i] = InkAmount_Unknown;
    }
}

namespace {

struct DetailRange {
    int first; // first n of the range, n = t modulo 49
    int last;
    int offset; // detail = n + offset
};

// Every detail occurs once in 49 seconds.
constexpr DetailRange kDryrunDetails[] = {
    {0, 3, 0}, {4, 4, 96}, {5, 28, 195}, {29, 32, 271}, {33, 36, 367}, {37, 43, 463}, {44, 48, 556},
};

struct DryrunInk {
    InkStatus status;
    InkAmount amount;
};

constexpr DryrunInk kDryrunInks[9] = {
    {InkStatus_Normal, InkAmount_RH},       {InkStatus_Normal, InkAmount_RM},
    {InkStatus_Normal, InkAmount_RL},       {InkStatus_RN, InkAmount_RN},
    {InkStatus_RR, InkAmount_Unknown},      {InkStatus_NA, InkAmount_Unknown},
    {InkStatus_CI, InkAmount_Unknown},      {InkStatus_Dryrun, InkAmount_Unknown},
    {InkStatus_Unknown, InkAmount_Unknown},
};

// Non-negative remainder, so a clock before the epoch still picks a table entry.
int Modulo(std::time_t t, int m) {
    const long long r = static_cast<long long>(t) % m;
    return static_cast<int>(r < 0 ? r + m : r);
}

} // namespace

void KorelStatusParserDryrun::FillFromClock(std::time_t (*clock)(std::time_t*)) {
    const std::time_t t = clock(nullptr);
    statusGroup = Others;
    const int n = Modulo(t, 49);
    for (const auto& range : kDryrunDetails) {
        if (n >= range.first && n <= range.last) {
            statusDetail = static_cast<StatusDetail>(n + range.offset);
        }
    }
    inksOfErrorReason = {'K', 'C'};
    fatalErrorCode = 0;
    for (int i = 0; i < 5; ++i) {
        const DryrunInk& ink = kDryrunInks[Modulo(clock(nullptr) + i, 9)];
        InkStatus& status = i < 4 ? inkStatus[i] : inkStatusMN;
        InkAmount& amount = i < 4 ? inkAmount[i] : inkAmountMN;
        status = ink.status;
        amount = ink.amount;
    }
    const int m = Modulo(t, 5);
    inkModel = (m == 0 || m == 2) ? kInkModelGL : (m == 1 || m == 3) ? kInkModelMT : -1;
}

bool KorelStatusParserDryrun::Parse(const char*, int) {
    FillFromClock([](std::time_t* out) { return std::time(out); });
    return true;
}
