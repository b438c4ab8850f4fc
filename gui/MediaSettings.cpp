// stub: replaced by the media settings work.
#include "MainFrame.h"

bool MainFrame::entry_pagePaperSetting1() {
    return true;
}

bool MainFrame::switchFormGapRange() {
    return false;
}

bool MainFrame::switch_entry_pagePaperSetting() {
    return true;
}

bool MainFrame::entry_pagePaperSetting2() {
    return true;
}
