// SPDX-License-Identifier: Apache-2.0
#include "ModelFamily.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* familyName(PrinterFamily f) {
    return capabilitiesOf(f).name;
}

struct IDCase {
    const char* deviceID;
    PrinterFamily family;
    const char* modelName;
};

const IDCase idCases[] = {
    {"MFG:VARDA;MDL:RV-C9000;CMD:VLCL;CLS:PRINTER;", PrinterFamily::RV_C9000, "RV-C9000"},
    {"MFG:VARDA;MDL:RV-C9050P;CLS:PRINTER;", PrinterFamily::RV_C9000, "RV-C9050P"},
    {"MFG:VARDA;MDL:RV-C9000;", PrinterFamily::RV_C9000, "RV-C9000"},
    // 6 is past the series' last digit, and two suffix letters are one too many.
    {"MFG:VARDA;MDL:RV-C9060;CLS:PRINTER;", PrinterFamily::RV_C5000, "RV-C9060"},
    {"MFG:VARDA;MDL:RV-C9000AB;CLS:PRINTER;", PrinterFamily::RV_C5000, "RV-C9000AB"},
    {"MFG:VARDA;MDL:RV-C2000;CLS:PRINTER;", PrinterFamily::RV_C2000, "RV-C2000"},
    {"MFG:VARDA;MDL:RV-C2050A;", PrinterFamily::RV_C2000, "RV-C2050A"},
    // D models: one or two suffix characters and at least one character behind the field.
    {"MFG:VARDA;MDL:RV-D5510P;CLS:PRINTER;", PrinterFamily::RV_D5000, "RV-D5510P"},
    {"MFG:VARDA;MDL:RV-D5000AP;X", PrinterFamily::RV_D5000, "RV-D5000AP"},
    {"MFG:VARDA;MDL:RV-D5050A;CLS:PRINTER;", PrinterFamily::RV_D5000, "RV-D5050A"},
    {"MFG:VARDA;MDL:RV-D5510P;", PrinterFamily::RV_C5000, "RV-D5510P"},
    {"MFG:VARDA;MDL:RV-D5510;CLS:PRINTER;", PrinterFamily::RV_C5000, "RV-D5510"},
    {"MFG:VARDA;MDL:RV-D5510ABC;CLS:PRINTER;", PrinterFamily::RV_C5000, "RV-D5510ABC"},
    {"MFG:VARDA;MDL:RV-D5060A;CLS:PRINTER;", PrinterFamily::RV_C5000, "RV-D5060A"},
    {"MFG:VARDA;MDL:RV-C5020A;CLS:PRINTER;", PrinterFamily::RV_C5000, "RV-C5020A"},
    {"MFG:VARDA;MDL:RV-C5510P;CLS:PRINTER;", PrinterFamily::RV_C5000, "RV-C5510P"},
    // Recognition is of the whole string, case-sensitive, maker first.
    {"MFG:OTHER;MDL:RV-C9000;CLS:PRINTER;", PrinterFamily::RV_C5000, "RV-C9000"},
    {"mfg:varda;mdl:rv-c9000;", PrinterFamily::RV_C5000, "Unknown model name"},
    {"CLS:PRINTER;MFG:VARDA;MDL:RV-C9000;", PrinterFamily::RV_C5000, "RV-C9000"},
    {"MFG:VARDA;MDL:RV-C9000", PrinterFamily::RV_C5000, "Unknown model name"},
    {"MFG:VARDA;CMD:VLCL;CLS:PRINTER;", PrinterFamily::RV_C5000, "Unknown model name"},
    {"MFG:VARDA;MDL:;", PrinterFamily::RV_C5000, "Unknown model name"},
    {"", PrinterFamily::RV_C5000, "Unknown model name"},
};

class DeviceIDRecognition : public ::testing::TestWithParam<IDCase> {};

TEST_P(DeviceIDRecognition, FamilyAndModelName) {
    const IDCase& c = GetParam();
    EXPECT_STREQ(familyName(familyOfDeviceID(c.deviceID)), familyName(c.family)) << c.deviceID;
    EXPECT_EQ(modelNameOfDeviceID(c.deviceID), c.modelName) << c.deviceID;
}

INSTANTIATE_TEST_SUITE_P(Table, DeviceIDRecognition, ::testing::ValuesIn(idCases));

