// SPDX-License-Identifier: Apache-2.0
// The nozzle check and the two cleanings: one printer function each, then an information page.
#include "MainFrame.h"

#include <QDateTime>
#include <QTimer>

namespace {

// The printer is busy with ink: a function sent now would run into the one under way.
bool busyWithInk(int detail) {
    return detail == Status_CL || detail == Status_FC;
}

} // namespace

bool MainFrame::maintenanceStep(const std::function<bool()>& operation) {
    if (!printerReady()) {
        return false;
    }
    if (busyWithInk(lastStatusDetail)) {
        entry_pageSTM();
        return false;
    }
    if (!operation()) {
        showStepFailure();
        return false;
    }
    return true;
}

void MainFrame::startWatchingCleaning(Page& progressPage) {
    if (!cleaningWatch) {
        cleaningWatch = new QTimer(this);
        cleaningWatch->setInterval(kCleaningWatchIntervalMs);
        connect(cleaningWatch, &QTimer::timeout, this, &MainFrame::watchCleaning);
        for (QPushButton* cancel : {uiHeadCleaning2.btnCancel, uiPowerInkFlushing2.btnCancel}) {
            connect(cancel, &QPushButton::clicked, this, &MainFrame::stopWatchingCleaning);
        }
    }
    cleaningPage = &progressPage;
    cleaningWatchStartMs = QDateTime::currentMSecsSinceEpoch();
    for (QPushButton* next : {uiHeadCleaning2.btnNext, uiPowerInkFlushing2.btnNext}) {
        next->setEnabled(false);
    }
    progressPage.show();
    cleaningWatch->start();
}

void MainFrame::stopWatchingCleaning() {
    if (cleaningWatch) {
        cleaningWatch->stop();
    }
    cleaningPage = nullptr;
}

void MainFrame::watchCleaning() {
    if (command.toolRunning() || statusReadUnderWay) {
        return; // the next turn reads
    }
    // Gone from the page (Cancel, or the monitor after a failure): the wait is over.
    if (!cleaningPage || Page::onDisplay(this) != cleaningPage) {
        stopWatchingCleaning();
        return;
    }
    Page* page = cleaningPage;
    const bool read = updatePrinterStatus();
    if (read && busyWithInk(lastStatusDetail)) {
        if (QDateTime::currentMSecsSinceEpoch() - cleaningWatchStartMs < kCleaningWatchLimitMs) {
            return;
        }
        // Far longer than any cleaning: let the monitor show what the printer reports.
        stopWatchingCleaning();
        entry_pageSTM();
        return;
    }
    stopWatchingCleaning();
    if (!read || (lastStatusGroup != Warning && lastStatusGroup != Others)) {
        entry_pageSTM();
        return;
    }
    QPushButton* next =
        page == &pagePowerInkFlushing2 ? uiPowerInkFlushing2.btnNext : uiHeadCleaning2.btnNext;
    next->setEnabled(true);
    next->setFocus(Qt::OtherFocusReason);
}

bool MainFrame::entry_pageNozzleCheck2() {
    if (maintenanceStep([this] { return command.printNozzleCheckPattern(queueName); })) {
        pageNozzleCheck2.show();
    }
    return true;
}

bool MainFrame::entry_pageHeadCleaning2() {
    if (maintenanceStep([this] { return command.doHeadCleaning(queueName, 'A'); })) {
        startWatchingCleaning(pageHeadCleaning2);
    }
    return true;
}

bool MainFrame::entry_pagePowerInkFlushing1() {
    // The consent is given afresh each time; unticking also disables Execute.
    uiPowerInkFlushing1.checkStart->setChecked(false);
    pagePowerInkFlushing1.show();
    return true;
}

bool MainFrame::entry_pagePowerInkFlushing2() {
    if (maintenanceStep([this] { return command.doHeadCleaning(queueName, 'H'); })) {
        startWatchingCleaning(pagePowerInkFlushing2);
    }
    return true;
}
