// SPDX-License-Identifier: Apache-2.0
// Length fields and their range captions in the locale's decimal separator: a German window
// shows commas, and typing the other separator enters the locale's one instead of changing the
// value into another.
#include "GuiTestSupport.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <memory>

namespace {

const char* const Options = "destination: Q1\n"
                            "deviceOption: CUTTER\n"
                            "deviceID: MFG:VARDA;MDL:RV-C5020A;CMD:VLCL;CLS:PRINTER;\n";
const char* const Status = "destination: Q1\n"
                           "status: 600, Status_IL_PAPF\n"
                           "statusGroup: 6, Others\n"
                           "inksOfErrorReason: \n";

struct Window {
    explicit Window(const QLocale& locale) : tool(scratch) {
        tool.setReply(StandInTool::Run::List, "destination: Q1\n");
        tool.setReply(StandInTool::Run::Status, Status);
        tool.setReply(StandInTool::Run::Options, Options);
        QLocale::setDefault(locale);
        StreamCapture out(1);
        window = std::make_unique<MainFrame>();
    }
    ~Window() { QLocale::setDefault(QLocale::c()); }
    template <class T> T* find(const char* pageName, const char* name) {
        return page(*window, pageName)->findChild<T*>(name);
    }
    ScratchDir scratch;
    StandInTool tool;
    std::unique_ptr<MainFrame> window;
};

} // namespace

class LocaleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SKIP_IF_TOOL_INSTALLED(); }

    void captionsUseTheLocaleSeparator_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("field");
        QTest::newRow("C") << "C"
                           << "(-10.8 - 10.8)"
                           << "1.5";
        QTest::newRow("de_DE") << "de_DE"
                               << "(-10,8 - 10,8)"
                               << "1,5";
        QTest::newRow("ja_JP") << "ja_JP"
                               << "(-10.8 - 10.8)"
                               << "1.5";
    }
    void captionsUseTheLocaleSeparator() {
        QFETCH(QString, locale);
        QFETCH(QString, caption);
        QFETCH(QString, field);
        Window w{QLocale(locale)};
        QCOMPARE(w.find<QLabel>("GeometrySetting1A", "labelCutPositionRange")->text(), caption);
        auto* box = w.find<QDoubleSpinBox>("GeometrySetting1A", "numericCutPosition");
        box->setValue(1.5);
        QCOMPARE(box->text(), field);
    }

    void typedSeparatorKeepsTheValue_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("German, comma") << "de_DE"
                                       << "1,5" << 1.5 << "1,5";
        QTest::newRow("German, point") << "de_DE"
                                       << "1.5" << 1.5 << "1,5";
        QTest::newRow("German, negative point") << "de_DE"
                                                << "-2.3" << -2.3 << "-2,3";
        QTest::newRow("English, point") << "C"
                                        << "1.5" << 1.5 << "1.5";
        QTest::newRow("English, comma") << "C"
                                        << "1,5" << 1.5 << "1.5";
    }
    void typedSeparatorKeepsTheValue() {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(QString, shown);
        Window w{QLocale(locale)};
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        qobject_cast<Page*>(page(*w.window, "GeometrySetting1A"))->show();
        auto* box = w.find<QDoubleSpinBox>("GeometrySetting1A", "numericCutPosition");
        box->setFocus();
        box->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->value(), value);
        QCOMPARE(box->text(), shown);
    }
};

QTEST_MAIN(LocaleTest)
#include "tst_locale.moc"
