// SPDX-License-Identifier: Apache-2.0
// The position adjustment pages: the cutter or the peeler page, chosen by the printer's variant.
#include "MainFrame.h"

#include "FieldDots.h"

#include <iterator>

namespace {

struct PositionField {
    QDoubleSpinBox* box;
    int* dots;
    const char* key; // the report key the value comes from
};

} // namespace

bool MainFrame::entry_geometrySetting1() {
    if (!printerReady()) {
        return true;
    }

    int printPositionH = 0, printPositionV = 0, cutPosition = 0, peelPositionA = 0,
        peelPositionB = 0;
    bool read = false;
    Page* next = nullptr;
    const PositionField peeler[] = {
        {uiGeometrySetting1P.numericPrintPositionH, &printPositionH, "printPositionH"},
        {uiGeometrySetting1P.numericPrintPositionV, &printPositionV, "printPositionV"},
        {uiGeometrySetting1P.numericPeelPositionA, &peelPositionA, "peelPositionA"},
        {uiGeometrySetting1P.numericPeelPositionB, &peelPositionB, "peelPositionB"},
    };
    const PositionField cutter[] = {
        {uiGeometrySetting1A.numericPrintPositionH, &printPositionH, "printPositionH"},
        {uiGeometrySetting1A.numericPrintPositionV, &printPositionV, "printPositionV"},
        {uiGeometrySetting1A.numericCutPosition, &cutPosition, "cutPosition"},
    };
    const PositionField* begin = nullptr;
    const PositionField* end = nullptr;
    if (deviceOption == "PEELER") {
        read = command.readPrintPositionAdjustmentP(queueName, printPositionH, printPositionV,
                                                    peelPositionA, peelPositionB);
        begin = std::begin(peeler);
        end = std::end(peeler);
        next = &pageGeometrySetting1P;
    } else if (deviceOption == "CUTTER") {
        read = command.readPrintPositionAdjustmentA(queueName, printPositionH, printPositionV,
                                                    cutPosition);
        begin = std::begin(cutter);
        end = std::end(cutter);
        next = &pageGeometrySetting1A;
    } else {
        // No variant known for this queue: the button does nothing.
        return true;
    }
    // A field without a value from the printer would show, and later write, a made-up 0.
    for (const PositionField* field = begin; read && field != end; ++field) {
        read = command.answeredNumber(field->key);
    }
    if (!read) {
        showCommunicationError();
        return true;
    }
    // The ranges are in place, so a value outside its range shows clamped.
    for (const PositionField* field = begin; field != end; ++field) {
        fielddots::showRead(field->box, *field->dots, Dot2Len(*field->dots));
    }
    next->show();
    return true;
}

bool MainFrame::entry_geometrySetting2() {
    if (!printerReady()) {
        return true;
    }

    const auto dotsOf = [this](QDoubleSpinBox* box) {
        return fielddots::dotsToSend(box, Len2Dot(box->value()));
    };
    bool written = false;
    // The variant at the moment of Apply decides what is written, not the page on display.
    if (deviceOption == "PEELER") {
        const Ui_GeometrySetting1P& ui = uiGeometrySetting1P;
        written = command.writePrintPositionAdjustmentP(
            queueName, dotsOf(ui.numericPrintPositionH), dotsOf(ui.numericPrintPositionV),
            dotsOf(ui.numericPeelPositionA), dotsOf(ui.numericPeelPositionB));
    } else if (deviceOption == "CUTTER") {
        const Ui_GeometrySetting1A& ui = uiGeometrySetting1A;
        written = command.writePrintPositionAdjustmentA(queueName, dotsOf(ui.numericPrintPositionH),
                                                        dotsOf(ui.numericPrintPositionV),
                                                        dotsOf(ui.numericCutPosition));
    } else {
        return true;
    }
    if (!written) {
        showStepFailure();
        return true;
    }
    pageGeometrySetting2.show();
    return true;
}
