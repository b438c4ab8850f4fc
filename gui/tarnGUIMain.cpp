// SPDX-License-Identifier: Apache-2.0
// tarnqt: the graphical maintenance utility; every printer task is one run of tarn.
#include "AppEntry.h"

int main(int argc, char* argv[]) {
    return runApplication(argc, argv);
}
