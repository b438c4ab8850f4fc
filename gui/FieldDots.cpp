// SPDX-License-Identifier: Apache-2.0
#include "FieldDots.h"

#include <QDoubleSpinBox>
#include <QVariant>

namespace {

const char* const kMinDotProperty = "tarnMinDot";
const char* const kMaxDotProperty = "tarnMaxDot";
const char* const kDotsReadProperty = "tarnDotsRead";
const char* const kShownProperty = "tarnShown";

} // namespace

int clampDots(int dots, int minDot, int maxDot) {
    if (dots < minDot) {
        return minDot;
    }
    if (dots > maxDot) {
        return maxDot;
    }
    return dots;
}

int dotsToSend(const FieldMemory& memory, double current, int converted) {
    // The box stores its value rounded to its decimals, so an untouched field compares equal.
    const int dots = memory.hasRead && current == memory.shown ? memory.dotsRead : converted;
    return memory.hasRange ? clampDots(dots, memory.minDot, memory.maxDot) : dots;
}

namespace fielddots {

void setRange(QDoubleSpinBox* box, int minDot, int maxDot) {
    box->setProperty(kMinDotProperty, minDot);
    box->setProperty(kMaxDotProperty, maxDot);
}

void showRead(QDoubleSpinBox* box, int dots, double length) {
    box->setValue(length);
    box->setProperty(kDotsReadProperty, dots);
    box->setProperty(kShownProperty, box->value());
}

void forget(QDoubleSpinBox* box) {
    box->setProperty(kDotsReadProperty, QVariant());
    box->setProperty(kShownProperty, QVariant());
}

void copy(const QDoubleSpinBox* from, QDoubleSpinBox* to) {
    const FieldMemory source = memoryOf(from);
    to->setValue(from->value());
    if (source.hasRead && from->value() == source.shown) {
        // What from sends, so that both fields send the same dots.
        to->setProperty(kDotsReadProperty, ::dotsToSend(source, from->value(), source.dotsRead));
        to->setProperty(kShownProperty, to->value());
    } else {
        forget(to);
    }
}

FieldMemory memoryOf(const QDoubleSpinBox* box) {
    FieldMemory memory;
    const QVariant minDot = box->property(kMinDotProperty);
    const QVariant maxDot = box->property(kMaxDotProperty);
    if (minDot.isValid() && maxDot.isValid()) {
        memory.hasRange = true;
        memory.minDot = minDot.toInt();
        memory.maxDot = maxDot.toInt();
    }
    const QVariant dotsRead = box->property(kDotsReadProperty);
    const QVariant shown = box->property(kShownProperty);
    if (dotsRead.isValid() && shown.isValid()) {
        memory.hasRead = true;
        memory.dotsRead = dotsRead.toInt();
        memory.shown = shown.toDouble();
    }
    return memory;
}

int dotsToSend(const QDoubleSpinBox* box, int converted) {
    return ::dotsToSend(memoryOf(box), box->value(), converted);
}

} // namespace fielddots
