// The nozzle check and the two cleanings: one printer function each, then an information page.
#include "MainFrame.h"

bool MainFrame::entry_pageNozzleCheck2() {
    if (guardedStep([this] { return command.printNozzleCheckPattern(queueName); }))
        pageNozzleCheck2.show();
    return true;
}

bool MainFrame::entry_pageHeadCleaning2() {
    if (guardedStep([this] { return command.doHeadCleaning(queueName, 'A'); }))
        pageHeadCleaning2.show();
    return true;
}

bool MainFrame::entry_pagePowerInkFlushing1() {
    // The consent is given afresh each time; unticking also disables Execute.
    uiPowerInkFlushing1.checkStart->setChecked(false);
    pagePowerInkFlushing1.show();
    return true;
}

bool MainFrame::entry_pagePowerInkFlushing2() {
    if (guardedStep([this] { return command.doHeadCleaning(queueName, 'H'); }))
        pagePowerInkFlushing2.show();
    return true;
}
