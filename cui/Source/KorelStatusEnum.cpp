// SPDX-License-Identifier: Apache-2.0
// Names of the status groups and details, as tarn prints them and tarnqt expects them.
#include "KorelStatusEnum.h"

#include <cstdio>
#include <cstdlib>
#include <errno.h>

namespace {

template <typename Value> struct NameEntry {
    Value value;
    const char* name;
};

constexpr NameEntry<StatusGroup> kGroupNames[] = {
    {BeforeComm, "BeforeComm"}, {FatalError, "FatalError"}, {Error, "Error"},   {Pause, "Pause"},
    {Printing, "Printing"},     {Warning, "Warning"},       {Others, "Others"},
};

constexpr NameEntry<StatusDetail> kDetailNames[] = {
    {Status_Unsettled, "Status_Unsettled"},
    {Status_Offline, "Status_Offline"},
    {Status_BadDevice, "Status_BadDevice"},
    {Status_CommError, "Status_CommError"},
    {Status_ER_FE, "Status_ER_FE"},
    {Status_ER_NI, "Status_ER_NI"},
    {Status_ER_CO, "Status_ER_CO"},
    {Status_ER_SJ, "Status_ER_SJ"},
    {Status_ER_IE_NACI, "Status_ER_IE_NACI"},
    {Status_ER_IE_RR, "Status_ER_IE_RR"},
    {Status_ER_SN_IR, "Status_ER_SN_IR"},
    {Status_ER_SN_ER, "Status_ER_SN_ER"},
    {Status_ER_SS, "Status_ER_SS"},
    {Status_ER_ST, "Status_ER_ST"},
    {Status_ER_MF, "Status_ER_MF"},
    {Status_ER_SR, "Status_ER_SR"},
    {Status_ER_CI, "Status_ER_CI"},
    {Status_ER_MN, "Status_ER_MN"},
    {Status_ER_CM, "Status_ER_CM"},
    {Status_ER_SE, "Status_ER_SE"},
    {Status_ER_LT, "Status_ER_LT"},
    {Status_ER_CS, "Status_ER_CS"},
    {Status_ER_CF, "Status_ER_CF"},
    {Status_ER_CR, "Status_ER_CR"},
    {Status_ER_CG, "Status_ER_CG"},
    {Status_ER_SC, "Status_ER_SC"},
    {Status_ER_IC, "Status_ER_IC"},
    {Status_ER_MC, "Status_ER_MC"},
    {Status_ER_SM, "Status_ER_SM"},
    {Status_PS_UN, "Status_PS_UN"},
    {Status_PS_SF, "Status_PS_SF"},
    {Status_PS_NC, "Status_PS_NC"},
    {Status_PS_NW, "Status_PS_NW"},
    {Status_SP, "Status_SP"},
    {Status_PR_NSU, "Status_PR_NSU"},
    {Status_PR_NCR, "Status_PR_NCR"},
    {Status_PR_WNC, "Status_PR_WNC"},
    {Status_IL_PAPT_IR, "Status_IL_PAPT_IR"},
    {Status_IL_PAPT_ER, "Status_IL_PAPT_ER"},
    {Status_IL_PAPF_WNC, "Status_IL_PAPF_WNC"},
    {Status_IL_PAPF_WSC, "Status_IL_PAPF_WSC"},
    {Status_IL_PAPF_MNF, "Status_IL_PAPF_MNF"},
    {Status_IL_PAPF_Ix1, "Status_IL_PAPF_Ix1"},
    {Status_IL_PAPF_NSU, "Status_IL_PAPF_NSU"},
    {Status_IL_PAPF, "Status_IL_PAPF"},
    {Status_PR, "Status_PR"},
    {Status_WT, "Status_WT"},
    {Status_CL, "Status_CL"},
    {Status_FC, "Status_FC"},
};

// A value outside the tables is a programming error. The check must hold in release builds as
// well, so it does not go through assert(), which NDEBUG removes; it prints assert's diagnostic.
[[noreturn]] void FailAssertion(const char* file, unsigned line, const char* function) {
    std::fprintf(stderr, "%s: %s:%u: %s: Assertion `0' failed.\n", program_invocation_short_name,
                 file, line, function);
    std::fflush(stderr);
    std::abort();
}

template <typename Value, std::size_t N>
const char* FindName(const NameEntry<Value> (&table)[N], Value value) {
    for (const auto& entry : table) {
        if (entry.value == value) {
            return entry.name;
        }
    }
    return nullptr;
}

} // namespace

const char* ConvertStatusGroup2STR(StatusGroup group) {
    const char* name = FindName(kGroupNames, group);
    if (name == nullptr) {
        FailAssertion(__FILE__, __LINE__, __PRETTY_FUNCTION__);
    }
    return name;
}

const char* ConvertStatusDetail2STR(StatusDetail detail) {
    const char* name = FindName(kDetailNames, detail);
    if (name == nullptr) {
        FailAssertion(__FILE__, __LINE__, __PRETTY_FUNCTION__);
    }
    return name;
}
