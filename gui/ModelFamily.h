// SPDX-License-Identifier: Apache-2.0
// The four printer families, how a device ID is recognised as one of them, and what each
// family offers on the pages: status pictures, option lists with their packed keys, ranges.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

enum class PrinterFamily { RV_C9000, RV_C2000, RV_D5000, RV_C5000 };

// Whole-string match of the device ID; an ID that fits no family is an RV-C5000.
PrinterFamily familyOfDeviceID(const std::string& deviceID);

// The MDL field of the device ID, or "Unknown model name" when there is none.
std::string modelNameOfDeviceID(const std::string& deviceID);

// The status texts are chosen by the model name alone: 1 RV-C2000, 2 RV-C5000 and its D models,
// 3 RV-C9000, 0 for a name of no known family.
int catalogueFamilyOfModel(const std::string& modelName);

// An option value of one to three characters packed into an int, first character highest.
constexpr int packOptionKey(const char* value) {
    int key = 0;
    for (std::size_t i = 0; i < 3 && value[i] != '\0'; ++i) {
        key = (key << 8) | static_cast<unsigned char>(value[i]);
    }
    return key;
}

// A text of the pages with its optional disambiguation, translated in the context "QObject".
struct PageText {
    const char* source;
    const char* comment;
};

struct OptionItem {
    const char* text; // translated in the context "QObject"
    const char* key;  // the tool's option value, stored packed as item data
};

struct MediaFormItem {
    const char* text;
    const char* picture; // resource path, shown when the item is selected
    const char* key;
};

// The numeric settings whose ranges depend on the family or are set at start-up.
enum class LengthField {
    CutterPrintPositionV,
    CutterPrintPositionH,
    CutterCutPosition,
    PeelerPeelPositionA,
    PeelerPeelPositionB,
    PeelerPrintPositionV,
    PeelerPrintPositionH,
    FormGap,
    SideMargin,
    RightMargin,
    EdgeToHole,
    AfterPrintingPeelPositionB,
};

struct DotRange {
    LengthField field;
    int minDot;
    int maxDot;
    int precision; // decimals in inches: 2 or 3
};

using StatusPictureList = std::array<const char*, 12>;

struct FamilyCapabilities {
    PrinterFamily family;
    const char* name;
    bool offersAfterPrintingAndPrinterSetting;
    const StatusPictureList& statusPictures;
    std::vector<OptionItem> mediaSources;
    std::vector<MediaFormItem> mediaForms;
    PageText gapCaption;
    std::vector<DotRange> ranges; // applied in this order; fields not listed keep their range
    std::vector<OptionItem> headMediaClearanceHeights;
    std::vector<OptionItem> incompleteLabelTreatments;
};

const FamilyCapabilities& capabilitiesOf(PrinterFamily family);

// The picture list installed before any printer has been recognised.
const StatusPictureList& defaultStatusPictures();

// Ranges every page starts with, before the first printer narrows some of them.
const std::vector<DotRange>& startupDefaultRanges();

// The media page's rules per series: which margins the read reports, which gaps the narrow-gap
// warning checks, and the gap range and margin rows of each media form.
enum class MediaSeries { RV_5000, RV_9000, Other };

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

struct MediaSeriesRules {
    MediaSeries series;
    int marginsRead;   // side, right and edge-to-hole margins the read reports, in this order
    int anyFormGapMin; // the gap range set even for a form the series does not know, or -1
    std::vector<FormRule> forms;
};

// By the device ID the paper-source read returns, by the device ID read again before a write,
// and by the model caption; a printer of no listed series gets the Other rules.
const MediaSeriesRules& mediaSeriesOfReadDeviceID(const std::string& deviceID);
const MediaSeriesRules& mediaSeriesOfWriteDeviceID(const std::string& deviceID);
const MediaSeriesRules& mediaSeriesOfModel(const std::string& model);

// Printer lengths are dots at 600 per inch; the pages show them in the unit of the locale's
// measurement system: 0 metric (mm), 1 and 2 imperial (in), anything else shows 0.
double dotsToLength(int dot, int measurementSystem);
int lengthToDots(double length, int measurementSystem);

// What a spin box and its two captions get for a range of dots. The "sets" flags tell which
// parts change; the limits always do.
struct RangePresentation {
    bool setsUnit = false;
    const char* unit = "";
    bool setsFormat = false;
    std::string caption;
    int decimals = 0;
    double step = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
};
RangePresentation presentRange(int minDot, int maxDot, int precision, int measurementSystem);
