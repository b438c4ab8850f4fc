// SPDX-License-Identifier: Apache-2.0
// The pictures that tarnqt loads from its resources: each name the window asks for must be
// there at the size its widget expects, with a sharp @2x variant, and the status pictures must
// show the state's colour, because the user reads the state from it first.
#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <QPixmap>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Picture {
    const char* path; // as the window writes it: "://images/..." or ":/images/..."
    int width;
    int height;
};

// Every still picture the window loads, by the path it uses, at the size of the label that
// shows it (the forms fix the guide, stop-position and nozzle-pattern labels to these sizes).
const Picture kPictures[] = {
    {"://images/AppIcon.png", 128, 128},
    {"://images/btnPrinterWindow.png", 64, 64},
    {"://images/btnNozzleCheck.png", 64, 64},
    {"://images/btnHeadCleaning.png", 64, 64},
    {":/images/btnPIFlushing64.png", 64, 64},
    {"://images/btnPIFlushing64.png", 64, 64},
    {"://images/btnBidAdjust.png", 64, 64},
    {"://images/btnPaperSetting.png", 64, 64},
    {"://images/btnPrintingPositionSetting.png", 64, 64},
    {":/images/btnPeelerSetting.png", 64, 64},
    {":/images/btnPrinterSettings.png", 64, 64},
    {"://images/btnPfAdjust.png", 64, 64},
    {"://images/inkHatch.png", 32, 48},
    {"://images/inkIconError.png", 32, 32},
    {"://images/inkIconWarning.png", 32, 28},
    {"://images/DetectType_GAP.png", 170, 90},
    {"://images/DetectType_BM.png", 170, 90},
    {"://images/DetectType_NoDetect.png", 170, 90},
    {"://images/DetectType_Tag.png", 170, 90},
    {"://images/GeometryPositionA.png", 315, 280},
    {"://images/GeometryPositionP.png", 315, 280},
    {":/images/PeelPosition.png", 360, 160},
    {"://images/NozzlePattern.png", 200, 100},
    {"://images/NozzleBadPattern.png", 200, 100},
};

enum class Ground { Green, Yellow, Red };

// What ground each index of a status list stands on.
const Ground kGroundByIndex[12] = {Ground::Green, Ground::Yellow, Ground::Red,    Ground::Red,
                                   Ground::Red,   Ground::Red,    Ground::Red,    Ground::Red,
                                   Ground::Red,   Ground::Yellow, Ground::Yellow, Ground::Yellow};

struct StatusList {
    const char* family;
    std::vector<std::string> names; // index 0 to 11
};

const StatusList kStatusLists[] = {
    {"default",
     {"status_01", "status_03", "status_04", "status_05", "status_06", "status_07", "status_8,9",
      "status_10", "status_11", "status_12", "status_13", "status_14"}},
    {"RV2000",
     {"status_RV2000_01", "status_RV2000_03", "status_RV2000_04", "status_RV2000_05",
      "status_RV2000_06", "status_RV2000_07", "status_RV2000_06", "status_RV2000_10",
      "status_RV2000_11", "status_RV2000_12", "status_RV2000_13", "status_RV2000_14"}},
    {"D",
     {"status_01D", "status_03D", "status_04D", "status_05D", "status_06D", "status_07D",
      "status_8,9D", "status_10D", "status_11D", "status_12D", "status_13D", "status_14D"}},
    {"RV9000",
     {"status_RV9000_01", "status_RV9000_03_12_13_14", "status_RV9000_04_05_06_07_10_11",
      "status_RV9000_04_05_06_07_10_11", "status_RV9000_04_05_06_07_10_11",
      "status_RV9000_04_05_06_07_10_11", "status_RV9000_04_05_06_07_10_11",
      "status_RV9000_04_05_06_07_10_11", "status_RV9000_04_05_06_07_10_11",
      "status_RV9000_03_12_13_14", "status_RV9000_03_12_13_14", "status_RV9000_03_12_13_14"}},
};

QString statusPath(const std::string& name) {
    return QString::fromStdString("://images/" + name + ".png");
}

// "@2x" goes before the extension.
QString doublePath(const QString& path) {
    QString p = path;
    return p.insert(p.lastIndexOf('.'), "@2x");
}

Ground classify(QColor c) {
    if (c.green() > 140 && c.red() < 140)
        return Ground::Green;
    if (c.red() > 200 && c.green() > 160)
        return Ground::Yellow;
    return Ground::Red;
}

class StillPicture : public ::testing::TestWithParam<Picture> {};

