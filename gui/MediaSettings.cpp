// SPDX-License-Identifier: Apache-2.0
// The media settings pages: reading the source, form and lengths into PaperSetting1, adapting
// its rows and ranges to the selected form, the narrow-gap warning and the write per family.
#include "MainFrame.h"

#include "FieldDots.h"
#include "ModelFamily.h"

#include <QCoreApplication>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("QObject", text);
}

// A left or right gap of at most this many dots (under 2 mm) lets ink reach the printer's inside.
constexpr int kNarrowGapDots = 46;

constexpr int kGapMaxDots = 142;
constexpr int kSideMaxDots = 142;
constexpr int kTagMarginMaxDots = 709;
constexpr int kEdgeToHoleMaxDots = 7228;

// The tool's paperShape for the first character of a combined source key.
int shapeOfKeyCharacter(int character) {
    struct Shape {
        char character;
        const char* code;
    };
    const Shape shapes[] = {{'F', "FP"}, {'R', "RP"}};
    for (const Shape& shape : shapes) {
        if (character == shape.character) {
            return packOptionKey(shape.code);
        }
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
        if (paperForm == packOptionKey(margin.form)) {
            sideMargin = margin.dots;
            return true;
        }
    }
    return false;
}

// What one paper-source read returns.
struct PaperSourceRead {
    std::string deviceID;
    int paperSource = 0, paperShape = 0, paperForm = 0, formDetectionType = 0;
    int formGap = 0, sideMargin = 0, rightMargin = 0, edgeHole = 0;

    bool from(Command& command, const std::string& queue) {
        return command.readPaperSource(queue, deviceID, paperSource, paperShape, paperForm,
                                       formDetectionType, formGap, sideMargin, rightMargin,
                                       edgeHole);
    }
};

void setRowVisible(std::initializer_list<QWidget*> row, bool visible) {
    for (QWidget* widget : row) {
        widget->setVisible(visible);
    }
}

} // namespace

bool MainFrame::entry_pagePaperSetting1() {
    PaperSourceRead read;
    if (!guardedStep([&] { return read.from(command, queueName); })) {
        return true;
    }

    Ui_PaperSetting1& ui = uiPaperSetting1;
    int formKey = read.formDetectionType;
    int sourceKey = read.paperSource;
    if (read.paperForm != 0) {
        // The first character of the shape code goes in front of the source code.
        formKey = (read.paperForm << 8) | read.formDetectionType;
        sourceKey = read.paperSource | ((read.paperShape >> 8) << 16);
    }
    const int marginsRead = mediaSeriesOfReadDeviceID(read.deviceID).marginsRead;

    // Every value the page shows must have come from the printer: a source or form the lists
    // do not hold, or a length without a number, would show (and write) what was not read.
    const int formIndex = ui.selectFormDetectionType->findData(formKey);
    const int sourceIndex = ui.selectPaperSource->findData(sourceKey);
    const char* const marginKeys[] = {"sideMargin", "rightMargin", "edgeHole"};
    bool complete = formIndex >= 0 && sourceIndex >= 0 && command.answeredNumber("formGap");
    for (int i = 0; complete && i < marginsRead; ++i) {
        complete = command.answeredNumber(marginKeys[i]);
    }
    if (!complete) {
        showCommunicationError();
        return true;
    }
    ui.selectFormDetectionType->setCurrentIndex(formIndex);
    ui.selectPaperSource->setCurrentIndex(sourceIndex);
    formDetectionImageSwitcher.switchImage(formIndex);

    // The values go in after the ranges, so each is shown clamped into its form's range.
    switchFormGapRange();
    fielddots::showRead(ui.numericFormGap, read.formGap, Dot2Len(read.formGap));

    struct Margin {
        QDoubleSpinBox* box;
        int dots;
    };
    const Margin margins[] = {
        {ui.numericSideMargin, read.sideMargin},
        {ui.numericRightMargin, read.rightMargin},
        {ui.numericEdgetoHole, read.edgeHole},
    };
    for (int i = 0; i < 3; ++i) {
        if (i < marginsRead) {
            fielddots::showRead(margins[i].box, margins[i].dots, Dot2Len(margins[i].dots));
        } else {
            fielddots::forget(margins[i].box);
        }
    }

    pagePaperSetting1.show();
    return true;
}

bool MainFrame::switchFormGapRange() {
    Ui_PaperSetting1& ui = uiPaperSetting1;
    const int formKey = ui.selectFormDetectionType->currentData().toInt();
    const std::string model = ui.labelDeviceName->text().toStdString();

    const MediaSeriesRules& series = mediaSeriesOfModel(model);
    const FormRule* form = nullptr;
    for (const FormRule& candidate : series.forms) {
        if (packOptionKey(candidate.key) == formKey) {
            form = &candidate;
        }
    }
    if (form == nullptr) {
        if (series.anyFormGapMin >= 0) {
            setNumericRange(ui.numericFormGap, ui.labelFormGapUnit, ui.labelFormGapRange,
                            series.anyFormGapMin, kGapMaxDots, 2);
        }
        return false;
    }

    setNumericRange(ui.numericFormGap, ui.labelFormGapUnit, ui.labelFormGapRange, form->gapMin,
                    kGapMaxDots, 2);
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
                    tag ? kTagMarginMaxDots : kSideMaxDots, 2);
    if (tag) {
        setNumericRange(ui.numericRightMargin, ui.labelRightMarginUnit, ui.labelRightMarginRange, 0,
                        kTagMarginMaxDots, 2);
        setNumericRange(ui.numericEdgetoHole, ui.labelEdgetoHoleUnit, ui.labelEdgetoHoleRange, 0,
                        kEdgeToHoleMaxDots, 2);
    }

    pagePaperSetting1.adjustSize();
    pagePaperSetting1.adjustSize();
    adjustSize();
    return true;
}

bool MainFrame::switch_entry_pagePaperSetting() {
    // Read again only for the device ID of the printer now behind the queue.
    PaperSourceRead read;
    if (!guardedStep([&] { return read.from(command, queueName); })) {
        return true;
    }

    Ui_PaperSetting1& ui = uiPaperSetting1;
    const auto narrow = [](int dots) { return dots >= 0 && dots <= kNarrowGapDots; };
    const auto dotsOf = [this](QDoubleSpinBox* box) {
        return fielddots::dotsToSend(box, Len2Dot(box->value()));
    };
    bool warn = false;
    const MediaSeries series = mediaSeriesOfWriteDeviceID(read.deviceID).series;
    if (series == MediaSeries::RV_5000) {
        warn = narrow(dotsOf(ui.numericSideMargin));
    } else if (series == MediaSeries::RV_9000) {
        // Without the tag rows both edges get the left-and-right gap.
        if (ui.numericRightMargin->isHidden()) {
            fielddots::copy(ui.numericSideMargin, ui.numericRightMargin);
        }
        warn = narrow(dotsOf(ui.numericSideMargin)) || narrow(dotsOf(ui.numericRightMargin));
    }
    if (warn) {
        pagePaperSetting3.show();
    } else {
        entry_pagePaperSetting2();
    }
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

        if (mediaSeriesOfModel(ui.labelDeviceName->text().toStdString()).series ==
            MediaSeries::RV_9000) {
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
    if (guardedStep(write)) {
        pagePaperSetting2.show();
    }
    return true;
}
