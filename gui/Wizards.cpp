// stub: replaced by the maintenance wizards work.
#include "MainFrame.h"

bool MainFrame::entry_pageNozzleCheck2() {
    return true;
}

bool MainFrame::entry_pageHeadCleaning2() {
    return true;
}

bool MainFrame::entry_pagePowerInkFlushing1() {
    return true;
}

bool MainFrame::entry_pagePowerInkFlushing2() {
    return true;
}
