// SPDX-License-Identifier: Apache-2.0
#include "ModelFamily.h"

#include <QString>
#include <QtGlobal>

#include <cmath>
#include <cstdlib>
#include <regex>

namespace {

struct FamilyPattern {
    PrinterFamily family;
    std::regex pattern;
};

// Tried in this order; the first whole-string match wins.
const std::vector<FamilyPattern>& deviceIDPatterns() {
    static const std::vector<FamilyPattern> patterns = {
        {PrinterFamily::RV_C9000, std::regex("MFG:VARDA;MDL:RV-C90[0-5]0.?;.*")},
        {PrinterFamily::RV_C2000, std::regex("MFG:VARDA;MDL:RV-C20[0-5]0.?;.*")},
        {PrinterFamily::RV_D5000, std::regex("MFG:VARDA;MDL:RV-D5[05][0-5]0.{1,2};.+")},
    };
    return patterns;
}

struct ModelPattern {
    int family;
    std::regex pattern;
};

const std::vector<ModelPattern>& modelNamePatterns() {
    static const std::vector<ModelPattern> patterns = {
        {1, std::regex("RV-C20[0-5]0.*")},
        {2, std::regex("RV-[CD]5[05][0-5]0.*")},
        {3, std::regex("RV-C90[0-5]0.*")},
    };
    return patterns;
}

const StatusPictureList kDefaultPictures = {
    "://images/status_01.png",  "://images/status_03.png", "://images/status_04.png",
    "://images/status_05.png",  "://images/status_06.png", "://images/status_07.png",
    "://images/status_8,9.png", "://images/status_10.png", "://images/status_11.png",
    "://images/status_12.png",  "://images/status_13.png", "://images/status_14.png",
};

// This series has no paper-cover picture of its own and repeats the front-cover one.
const StatusPictureList kRv2000Pictures = {
    "://images/status_RV2000_01.png", "://images/status_RV2000_03.png",
    "://images/status_RV2000_04.png", "://images/status_RV2000_05.png",
    "://images/status_RV2000_06.png", "://images/status_RV2000_07.png",
    "://images/status_RV2000_06.png", "://images/status_RV2000_10.png",
    "://images/status_RV2000_11.png", "://images/status_RV2000_12.png",
    "://images/status_RV2000_13.png", "://images/status_RV2000_14.png",
};

const StatusPictureList kDModelPictures = {
    "://images/status_01D.png",  "://images/status_03D.png", "://images/status_04D.png",
    "://images/status_05D.png",  "://images/status_06D.png", "://images/status_07D.png",
    "://images/status_8,9D.png", "://images/status_10D.png", "://images/status_11D.png",
    "://images/status_12D.png",  "://images/status_13D.png", "://images/status_14D.png",
};

#define RV9000_IDLE "://images/status_RV9000_03_12_13_14.png"
#define RV9000_ERROR "://images/status_RV9000_04_05_06_07_10_11.png"
const StatusPictureList kRv9000Pictures = {
    "://images/status_RV9000_01.png",
    RV9000_IDLE,
    RV9000_ERROR,
    RV9000_ERROR,
    RV9000_ERROR,
    RV9000_ERROR,
    RV9000_ERROR,
    RV9000_ERROR,
    RV9000_ERROR,
    RV9000_IDLE,
    RV9000_IDLE,
    RV9000_IDLE,
};
#undef RV9000_IDLE
#undef RV9000_ERROR

// Three-character keys put the shape (R roll, F fanfold) in front of the source code.
const std::vector<OptionItem> kThreeCharacterSources = {
    {QT_TRANSLATE_NOOP("QObject", "Internal (Roll)"), "RIR"},
    {QT_TRANSLATE_NOOP("QObject", "Rear Feed (Fanfold)"), "FER"},
    {QT_TRANSLATE_NOOP("QObject", "Rear Feed (Roll)"), "RER"},
};

const std::vector<OptionItem> kPlainSources = {
    {QT_TRANSLATE_NOOP("QObject", "Internal"), "IR"},
    {QT_TRANSLATE_NOOP("QObject", "Rear Feed"), "ER"},
};

#define PICTURE_GAP "://images/DetectType_GAP.png"
#define PICTURE_MARK "://images/DetectType_BM.png"
#define PICTURE_NONE "://images/DetectType_NoDetect.png"

// The key is the form code followed by the detection type.
const std::vector<MediaFormItem> kRv9000Forms = {
    {QT_TRANSLATE_NOOP("QObject", "Die-cut label (gap detection)"), PICTURE_GAP, "DLW"},
    {QT_TRANSLATE_NOOP("QObject", "Die-cut label (black mark detection)"), PICTURE_MARK, "DLM"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous label (black mark detection)"), PICTURE_MARK, "CLM"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous label (no detection)"), PICTURE_NONE, "CLN"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous paper (black mark detection)"), PICTURE_MARK, "CPM"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous paper (no detection)"), PICTURE_NONE, "CPN"},
    {QT_TRANSLATE_NOOP("QObject", "Tag (hole detection)"), "://images/DetectType_Tag.png", "TGH"},
};

