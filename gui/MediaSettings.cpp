// The media settings pages: reading the source, form and lengths into PaperSetting1, adapting
// its rows and ranges to the selected form, the narrow-gap warning and the write per family.
#include "MainFrame.h"

#include "FieldDots.h"

#include <QCoreApplication>

#include <initializer_list>
#include <regex>
#include <string>
#include <vector>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("QObject", text);
}

int key(const char* value) {
    int packed = 0;
    for (int i = 0; i < 3 && value[i] != '\0'; ++i)
        packed = (packed << 8) | static_cast<unsigned char>(value[i]);
    return packed;
}

bool matches(const std::string& text, const char* pattern) {
    return std::regex_match(text, std::regex(pattern));
}

// Device IDs and model captions of the two series whose side margin the page reads and checks.
const char* const Series5000DeviceID = "MFG:VARDA;MDL:RV-[CD](5[05][0-5]0[PA]).?;.*";
const char* const Series9000ReadDeviceID = "MFG:VARDA;MDL:RV-C(90[0-5]0).?;.*";
const char* const Series9000DeviceID = "MFG:VARDA;MDL:RV-C(90[0-5]0.?).?;.*";
const char* const Series5000Model = "RV-[CD](5[05][0-5]0[PA]).?";
const char* const Series9000Model = "RV-C(90[0-5]0.?).?";

// A left or right gap of at most this many dots (under 2 mm) lets ink reach the printer's inside.
constexpr int NarrowGapDots = 46;

// The rows a media form shows below the gap row.
enum class MarginRows {
    LeftAndRight, // one gap for both edges
    Tag,          // left gap, right gap and the distance from the edge to the hole
    None,         // the printer fixes the margins itself
};

struct FormRule {
    const char* key;
    int gapMin;
    MarginRows rows;
};

struct SeriesRules {
    const char* model; // whole-string pattern on the model caption; null for every other one
    int anyFormGapMin; // the gap range set even for a form the series does not know, or -1
    std::vector<FormRule> forms;
};

const SeriesRules Series[] = {
    {Series5000Model,
     -1,
     {{"N", 0, MarginRows::LeftAndRight},
      {"W", 48, MarginRows::LeftAndRight},
      {"M", 48, MarginRows::LeftAndRight}}},
    {Series9000Model,
     72,
     {{"DLW", 72, MarginRows::LeftAndRight},
      {"DLM", 72, MarginRows::LeftAndRight},
      {"CLM", 72, MarginRows::LeftAndRight},
      {"CLN", 72, MarginRows::LeftAndRight},
      {"CPM", 72, MarginRows::LeftAndRight},
      {"CPN", 72, MarginRows::LeftAndRight},
      {"TGH", 72, MarginRows::Tag}}},
    {nullptr,
     -1,
     {{"CLM", 0, MarginRows::None},
      {"CLN", 0, MarginRows::None},
      {"CPM", 0, MarginRows::None},
      {"CPN", 0, MarginRows::None},
      {"WBM", 0, MarginRows::None},
      {"DLW", 48, MarginRows::None},
      {"DLM", 48, MarginRows::None}}},
};

constexpr int GapMaxDots = 142;
constexpr int SideMaxDots = 142;
constexpr int TagMarginMaxDots = 709;
constexpr int EdgeToHoleMaxDots = 7228;

// The tool's paperShape for the first character of a combined source key.
int shapeOfKeyCharacter(int character) {
    struct Shape {
        char character;
        const char* code;
    };
    const Shape shapes[] = {{'F', "FP"}, {'R', "RP"}};
    for (const Shape& shape : shapes) {
        if (character == shape.character)
            return key(shape.code);
    }
    return character;
}

// The RV-C2000 series sets the side margin by the media form, whatever the hidden field holds.
bool fixedSideMarginOfForm(int paperForm, int& sideMargin) {
    struct FixedMargin {
        const char* form;
        int dots;
    };
    const FixedMargin margins[] = {{"DL", 47}, {"CL", 47}, {"CP", 0}, {"WB", 0}};
    for (const FixedMargin& margin : margins) {
        if (paperForm == key(margin.form)) {
            sideMargin = margin.dots;
            return true;
        }
    }
    return false;
}

void setRowVisible(std::initializer_list<QWidget*> row, bool visible) {
    for (QWidget* widget : row)
        widget->setVisible(visible);
}

} // namespace

