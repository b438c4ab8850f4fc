// SPDX-License-Identifier: Apache-2.0
// Adapting the pages to the printer of the selected queue, and the length arithmetic of the
// settings pages.
#include "MainFrame.h"

#include "DecimalInput.h"
#include "FieldDots.h"
#include "ModelFamily.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLocale>
#include <QPixmap>

namespace {

QString translated(const char* text, const char* comment = nullptr) {
    return QCoreApplication::translate("QObject", text, comment);
}

void emptyComboBox(QComboBox* box) {
    while (box->count() > 0) {
        box->removeItem(box->count() - 1);
    }
}

void fillComboBox(QComboBox* box, const std::vector<OptionItem>& items) {
    for (const OptionItem& item : items) {
        box->addItem(translated(item.text), packOptionKey(item.key));
    }
}

bool endsWith(const std::string& text, const char* tail) {
    const std::string t(tail);
    return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

} // namespace

void MainFrame::applyRanges(const std::vector<DotRange>& ranges) {
    struct FieldWidgets {
        LengthField field;
        QDoubleSpinBox* box;
        QLabel* unit;
        QLabel* range;
    };
    const FieldWidgets fields[] = {
        {LengthField::CutterPrintPositionV, uiGeometrySetting1A.numericPrintPositionV,
         uiGeometrySetting1A.labelPrintPositionVUnit, uiGeometrySetting1A.labelPrintPositionVRange},
        {LengthField::CutterPrintPositionH, uiGeometrySetting1A.numericPrintPositionH,
         uiGeometrySetting1A.labelPrintPositionHUnit, uiGeometrySetting1A.labelPrintPositionHRange},
        {LengthField::CutterCutPosition, uiGeometrySetting1A.numericCutPosition,
         uiGeometrySetting1A.labelCutPositionUnit, uiGeometrySetting1A.labelCutPositionRange},
        // The peeler page has one range caption under both peel rows.
        {LengthField::PeelerPeelPositionA, uiGeometrySetting1P.numericPeelPositionA,
         uiGeometrySetting1P.labelPeelPositionAUnit, uiGeometrySetting1P.labelPeelPositionRange},
        {LengthField::PeelerPeelPositionB, uiGeometrySetting1P.numericPeelPositionB,
         uiGeometrySetting1P.labelPeelPositionBUnit, uiGeometrySetting1P.labelPeelPositionRange},
        {LengthField::PeelerPrintPositionV, uiGeometrySetting1P.numericPrintPositionV,
         uiGeometrySetting1P.labelPrintPositionVUnit, uiGeometrySetting1P.labelPrintPositionVRange},
        {LengthField::PeelerPrintPositionH, uiGeometrySetting1P.numericPrintPositionH,
         uiGeometrySetting1P.labelPrintPositionHUnit, uiGeometrySetting1P.labelPrintPositionHRange},
        {LengthField::FormGap, uiPaperSetting1.numericFormGap, uiPaperSetting1.labelFormGapUnit,
         uiPaperSetting1.labelFormGapRange},
        {LengthField::SideMargin, uiPaperSetting1.numericSideMargin,
         uiPaperSetting1.labelSideMarginUnit, uiPaperSetting1.labelSideMarginRange},
        {LengthField::RightMargin, uiPaperSetting1.numericRightMargin,
         uiPaperSetting1.labelRightMarginUnit, uiPaperSetting1.labelRightMarginRange},
        {LengthField::EdgeToHole, uiPaperSetting1.numericEdgetoHole,
         uiPaperSetting1.labelEdgetoHoleUnit, uiPaperSetting1.labelEdgetoHoleRange},
        {LengthField::AfterPrintingPeelPositionB, uiAfterPrinting1.numericPeelPositionB,
         uiAfterPrinting1.labelPeelPositionBUnit, uiAfterPrinting1.labelPeelPositionBRange},
    };
    for (const DotRange& r : ranges) {
        for (const FieldWidgets& f : fields) {
            if (f.field == r.field) {
                setNumericRange(f.box, f.unit, f.range, r.minDot, r.maxDot, r.precision);
            }
        }
    }
}

void MainFrame::applyStartupRanges() {
    applyRanges(startupDefaultRanges());
}

bool MainFrame::updatePrinterOption() {
    queueName = uiStartup.selectPrintQueue->currentText().toUtf8().toStdString();

    std::string deviceID;
    if (!command.readDeviceOption(queueName, deviceOption, deviceID, inkNameK, inkNameC, inkNameM,
                                  inkNameY, inkNameMN, inkCartridgeLayout)) {
        // The queue is another printer now: nothing of the one before may serve it. Without a
        // variant and lists its settings pages do not open.
        deviceOption.clear();
        for (QComboBox* box :
             {uiPaperSetting1.selectPaperSource, uiPaperSetting1.selectFormDetectionType,
              uiPrinterSetting1.selectIncompleteLabelTreatment,
              uiPrinterSetting1.selectHeadMediaClearanceHeight}) {
            emptyComboBox(box);
        }
        applyStartupRanges();
        return false;
    }

    blackInkName = inkNameK.size() > 2 && endsWith(inkNameK, "MK")
                       ? translated(QT_TRANSLATE_NOOP("QObject", "Matte Black"))
                       : translated(QT_TRANSLATE_NOOP("QObject", "Black"));
    modelName = modelNameOfDeviceID(deviceID);
    const QString model = QString::fromStdString(modelName);

    for (QLabel* caption :
         {uiSTM.labelDeviceName, uiNozzleCheck1.labelDeviceName, uiNozzleCheck2.labelDeviceName,
          uiHeadCleaning1.labelDeviceName, uiHeadCleaning2.labelDeviceName,
          uiHeadCleaning3.labelDeviceName, uiPowerInkFlushing1.labelDeviceName,
          uiPowerInkFlushing2.labelDeviceName, uiPowerInkFlushing3.labelDeviceName,
          uiPaperSetting1.labelDeviceName, uiPaperSetting2.labelDeviceName,
          uiPaperSetting3.labelDeviceName, uiAfterPrinting1.labelDeviceName,
          uiAfterPrinting2.labelDeviceName, uiPrinterSetting1.labelDeviceName,
          uiPrinterSetting2.labelDeviceName}) {
        caption->setText(model);
    }

    for (QComboBox* box :
         {uiPaperSetting1.selectPaperSource, uiPaperSetting1.selectFormDetectionType,
          uiPrinterSetting1.selectIncompleteLabelTreatment,
          uiPrinterSetting1.selectHeadMediaClearanceHeight}) {
        emptyComboBox(box);
    }

    uiPaperSetting1.labelFormDetectionTypeImage->clear();
    uiPaperSetting1.labelFormDetectionTypeImage->setPixmap(
        QPixmap("://images/DetectType_NoDetect.png"));
    formDetectionImageSwitcher.clear();

    const FamilyCapabilities& caps = capabilitiesOf(familyOfDeviceID(deviceID));

    for (QWidget* widget : {static_cast<QWidget*>(uiStartup.btnAfterPrinting),
                            static_cast<QWidget*>(uiStartup.btnPrinterSetting),
                            static_cast<QWidget*>(uiStartup.labelAfterPrinting),
                            static_cast<QWidget*>(uiStartup.labelPrinterSetting)}) {
        widget->setVisible(caps.offersAfterPrintingAndPrinterSetting);
    }

    statusImageSwitcher.clear();
    for (const char* picture : caps.statusPictures) {
        statusImageSwitcher.addItem(picture);
    }

    uiPaperSetting1.labelFormDetectionType->setText(
        translated(QT_TRANSLATE_NOOP("QObject", "Media form (detection)")));
    fillComboBox(uiPaperSetting1.selectPaperSource, caps.mediaSources);
    for (const MediaFormItem& form : caps.mediaForms) {
        uiPaperSetting1.selectFormDetectionType->addItem(translated(form.text),
                                                         packOptionKey(form.key));
        formDetectionImageSwitcher.addItem(form.picture);
    }
    uiPaperSetting1.labelFormGap->setText(
        translated(caps.gapCaption.source, caps.gapCaption.comment));
    // The family lists only the ranges that differ; every other field starts again from the
    // start-up range, so nothing of the printer selected before stays behind.
    applyStartupRanges();
    applyRanges(caps.ranges);
    fillComboBox(uiPrinterSetting1.selectHeadMediaClearanceHeight, caps.headMediaClearanceHeights);
    fillComboBox(uiPrinterSetting1.selectIncompleteLabelTreatment, caps.incompleteLabelTreatments);
    pagePaperSetting1.adjustSize();

    for (QLabel* caption :
         {uiGeometrySetting1A.labelDeviceName, uiGeometrySetting1P.labelDeviceName,
          uiGeometrySetting2.labelDeviceName}) {
        caption->setText(model);
    }

    // The status page names the cartridges of this printer and orders the colour gauges as
    // its cartridges sit.
    uiSTM.labelInkColorNameK->setText(blackInkName);
    uiSTM.labelInkNameK->setText(QString::fromStdString(inkNameK));
    uiSTM.labelInkNameC->setText(QString::fromStdString(inkNameC));
    uiSTM.labelInkNameM->setText(QString::fromStdString(inkNameM));
    uiSTM.labelInkNameY->setText(QString::fromStdString(inkNameY));

    struct InkColumn {
        QWidget* gauge;
        QWidget* colourName;
        QWidget* partName;
    };
    const InkColumn magenta{uiSTM.barInkM, uiSTM.labelInkColorNameM, uiSTM.labelInkNameM};
    const InkColumn cyan{uiSTM.barInkC, uiSTM.labelInkColorNameC, uiSTM.labelInkNameC};
    const InkColumn yellow{uiSTM.barInkY, uiSTM.labelInkColorNameY, uiSTM.labelInkNameY};
    const bool yellowFirst = inkCartridgeLayout == "KYMC";
    const InkColumn columns[] = {yellowFirst ? yellow : magenta, yellowFirst ? magenta : cyan,
                                 yellowFirst ? cyan : yellow};
    for (int column = 0; column < 3; ++column) {
        QWidget* const cells[] = {columns[column].gauge, columns[column].colourName,
                                  columns[column].partName};
        for (int row = 0; row < 3; ++row) {
            QWidget* cell = cells[row];
            uiSTM.gridLayout->removeWidget(cell);
            uiSTM.gridLayout->addWidget(cell, row, column + 1, Qt::AlignHCenter);
        }
    }
    // Assistive tools list the gauges in the order of the group's children: make that the
    // order on screen, K first.
    const InkColumn black{uiSTM.barInkK, uiSTM.labelInkColorNameK, uiSTM.labelInkNameK};
    for (const InkColumn& column : {black, columns[0], columns[1], columns[2]}) {
        for (QWidget* cell : {column.gauge, column.colourName, column.partName}) {
            cell->raise();
        }
    }

    uiSTM.labelInkNameMN->setText(QString::fromStdString(inkNameMN));
    return true;
}

void MainFrame::setNumericRange(QDoubleSpinBox* box, QLabel* unitLabel, QLabel* rangeLabel,
                                int minDot, int maxDot, int precision) {
    // Read afresh: the spin boxes follow the locale, whatever the window stored at start-up.
    const RangePresentation r =
        presentRange(minDot, maxDot, precision, QLocale::system().measurementSystem());
    if (r.setsUnit) {
        unitLabel->setText(QString::fromLatin1(r.unit));
    }
    if (r.setsFormat) {
        rangeLabel->setText(withLocaleDecimals(box, QString::fromStdString(r.caption)));
        box->setDecimals(r.decimals);
        box->setSingleStep(r.step);
    }
    box->setMinimum(Dot2Len(minDot));
    box->setMaximum(Dot2Len(maxDot));
    // Apply keeps what it sends inside these dots, whatever the rounded limits show.
    fielddots::setRange(box, minDot, maxDot);
}

double MainFrame::Dot2Len(int dot) {
    return dotsToLength(dot, measurementSystem);
}

int MainFrame::Len2Dot(double len) {
    return lengthToDots(len, measurementSystem);
}
