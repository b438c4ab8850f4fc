// SPDX-License-Identifier: Apache-2.0
#include "StatusCatalogue.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {

constexpr unsigned kAnyFamily = 0xF;
// A model of no known family is set up as an RV-C5000 everywhere else, so it reads the same
// texts; leaving the previous state's texts in place would show a state the printer is not in.
constexpr unsigned kSeries2000And5000 = 0x7;
constexpr unsigned kSeries9000 = 0x8;

constexpr AdviceForm kPlain = AdviceForm::Plain;
constexpr AdviceForm kInks = AdviceForm::AfterInkList;
constexpr AdviceForm kBox = AdviceForm::WithMaintenanceName;

const std::vector<CatalogueRow> kRows = {
    {0,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Searching..."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Searching..."), nullptr},
     kPlain,
     0},
    {1,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printer is offline"), nullptr},
     {QT_TRANSLATE_NOOP("QObject",
                        "Check all connections and make sure all devices are turned on."),
      nullptr},
     kPlain,
     2},
    {2,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Different device from specified"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Attempting to connect to a different device from the one specified in the driver. Check "
          "the driver and the device."),
      nullptr},
     kPlain,
     2},
    {3,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Communication error"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Check all cable connections and that the printer is turned on.\nIf this does not "
          "fix the problem, try restarting the printer."),
      nullptr},
     kPlain,
     2},
    {100,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "General error"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Delete all print jobs in the spool manager and turn the printer off. Remove any foreign "
          "objects from inside the printer then turn the printer back on.  If this is the first "
          "print job, please, check to make sure all packing materials and parts have been "
          "removed."),
      nullptr},
     kPlain,
     2},
    {200,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing data from another port"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     kPlain,
     0},
    {201, kSeries2000And5000,
     QT_TRANSLATE_NOOP3("QObject", "Roll paper cover open", "RV-C2000C5000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the roll paper cover.", "RV-C2000C5000series"), kPlain,
     6},
    {201, kSeries9000, QT_TRANSLATE_NOOP3("QObject", "Roll paper cover open", "RV-C9000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the roll paper cover.", "RV-C9000series"), kPlain, 6},
    {202,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Paper jam"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Remove the jammed paper, and then reload the paper."), nullptr},
     kPlain,
     2},
    {203, kSeries2000And5000,
     QT_TRANSLATE_NOOP3("QObject", "Ink cartridge undetected", "RV-C2000C5000series"),
     QT_TRANSLATE_NOOP3("QObject", "Varda recommends the genuine Varda cartridges listed above.",
                        "RV-C2000C5000series"),
     kInks, 2},
    {203, kSeries9000, QT_TRANSLATE_NOOP3("QObject", "Ink cartridge undetected", "RV-C9000series"),
     QT_TRANSLATE_NOOP3("QObject", "Varda recommends the genuine Varda cartridges listed above.",
                        "RV-C9000series"),
     kInks, 2},
    {204,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Replace ink cartridge"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Varda recommends the genuine Varda cartridges listed above."),
      nullptr},
     kInks,
     2},
    {205,
     kAnyFamily,
     QT_TRANSLATE_NOOP3("QObject", "Paper not loaded", "Status_ER_SN_IR"),
     {QT_TRANSLATE_NOOP("QObject", "Load the paper."), nullptr},
     kPlain,
     8},
    {206,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Paper not loaded"), nullptr},
     QT_TRANSLATE_NOOP3("QObject",
                        "Remove any paper which is still in the printer and load new paper.",
                        "Status_ER_SN_ER"),
     kPlain,
     7},
    {207,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Driver media size does not match the paper loaded"), nullptr},
     {QT_TRANSLATE_NOOP("QObject",
                        "Modify the media size on the printer driver to match the loaded paper."),
      nullptr},
     kPlain,
     2},
    {208,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The paper feed method differs from the printer settings."),
      nullptr},
     {QT_TRANSLATE_NOOP("QObject",
                        "Check the paper feed method for the printer and the paper being used."),
      nullptr},
     kPlain,
     2},
    {209,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Replace the maintenance box"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "-%mnt%\nReplace the maintenance box.\nSee your printer documentation for more "
          "information on replacing maintenance box."),
      nullptr},
     kBox,
     2},
    {210,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Loaded paper does not match the specified setting"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Set the correct paper, or check the media layout settings or media position detection "
          "settings."),
      nullptr},
     kPlain,
     2},
    {211,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Ink cartridge cover open"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Close the ink cartridge cover."), nullptr},
     kPlain,
     3},
    {212,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Maintenance box undetected"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "-%mnt%\nInstall the maintenance box."), nullptr},
     kBox,
     5},
    {213,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Maintenance box cover open"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Close the maintenance box cover."), nullptr},
     kPlain,
     5},
    {214,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "New paper is loaded without removing the existing paper."),
      nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Remove the loaded new paper once. Remove any paper which is still in the printer and "
          "load the new paper again."),
      nullptr},
     kPlain,
     2},
    {215,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Mechanical adjustment inside printer required."), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "If the error message still appears, contact the store where you purchased the product "
          "or an Varda service center."),
      nullptr},
     kPlain,
     2},
    {216, kSeries2000And5000,
     QT_TRANSLATE_NOOP3("QObject", "The paper cover is open.", "RV-C2000C5000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the paper cover.", "RV-C2000C5000series"), kPlain, 6},
    {216, kSeries9000, QT_TRANSLATE_NOOP3("QObject", "The paper cover is open.", "RV-C9000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the paper cover.", "RV-C9000series"), kPlain, 6},
    {217, kSeries2000And5000,
     QT_TRANSLATE_NOOP3("QObject", "The front cover is open.", "RV-C2000C5000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the front cover.", "RV-C2000C5000series"), kPlain, 4},
    {217, kSeries9000, QT_TRANSLATE_NOOP3("QObject", "The front cover is open.", "RV-C9000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the front cover.", "RV-C9000series"), kPlain, 4},
    {218,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The release lever is open."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Close the release lever."), nullptr},
     kPlain,
     2},
    {219,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The guide unit is open."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Close the guide unit."), nullptr},
     kPlain,
     2},
    {220,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Calibration error"), nullptr},
     {"", nullptr},
     kPlain,
     2},
    {221,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Insufficient ink to perform cleaning"), nullptr},
     QT_TRANSLATE_NOOP3("QObject", "See the LCD screen on the product and follow the instructions.",
                        "Status_ER_IC"),
     kPlain,
     2},
    {222,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject",
                        "Cannot start cleaning because the Maintenance Box is near full."),
      nullptr},
     QT_TRANSLATE_NOOP3("QObject", "Printer features except cleaning are available.",
                        "Status_ER_MC"),
     kPlain,
     2},
    {223,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Label not detected"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Follow the instructions on the printer's LCD screen."),
      nullptr},
     kPlain,
     2},
    {300,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The printer is waiting for a panel operation."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Check the printer's panel."), nullptr},
     kPlain,
     9},
    {301,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The storage memory is full."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Check the printer's panel."), nullptr},
     kPlain,
     9},
    {302,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Clogged nozzles were detected while printing."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Check the print results and the printer's panel."), nullptr},
     kPlain,
     9},
    {303,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The printer is paused."), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Finish menu operations, or press the Pause button on the printer's panel to release the "
          "pause."),
      nullptr},
     kPlain,
     9},
    {400,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     kPlain,
     0},
    {401,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     kPlain,
     0},
    {402,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     kPlain,
     0},
    {403,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     kPlain,
     0},
    {500,
     kAnyFamily,
     QT_TRANSLATE_NOOP3("QObject", "Paper not loaded", "Status_IL_PAPT_IR"),
     {QT_TRANSLATE_NOOP("QObject", "Load the paper."), nullptr},
     kPlain,
     11},
    {501,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Paper not loaded"), nullptr},
     QT_TRANSLATE_NOOP3("QObject",
                        "Remove any paper which is still in the printer and load new paper.",
                        "Status_IL_PAPT_ER"),
     kPlain,
     10},
    {502,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Print head unrecoverable clogged nozzles"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Print head unrecoverable clogged nozzles are detected.\nThe print result may be "
          "affected.\nYou can continue printing, but contact the store where you purchased the "
          "product or an Varda service center if the print result is affected."),
      nullptr},
     kPlain,
     1},
    {503,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Mechanical adjustment inside printer will be required soon."),
      nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Contact the store where you purchased the product or an Varda service center."),
      nullptr},
     kPlain,
     1},
    {504,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Maintenance box is nearing the end of its service life."),
      nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "-%mnt%\nPrepare a new maintenance box.\nYou can continue printing until replacement is "
          "required."),
      nullptr},
     kBox,
     1},
    {505,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Ink is low"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Prepare a new ink cartridge in advance.\nVarda recommends the genuine Varda cartridges "
          "listed above.\nYou can continue printing until replacement is required."),
      nullptr},
     kInks,
     1},
    {506,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Cannot perform a status check of the print head."), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Cannot confirm the print head status because the temperature is outside the guaranteed "
          "operating range.\nAlthough you can print at this temperature, we recommend an ambient "
          "temperature of within 5°C {41°F} and 35°C {95°F} to maintain optimum print "
          "quality.\n* This is displayed when print head status confirmation is disabled."),
      nullptr},
     kPlain,
     1},
    {600,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Ready to print"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Ready to print."), nullptr},
     kPlain,
     0},
    {601,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     kPlain,
     1},
    {602,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Processing job"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     kPlain,
     0},
    {603,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The printer is cleaning the print head."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "The printer is cleaning the print head. Please wait."),
      nullptr},
     kPlain,
     0},
    {604,
     kAnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Initial ink charging is not complete"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Install the ink cartridges.\nSee the setup sheet for details."),
      nullptr},
     kPlain,
     0},
};

