// SPDX-License-Identifier: Apache-2.0
// The RV-C9000 pages for the stop position after printing and the printer setting.
#include "MainFrame.h"

#include "FieldDots.h"

namespace {

// False for a key in neither list: the printer's value cannot be shown.
bool selectByKey(QComboBox* box, int key) {
    const int index = box->findData(key);
    if (index >= 0) {
        box->setCurrentIndex(index);
    }
    return index >= 0;
}

} // namespace

bool MainFrame::entry_pageAfterPrinting1() {
    int peelPositionB = 0;
    if (!guardedStep([&] { return command.readAfterPrinting(queueName, peelPositionB); })) {
        return true;
    }
    if (!command.answeredNumber("peelPositionB")) {
        showCommunicationError();
        return true;
    }
    fielddots::showRead(uiAfterPrinting1.numericPeelPositionB, peelPositionB,
                        Dot2Len(peelPositionB));
    pageAfterPrinting1.show();
    return true;
}

bool MainFrame::entry_pageAfterPrinting2() {
    QDoubleSpinBox* const box = uiAfterPrinting1.numericPeelPositionB;
    if (guardedStep([&] {
            int peelPositionB = fielddots::dotsToSend(box, Len2Dot(box->value()));
            return command.writeAfterPrinting(queueName, peelPositionB);
        })) {
        pageAfterPrinting2.show();
    }
    return true;
}

bool MainFrame::entry_pagePrinterSetting1() {
    int height = 0, treatment = 0;
    if (!guardedStep([&] { return command.readPrinterSetting(queueName, height, treatment); })) {
        return true;
    }
    // Both are checked before either is changed, so a failed read leaves the page as it was.
    if (uiPrinterSetting1.selectHeadMediaClearanceHeight->findData(height) < 0 ||
        uiPrinterSetting1.selectIncompleteLabelTreatment->findData(treatment) < 0) {
        showCommunicationError();
        return true;
    }
    selectByKey(uiPrinterSetting1.selectHeadMediaClearanceHeight, height);
    selectByKey(uiPrinterSetting1.selectIncompleteLabelTreatment, treatment);
    pagePrinterSetting1.show();
    return true;
}

bool MainFrame::entry_pagePrinterSetting2() {
    if (guardedStep([this] {
            return command.writePrinterSetting(
                queueName, uiPrinterSetting1.selectHeadMediaClearanceHeight->currentData().toInt(),
                uiPrinterSetting1.selectIncompleteLabelTreatment->currentData().toInt());
        })) {
        pagePrinterSetting2.show();
    }
    return true;
}
