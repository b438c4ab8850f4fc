// SPDX-License-Identifier: Apache-2.0
#include "StatusTestSupport.h"

#include <QElapsedTimer>
#include <QTest>

// What the status page says for each detail of a printer whose maintenance box is MB-50.
const std::vector<CatalogueRow> catalogue = {
    {0, "Searching...", "Searching...", 0},
    {1, "Printer is offline", "Check all connections and make sure all devices are turned on.", 2},
    {2, "Different device from specified",
     "Attempting to connect to a different device from the one specified in the driver. Check the "
     "driver and the device.",
     2},
    {100, "General error",
     "Delete all print jobs in the spool manager and turn the printer off. Remove any foreign "
     "objects from inside the printer then turn the printer back on.  If this is the first print "
     "job, please, check to make sure all packing materials and parts have been removed.",
     2},
    {200, "Printing data from another port", "Please wait.", 0},
    {201, "Roll paper cover open", "Close the roll paper cover.", 6},
    {202, "Paper jam", "Remove the jammed paper, and then reload the paper.", 2},
    {203, "Ink cartridge undetected", "Varda recommends the genuine Varda cartridges listed above.",
     2},
    {204, "Replace ink cartridge", "Varda recommends the genuine Varda cartridges listed above.",
     2},
    {205, "Paper not loaded", "Load the paper.", 8},
    {206, "Paper not loaded", "Remove any paper which is still in the printer and load new paper.",
     7},
    {207, "Driver media size does not match the paper loaded",
     "Modify the media size on the printer driver to match the loaded paper.", 2},
    {208, "The paper feed method differs from the printer settings.",
     "Check the paper feed method for the printer and the paper being used.", 2},
    {209, "Replace the maintenance box",
     "-MB-50\nReplace the maintenance box.\nSee your printer documentation for more information on "
     "replacing maintenance box.",
     2},
    {210, "Loaded paper does not match the specified setting",
     "Set the correct paper, or check the media layout settings or media position detection "
     "settings.",
     2},
    {211, "Ink cartridge cover open", "Close the ink cartridge cover.", 3},
    {212, "Maintenance box undetected", "-MB-50\nInstall the maintenance box.", 5},
    {213, "Maintenance box cover open", "Close the maintenance box cover.", 5},
    {214, "New paper is loaded without removing the existing paper.",
     "Remove the loaded new paper once. Remove any paper which is still in the printer and load "
     "the new paper again.",
     2},
    {215, "Mechanical adjustment inside printer required.",
     "If the error message still appears, contact the store where you purchased the product or an "
     "Varda service center.",
     2},
    {216, "The paper cover is open.", "Close the paper cover.", 6},
    {217, "The front cover is open.", "Close the front cover.", 4},
    {218, "The release lever is open.", "Close the release lever.", 2},
    {219, "The guide unit is open.", "Close the guide unit.", 2},
    {220, "Calibration error", "", 2},
    {221, "Insufficient ink to perform cleaning",
     "See the LCD screen on the product and follow the instructions.", 2},
    {222, "Cannot start cleaning because the Maintenance Box is near full.",
     "Printer features except cleaning are available.", 2},
    {223, "Label not detected", "Follow the instructions on the printer's LCD screen.", 2},
    {300, "The printer is waiting for a panel operation.", "Check the printer's panel.", 9},
    {301, "The storage memory is full.", "Check the printer's panel.", 9},
    {302, "Clogged nozzles were detected while printing.",
     "Check the print results and the printer's panel.", 9},
    {303, "The printer is paused.",
     "Finish menu operations, or press the Pause button on the printer's panel to release the "
     "pause.",
     9},
    {400, "Printing", "Please wait.", 0},
    {401, "Printing", "Please wait.", 0},
    {402, "Printing", "Please wait.", 0},
    {403, "Printing", "Please wait.", 0},
    {500, "Paper not loaded", "Load the paper.", 11},
    {501, "Paper not loaded", "Remove any paper which is still in the printer and load new paper.",
     10},
    {502, "Print head unrecoverable clogged nozzles",
     "Print head unrecoverable clogged nozzles are detected.\nThe print result may be "
     "affected.\nYou can continue printing, but contact the store where you purchased the product "
     "or an Varda service center if the print result is affected.",
     1},
    {503, "Mechanical adjustment inside printer will be required soon.",
     "Contact the store where you purchased the product or an Varda service center.", 1},
    {504, "Maintenance box is nearing the end of its service life.",
     "-MB-50\nPrepare a new maintenance box.\nYou can continue printing until replacement is "
     "required.",
     1},
    {505, "Ink is low",
     "Prepare a new ink cartridge in advance.\nVarda recommends the genuine Varda cartridges "
     "listed above.\nYou can continue printing until replacement is required.",
     1},
    {506, "Cannot perform a status check of the print head.",
     "Cannot confirm the print head status because the temperature is outside the guaranteed "
     "operating range.\nAlthough you can print at this temperature, we recommend an ambient "
     "temperature of within 5°C {41°F} and 35°C {95°F} to maintain optimum print quality.\n* This "
     "is displayed when print head status confirmation is disabled.",
     1},
    {600, "Ready to print", "Ready to print.", 0},
    {601, "Printing", "Please wait.", 1},
    {602, "Processing job", "Please wait.", 0},
    {603, "The printer is cleaning the print head.",
     "The printer is cleaning the print head. Please wait.", 0},
    {604, "Initial ink charging is not complete",
     "Install the ink cartridges.\nSee the setup sheet for details.", 0},
    {3, "Communication error",
     "Check all cable connections and that the printer is turned on.\nIf this does not fix the "
     "problem, try restarting the printer.",
     2},
};

