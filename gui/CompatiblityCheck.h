// SPDX-License-Identifier: Apache-2.0
// Probes once whether the image reader can decode MNG, to choose the cleaning animation.
#pragma once

class CompatiblityCheck {
public:
    CompatiblityCheck();

    bool mngSupported;
};
