// SPDX-License-Identifier: Apache-2.0
// A length field of the settings pages remembers the dots read from the printer and the value
// it showed for them. The display rounds (0.1 mm, 0.01 in), so converting the shown value back
// can move a setting the user never touched; Apply instead sends the printer's own dots for an
// untouched field, and keeps every value it sends inside the field's dot range.
#pragma once

class QDoubleSpinBox;

struct FieldMemory {
    bool hasRange = false; // a dot range has been given to the field
    int minDot = 0;
    int maxDot = 0;
    bool hasRead = false; // the field shows a value read from the printer
    int dotsRead = 0;
    double shown = 0.0; // the field's value right after the read (rounded and clamped)
};

// dots limited to [minDot, maxDot].
int clampDots(int dots, int minDot, int maxDot);

// The dots Apply sends for a field whose value is now current; converted is the display
// conversion of current. An untouched field sends the dots read, a changed one the converted
// value, each clamped into the field's range when it has one.
int dotsToSend(const FieldMemory& memory, double current, int converted);

// The memory lives on the spin box itself, so it follows the widget's life.
namespace fielddots {

// Records the dot range that the box's limits stand for.
void setRange(QDoubleSpinBox* box, int minDot, int maxDot);
// Shows length (the display of dots) and remembers both.
void showRead(QDoubleSpinBox* box, int dots, double length);
// The field no longer shows a value read from the printer.
void forget(QDoubleSpinBox* box);
// Gives to the value of from and, when from still shows what was read, the dots from sends.
void copy(const QDoubleSpinBox* from, QDoubleSpinBox* to);

FieldMemory memoryOf(const QDoubleSpinBox* box);
int dotsToSend(const QDoubleSpinBox* box, int converted);

} // namespace fielddots
