// The printer state as two numbered enumerations; numbers and names are part of tarn's output.
#pragma once

#include <cstdint>

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

// Names exactly as the report prints them; a value outside the tables aborts the program.
const char* ConvertStatusGroup2STR(StatusGroup group);
const char* ConvertStatusDetail2STR(StatusDetail detail);