const std::vector<MediaFormItem> kRv2000Forms = {
    {QT_TRANSLATE_NOOP("QObject", "Die-cut label (gap detection)"), PICTURE_GAP, "DLW"},
    {QT_TRANSLATE_NOOP("QObject", "Die-cut label (black mark detection)"), PICTURE_MARK, "DLM"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous label (black mark detection)"), PICTURE_MARK, "CLM"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous label (no detection)"), PICTURE_NONE, "CLN"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous paper (black mark detection)"), PICTURE_MARK, "CPM"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous paper (no detection)"), PICTURE_NONE, "CPN"},
    {QT_TRANSLATE_NOOP("QObject", "Wristband (black mark detection)"), PICTURE_MARK, "WBM"},
};

// These printers take the detection type alone, so several forms share one key.
const std::vector<MediaFormItem> kDetectionOnlyForms = {
    {QT_TRANSLATE_NOOP("QObject", "Die-cut label (gap detection)"), PICTURE_GAP, "W"},
    {QT_TRANSLATE_NOOP("QObject", "Die-cut label (black mark detection)"), PICTURE_MARK, "M"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous label (black mark detection)"), PICTURE_MARK, "M"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous label (no detection)"), PICTURE_NONE, "N"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous paper (black mark detection)"), PICTURE_MARK, "M"},
    {QT_TRANSLATE_NOOP("QObject", "Continuous paper (no detection)"), PICTURE_NONE, "N"},
};

const std::vector<OptionItem> kClearanceHeights = {
    {QT_TRANSLATE_NOOP("QObject", "1"), "1"},
    {QT_TRANSLATE_NOOP("QObject", "2"), "2"},
    {QT_TRANSLATE_NOOP("QObject", "3"), "3"},
    {QT_TRANSLATE_NOOP("QObject", "4"), "4"},
};

const std::vector<OptionItem> kIncompleteLabelChoices = {
    {QT_TRANSLATE_NOOP("QObject", "Cut"), "Y"},
    {QT_TRANSLATE_NOOP("QObject", "Do not Cut"), "N"},
};

const PageText kGapCaption2000 =
    QT_TRANSLATE_NOOP3("QObject", "Gap between labels:", "RV-C2000series");
const PageText kGapCaption5000 =
    QT_TRANSLATE_NOOP3("QObject", "Gap between labels:", "RV-C5000series");

using F = LengthField;

// The C and D models of the 5000 and 5500 series share their print and cut ranges.
const std::vector<DotRange> kSeries5000Ranges = {{F::CutterPrintPositionH, -47, 47, 2},
                                                 {F::PeelerPrintPositionH, -47, 47, 2},
                                                 {F::CutterCutPosition, -255, 255, 3}};

