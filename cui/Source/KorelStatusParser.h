// SPDX-License-Identifier: Apache-2.0
// Decodes the printer's status reply into group, detail, inks in error and ink levels.
#pragma once

#include "KorelStatusEnum.h"

#include <tarn/StatusCodes.h>

#include <cstdint>
#include <ctime>
#include <vector>

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
