#include "StatusCatalogue.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {

constexpr unsigned AnyFamily = 0xF;
// A model of no known family is set up as an RV-C5000 everywhere else, so it reads the same
// texts; leaving the previous state's texts in place would show a state the printer is not in.
constexpr unsigned Series2000And5000 = 0x7;
constexpr unsigned Series9000 = 0x8;

constexpr AdviceForm Plain = AdviceForm::Plain;
constexpr AdviceForm Inks = AdviceForm::AfterInkList;
constexpr AdviceForm Box = AdviceForm::WithMaintenanceName;

const std::vector<CatalogueRow> rows = {
    {0,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Searching..."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Searching..."), nullptr},
     Plain,
     0},
    {1,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printer is offline"), nullptr},
     {QT_TRANSLATE_NOOP("QObject",
                        "Check all connections and make sure all devices are turned on."),
      nullptr},
     Plain,
     2},
    {2,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Different device from specified"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Attempting to connect to a different device from the one specified in the driver. Check "
          "the driver and the device."),
      nullptr},
     Plain,
     2},
    {3,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Communication error"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Check all cable connections and that the printer is turned on.\nIf this does not "
          "fix the problem, try restarting the printer."),
      nullptr},
     Plain,
     2},
    {100,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "General error"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Delete all print jobs in the spool manager and turn the printer off. Remove any foreign "
          "objects from inside the printer then turn the printer back on.  If this is the first "
          "print job, please, check to make sure all packing materials and parts have been "
          "removed."),
      nullptr},
     Plain,
     2},
    {200,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing data from another port"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     Plain,
     0},
    {201, Series2000And5000,
     QT_TRANSLATE_NOOP3("QObject", "Roll paper cover open", "RV-C2000C5000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the roll paper cover.", "RV-C2000C5000series"), Plain, 6},
    {201, Series9000, QT_TRANSLATE_NOOP3("QObject", "Roll paper cover open", "RV-C9000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the roll paper cover.", "RV-C9000series"), Plain, 6},
    {202,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Paper jam"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Remove the jammed paper, and then reload the paper."), nullptr},
     Plain,
     2},
    {203, Series2000And5000,
     QT_TRANSLATE_NOOP3("QObject", "Ink cartridge undetected", "RV-C2000C5000series"),
     QT_TRANSLATE_NOOP3("QObject", "Varda recommends the genuine Varda cartridges listed above.",
                        "RV-C2000C5000series"),
     Inks, 2},
    {203, Series9000, QT_TRANSLATE_NOOP3("QObject", "Ink cartridge undetected", "RV-C9000series"),
     QT_TRANSLATE_NOOP3("QObject", "Varda recommends the genuine Varda cartridges listed above.",
                        "RV-C9000series"),
     Inks, 2},
    {204,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Replace ink cartridge"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Varda recommends the genuine Varda cartridges listed above."),
      nullptr},
     Inks,
     2},
    {205,
     AnyFamily,
     QT_TRANSLATE_NOOP3("QObject", "Paper not loaded", "Status_ER_SN_IR"),
     {QT_TRANSLATE_NOOP("QObject", "Load the paper."), nullptr},
     Plain,
     8},
    {206,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Paper not loaded"), nullptr},
     QT_TRANSLATE_NOOP3("QObject",
                        "Remove any paper which is still in the printer and load new paper.",
                        "Status_ER_SN_ER"),
     Plain,
     7},
    {207,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Driver media size does not match the paper loaded"), nullptr},
     {QT_TRANSLATE_NOOP("QObject",
                        "Modify the media size on the printer driver to match the loaded paper."),
      nullptr},
     Plain,
     2},
    {208,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The paper feed method differs from the printer settings."),
      nullptr},
     {QT_TRANSLATE_NOOP("QObject",
                        "Check the paper feed method for the printer and the paper being used."),
      nullptr},
     Plain,
     2},
    {209,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Replace the maintenance box"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "-%mnt%\nReplace the maintenance box.\nSee your printer documentation for more "
          "information on replacing maintenance box."),
      nullptr},
     Box,
     2},
    {210,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Loaded paper does not match the specified setting"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Set the correct paper, or check the media layout settings or media position detection "
          "settings."),
      nullptr},
     Plain,
     2},
    {211,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Ink cartridge cover open"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Close the ink cartridge cover."), nullptr},
     Plain,
     3},
    {212,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Maintenance box undetected"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "-%mnt%\nInstall the maintenance box."), nullptr},
     Box,
     5},
    {213,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Maintenance box cover open"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Close the maintenance box cover."), nullptr},
     Plain,
     5},
    {214,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "New paper is loaded without removing the existing paper."),
      nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Remove the loaded new paper once. Remove any paper which is still in the printer and "
          "load the new paper again."),
      nullptr},
     Plain,
     2},
    {215,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Mechanical adjustment inside printer required."), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "If the error message still appears, contact the store where you purchased the product "
          "or an Varda service center."),
      nullptr},
     Plain,
     2},
    {216, Series2000And5000,
     QT_TRANSLATE_NOOP3("QObject", "The paper cover is open.", "RV-C2000C5000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the paper cover.", "RV-C2000C5000series"), Plain, 6},
    {216, Series9000, QT_TRANSLATE_NOOP3("QObject", "The paper cover is open.", "RV-C9000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the paper cover.", "RV-C9000series"), Plain, 6},
    {217, Series2000And5000,
     QT_TRANSLATE_NOOP3("QObject", "The front cover is open.", "RV-C2000C5000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the front cover.", "RV-C2000C5000series"), Plain, 4},
    {217, Series9000, QT_TRANSLATE_NOOP3("QObject", "The front cover is open.", "RV-C9000series"),
     QT_TRANSLATE_NOOP3("QObject", "Close the front cover.", "RV-C9000series"), Plain, 4},
    {218,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The release lever is open."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Close the release lever."), nullptr},
     Plain,
     2},
    {219,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The guide unit is open."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Close the guide unit."), nullptr},
     Plain,
     2},
    {220,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Calibration error"), nullptr},
     {"", nullptr},
     Plain,
     2},
    {221,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Insufficient ink to perform cleaning"), nullptr},
     QT_TRANSLATE_NOOP3("QObject", "See the LCD screen on the product and follow the instructions.",
                        "Status_ER_IC"),
     Plain,
     2},
    {222,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject",
                        "Cannot start cleaning because the Maintenance Box is near full."),
      nullptr},
     QT_TRANSLATE_NOOP3("QObject", "Printer features except cleaning are available.",
                        "Status_ER_MC"),
     Plain,
     2},
    {223,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Label not detected"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Follow the instructions on the printer's LCD screen."),
      nullptr},
     Plain,
     2},
    {300,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The printer is waiting for a panel operation."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Check the printer's panel."), nullptr},
     Plain,
     9},
    {301,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The storage memory is full."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Check the printer's panel."), nullptr},
     Plain,
     9},
    {302,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Clogged nozzles were detected while printing."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Check the print results and the printer's panel."), nullptr},
     Plain,
     9},
    {303,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The printer is paused."), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Finish menu operations, or press the Pause button on the printer's panel to release the "
          "pause."),
      nullptr},
     Plain,
     9},
    {400,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     Plain,
     0},
    {401,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     Plain,
     0},
    {402,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     Plain,
     0},
    {403,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     Plain,
     0},
    {500,
     AnyFamily,
     QT_TRANSLATE_NOOP3("QObject", "Paper not loaded", "Status_IL_PAPT_IR"),
     {QT_TRANSLATE_NOOP("QObject", "Load the paper."), nullptr},
     Plain,
     11},
    {501,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Paper not loaded"), nullptr},
     QT_TRANSLATE_NOOP3("QObject",
                        "Remove any paper which is still in the printer and load new paper.",
                        "Status_IL_PAPT_ER"),
     Plain,
     10},
    {502,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Print head unrecoverable clogged nozzles"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Print head unrecoverable clogged nozzles are detected.\nThe print result may be "
          "affected.\nYou can continue printing, but contact the store where you purchased the "
          "product or an Varda service center if the print result is affected."),
      nullptr},
     Plain,
     1},
    {503,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Mechanical adjustment inside printer will be required soon."),
      nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Contact the store where you purchased the product or an Varda service center."),
      nullptr},
     Plain,
     1},
    {504,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Maintenance box is nearing the end of its service life."),
      nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "-%mnt%\nPrepare a new maintenance box.\nYou can continue printing until replacement is "
          "required."),
      nullptr},
     Box,
     1},
    {505,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Ink is low"), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Prepare a new ink cartridge in advance.\nVarda recommends the genuine Varda cartridges "
          "listed above.\nYou can continue printing until replacement is required."),
      nullptr},
     Inks,
     1},
    {506,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Cannot perform a status check of the print head."), nullptr},
     {QT_TRANSLATE_NOOP(
          "QObject",
          "Cannot confirm the print head status because the temperature is outside the guaranteed "
          "operating range.\nAlthough you can print at this temperature, we recommend an ambient "
          "temperature of within 5°C {41°F} and 35°C {95°F} to maintain optimum print "
          "quality.\n* This is displayed when print head status confirmation is disabled."),
      nullptr},
     Plain,
     1},
    {600,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Ready to print"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Ready to print."), nullptr},
     Plain,
     0},
    {601,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Printing"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     Plain,
     1},
    {602,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Processing job"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Please wait."), nullptr},
     Plain,
     0},
    {603,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "The printer is cleaning the print head."), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "The printer is cleaning the print head. Please wait."),
      nullptr},
     Plain,
     0},
    {604,
     AnyFamily,
     {QT_TRANSLATE_NOOP("QObject", "Initial ink charging is not complete"), nullptr},
     {QT_TRANSLATE_NOOP("QObject", "Install the ink cartridges.\nSee the setup sheet for details."),
      nullptr},
     Plain,
     0},
};

