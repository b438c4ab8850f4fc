// SPDX-License-Identifier: Apache-2.0
// The window tests' test bed: emulated printers of every family and variant behind a private
// cupsd, the real tarn and dexo1.so linked into a scratch working folder (where the window
// looks for ./tarn), and the process environment pointed at that cupsd.
#pragma once

#include "GuiTestSupport.h"
#include "OneShotRelay.h"
#include "TestBed.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>

#include <map>
#include <memory>
#include <string>
#include <vector>

class ChainBed {
public:
    ChainBed();
    ~ChainBed();

    bool ok() const { return error.empty(); }
    std::string error;

    testbed::TestBed& bed() { return *testBed; }
    emulator::ControlClient& control() { return testBed->control(); }

    // Every printer at power-on, with functions that end at once so that a step after a
    // nozzle check or a cleaning finds the printer ready.
    bool resetPrinters();

    // A window with queue selected on its start page.
    std::unique_ptr<MainFrame> openWindow(const std::string& queue);

    // A queue in front of the RV-C9000 printer whose connections pass a relay, so a test can
    // let the printer vanish between two tool runs.
    static constexpr const char* RelayQueue = "relayc9000";
    static constexpr const char* RelayedPrinter = "c9000";
    OneShotRelay& relay() { return *oneShotRelay; }

private:
    // The delay of the window's first status read after construction.
    static constexpr int StartupReadMs = 100;

    std::unique_ptr<testbed::TestBed> testBed;
    std::unique_ptr<ScratchDir> scratch;
    std::unique_ptr<OneShotRelay> oneShotRelay;
};

template <class T> T* widgetOf(MainFrame& window, const char* pageName, const char* name) {
    QWidget* p = page(window, pageName);
    return p ? p->findChild<T*>(name) : nullptr;
}

// The object name of the page on display, or "" when none is.
QString pageShown(MainFrame& window);

// Presses a push button of a page as the user would; false when the button does not exist or
// is disabled.
bool press(MainFrame& window, const char* pageName, const char* button);

// Moves the current item of a combo box to the item with text by the keyboard, as the user
// would, so that activated(int) fires on the way; false when no item has text.
bool choose(QComboBox* box, const QString& text);

// The commands of the emulator's log that change a stored setting (the unit preamble that
// every settings run sends is left out).
std::vector<std::string> settingWrites(const std::vector<std::string>& log);
int countOf(const std::vector<std::string>& log, const std::string& entry);
// The log entries that start with prefix.
int countStartingWith(const std::vector<std::string>& log, const std::string& prefix);
// A log for a failure message.
QString joined(const std::vector<std::string>& lines);
// The printer's stored settings by key.
std::map<std::string, std::string> storedSettings(emulator::ControlClient& control,
                                                  const std::string& printer);

// The three maintenance wizards: the button that opens each, its page, the consent box, the
// step's button, what the printer receives and the page that follows.
struct Wizard {
    const char* name;
    const char* startButton;
    const char* page;
    const char* checkBox; // ticked before the action, or null
    const char* action;
    const char* command;
    const char* next;
};
extern const Wizard Wizards[3];
// The function commands of the wizards in log.
int functionCommands(const std::vector<std::string>& log);
