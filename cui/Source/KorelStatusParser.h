// Decodes the printer's status reply into group, detail, inks in error and ink levels.
#pragma once

#include "KorelStatusEnum.h"

#include <cstdint>
#include <ctime>
#include <vector>

// A pair of ASCII letters packed into one int: first letter * 256 + second letter.
constexpr int TwoCharCode(char a, char b) {
    return static_cast<signed char>(a) * 256 + static_cast<signed char>(b);
}

enum InkStatus : int32_t {
    InkStatus_Normal = 0,
    InkStatus_RN = TwoCharCode('R', 'N'), // low
    InkStatus_RR = TwoCharCode('R', 'R'), // to be replaced
    InkStatus_NA = TwoCharCode('N', 'A'), // no cartridge
    InkStatus_CI = TwoCharCode('C', 'I'),
    InkStatus_Unknown = -1,
    InkStatus_Dryrun = -2, // made up by the dry-run parser; outranks every other state
};

enum InkAmount : int32_t {
    InkAmount_RH = TwoCharCode('R', 'H'),
    InkAmount_RM = TwoCharCode('R', 'M'),
    InkAmount_RL = TwoCharCode('R', 'L'),
    InkAmount_RN = TwoCharCode('R', 'N'),
    InkAmount_Unknown = -1,
};

constexpr int kInkModelGL = TwoCharCode('G', 'L');
constexpr int kInkModelMT = TwoCharCode('M', 'T');
constexpr int kInkKeyMN = TwoCharCode('M', 'N'); // the maintenance box, handled like an ink

class KorelStatusParser {
public:
    KorelStatusParser() = default;
    virtual ~KorelStatusParser() = default;

protected:
    virtual void mergeInkStatus(InkStatus& current, InkStatus incoming);
    virtual InkStatus convertInkStatusIQ(char a, char b);
    virtual InkStatus convertInkStatusMN(char a, char b);
    virtual void mergeInkAmount(InkAmount& current, InkAmount incoming);
    virtual InkAmount convertInkAmountIQ(char a, char b);
    virtual InkAmount convertInkAmountMN(char a, char b);
    virtual bool Parse_InkStatus(const char* reply, int length);
    virtual bool Parse_Status(const char* reply, int length);

public:
    virtual bool Parse(const char* reply, int length);
    virtual void SetAsCommError();

    StatusGroup GetStatusGroup() const { return statusGroup; }
    StatusDetail GetStatusDetail() const { return statusDetail; }
    const std::vector<int>& GetInksOfErrorReason() const { return inksOfErrorReason; }
    InkStatus GetInkStatus(int ink) const;
    InkAmount GetInkAmount(int ink) const;
    int GetInkModel() const { return inkModel; }
    int GetFatalErrorCode() const { return fatalErrorCode; }
    bool IsStatusPrintable() const { return statusDetail > 501; }

protected:
    StatusGroup statusGroup = BeforeComm;
    StatusDetail statusDetail = Status_Unsettled;
    std::vector<int> inksOfErrorReason;
    int32_t fatalErrorCode = 0;
    InkStatus inkStatus[4] = {InkStatus_Unknown, InkStatus_Unknown, InkStatus_Unknown,
                              InkStatus_Unknown}; // K, C, M, Y
    InkStatus inkStatusMN = InkStatus_Unknown;
    InkAmount inkAmount[4] = {InkAmount_Unknown, InkAmount_Unknown, InkAmount_Unknown,
                              InkAmount_Unknown};
    InkAmount inkAmountMN = InkAmount_Unknown;
    int32_t inkModel = -1;
};

// Dry-run variant: ignores the reply and makes up a state that changes with the clock.
class KorelStatusParserDryrun : public virtual KorelStatusParser {
public:
    ~KorelStatusParserDryrun() override = default;
    bool Parse(const char* reply, int length) override;

protected:
    // Fills the made-up state from the given clock (Parse uses the calendar time); the clock is
    // read once for the detail and again for each ink, as the state drifts within a call.
    void FillFromClock(std::time_t (*clock)(std::time_t*));
};