const char* const pictureLists[4][12] = {
    {"status_01", "status_03", "status_04", "status_05", "status_06", "status_07", "status_8,9",
     "status_10", "status_11", "status_12", "status_13", "status_14"},
    {"status_RV2000_01", "status_RV2000_03", "status_RV2000_04", "status_RV2000_05",
     "status_RV2000_06", "status_RV2000_07", "status_RV2000_06", "status_RV2000_10",
     "status_RV2000_11", "status_RV2000_12", "status_RV2000_13", "status_RV2000_14"},
    {"status_01D", "status_03D", "status_04D", "status_05D", "status_06D", "status_07D",
     "status_8,9D", "status_10D", "status_11D", "status_12D", "status_13D", "status_14D"},
    {"status_RV9000_01", "status_RV9000_03_12_13_14", "status_RV9000_04_05_06_07_10_11",
     "status_RV9000_04_05_06_07_10_11", "status_RV9000_04_05_06_07_10_11",
     "status_RV9000_04_05_06_07_10_11", "status_RV9000_04_05_06_07_10_11",
     "status_RV9000_04_05_06_07_10_11", "status_RV9000_04_05_06_07_10_11",
     "status_RV9000_03_12_13_14", "status_RV9000_03_12_13_14", "status_RV9000_03_12_13_14"},
};

QString picturePath(int list, int index) {
    return QString("://images/%1.png").arg(pictureLists[list][index]);
}

const CatalogueRow& rowOf(int detail) {
    for (const CatalogueRow& row : catalogue) {
        if (row.detail == detail)
            return row;
    }
    return rowOf(3);
}

const char* const usageWithFunctions =
    "usage: tarn [options]\n        - deviceID [O]\n        - printNozzleCheck\n"
    "        - startCleaningHead\n";

QString deviceOptionLines(const StandInPrinter& p, const QString& queue) {
    return QString("destination: %1\n"
                   "deviceOption: %2\n"
                   "deviceID: %3\n"
                   "inkNameK: %4\n"
                   "inkNameC: IC-C\n"
                   "inkNameM: IC-M\n"
                   "inkNameY: IC-Y\n"
                   "inkNameMN: %5\n"
                   "inkCartridgeLayout: %6\n")
        .arg(queue, p.deviceOption, p.deviceID, p.inkK, p.inkMN, p.layout);
}

QString statusLines(int detail, int group, const QString& inks, const InkValues& v,
                    const QString& queue) {
    QString text = QString("destination: %1\nstatus: %2, Name\nstatusGroup: %3, Group\n"
                           "inksOfErrorReason: %4\n")
                       .arg(queue)
                       .arg(detail)
                       .arg(group)
                       .arg(inks);
    const char* keys[] = {"inkK", "inkC", "inkM", "inkY", "inkMN"};
    for (int i = 0; i < 5; ++i)
        text += QString("%1: %2 %3\n").arg(keys[i]).arg(v.status[i]).arg(v.amount[i]);
    return text;
}

StandInBed::StandInBed(const StandInPrinter& printer, const QString& status,
                       const QString& queues) {
    tool.setReply(StandInTool::Run::List, queues);
    tool.setReply(StandInTool::Run::Usage, usageWithFunctions);
    tool.setReply(StandInTool::Run::Options, deviceOptionLines(printer));
    tool.setReply(StandInTool::Run::Status, status);
}

int StandInBed::statusReads() const {
    int n = 0;
    for (const QString& call : tool.calls())
        n += call.contains("[-o][status]") ? 1 : 0;
    return n;
}

std::unique_ptr<MainFrame> StandInBed::open() {
    auto w = std::make_unique<MainFrame>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    // The first read comes from the start-up timer; wait for it so it cannot interleave.
    QElapsedTimer clock;
    clock.start();
    while (statusReads() == 0 && clock.elapsed() < 5000)
        QTest::qWait(10);
    return w;
}

bool showsPixmap(const QLabel* label, const QPixmap& expected) {
    if (!label || expected.isNull())
        return false;
    const QPixmap shown = label->pixmap(Qt::ReturnByValue);
    return !shown.isNull() && shown.toImage() == expected.toImage();
}

bool showsPicture(const QLabel* label, const QString& path) {
    return showsPixmap(label, QPixmap(path));
}