TEST(DeviceIDRecognition, LongestIDTheToolCanReportIsHandled) {
    // The tool bridge reads lines of at most 1023 characters.
    const std::string id = "MFG:VARDA;MDL:RV-C2000;" + std::string(1000, 'x') + ";";
    EXPECT_EQ(familyOfDeviceID(id), PrinterFamily::RV_C2000);
    EXPECT_EQ(modelNameOfDeviceID(id), "RV-C2000");
}

struct ModelCase {
    const char* modelName;
    int family;
};

const ModelCase modelCases[] = {
    {"RV-C2000", 1},           {"RV-C2050A", 1}, {"RV-C2060", 0},    {"RV-C5020A", 2},
    {"RV-C5510P", 2},          {"RV-D5510P", 2}, {"RV-D5000", 2},    {"RV-C5600", 0},
    {"RV-C9000", 3},           {"RV-C9050P", 3}, {"RV-C9000XYZ", 3}, {"RV-C9060", 0},
    {"Unknown model name", 0}, {"", 0},          {"XRV-C9000", 0},
};

class CatalogueFamily : public ::testing::TestWithParam<ModelCase> {};

TEST_P(CatalogueFamily, ByModelName) {
    EXPECT_EQ(catalogueFamilyOfModel(GetParam().modelName), GetParam().family)
        << GetParam().modelName;
}

INSTANTIATE_TEST_SUITE_P(Table, CatalogueFamily, ::testing::ValuesIn(modelCases));

// The media page's series: the read takes the 9000 with one suffix letter only, the check
// before a write takes a second one too; a 5000 needs its P or A letter.
struct MediaSeriesCase {
    const char* model;
    MediaSeries read;
    MediaSeries write;
    MediaSeries caption;
};

const MediaSeriesCase mediaSeriesCases[] = {
    {"RV-C5000P", MediaSeries::RV_5000, MediaSeries::RV_5000, MediaSeries::RV_5000},
    {"RV-D5550A", MediaSeries::RV_5000, MediaSeries::RV_5000, MediaSeries::RV_5000},
    {"RV-C5000", MediaSeries::Other, MediaSeries::Other, MediaSeries::Other},
    {"RV-C9000A", MediaSeries::RV_9000, MediaSeries::RV_9000, MediaSeries::RV_9000},
    {"RV-C9050AB", MediaSeries::Other, MediaSeries::RV_9000, MediaSeries::RV_9000},
    {"RV-C9060A", MediaSeries::Other, MediaSeries::Other, MediaSeries::Other},
    {"RV-C2000A", MediaSeries::Other, MediaSeries::Other, MediaSeries::Other},
};

TEST(MediaSeriesTable, ByDeviceIDAndCaption) {
    for (const MediaSeriesCase& c : mediaSeriesCases) {
        const std::string deviceID = std::string("MFG:VARDA;MDL:") + c.model + ";CMD:VLCL;";
        EXPECT_EQ(mediaSeriesOfReadDeviceID(deviceID).series, c.read) << c.model;
        EXPECT_EQ(mediaSeriesOfWriteDeviceID(deviceID).series, c.write) << c.model;
        EXPECT_EQ(mediaSeriesOfModel(c.model).series, c.caption) << c.model;
    }
    EXPECT_EQ(mediaSeriesOfReadDeviceID("MFG:VARDA;MDL:RV-C9000A;").marginsRead, 3);
    EXPECT_EQ(mediaSeriesOfReadDeviceID("MFG:VARDA;MDL:RV-C5000P;").marginsRead, 1);
    EXPECT_EQ(mediaSeriesOfReadDeviceID("MFG:VARDA;MDL:RV-C2000A;").marginsRead, 0);
}

TEST(PackOptionKey, OneToThreeCharacters) {
    EXPECT_EQ(packOptionKey("P"), 0x50);
    EXPECT_EQ(packOptionKey("RP"), 21072);
    EXPECT_EQ(packOptionKey("RIR"), ('R' << 16) | ('I' << 8) | 'R');
    EXPECT_EQ(packOptionKey(""), 0);
}

std::vector<std::string> keysOf(const std::vector<OptionItem>& items) {
    std::vector<std::string> keys;
    for (const OptionItem& i : items) {
        keys.push_back(std::string(i.text) + "=" + i.key);
    }
    return keys;
}