TEST_P(StillPicture, LoadsAtItsSizeWithASharpDoubleVariant) {
    const Picture& pic = GetParam();
    QImage image(pic.path);
    ASSERT_FALSE(image.isNull()) << pic.path;
    EXPECT_EQ(image.width(), pic.width) << pic.path;
    EXPECT_EQ(image.height(), pic.height) << pic.path;
    EXPECT_TRUE(image.hasAlphaChannel()) << pic.path;

    QImage twice(doublePath(pic.path));
    ASSERT_FALSE(twice.isNull()) << doublePath(pic.path).toStdString();
    EXPECT_EQ(twice.width(), 2 * pic.width) << pic.path;
    EXPECT_EQ(twice.height(), 2 * pic.height) << pic.path;
    // The reader marks an @2x file as such, so it is drawn at the base size on screen.
    EXPECT_DOUBLE_EQ(twice.devicePixelRatio(), 2.0) << pic.path;
}

std::string pictureName(const ::testing::TestParamInfo<Picture>& info) {
    std::string name = info.param.path;
    name = name.substr(name.rfind('/') + 1);
    name = name.substr(0, name.rfind('.'));
    // The same file under both path forms needs two names.
    return (std::string(info.param.path).rfind("://", 0) == 0 ? "" : "single_") + name;
}

INSTANTIATE_TEST_SUITE_P(Resources, StillPicture, ::testing::ValuesIn(kPictures), pictureName);

TEST(StatusPictures, EveryIndexStandsOnTheGroundOfItsState) {
    for (const StatusList& list : kStatusLists) {
        ASSERT_EQ(list.names.size(), 12u) << list.family;
        for (size_t i = 0; i < list.names.size(); ++i) {
            const QString path = statusPath(list.names[i]);
            for (const QString& p : {path, doublePath(path)}) {
                QImage image(p);
                ASSERT_FALSE(image.isNull()) << p.toStdString();
                const int scale = image.width() / 111;
                EXPECT_EQ(image.width(), 111 * scale) << p.toStdString();
                EXPECT_EQ(image.height(), 88 * scale) << p.toStdString();
                // Left edge, half way down: ground only, clear of badge, printer and arrows.
                const QColor ground = image.pixelColor(3 * scale, 44 * scale);
                EXPECT_EQ(ground.alpha(), 255) << p.toStdString();
                EXPECT_EQ(classify(ground), kGroundByIndex[i])
                    << list.family << " index " << i << ": " << p.toStdString() << " is "
                    << ground.name().toStdString();
            }
        }
    }
}

TEST(StatusPictures, TheFourFamiliesLookDifferent) {
    // The same state on two families must not be the same drawing.
    for (size_t index : {size_t(0), size_t(2)}) {
        std::vector<QImage> seen;
        for (const StatusList& list : kStatusLists) {
            QImage image(statusPath(list.names[index]));
            ASSERT_FALSE(image.isNull());
            for (const QImage& other : seen)
                EXPECT_NE(image, other) << list.family << " index " << index;
            seen.push_back(image);
        }
    }
}

TEST(StatusPictures, ArrowAndRollPicturesDifferFromThePlainStateOfTheirColour) {
    // Indices 3 to 8 add an arrow or a roll to the plain error picture (index 2), indices 9 to
    // 11 to the plain warning picture (index 1); a copy of the plain picture would point at
    // nothing.
    for (const StatusList& list : kStatusLists) {
        if (std::string(list.family) == "RV9000")
            continue; // one shared picture per colour by design
        const QImage warning(statusPath(list.names[1]));
        const QImage error(statusPath(list.names[2]));
        for (size_t i = 3; i < 12; ++i) {
            const QImage& plain = i <= 8 ? error : warning;
            EXPECT_NE(QImage(statusPath(list.names[i])), plain) << list.family << " " << i;
        }
    }
}

// Run on a screen of density 2 (QT_SCALE_FACTOR=2, a test of its own): with high-density
// pixmaps enabled, QIcon takes the @2x file beside the base name by itself, so a picture put on
// a label through an icon is sharp. (QPixmap(path) alone always loads the base file.)
TEST(HighDensity, IconsTakeTheDoubleVariant) {
    if (qApp->devicePixelRatio() < 2.0)
        GTEST_SKIP() << "needs a screen of density 2";
    for (const char* path :
         {"://images/AppIcon.png", "://images/status_8,9.png", "://images/btnPIFlushing64.png"}) {
        QImage base(path);
        ASSERT_FALSE(base.isNull()) << path;
        QPixmap pixmap = QIcon(path).pixmap(base.size());
        EXPECT_EQ(pixmap.size(), 2 * base.size()) << path;
        EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2.0) << path;
    }
}