bool MainFrame::entry_pagePaperSetting1() {
    std::string deviceID;
    int paperSource = 0, paperShape = 0, paperForm = 0, formDetectionType = 0;
    int formGap = 0, sideMargin = 0, rightMargin = 0, edgeHole = 0;
    if (!guardedStep([&] {
            return command.readPaperSource(queueName, deviceID, paperSource, paperShape, paperForm,
                                           formDetectionType, formGap, sideMargin, rightMargin,
                                           edgeHole);
        }))
        return true;

    Ui_PaperSetting1& ui = uiPaperSetting1;
    int formKey = formDetectionType;
    int sourceKey = paperSource;
    if (paperForm != 0) {
        // The first character of the shape code goes in front of the source code.
        formKey = (paperForm << 8) | formDetectionType;
        sourceKey = paperSource | ((paperShape >> 8) << 16);
    }
    int marginsRead = 0;
    if (matches(deviceID, Series5000DeviceID))
        marginsRead = 1;
    else if (matches(deviceID, Series9000ReadDeviceID))
        marginsRead = 3;

    // Every value the page shows must have come from the printer: a source or form the lists
    // do not hold, or a length without a number, would show (and write) what was not read.
    const int formIndex = ui.selectFormDetectionType->findData(formKey);
    const int sourceIndex = ui.selectPaperSource->findData(sourceKey);
    const char* const marginKeys[] = {"sideMargin", "rightMargin", "edgeHole"};
    bool complete = formIndex >= 0 && sourceIndex >= 0 && command.answeredNumber("formGap");
    for (int i = 0; complete && i < marginsRead; ++i)
        complete = command.answeredNumber(marginKeys[i]);
    if (!complete) {
        showCommunicationError();
        return true;
    }
    ui.selectFormDetectionType->setCurrentIndex(formIndex);
    ui.selectPaperSource->setCurrentIndex(sourceIndex);
    formDetectionImageSwitcher.switchImage(formIndex);

    // The values go in after the ranges, so each is shown clamped into its form's range.
    switchFormGapRange();
    fielddots::showRead(ui.numericFormGap, formGap, Dot2Len(formGap));

    struct Margin {
        QDoubleSpinBox* box;
        int dots;
    };
    const Margin margins[] = {
        {ui.numericSideMargin, sideMargin},
        {ui.numericRightMargin, rightMargin},
        {ui.numericEdgetoHole, edgeHole},
    };
    for (int i = 0; i < 3; ++i) {
        if (i < marginsRead)
            fielddots::showRead(margins[i].box, margins[i].dots, Dot2Len(margins[i].dots));
        else
            fielddots::forget(margins[i].box);
    }

    pagePaperSetting1.show();
    return true;
}

bool MainFrame::switchFormGapRange() {
    Ui_PaperSetting1& ui = uiPaperSetting1;
    const int formKey = ui.selectFormDetectionType->currentData().toInt();
    const std::string model = ui.labelDeviceName->text().toStdString();

    const SeriesRules* series = nullptr;
    for (const SeriesRules& candidate : Series) {
        if (candidate.model == nullptr || matches(model, candidate.model)) {
            series = &candidate;
            break;
        }
    }
    const FormRule* form = nullptr;
    for (const FormRule& candidate : series->forms) {
        if (key(candidate.key) == formKey)
            form = &candidate;
    }
    if (form == nullptr) {
        if (series->anyFormGapMin >= 0)
            setNumericRange(ui.numericFormGap, ui.labelFormGapUnit, ui.labelFormGapRange,
                            series->anyFormGapMin, GapMaxDots, 2);
        return false;
    }

    setNumericRange(ui.numericFormGap, ui.labelFormGapUnit, ui.labelFormGapRange, form->gapMin,
                    GapMaxDots, 2);
    const bool tag = form->rows == MarginRows::Tag;
    setRowVisible(
        {ui.labelSideMargin, ui.numericSideMargin, ui.labelSideMarginUnit, ui.labelSideMarginRange},
        form->rows != MarginRows::None);
    ui.labelSideMargin->setText(
        tag ? translated(QT_TRANSLATE_NOOP("QObject", "Left Gap:"))
            : translated(QT_TRANSLATE_NOOP("QObject", "Left & Right Gap:")));
    setRowVisible({ui.labelRightMargin, ui.numericRightMargin, ui.labelRightMarginUnit,
                   ui.labelRightMarginRange},
                  tag);
    setRowVisible({ui.labelEdgetoHoleLength, ui.numericEdgetoHole, ui.labelEdgetoHoleUnit,
                   ui.labelEdgetoHoleRange},
                  tag);
    setNumericRange(ui.numericSideMargin, ui.labelSideMarginUnit, ui.labelSideMarginRange, 0,
                    tag ? TagMarginMaxDots : SideMaxDots, 2);
    if (tag) {
        setNumericRange(ui.numericRightMargin, ui.labelRightMarginUnit, ui.labelRightMarginRange, 0,
                        TagMarginMaxDots, 2);
        setNumericRange(ui.numericEdgetoHole, ui.labelEdgetoHoleUnit, ui.labelEdgetoHoleRange, 0,
                        EdgeToHoleMaxDots, 2);
    }

    pagePaperSetting1.adjustSize();
    pagePaperSetting1.adjustSize();
    adjustSize();
    return true;
}

