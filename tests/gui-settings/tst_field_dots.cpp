// SPDX-License-Identifier: Apache-2.0
// What Apply sends for a length field: the printer's own dots while the user leaves the field
// alone, the converted value once they change it, and never anything outside the field's range.
#include "FieldDots.h"

#include <QDoubleSpinBox>
#include <QTest>

Q_DECLARE_METATYPE(FieldMemory)

class FieldDotsTest : public QObject {
    Q_OBJECT
private slots:
    void dotsToSendFollowsTheUser_data();
    void dotsToSendFollowsTheUser();
    void spinBoxRemembersWhatItShowed_data();
    void spinBoxRemembersWhatItShowed();
    void copyCarriesTheDotsOnlyWhileUntouched();
    void forgottenFieldSendsItsValue();
};

namespace {

FieldMemory memory(bool hasRange, int minDot, int maxDot, bool hasRead, int dotsRead,
                   double shown) {
    FieldMemory m;
    m.hasRange = hasRange;
    m.minDot = minDot;
    m.maxDot = maxDot;
    m.hasRead = hasRead;
    m.dotsRead = dotsRead;
    m.shown = shown;
    return m;
}

} // namespace

void FieldDotsTest::dotsToSendFollowsTheUser_data() {
    QTest::addColumn<FieldMemory>("memory");
    QTest::addColumn<double>("current");
    QTest::addColumn<int>("converted");
    QTest::addColumn<int>("expected");

    // 46 dots show as 1.9 mm, which converts to 45.
    QTest::newRow("untouched: the dots read")
        << memory(true, 0, 142, true, 46, 1.9) << 1.9 << 45 << 46;
    // 24 dots of a printer whose field starts at 72 show as 3.0 mm, which converts to 71.
    QTest::newRow("untouched below the range: the minimum")
        << memory(true, 72, 142, true, 24, 3.0) << 3.0 << 71 << 72;
    QTest::newRow("untouched above the range: the maximum")
        << memory(true, 0, 1181, true, 1200, 50.0) << 50.0 << 1181 << 1181;
    QTest::newRow("untouched negative below the range")
        << memory(true, -36, 36, true, -47, -1.5) << -1.5 << -35 << -36;
    QTest::newRow("changed: the converted value")
        << memory(true, 0, 1181, true, 500, 21.2) << 21.3 << 503 << 503;
    QTest::newRow("changed to the shown minimum: kept inside the range")
        << memory(true, 72, 142, true, 100, 4.2) << 3.0 << 71 << 72;
    QTest::newRow("changed back to the value shown: the dots read")
        << memory(true, 0, 1181, true, 500, 21.2) << 21.2 << 501 << 500;
    QTest::newRow("never read: the converted value")
        << memory(true, 0, 142, false, 0, 0.0) << 2.0 << 47 << 47;
    QTest::newRow("never read, outside the range")
        << memory(true, 0, 709, false, 0, 0.0) << 30.1 << 711 << 709;
    QTest::newRow("no range known: unclamped")
        << memory(false, 0, 0, true, 46, 1.9) << 1.9 << 45 << 46;
    // A locale of no known unit shows every length as 0 and converts every value to 0.
    QTest::newRow("unknown unit, untouched: the dots read")
        << memory(true, -255, 255, true, -100, 0.0) << 0.0 << 0 << -100;
}

void FieldDotsTest::dotsToSendFollowsTheUser() {
    QFETCH(FieldMemory, memory);
    QFETCH(double, current);
    QFETCH(int, converted);
    QFETCH(int, expected);
    QCOMPARE(dotsToSend(memory, current, converted), expected);
}

void FieldDotsTest::spinBoxRemembersWhatItShowed_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("dots");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("shown");

    QTest::newRow("inside the limits") << 1 << 0.0 << 6.0 << 46 << 1.9 << 1.9;
    // The box rounds to its decimals; the rounded value is what counts as untouched.
    QTest::newRow("rounded by the box") << 2 << 0.0 << 1.97 << 500 << 0.833 << 0.83;
    QTest::newRow("clamped by the box") << 1 << 3.0 << 6.0 << 24 << 1.0 << 3.0;
}

void FieldDotsTest::spinBoxRemembersWhatItShowed() {
    QFETCH(int, decimals);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, dots);
    QFETCH(double, length);
    QFETCH(double, shown);

    QDoubleSpinBox box;
    box.setDecimals(decimals);
    box.setRange(minimum, maximum);
    fielddots::setRange(&box, 0, 142);
    fielddots::showRead(&box, dots, length);
    QCOMPARE(box.value(), shown);

    const FieldMemory m = fielddots::memoryOf(&box);
    QVERIFY(m.hasRange);
    QCOMPARE(m.minDot, 0);
    QCOMPARE(m.maxDot, 142);
    QVERIFY(m.hasRead);
    QCOMPARE(m.dotsRead, dots);
    QCOMPARE(m.shown, shown);
    QCOMPARE(fielddots::dotsToSend(&box, -1), std::min(dots, 142));

    box.setValue(maximum);
    if (maximum != shown)
        QCOMPARE(fielddots::dotsToSend(&box, 140), 140);
}

void FieldDotsTest::copyCarriesTheDotsOnlyWhileUntouched() {
    QDoubleSpinBox side, right;
    for (QDoubleSpinBox* box : {&side, &right}) {
        box->setDecimals(1);
        box->setRange(0.0, 30.0);
    }
    fielddots::setRange(&side, 0, 142);
    fielddots::setRange(&right, 0, 709);
    fielddots::showRead(&side, 46, 1.9);
    fielddots::showRead(&right, 300, 12.7);

    fielddots::copy(&side, &right);
    QCOMPARE(right.value(), 1.9);
    QCOMPARE(fielddots::dotsToSend(&right, 45), 46);

    // A value read above the source's range: both send the source's maximum.
    fielddots::showRead(&side, 300, 6.0);
    fielddots::copy(&side, &right);
    QCOMPARE(fielddots::dotsToSend(&side, 142), 142);
    QCOMPARE(fielddots::dotsToSend(&right, 142), 142);

    side.setValue(2.5);
    fielddots::copy(&side, &right);
    QCOMPARE(right.value(), 2.5);
    QCOMPARE(fielddots::dotsToSend(&right, 59), 59);
}

void FieldDotsTest::forgottenFieldSendsItsValue() {
    QDoubleSpinBox box;
    box.setDecimals(1);
    box.setRange(0.0, 6.0);
    fielddots::showRead(&box, 46, 1.9);
    fielddots::forget(&box);
    QVERIFY(!fielddots::memoryOf(&box).hasRead);
    QCOMPARE(fielddots::dotsToSend(&box, 45), 45);
}

QTEST_MAIN(FieldDotsTest)
#include "tst_field_dots.moc"
