// SPDX-License-Identifier: Apache-2.0
// The printer state as tarn prints it: the numbers are shared with the tool's status decoding.
#pragma once

#include <tarn/StatusCodes.h>
