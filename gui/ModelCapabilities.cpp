// stub: replaced by the model capabilities work.
#include "MainFrame.h"

bool MainFrame::updatePrinterOption() {
    return false;
}

void MainFrame::setNumericRange(QDoubleSpinBox*, QLabel*, QLabel*, int, int, int) {}

double MainFrame::Dot2Len(int) {
    return 0.0;
}

int MainFrame::Len2Dot(double) {
    return 0;
}

void MainFrame::applyStartupRanges() {}