constexpr int kCommErrorDetail = 3;

QString translated(const CatalogueText& text) {
    if (text.source[0] == '\0') {
        return QString(); // an empty source is never looked up: it would match the header entry
    }
    return QCoreApplication::translate("QObject", text.source, text.comment);
}

bool hasRowFor(int detail) {
    for (const CatalogueRow& row : kRows) {
        if (row.detail == detail) {
            return true;
        }
    }
    return false;
}

} // namespace

const std::vector<CatalogueRow>& statusCatalogue() {
    return kRows;
}

bool statusTextsFor(int detail, int catalogueFamily, const QString& inkList,
                    const QString& maintenanceBoxName, StatusTexts& out) {
    if (!hasRowFor(detail)) {
        detail = kCommErrorDetail;
    }
    const unsigned familyBit =
        catalogueFamily >= 0 && catalogueFamily <= 3 ? 1u << catalogueFamily : 1u;
    for (const CatalogueRow& row : kRows) {
        if (row.detail != detail || (row.families & familyBit) == 0) {
            continue;
        }
        out.title = translated(row.title);
        QString advice = translated(row.advice);
        switch (row.form) {
        case AdviceForm::AfterInkList:
            advice.prepend(inkList);
            break;
        case AdviceForm::WithMaintenanceName:
            advice.replace(QStringLiteral("%mnt%"), maintenanceBoxName, Qt::CaseSensitive);
            break;
        case AdviceForm::Plain:
            break;
        }
        out.advice = advice;
        out.picture = row.picture;
        return true;
    }
    return false;
}

namespace {

struct InkLine {
    int key;
    const char* colour; // null: the black ink's name, which depends on the cartridge
    QString InkPartNames::*part;
};

const InkLine kInkLines[] = {
    {'K', nullptr, &InkPartNames::k},
    {'C', QT_TRANSLATE_NOOP("QObject", "Cyan"), &InkPartNames::c},
    {'M', QT_TRANSLATE_NOOP("QObject", "Magenta"), &InkPartNames::m},
    {'Y', QT_TRANSLATE_NOOP("QObject", "Yellow"), &InkPartNames::y},
};

} // namespace

QString composeInkList(const std::vector<int>& inks, const InkPartNames& names) {
    QString text;
    for (int ink : inks) {
        for (const InkLine& line : kInkLines) {
            if (line.key != ink) {
                continue;
            }
            const QString colour = line.colour ? QCoreApplication::translate("QObject", line.colour)
                                               : names.blackInkName;
            text += QStringLiteral("- ") + colour + QStringLiteral(": ") + names.*line.part +
                    QStringLiteral("\n");
        }
    }
    return text;
}
