// SPDX-License-Identifier: Apache-2.0
#include "StatusCatalogue.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Shows which context and disambiguation every lookup passed: "<context|comment|source>".
class TaggingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int) const override {
        return QStringLiteral("<%1|%2|%3>")
            .arg(QString::fromUtf8(context),
                 QString::fromUtf8(disambiguation ? disambiguation : ""),
                 QString::fromUtf8(sourceText));
    }
    bool isEmpty() const override { return false; }
};

// Puts a second "%mnt%" into every translation, as a translation may place the name anywhere.
class MovingNameTranslator : public QTranslator {
public:
    QString translate(const char*, const char* sourceText, const char*, int) const override {
        return QString::fromUtf8(sourceText) + QStringLiteral(" (%mnt%)");
    }
    bool isEmpty() const override { return false; }
};

struct ScopedTranslator {
    explicit ScopedTranslator(QTranslator& t) : translator(t) {
        QCoreApplication::installTranslator(&translator);
    }
    ~ScopedTranslator() { QCoreApplication::removeTranslator(&translator); }
    QTranslator& translator;
};

StatusTexts look(int detail, int family = 2, const QString& inks = QString(),
                 const QString& box = QStringLiteral("MB-1")) {
    StatusTexts t;
    EXPECT_TRUE(statusTextsFor(detail, family, inks, box, t)) << detail;
    return t;
}

const int everyDetail[] = {0,   1,   2,   3,   100, 200, 201, 202, 203, 204, 205, 206, 207,
                           208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220,
                           221, 222, 223, 300, 301, 302, 303, 400, 401, 402, 403, 500, 501,
                           502, 503, 504, 505, 506, 600, 601, 602, 603, 604};

TEST(StatusCatalogue, EveryDetailHasItsOwnTextsForEveryFamily) {
    const StatusTexts commError = look(3);
    for (int family = 0; family <= 3; ++family) {
        for (int detail : everyDetail) {
            const StatusTexts t = look(detail, family);
            EXPECT_FALSE(t.title.isEmpty()) << detail;
            EXPECT_GE(t.picture, 0);
            EXPECT_LT(t.picture, 12);
            if (detail != 3) {
                EXPECT_NE(t.title, commError.title) << detail << " family " << family;
            }
        }
    }
}

TEST(StatusCatalogue, ValuesOutsideTheEnumerationReadAsCommunicationError) {
    for (int detail : {605, -1, 4, 99, 224, 700, 1 << 30}) {
        const StatusTexts t = look(detail);
        EXPECT_EQ(t.title, "Communication error") << detail;
        EXPECT_EQ(t.advice, "Check all cable connections and that the printer is turned on.\nIf "
                            "this does not fix the problem, try restarting the printer.");
        EXPECT_EQ(t.picture, 2);
    }
}

struct TagCase {
    int detail;
    int family;
    const char* title;
    const char* advice;
};

const TagCase tagCases[] = {
    {205, 2, "<QObject|Status_ER_SN_IR|Paper not loaded>", "<QObject||Load the paper.>"},
    {206, 2, "<QObject||Paper not loaded>",
     "<QObject|Status_ER_SN_ER|Remove any paper which is still in the printer and load new "
     "paper.>"},
    {500, 2, "<QObject|Status_IL_PAPT_IR|Paper not loaded>", "<QObject||Load the paper.>"},
    {501, 2, "<QObject||Paper not loaded>",
     "<QObject|Status_IL_PAPT_ER|Remove any paper which is still in the printer and load new "
     "paper.>"},
    {221, 2, "<QObject||Insufficient ink to perform cleaning>",
     "<QObject|Status_ER_IC|See the LCD screen on the product and follow the instructions.>"},
    {222, 2, "<QObject||Cannot start cleaning because the Maintenance Box is near full.>",
     "<QObject|Status_ER_MC|Printer features except cleaning are available.>"},
    {201, 1, "<QObject|RV-C2000C5000series|Roll paper cover open>",
     "<QObject|RV-C2000C5000series|Close the roll paper cover.>"},
    {201, 2, "<QObject|RV-C2000C5000series|Roll paper cover open>",
     "<QObject|RV-C2000C5000series|Close the roll paper cover.>"},
    {201, 3, "<QObject|RV-C9000series|Roll paper cover open>",
     "<QObject|RV-C9000series|Close the roll paper cover.>"},
    {216, 3, "<QObject|RV-C9000series|The paper cover is open.>",
     "<QObject|RV-C9000series|Close the paper cover.>"},
    {216, 1, "<QObject|RV-C2000C5000series|The paper cover is open.>",
     "<QObject|RV-C2000C5000series|Close the paper cover.>"},
    {217, 3, "<QObject|RV-C9000series|The front cover is open.>",
     "<QObject|RV-C9000series|Close the front cover.>"},
    {217, 2, "<QObject|RV-C2000C5000series|The front cover is open.>",
     "<QObject|RV-C2000C5000series|Close the front cover.>"},
    {203, 3, "<QObject|RV-C9000series|Ink cartridge undetected>",
     "<QObject|RV-C9000series|Varda recommends the genuine Varda cartridges listed above.>"},
    {203, 1, "<QObject|RV-C2000C5000series|Ink cartridge undetected>",
     "<QObject|RV-C2000C5000series|Varda recommends the genuine Varda cartridges listed "
     "above.>"},
    {204, 3, "<QObject||Replace ink cartridge>",
     "<QObject||Varda recommends the genuine Varda cartridges listed above.>"},
    // A model of no known family is told with the texts its settings pages are built for,
    // not left showing whatever state was on screen before.
    {201, 0, "<QObject|RV-C2000C5000series|Roll paper cover open>",
     "<QObject|RV-C2000C5000series|Close the roll paper cover.>"},
    {217, 0, "<QObject|RV-C2000C5000series|The front cover is open.>",
     "<QObject|RV-C2000C5000series|Close the front cover.>"},
};