TEST(GaugePictures, DrawWhatTheGaugeStatesMean) {
    QImage hatch("://images/inkHatch.png");
    ASSERT_FALSE(hatch.isNull());
    // The hatch covers the groove only: the gauge's 4-pixel side margins stay clear.
    EXPECT_EQ(hatch.pixelColor(1, 24).alpha(), 0);
    EXPECT_EQ(hatch.pixelColor(30, 24).alpha(), 0);
    const QColor inside = hatch.pixelColor(10, 24);
    EXPECT_EQ(inside.alpha(), 255);
    EXPECT_EQ(inside.red(), inside.green()); // grey
    EXPECT_EQ(inside.green(), inside.blue());

    QImage error("://images/inkIconError.png");
    ASSERT_FALSE(error.isNull());
    EXPECT_EQ(error.pixelColor(16, 16), QColor(Qt::white)); // the crossing of the cross
    const QColor disc = error.pixelColor(16, 5);
    EXPECT_GT(disc.red(), 180);
    EXPECT_LT(disc.green(), 90);

    QImage warning("://images/inkIconWarning.png");
    ASSERT_FALSE(warning.isNull());
    const QColor mark = warning.pixelColor(16, 13);
    EXPECT_LT(mark.red() + mark.green() + mark.blue(), 120); // black exclamation mark
    const QColor triangle = warning.pixelColor(10, 23);
    EXPECT_GT(triangle.red(), 200);
    EXPECT_GT(triangle.green(), 160);
    EXPECT_LT(triangle.blue(), 80);
}

// Reads every frame of an animation with the plain reader, bounded.
std::vector<QImage> readFrames(const QString& path, const QByteArray& format) {
    QFile file(path);
    std::vector<QImage> frames;
    if (!file.open(QIODevice::ReadOnly))
        return frames;
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    for (int guard = 0; guard < 1000; ++guard) {
        QImage frame = reader.read();
        if (frame.isNull())
            break;
        frames.push_back(frame);
    }
    return frames;
}

void expectAnimation(const std::vector<QImage>& frames, const char* what) {
    ASSERT_GE(frames.size(), 8u) << what;
    for (const QImage& frame : frames)
        EXPECT_EQ(frame.size(), QSize(240, 80)) << what;
    // Something moves: the first frames are not all the same picture.
    EXPECT_NE(frames[0], frames[1]) << what;
    EXPECT_NE(frames[0], frames[frames.size() / 2]) << what;
}

// The in-progress pages show one movie for as long as the printer cleans: it must start again
// after its last frame. Waits, bounded, until the movie has shown more frames than it has.
bool playsPastItsLastFrame(const QString& path, int frames) {
    QMovie movie(path);
    int changes = 0;
    QObject::connect(&movie, &QMovie::frameChanged, [&changes](int) { ++changes; });
    movie.start();
    QElapsedTimer clock;
    clock.start();
    while (changes <= frames + 2 && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return changes > frames + 2 && movie.state() == QMovie::Running;
}

TEST(CleaningAnimation, GifPlaysEndlessly) {
    QMovie movie("://images/CleaningProgress.gif");
    ASSERT_TRUE(movie.isValid());
    EXPECT_GE(movie.frameCount(), 8);
    const std::vector<QImage> frames = readFrames("://images/CleaningProgress.gif", "gif");
    expectAnimation(frames, "gif");
    EXPECT_TRUE(playsPastItsLastFrame("://images/CleaningProgress.gif", int(frames.size())));
}

TEST(CleaningAnimation, MngDecodesFrameByFrameAndPlaysEndlessly) {
    if (!QMovie::supportedFormats().contains("mng"))
        GTEST_SKIP() << "no mng image format plug-in; the window uses the gif then";
    // The mng reader counts no frames in advance (the movie says 0), but decodes them all.
    const std::vector<QImage> frames = readFrames("://images/CleaningProgress.mng", "mng");
    expectAnimation(frames, "mng");
    EXPECT_TRUE(playsPastItsLastFrame("://images/CleaningProgress.mng", int(frames.size())));
}

} // namespace
int main(int argc, char** argv) {
    // Test discovery runs this program at build time, without a display.
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without this attribute Qt 5 hands out pictures of density 1 even on a dense screen.
    QGuiApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
