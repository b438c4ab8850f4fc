// SPDX-License-Identifier: Apache-2.0
#include "ChainBed.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <cstdlib>

ChainBed::ChainBed() {
    testBed = std::make_unique<testbed::TestBed>();
    if (!testBed->ok()) {
        error = testBed->error();
        return;
    }
    const testbed::Queue* relayed = testBed->queue(RelayedPrinter);
    if (relayed == nullptr) {
        error = "no RV-C9000 printer in the test bed";
        return;
    }
    oneShotRelay = std::make_unique<OneShotRelay>(relayed->port);
    oneShotRelay->allow(1 << 30);
    if (!oneShotRelay->ok() ||
        !testBed->cups().addQueue(RelayQueue,
                                  "socket://127.0.0.1:" + std::to_string(oneShotRelay->port()),
                                  harness::shippedPpd("RV-C9000"))) {
        error = "relay queue: " + testBed->cups().lastError();
        return;
    }

    // tarn inherits the window's environment through the shell.
    for (const auto& [name, value] : testBed->environment())
        qputenv(name.c_str(), QByteArray::fromStdString(value));
    for (const std::string& name : harness::TempCups::unsetVariables())
        qunsetenv(name.c_str());

    scratch = std::make_unique<ScratchDir>();
    for (const char* program : {"tarn", "dexo1.so"}) {
        const QString target = QString::fromStdString(testbed::TestBed::binDir()) + "/" + program;
        if (!QFile::link(target, scratch->file(program))) {
            error = "cannot link " + target.toStdString();
            return;
        }
    }
}

ChainBed::~ChainBed() {
    scratch.reset();
    oneShotRelay.reset();
    testBed.reset();
}

bool ChainBed::resetPrinters() {
    if (!testBed->resetPrinters())
        return false;
    for (const testbed::Queue& queue : testBed->queues()) {
        if (!control().set(queue.name, "functionMs", "0"))
            return false;
    }
    oneShotRelay->allow(1 << 30);
    return true;
}

std::unique_ptr<MainFrame> ChainBed::openWindow(const std::string& queue) {
    auto window = std::make_unique<MainFrame>();
    // The window arms its 100 ms start-up status read at the end of its construction.
    QElapsedTimer sinceConstruction;
    sinceConstruction.start();
    window->show();
    auto* queues = widgetOf<QComboBox>(*window, "Startup", "selectPrintQueue");
    const int index = queues ? queues->findText(QString::fromStdString(queue)) : -1;
    if (index < 0)
        return nullptr;
    // Selecting another queue reads its options and its state, as the user's choice does.
    queues->setCurrentIndex(index);
    // Events are processed until that timer is due, so its read has run and cannot fall into
    // the middle of a test's step. (A due timer fires at the next processing of events.)
    while (sinceConstruction.elapsed() <= StartupReadMs)
        QTest::qWait(10);
    QCoreApplication::processEvents();
    return window;
}

QString pageShown(MainFrame& window) {
    QWidget* shown = pageOnDisplay(window);
    return shown ? shown->objectName() : QString();
}

bool press(MainFrame& window, const char* pageName, const char* button) {
    auto* b = widgetOf<QPushButton>(window, pageName, button);
    if (b == nullptr || !b->isEnabled())
        return false;
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

bool choose(QComboBox* box, const QString& text) {
    const int target = box->findText(text);
    if (target < 0)
        return false;
    // Bounded by the number of items: each key press moves the selection by one.
    for (int step = 0; step < box->count() && box->currentIndex() != target; ++step)
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    return box->currentIndex() == target;
}

std::vector<std::string> settingWrites(const std::vector<std::string>& log) {
    std::vector<std::string> writes;
    for (const std::string& entry : log) {
        const bool unit = entry.rfind("^S(CMP,U", 0) == 0 || entry.rfind("^S(CLR,", 0) == 0;
        if (entry.rfind("^S(", 0) == 0 && !unit)
            writes.push_back(entry);
    }
    return writes;
}

int countOf(const std::vector<std::string>& log, const std::string& entry) {
    int count = 0;
    for (const std::string& e : log)
        count += e == entry ? 1 : 0;
    return count;
}

int countStartingWith(const std::vector<std::string>& log, const std::string& prefix) {
    int count = 0;
    for (const std::string& e : log)
        count += e.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

QString joined(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list.join(" | ");
}

std::map<std::string, std::string> storedSettings(emulator::ControlClient& control,
                                                  const std::string& printer) {
    std::map<std::string, std::string> settings;
    for (const std::string& line : control.command("settings " + printer).lines) {
        // "KEY COMMAND VALUE"
        const std::size_t first = line.find(' ');
        const std::size_t second = line.find(' ', first + 1);
        settings[line.substr(0, first)] =
            second == std::string::npos ? "" : line.substr(second + 1);
    }
    return settings;
}

const Wizard Wizards[3] = {
    {"nozzle check", "btnNozzleCheck", "NozzleCheck1", nullptr, "btnPrint", "~W(PNC",
     "NozzleCheck2"},
    {"head cleaning", "btnHeadCleaning", "HeadCleaning1", nullptr, "btnStart", "~J(MCL,A",
     "HeadCleaning2"},
    {"power cleaning", "btnPowerInkFlushing", "PowerInkFlushing1", "checkStart", "btnStart",
     "~J(MCL,H", "PowerInkFlushing2"},
};

int functionCommands(const std::vector<std::string>& log) {
    int count = 0;
    for (const Wizard& wizard : Wizards)
        count += countOf(log, wizard.command);
    return count;
}