std::vector<std::string> keysOf(const std::vector<MediaFormItem>& items) {
    std::vector<std::string> keys;
    for (const MediaFormItem& i : items) {
        keys.push_back(std::string(i.text) + "=" + i.key + "@" + i.picture);
    }
    return keys;
}

std::vector<std::string> rangesOf(const std::vector<DotRange>& ranges) {
    std::vector<std::string> out;
    for (const DotRange& r : ranges) {
        out.push_back(std::to_string(static_cast<int>(r.field)) + ":" + std::to_string(r.minDot) +
                      ".." + std::to_string(r.maxDot) + "/" + std::to_string(r.precision));
    }
    return out;
}

std::string range(LengthField f, int lo, int hi, int precision) {
    return std::to_string(static_cast<int>(f)) + ":" + std::to_string(lo) + ".." +
           std::to_string(hi) + "/" + std::to_string(precision);
}

const std::vector<std::string> threeCharacterSources = {
    "Internal (Roll)=RIR", "Rear Feed (Fanfold)=FER", "Rear Feed (Roll)=RER"};
const std::vector<std::string> plainSources = {"Internal=IR", "Rear Feed=ER"};

const std::string gap = "@://images/DetectType_GAP.png";
const std::string mark = "@://images/DetectType_BM.png";
const std::string none = "@://images/DetectType_NoDetect.png";

std::vector<std::string> formsWithKeys(const std::vector<std::string>& keys) {
    const char* texts[] = {
        "Die-cut label (gap detection)",           "Die-cut label (black mark detection)",
        "Continuous label (black mark detection)", "Continuous label (no detection)",
        "Continuous paper (black mark detection)", "Continuous paper (no detection)"};
    const std::string pictures[] = {gap, mark, mark, none, mark, none};
    std::vector<std::string> out;
    for (std::size_t i = 0; i < 6; ++i) {
        out.push_back(std::string(texts[i]) + "=" + keys[i] + pictures[i]);
    }
    return out;
}

struct FamilyCase {
    PrinterFamily family;
    bool afterPrinting;
    const char* picture1;
    const char* picture6;
    std::vector<std::string> sources;
    std::vector<std::string> forms;
    const char* gapComment;
    std::vector<std::string> ranges;
    std::vector<std::string> clearance;
    std::vector<std::string> incomplete;
};

using F = LengthField;

std::vector<FamilyCase> familyCases() {
    std::vector<std::string> forms9000 = formsWithKeys({"DLW", "DLM", "CLM", "CLN", "CPM", "CPN"});
    forms9000.push_back("Tag (hole detection)=TGH@://images/DetectType_Tag.png");
    std::vector<std::string> forms2000 = formsWithKeys({"DLW", "DLM", "CLM", "CLN", "CPM", "CPN"});
    forms2000.push_back("Wristband (black mark detection)=WBM" + mark);
    const std::vector<std::string> forms5000 = formsWithKeys({"W", "M", "M", "N", "M", "N"});
    const std::vector<std::string> ranges5000 = {range(F::CutterPrintPositionH, -47, 47, 2),
                                                 range(F::PeelerPrintPositionH, -47, 47, 2),
                                                 range(F::CutterCutPosition, -255, 255, 3)};
    return {
        {PrinterFamily::RV_C9000,
         true,
         "://images/status_RV9000_03_12_13_14.png",
         "://images/status_RV9000_04_05_06_07_10_11.png",
         threeCharacterSources,
         forms9000,
         "RV-C2000series",
         {range(F::CutterPrintPositionV, -47, 47, 2), range(F::CutterPrintPositionH, -24, 24, 2),
          range(F::AfterPrintingPeelPositionB, 0, 1181, 2),
          range(F::CutterCutPosition, -472, 35, 3)},
         {"1=1", "2=2", "3=3", "4=4"},
         {"Cut=Y", "Do not Cut=N"}},
        {PrinterFamily::RV_C2000,
         false,
         "://images/status_RV2000_03.png",
         "://images/status_RV2000_06.png",
         threeCharacterSources,
         forms2000,
         "RV-C2000series",
         {range(F::CutterPrintPositionH, -36, 36, 2), range(F::PeelerPrintPositionH, -36, 36, 2),
          range(F::CutterCutPosition, -255, 255, 3)},
         {},
         {}},
        {PrinterFamily::RV_D5000,
         false,
         "://images/status_03D.png",
         "://images/status_8,9D.png",
         plainSources,
         forms5000,
         "RV-C5000series",
         ranges5000,
         {},
         {}},
        {PrinterFamily::RV_C5000,
         false,
         "://images/status_03.png",
         "://images/status_8,9.png",
         plainSources,
         forms5000,
         "RV-C5000series",
         ranges5000,
         {},
         {}},
    };
}