bool MainFrame::switch_entry_pagePaperSetting() {
    std::string deviceID;
    int paperSource = 0, paperShape = 0, paperForm = 0, formDetectionType = 0;
    int formGap = 0, sideMargin = 0, rightMargin = 0, edgeHole = 0;
    // Read again only for the device ID of the printer now behind the queue.
    if (!guardedStep([&] {
            return command.readPaperSource(queueName, deviceID, paperSource, paperShape, paperForm,
                                           formDetectionType, formGap, sideMargin, rightMargin,
                                           edgeHole);
        }))
        return true;

    Ui_PaperSetting1& ui = uiPaperSetting1;
    const auto narrow = [](int dots) { return dots >= 0 && dots <= NarrowGapDots; };
    const auto dotsOf = [this](QDoubleSpinBox* box) {
        return fielddots::dotsToSend(box, Len2Dot(box->value()));
    };
    bool warn = false;
    if (matches(deviceID, Series5000DeviceID)) {
        warn = narrow(dotsOf(ui.numericSideMargin));
    } else if (matches(deviceID, Series9000DeviceID)) {
        // Without the tag rows both edges get the left-and-right gap.
        if (ui.numericRightMargin->isHidden())
            fielddots::copy(ui.numericSideMargin, ui.numericRightMargin);
        warn = narrow(dotsOf(ui.numericSideMargin)) || narrow(dotsOf(ui.numericRightMargin));
    }
    if (warn)
        pagePaperSetting3.show();
    else
        entry_pagePaperSetting2();
    return true;
}

bool MainFrame::entry_pagePaperSetting2() {
    Ui_PaperSetting1& ui = uiPaperSetting1;
    const auto write = [this, &ui] {
        const int sourceKey = ui.selectPaperSource->currentData().toInt();
        const int formKey = ui.selectFormDetectionType->currentData().toInt();
        const auto dotsOf = [this](QDoubleSpinBox* box) {
            return fielddots::dotsToSend(box, Len2Dot(box->value()));
        };
        const int formGap = dotsOf(ui.numericFormGap);
        int sideMargin = dotsOf(ui.numericSideMargin);
        const int rightMargin = dotsOf(ui.numericRightMargin);
        const int edgeHole = dotsOf(ui.numericEdgetoHole);

        if (matches(ui.labelDeviceName->text().toStdString(), Series9000Model)) {
            return command.writePaperSource_9000(
                queueName, sourceKey & 0xFFFF, shapeOfKeyCharacter(sourceKey >> 16), formKey >> 8,
                formKey & 0xFF, formGap, sideMargin, rightMargin, edgeHole);
        }

        int paperSource = 0, paperShape = 0, paperForm = 0, formDetectionType = 0;
        if (sourceKey > 0xFFFF && sourceKey <= 0xFFFFFF) {
            paperSource = sourceKey & 0xFFFF;
            paperShape = shapeOfKeyCharacter(sourceKey >> 16);
        } else if (sourceKey > 0xFF) {
            paperSource = sourceKey;
        }
        if (formKey > 0xFFFF && formKey <= 0xFFFFFF) {
            formDetectionType = formKey & 0xFF;
            paperForm = formKey >> 8;
            fixedSideMarginOfForm(paperForm, sideMargin);
        } else if (formKey > 0 && formKey <= 0xFF) {
            formDetectionType = formKey;
        }
        return command.writePaperSource(queueName, paperSource, paperShape, paperForm,
                                        formDetectionType, formGap, sideMargin);
    };
    if (guardedStep(write))
        pagePaperSetting2.show();
    return true;
}