const std::vector<FamilyCapabilities>& familyTable() {
    static const std::vector<FamilyCapabilities> table = {
        {PrinterFamily::RV_C9000,
         "RV-C9000",
         true,
         kRv9000Pictures,
         kThreeCharacterSources,
         kRv9000Forms,
         kGapCaption2000,
         {{F::CutterPrintPositionV, -47, 47, 2},
          {F::CutterPrintPositionH, -24, 24, 2},
          {F::AfterPrintingPeelPositionB, 0, 1181, 2},
          {F::CutterCutPosition, -472, 35, 3}},
         kClearanceHeights,
         kIncompleteLabelChoices},
        {PrinterFamily::RV_C2000,
         "RV-C2000",
         false,
         kRv2000Pictures,
         kThreeCharacterSources,
         kRv2000Forms,
         kGapCaption2000,
         {{F::CutterPrintPositionH, -36, 36, 2},
          {F::PeelerPrintPositionH, -36, 36, 2},
          {F::CutterCutPosition, -255, 255, 3}},
         {},
         {}},
        {PrinterFamily::RV_D5000,
         "RV-D5000",
         false,
         kDModelPictures,
         kPlainSources,
         kDetectionOnlyForms,
         kGapCaption5000,
         kSeries5000Ranges,
         {},
         {}},
        {PrinterFamily::RV_C5000,
         "RV-C5000",
         false,
         kDefaultPictures,
         kPlainSources,
         kDetectionOnlyForms,
         kGapCaption5000,
         kSeries5000Ranges,
         {},
         {}},
    };
    return table;
}

using R = MarginRows;

struct MediaSeriesRow {
    std::regex readDeviceID;
    std::regex writeDeviceID;
    std::regex model;
    MediaSeriesRules rules;
};

// Tried in this order on the whole string; the Other rules are the last row's and match nothing
// by pattern. The write check takes a 9000 with a second suffix letter, the read does not.
const std::vector<MediaSeriesRow>& mediaSeriesTable() {
    static const std::vector<MediaSeriesRow> table = {
        {std::regex("MFG:VARDA;MDL:RV-[CD](5[05][0-5]0[PA]).?;.*"),
         std::regex("MFG:VARDA;MDL:RV-[CD](5[05][0-5]0[PA]).?;.*"),
         std::regex("RV-[CD](5[05][0-5]0[PA]).?"),
         {MediaSeries::RV_5000,
          1,
          -1,
          {{"N", 0, R::LeftAndRight}, {"W", 48, R::LeftAndRight}, {"M", 48, R::LeftAndRight}}}},
        {std::regex("MFG:VARDA;MDL:RV-C(90[0-5]0).?;.*"),
         std::regex("MFG:VARDA;MDL:RV-C(90[0-5]0.?).?;.*"),
         std::regex("RV-C(90[0-5]0.?).?"),
         {MediaSeries::RV_9000,
          3,
          72,
          {{"DLW", 72, R::LeftAndRight},
           {"DLM", 72, R::LeftAndRight},
           {"CLM", 72, R::LeftAndRight},
           {"CLN", 72, R::LeftAndRight},
           {"CPM", 72, R::LeftAndRight},
           {"CPN", 72, R::LeftAndRight},
           {"TGH", 72, R::Tag}}}},
        {std::regex(),
         std::regex(),
         std::regex(),
         {MediaSeries::Other,
          0,
          -1,
          {{"CLM", 0, R::None},
           {"CLN", 0, R::None},
           {"CPM", 0, R::None},
           {"CPN", 0, R::None},
           {"WBM", 0, R::None},
           {"DLW", 48, R::None},
           {"DLM", 48, R::None}}}},
    };
    return table;
}

const MediaSeriesRules& mediaSeriesMatching(const std::string& text,
                                            std::regex MediaSeriesRow::*pattern) {
    const std::vector<MediaSeriesRow>& table = mediaSeriesTable();
    for (const MediaSeriesRow& row : table) {
        if (row.rules.series != MediaSeries::Other && std::regex_match(text, row.*pattern)) {
            return row.rules;
        }
    }
    return table.back().rules;
}

} // namespace

PrinterFamily familyOfDeviceID(const std::string& deviceID) {
    for (const FamilyPattern& p : deviceIDPatterns()) {
        if (std::regex_match(deviceID, p.pattern)) {
            return p.family;
        }
    }
    return PrinterFamily::RV_C5000;
}

std::string modelNameOfDeviceID(const std::string& deviceID) {
    static const std::regex model(".*MDL:([^;]+);.*");
    std::smatch match;
    if (std::regex_match(deviceID, match, model)) {
        return match[1].str();
    }
    return "Unknown model name";
}

int catalogueFamilyOfModel(const std::string& modelName) {
    for (const ModelPattern& p : modelNamePatterns()) {
        if (std::regex_match(modelName, p.pattern)) {
            return p.family;
        }
    }
    return 0;
}

const FamilyCapabilities& capabilitiesOf(PrinterFamily family) {
    for (const FamilyCapabilities& c : familyTable()) {
        if (c.family == family) {
            return c;
        }
    }
    return familyTable().back();
}

