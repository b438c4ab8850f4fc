// SPDX-License-Identifier: Apache-2.0
// How one ink gauge of the status monitor shows an ink's state and amount.
#pragma once

#include <QString>

enum class GaugeIcon { None, Error, Warning };

struct GaugeView {
    int value = 0;
    bool enabled = false;
    bool hatch = false;
    GaugeIcon icon = GaugeIcon::None;
};

// State and amount are the two-character codes of the status reply (or 0, -1, -2).
GaugeView gaugeViewFor(int inkStatus, int inkAmount);

// The state in words, so that it is never told by colour alone: "Cyan C-123: 75%".
QString gaugeDescription(const QString& colourName, const QString& partName, int inkStatus,
                         int inkAmount);
