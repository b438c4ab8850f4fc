// stub: replaced by the print position settings work.
#include "MainFrame.h"

bool MainFrame::entry_geometrySetting1() {
    return true;
}

bool MainFrame::entry_geometrySetting2() {
    return true;
}
