// stub: replaced by the status monitor work.
#include "MainFrame.h"

bool MainFrame::updatePrinterStatus() {
    return false;
}

bool MainFrame::updatePrinterStatusWidgets(StatusDetail, const std::vector<int>&, InkStatus,
                                           InkAmount, InkStatus, InkAmount, InkStatus, InkAmount,
                                           InkStatus, InkAmount, InkStatus, InkAmount) {
    return true;
}

QString MainFrame::composeTargetInkList(const std::vector<int>&) {
    return QString();
}

bool MainFrame::entry_pageSTM() {
    return true;
}

bool MainFrame::leave_pageSTM() {
    return true;
}