TEST(FamilyCapabilities, ListsAndRangesOfEachFamily) {
    for (const FamilyCase& c : familyCases()) {
        const FamilyCapabilities& caps = capabilitiesOf(c.family);
        SCOPED_TRACE(caps.name);
        EXPECT_EQ(caps.family, c.family);
        EXPECT_EQ(caps.offersAfterPrintingAndPrinterSetting, c.afterPrinting);
        EXPECT_STREQ(caps.statusPictures[1], c.picture1);
        EXPECT_STREQ(caps.statusPictures[6], c.picture6);
        EXPECT_EQ(keysOf(caps.mediaSources), c.sources);
        EXPECT_EQ(keysOf(caps.mediaForms), c.forms);
        EXPECT_STREQ(caps.gapCaption.source, "Gap between labels:");
        EXPECT_STREQ(caps.gapCaption.comment, c.gapComment);
        EXPECT_EQ(rangesOf(caps.ranges), c.ranges);
        EXPECT_EQ(keysOf(caps.headMediaClearanceHeights), c.clearance);
        EXPECT_EQ(keysOf(caps.incompleteLabelTreatments), c.incomplete);
    }
}

TEST(FamilyCapabilities, StatusPictureListsDifferOnlyWhereTheSeriesHasNoPictureOfItsOwn) {
    const StatusPictureList& d = capabilitiesOf(PrinterFamily::RV_D5000).statusPictures;
    const StatusPictureList& c5000 = capabilitiesOf(PrinterFamily::RV_C5000).statusPictures;
    const StatusPictureList& rv2000 = capabilitiesOf(PrinterFamily::RV_C2000).statusPictures;
    const StatusPictureList& rv9000 = capabilitiesOf(PrinterFamily::RV_C9000).statusPictures;
    EXPECT_EQ(&c5000, &defaultStatusPictures());
    const char* suffixes[] = {"01",  "03", "04", "05", "06", "07",
                              "8,9", "10", "11", "12", "13", "14"};
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(std::string(c5000[i]), std::string("://images/status_") + suffixes[i] + ".png");
        EXPECT_EQ(std::string(d[i]), std::string("://images/status_") + suffixes[i] + "D.png");
        const std::string own = i == 6 ? "06" : suffixes[i];
        EXPECT_EQ(std::string(rv2000[i]), "://images/status_RV2000_" + own + ".png");
    }
    EXPECT_STREQ(rv9000[0], "://images/status_RV9000_01.png");
    for (std::size_t i : {1, 9, 10, 11}) {
        EXPECT_STREQ(rv9000[i], "://images/status_RV9000_03_12_13_14.png") << i;
    }
    for (std::size_t i = 2; i <= 8; ++i) {
        EXPECT_STREQ(rv9000[i], "://images/status_RV9000_04_05_06_07_10_11.png") << i;
    }
}

TEST(FamilyCapabilities, StartupDefaultRanges) {
    const std::vector<std::string> expected = {
        range(F::CutterCutPosition, -255, 255, 3),
        range(F::CutterPrintPositionV, -258, 258, 2),
        range(F::CutterPrintPositionH, -36, 36, 2),
        range(F::PeelerPeelPositionA, -255, 255, 3),
        range(F::PeelerPeelPositionB, -255, 255, 3),
        range(F::PeelerPrintPositionV, -258, 258, 2),
        range(F::PeelerPrintPositionH, -36, 36, 2),
        range(F::FormGap, 0, 142, 2),
        range(F::SideMargin, 0, 142, 2),
        range(F::RightMargin, 0, 709, 2),
        range(F::EdgeToHole, 0, 3614, 2),
        range(F::AfterPrintingPeelPositionB, 0, 1181, 2),
    };
    EXPECT_EQ(rangesOf(startupDefaultRanges()), expected);
}

} // namespace
