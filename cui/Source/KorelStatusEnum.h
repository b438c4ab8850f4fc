// SPDX-License-Identifier: Apache-2.0
// The names of the status groups and details; numbers and names are part of tarn's output.
#pragma once

#include <tarn/StatusCodes.h>

// Names exactly as the report prints them; a value outside the tables aborts the program.
const char* ConvertStatusGroup2STR(StatusGroup group);
const char* ConvertStatusDetail2STR(StatusDetail detail);