class TranslationLookup : public ::testing::TestWithParam<TagCase> {};

TEST_P(TranslationLookup, PassesContextAndDisambiguation) {
    TaggingTranslator tagging;
    ScopedTranslator installed(tagging);
    const TagCase& c = GetParam();
    const StatusTexts t = look(c.detail, c.family);
    EXPECT_EQ(t.title.toStdString(), c.title);
    EXPECT_EQ(t.advice.toStdString(), c.advice);
}

INSTANTIATE_TEST_SUITE_P(Table, TranslationLookup, ::testing::ValuesIn(tagCases));

TEST(StatusCatalogue, FamilyDependentDetailsShowTheSamePictureForEveryFamily) {
    for (int detail : {201, 203, 216, 217}) {
        const int picture = look(detail, 1).picture;
        for (int family = 0; family <= 3; ++family) {
            EXPECT_EQ(look(detail, family).picture, picture) << detail;
        }
    }
}

TEST(StatusCatalogue, EmptyAdviceIsNotLookedUp) {
    // An empty source would fetch a catalogue's header entry.
    TaggingTranslator tagging;
    ScopedTranslator installed(tagging);
    EXPECT_EQ(look(220).advice, QString());
}

TEST(StatusCatalogue, MaintenanceBoxNameStandsBehindTheDash) {
    EXPECT_EQ(look(209, 2, QString(), QStringLiteral("MB-77")).advice,
              "-MB-77\nReplace the maintenance box.\nSee your printer documentation for more "
              "information on replacing maintenance box.");
    EXPECT_TRUE(look(209, 2, QString(), QStringLiteral("N/A")).advice.startsWith("-N/A\n"));
    EXPECT_EQ(look(212, 3, QString(), QStringLiteral("MB-77")).advice,
              "-MB-77\nInstall the maintenance box.");
    EXPECT_TRUE(look(504, 1, QString(), QString()).advice.startsWith("-\nPrepare"));
}

TEST(StatusCatalogue, MaintenanceBoxNameReplacesEveryPlaceholderOfTheTranslation) {
    MovingNameTranslator moving;
    ScopedTranslator installed(moving);
    EXPECT_EQ(look(212, 2, QString(), QStringLiteral("MB-77")).advice,
              "-MB-77\nInstall the maintenance box. (MB-77)");
    // Only the maintenance advice texts carry the name.
    EXPECT_EQ(look(211).advice, "Close the ink cartridge cover. (%mnt%)");
}

TEST(StatusCatalogue, InkListComesBeforeTheAdvice) {
    const QString inks = QStringLiteral("- Cyan: C-1\n- Yellow: Y-1\n");
    EXPECT_EQ(look(203, 2, inks).advice,
              inks + "Varda recommends the genuine Varda cartridges listed above.");
    EXPECT_EQ(look(204, 3, inks).advice,
              inks + "Varda recommends the genuine Varda cartridges listed above.");
    EXPECT_TRUE(look(505, 1, inks).advice.startsWith(inks + "Prepare a new ink cartridge"));
    // Other details ignore the list.
    EXPECT_EQ(look(600, 2, inks).advice, "Ready to print.");
}

TEST(InkList, NamesEachInkOfTheListInItsOrder) {
    const InkPartNames names{QStringLiteral("Matte Black"), QStringLiteral("MK-1"),
                             QStringLiteral("C-1"), QStringLiteral("M-1"), QStringLiteral("Y-1")};
    EXPECT_EQ(composeInkList({'C', 'Y'}, names), "- Cyan: C-1\n- Yellow: Y-1\n");
    EXPECT_EQ(composeInkList({'K', 'M'}, names), "- Matte Black: MK-1\n- Magenta: M-1\n");
    EXPECT_EQ(composeInkList({}, names), "");
    // Keys that are no ink (the maintenance box among them) are not listed.
    EXPECT_EQ(composeInkList({19790, 'X', 'Y'}, names), "- Yellow: Y-1\n");
}

TEST(InkList, ColourNamesAreTranslated) {
    TaggingTranslator tagging;
    ScopedTranslator installed(tagging);
    const InkPartNames names{QStringLiteral("B"), QStringLiteral("K-1"), QStringLiteral("C-1"),
                             QStringLiteral("M-1"), QStringLiteral("Y-1")};
    EXPECT_EQ(composeInkList({'K', 'C', 'M', 'Y'}, names),
              "- B: K-1\n- <QObject||Cyan>: C-1\n- <QObject||Magenta>: M-1\n- "
              "<QObject||Yellow>: Y-1\n");
}

} // namespace
