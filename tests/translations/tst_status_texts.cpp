// SPDX-License-Identifier: Apache-2.0
// Every title and advice text of the status catalogue shows whole on the status page and the
// start page, for every printer family, in English, German and Japanese, at the window's
// default size and with text one and a half times as large.
#include "StatusTestSupport.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTranslator>

namespace {

const StandInPrinter printers[] = {
    {"RV-C5020A", "MFG:VARDA;MDL:RV-C5020A;CMD:VLCL;CLS:PRINTER;", "CUTTER", "IC-50BK", "MB-50",
     "KYMC"},
    {"RV-C2000", "MFG:VARDA;MDL:RV-C2000;CMD:VLCL;CLS:PRINTER;", "CUTTER", "IC-20BK", "MB-20",
     "KYMC"},
    {"RV-D5510P", "MFG:VARDA;MDL:RV-D5510P;CMD:VLCL;CLS:PRINTER;", "PEELER", "IC-55MK", "MB-55",
     "KCMY"},
    {"RV-C9000", "MFG:VARDA;MDL:RV-C9000;CMD:VLCL;CLS:PRINTER;", "CUTTER", "IC-90BK", "MB-90",
     "KCMY"},
};

// Where a text box hides part of its text: a scroll range, or a last line below the view.
QString clipping(QAbstractScrollArea* box, QTextCursor end, const QRect& endRect) {
    if (!box->isVisible())
        return "not visible";
    if (box->verticalScrollBar()->maximum() > 0)
        return QString("scrolls by %1").arg(box->verticalScrollBar()->maximum());
    if (box->horizontalScrollBar()->maximum() > 0)
        return QString("scrolls sideways by %1").arg(box->horizontalScrollBar()->maximum());
    Q_UNUSED(end);
    if (endRect.bottom() >= box->viewport()->height())
        return QString("last line at %1 of %2")
            .arg(endRect.bottom())
            .arg(box->viewport()->height());
    return QString();
}

QString clipping(QPlainTextEdit* box) {
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    return clipping(box, end, box->cursorRect(end));
}

QString clipping(QTextEdit* box) {
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    return clipping(box, end, box->cursorRect(end));
}

// One detail of each status group, for the pictures of the status page.
const struct {
    int group;
    int detail;
} groupSamples[] = {{0, 3}, {1, 100}, {2, 204}, {3, 303}, {4, 400}, {5, 505}, {6, 600}};

} // namespace

class StatusTextsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SKIP_IF_TOOL_INSTALLED(); }
    void everyTextShowsWhole_data();
    void everyTextShowsWhole();
};

void StatusTextsTest::everyTextShowsWhole_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<double>("scale");
    for (const char* language : {"en", "de", "ja"}) {
        for (double scale : {1.0, 1.5})
            QTest::addRow("%s at %d %%", language, int(scale * 100)) << language << scale;
    }
}

void StatusTextsTest::everyTextShowsWhole() {
    QFETCH(QString, language);
    QFETCH(double, scale);
    const QFont normal = QApplication::font();
    QFont larger = normal;
    larger.setPointSizeF(normal.pointSizeF() * scale);
    QApplication::setFont(larger);
    QTranslator translator;
    if (language != "en") {
        QVERIFY(translator.load("tarnqt_" + language, TARNQT_QM_DIR));
        QVERIFY(QCoreApplication::installTranslator(&translator));
    }
    const auto restore = qScopeGuard([&] {
        QCoreApplication::removeTranslator(&translator);
        QApplication::setFont(normal);
    });

    QStringList clipped;
    const std::vector<int> allInks = {'K', 'C', 'M', 'Y'};
    for (const StandInPrinter& printer : printers) {
        StandInBed bed(printer, statusLines(600, 6));
        auto w = bed.open();
        QVERIFY(w);
        const QSize defaultSize = w->size();
        auto* title = widget<QTextEdit>(*w, "STM", "textPrinterStatusAbstract");
        auto* advice = widget<QPlainTextEdit>(*w, "STM", "textPrinterStatusDetail");
        auto* summary = widget<QPlainTextEdit>(*w, "Startup", "textPrinterStatusAbstract");
        auto* statusPage = qobject_cast<Page*>(page(*w, "STM"));
        auto* startPage = qobject_cast<Page*>(page(*w, "Startup"));
        for (const CatalogueRow& row : catalogue) {
            MainFrameTestAccess::showStatus(*w, StatusDetail(row.detail), allInks);
            const QString where = QString("%1 %2: ").arg(printer.model).arg(row.detail);
            statusPage->show();
            QCoreApplication::processEvents();
            for (const QString& fault : {clipping(title), clipping(advice)}) {
                if (!fault.isEmpty())
                    clipped << where + fault + " in \"" + advice->toPlainText().left(40) + "\"";
            }
            startPage->show();
            QCoreApplication::processEvents();
            const QString fault = clipping(summary);
            if (!fault.isEmpty())
                clipped << where + "start page " + fault;
            for (const auto& sample : groupSamples) {
                if (sample.detail == row.detail && scale == 1.0 &&
                    printer.model == printers[3].model) {
                    const QString folder = QString(TARN_SCREENSHOT_DIR "/%1").arg(language);
                    QDir().mkpath(folder);
                    statusPage->show();
                    QCoreApplication::processEvents();
                    w->grab().save(QString("%1/status-group%2-%3.png")
                                       .arg(folder)
                                       .arg(sample.group)
                                       .arg(row.detail));
                    startPage->show();
                }
            }
            if (w->size() != defaultSize)
                clipped << where + QString("the window grew from %1x%2 to %3x%4")
                                       .arg(defaultSize.width())
                                       .arg(defaultSize.height())
                                       .arg(w->width())
                                       .arg(w->height());
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
}

QTEST_MAIN(StatusTextsTest)
#include "tst_status_texts.moc"