constexpr int commErrorDetail = 3;

QString translated(const CatalogueText& text) {
    if (text.source[0] == '\0') {
        return QString(); // an empty source is never looked up: it would match the header entry
    }
    return QCoreApplication::translate("QObject", text.source, text.comment);
}

bool hasRowFor(int detail) {
    for (const CatalogueRow& row : rows) {
        if (row.detail == detail) {
            return true;
        }
    }
    return false;
}

} // namespace

const std::vector<CatalogueRow>& statusCatalogue() {
    return rows;
}

bool statusTextsFor(int detail, int catalogueFamily, const QString& inkList,
                    const QString& maintenanceBoxName, StatusTexts& out) {
    if (!hasRowFor(detail)) {
        detail = commErrorDetail;
    }
    const unsigned familyBit =
        catalogueFamily >= 0 && catalogueFamily <= 3 ? 1u << catalogueFamily : 1u;
    for (const CatalogueRow& row : rows) {
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

const InkLine inkLines[] = {
    {'K', nullptr, &InkPartNames::k},
    {'C', QT_TRANSLATE_NOOP("QObject", "Cyan"), &InkPartNames::c},
    {'M', QT_TRANSLATE_NOOP("QObject", "Magenta"), &InkPartNames::m},
    {'Y', QT_TRANSLATE_NOOP("QObject", "Yellow"), &InkPartNames::y},
};

} // namespace

QString composeInkList(const std::vector<int>& inks, const InkPartNames& names) {
    QString text;
    for (int ink : inks) {
        for (const InkLine& line : inkLines) {
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
