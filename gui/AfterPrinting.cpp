// stub: replaced by the after-printing and printer setting work.
#include "MainFrame.h"

bool MainFrame::entry_pageAfterPrinting1() {
    return true;
}

bool MainFrame::entry_pageAfterPrinting2() {
    return true;
}

bool MainFrame::entry_pagePrinterSetting1() {
    return true;
}

bool MainFrame::entry_pagePrinterSetting2() {
    return true;
}
