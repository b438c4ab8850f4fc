#include "FieldDots.h"

#include <QDoubleSpinBox>
#include <QVariant>

namespace {

const char* const MinDotProperty = "tarnMinDot";
const char* const MaxDotProperty = "tarnMaxDot";
const char* const DotsReadProperty = "tarnDotsRead";
const char* const ShownProperty = "tarnShown";

} // namespace

int clampDots(int dots, int minDot, int maxDot) {
    if (dots < minDot)
        return minDot;
    if (dots > maxDot)
        return maxDot;
    return dots;
}

int dotsToSend(const FieldMemory& memory, double current, int converted) {
    // The box stores its value rounded to its decimals, so an untouched field compares equal.
    const int dots = memory.hasRead && current == memory.shown ? memory.dotsRead : converted;
    return memory.hasRange ? clampDots(dots, memory.minDot, memory.maxDot) : dots;
}

namespace fielddots {

void setRange(QDoubleSpinBox* box, int minDot, int maxDot) {
    box->setProperty(MinDotProperty, minDot);
    box->setProperty(MaxDotProperty, maxDot);
}

void showRead(QDoubleSpinBox* box, int dots, double length) {
    box->setValue(length);
    box->setProperty(DotsReadProperty, dots);
    box->setProperty(ShownProperty, box->value());
}

void forget(QDoubleSpinBox* box) {
    box->setProperty(DotsReadProperty, QVariant());
    box->setProperty(ShownProperty, QVariant());
}

void copy(const QDoubleSpinBox* from, QDoubleSpinBox* to) {
    const FieldMemory source = memoryOf(from);
    to->setValue(from->value());
    if (source.hasRead && from->value() == source.shown) {
        // What from sends, so that both fields send the same dots.
        to->setProperty(DotsReadProperty, ::dotsToSend(source, from->value(), source.dotsRead));
        to->setProperty(ShownProperty, to->value());
    } else {
        forget(to);
    }
}

FieldMemory memoryOf(const QDoubleSpinBox* box) {
    FieldMemory memory;
    const QVariant minDot = box->property(MinDotProperty);
    const QVariant maxDot = box->property(MaxDotProperty);
    if (minDot.isValid() && maxDot.isValid()) {
        memory.hasRange = true;
        memory.minDot = minDot.toInt();
        memory.maxDot = maxDot.toInt();
    }
    const QVariant dotsRead = box->property(DotsReadProperty);
    const QVariant shown = box->property(ShownProperty);
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
