// SPDX-License-Identifier: Apache-2.0
// The codes both programs share: status groups and details as tarn numbers them, the ink
// states, amounts and models of the status reply, and the packing of two-letter reply codes.
// Header only, so the window needs none of the tool's code to read its report.
#pragma once

#include <cstdint>

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

enum StatusGroup : int32_t {
    BeforeComm = 0,
    FatalError = 1,
    Error = 2,
    Pause = 3,
    Printing = 4,
    Warning = 5,
    Others = 6,
};

enum StatusDetail : int32_t {
    Status_Unsettled = 0,
    Status_Offline = 1,
    Status_BadDevice = 2,
    Status_CommError = 3,
    Status_ER_FE = 100,
    Status_ER_NI = 200,
    Status_ER_CO = 201,
    Status_ER_SJ = 202,
    Status_ER_IE_NACI = 203,
    Status_ER_IE_RR = 204,
    Status_ER_SN_IR = 205,
    Status_ER_SN_ER = 206,
    Status_ER_SS = 207,
    Status_ER_ST = 208,
    Status_ER_MF = 209,
    Status_ER_SR = 210,
    Status_ER_CI = 211,
    Status_ER_MN = 212,
    Status_ER_CM = 213,
    Status_ER_SE = 214,
    Status_ER_LT = 215,
    Status_ER_CS = 216,
    Status_ER_CF = 217,
    Status_ER_CR = 218,
    Status_ER_CG = 219,
    Status_ER_SC = 220,
    Status_ER_IC = 221,
    Status_ER_MC = 222,
    Status_ER_SM = 223,
    Status_PS_UN = 300,
    Status_PS_SF = 301,
    Status_PS_NC = 302,
    Status_PS_NW = 303,
    Status_SP = 400,
    Status_PR_NSU = 401,
    Status_PR_NCR = 402,
    Status_PR_WNC = 403,
    Status_IL_PAPT_IR = 500,
    Status_IL_PAPT_ER = 501,
    Status_IL_PAPF_WNC = 502,
    Status_IL_PAPF_WSC = 503,
    Status_IL_PAPF_MNF = 504,
    Status_IL_PAPF_Ix1 = 505,
    Status_IL_PAPF_NSU = 506,
    Status_IL_PAPF = 600,
    Status_PR = 601,
    Status_WT = 602,
    Status_CL = 603,
    Status_FC = 604,
};
