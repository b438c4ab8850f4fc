// SPDX-License-Identifier: Apache-2.0
#include "Switches.h"

bool verbose = false;
bool debug = false;
bool dryrun = false;