const MediaSeriesRules& mediaSeriesOfReadDeviceID(const std::string& deviceID) {
    return mediaSeriesMatching(deviceID, &MediaSeriesRow::readDeviceID);
}

const MediaSeriesRules& mediaSeriesOfWriteDeviceID(const std::string& deviceID) {
    return mediaSeriesMatching(deviceID, &MediaSeriesRow::writeDeviceID);
}

const MediaSeriesRules& mediaSeriesOfModel(const std::string& model) {
    return mediaSeriesMatching(model, &MediaSeriesRow::model);
}

const StatusPictureList& defaultStatusPictures() {
    return kDefaultPictures;
}

const std::vector<DotRange>& startupDefaultRanges() {
    static const std::vector<DotRange> ranges = {
        {F::CutterCutPosition, -255, 255, 3},
        {F::CutterPrintPositionV, -258, 258, 2},
        {F::CutterPrintPositionH, -36, 36, 2},
        {F::PeelerPeelPositionA, -255, 255, 3},
        {F::PeelerPeelPositionB, -255, 255, 3},
        {F::PeelerPrintPositionV, -258, 258, 2},
        {F::PeelerPrintPositionH, -36, 36, 2},
        {F::FormGap, 0, 142, 2},
        {F::SideMargin, 0, 142, 2},
        {F::RightMargin, 0, 709, 2},
        {F::EdgeToHole, 0, 3614, 2},
        {F::AfterPrintingPeelPositionB, 0, 1181, 2},
    };
    return ranges;
}

double dotsToLength(int dot, int measurementSystem) {
    const double inches = std::abs(static_cast<double>(dot)) / 600.0;
    const double sign = dot < 0 ? -1.0 : 1.0;
    if (measurementSystem == 0) {
        return std::floor(inches * 25.4 * 10 + 0.5) / 10 * sign;
    }
    if (measurementSystem == 1 || measurementSystem == 2) {
        return std::floor(inches * 1000 + 0.5) / 1000 * sign;
    }
    return 0.0;
}

int lengthToDots(double length, int measurementSystem) {
    // v is never negative, so truncating v + 0.5 rounds half up, symmetric about 0 through the
    // sign: the dots that every written length has always had.
    const double v = std::fabs(length);
    const int sign = length < 0 ? -1 : 1;
    if (measurementSystem == 0) {
        // NOLINTNEXTLINE(bugprone-incorrect-roundings)
        return static_cast<int>(v / 25.4 * 600 + 0.5) * sign;
    }
    if (measurementSystem == 1 || measurementSystem == 2) {
        // NOLINTNEXTLINE(bugprone-incorrect-roundings)
        return static_cast<int>(v * 600 + 0.5) * sign;
    }
    return 0;
}

namespace {

struct ImperialFormat {
    int precision;
    const char* caption;
    int decimals;
    double step;
};

const ImperialFormat kImperialFormats[] = {
    {2, "(%0.2lf - %0.2lf)", 2, 0.01},
    {3, "(%0.3lf - %0.3lf)", 3, 0.001},
};

std::string formatCaption(const char* format, double low, double high) {
    // Always a point as decimal separator, whatever LC_NUMERIC the application set.
    return QString::asprintf(format, low, high).toStdString();
}

} // namespace

RangePresentation presentRange(int minDot, int maxDot, int precision, int measurementSystem) {
    RangePresentation r;
    r.minimum = dotsToLength(minDot, measurementSystem);
    r.maximum = dotsToLength(maxDot, measurementSystem);
    if (measurementSystem == 0) {
        r.setsUnit = true;
        r.unit = "mm";
        r.setsFormat = true;
        r.caption = formatCaption("(%0.1lf - %0.1lf)", r.minimum, r.maximum);
        r.decimals = 1;
        r.step = 0.1;
    } else if (measurementSystem == 1 || measurementSystem == 2) {
        r.setsUnit = true;
        r.unit = "in";
        for (const ImperialFormat& f : kImperialFormats) {
            if (f.precision == precision) {
                r.setsFormat = true;
                r.caption = formatCaption(f.caption, r.minimum, r.maximum);
                r.decimals = f.decimals;
                r.step = f.step;
            }
        }
    }
    return r;
}
