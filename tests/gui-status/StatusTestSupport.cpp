#include "StatusTestSupport.h"

#include <QElapsedTimer>
#include <QTest>

const char* const usageWithFunctions =
    "usage: tarn [options]\n        - deviceID [O]\n        - printNozzleCheck\n"
    "        - startCleaningHead\n";

QString deviceOptionLines(const StandInPrinter& p, const QString& queue) {
    return QString("destination: %1\n"
                   "deviceOption: %2\n"
                   "deviceID: %3\n"
                   "inkNameK: %4\n"
                   "inkNameC: IC-C\n"
                   "inkNameM: IC-M\n"
                   "inkNameY: IC-Y\n"
                   "inkNameMN: %5\n"
                   "inkCartridgeLayout: %6\n")
        .arg(queue, p.deviceOption, p.deviceID, p.inkK, p.inkMN, p.layout);
}

QString statusLines(int detail, int group, const QString& inks, const InkValues& v,
                    const QString& queue) {
    QString text = QString("destination: %1\nstatus: %2, Name\nstatusGroup: %3, Group\n"
                           "inksOfErrorReason: %4\n")
                       .arg(queue)
                       .arg(detail)
                       .arg(group)
                       .arg(inks);
    const char* keys[] = {"inkK", "inkC", "inkM", "inkY", "inkMN"};
    for (int i = 0; i < 5; ++i)
        text += QString("%1: %2 %3\n").arg(keys[i]).arg(v.status[i]).arg(v.amount[i]);
    return text;
}

StandInBed::StandInBed(const StandInPrinter& printer, const QString& status,
                       const QString& queues) {
    tool.setReply(StandInTool::Run::List, queues);
    tool.setReply(StandInTool::Run::Usage, usageWithFunctions);
    tool.setReply(StandInTool::Run::Options, deviceOptionLines(printer));
    tool.setReply(StandInTool::Run::Status, status);
}

int StandInBed::statusReads() const {
    int n = 0;
    for (const QString& call : tool.calls())
        n += call.contains("[-o][status]") ? 1 : 0;
    return n;
}

std::unique_ptr<MainFrame> StandInBed::open() {
    auto w = std::make_unique<MainFrame>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    // The first read comes from the start-up timer; wait for it so it cannot interleave.
    QElapsedTimer clock;
    clock.start();
    while (statusReads() == 0 && clock.elapsed() < 5000)
        QTest::qWait(10);
    return w;
}

bool showsPixmap(const QLabel* label, const QPixmap& expected) {
    if (!label || expected.isNull())
        return false;
    const QPixmap shown = label->pixmap(Qt::ReturnByValue);
    return !shown.isNull() && shown.toImage() == expected.toImage();
}

bool showsPicture(const QLabel* label, const QString& path) {
    return showsPixmap(label, QPixmap(path));
}
