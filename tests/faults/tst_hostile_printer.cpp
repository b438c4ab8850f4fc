// SPDX-License-Identifier: Apache-2.0
// A printer that answers with over-long values, through the real tarn, a private cupsd and
// dexo1.so to the window's tool bridge. The tool reports such a value on one long line; the
// bridge reads lines into a fixed buffer, and the rest of a longer line must not pass for a line
// of its own: a value can be made of capitals only, enough for a forged "ERROR".
#include "Command.h"
#include "TestBed.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Answers a data channel's settings request (the one that asks for the form gap) with the
// records it is given, as a printer does; the status request gets no answer.
class HostilePrinter {
public:
    HostilePrinter() {
        listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener < 0 ||
            bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener, 8) != 0 ||
            getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port = ntohs(address.sin_port);
        worker = std::thread([this] { serve(); });
    }
    ~HostilePrinter() {
        stop = true;
        if (worker.joinable())
            worker.join();
        if (listener >= 0)
            close(listener);
    }
    HostilePrinter(const HostilePrinter&) = delete;
    HostilePrinter& operator=(const HostilePrinter&) = delete;

    int port = 0;
    // The records sent for the settings request.
    void setAnswer(const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex);
        answer = text;
    }

private:
    void serve() {
        while (!stop) {
            pollfd p{listener, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            const int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                talk(fd);
                close(fd);
            }
        }
    }
    // One connection at a time: the tool makes them one after the other.
    void talk(int fd) {
        std::string received;
        char buffer[4096];
        for (;;) {
            pollfd p{fd, POLLIN, 0};
            if (stop || poll(&p, 1, 5000) <= 0)
                return;
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got <= 0)
                return;
            received.append(buffer, static_cast<size_t>(got));
            const size_t query = received.find("~H(CLS,C");
            if (query == std::string::npos)
                continue;
            received.erase(0, query + 8);
            std::string reply;
            {
                std::lock_guard<std::mutex> lock(mutex);
                reply = answer;
            }
            if (write(fd, reply.data(), reply.size()) != static_cast<ssize_t>(reply.size()))
                return;
        }
    }

    int listener = -1;
    std::mutex mutex;
    std::string answer;
    std::atomic<bool> stop{false};
    std::thread worker;
};

} // namespace

class HostilePrinterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QFileInfo::exists("/opt/varda/tarn-utility/tarn"))
            QSKIP("/opt/varda/tarn-utility/tarn exists and would be used instead of ./tarn");
        QVERIFY(printer.port > 0);
        cups = std::make_unique<harness::TempCups>();
        QVERIFY2(cups->ok(), cups->error().c_str());
        QVERIFY2(cups->addQueue("hostile", "socket://127.0.0.1:" + std::to_string(printer.port),
                                harness::shippedPpd("RV-C9000")),
                 cups->lastError().c_str());
        for (const auto& [name, value] : cups->environment())
            qputenv(name.c_str(), QByteArray::fromStdString(value));
        for (const std::string& name : harness::TempCups::unsetVariables())
            qunsetenv(name.c_str());
        QVERIFY(work.isValid());
        previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        for (const char* program : {"tarn", "dexo1.so"}) {
            const QString target =
                QString::fromStdString(testbed::TestBed::binDir()) + "/" + program;
            QVERIFY2(QFile::link(target, work.filePath(program)), program);
        }
    }

    void cleanupTestCase() {
        QDir::setCurrent(previous);
        cups.reset();
    }

    void overLongValueIsOneLine_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("paperSource");
        QTest::newRow("short") << "IR" << (('I' << 8) | 'R');
        // "paperSource: " and 1010 capitals fill the bridge's line buffer; the rest of the
        // line reads "ERROR".
        QTest::newRow("forged ERROR") << QString(1010, 'A') + "ERROR" << 0;
        QTest::newRow("forged ERROR line after several buffers")
            << QString(1010 + 3 * 1023, 'A') + "ERROR" << 0;
        QTest::newRow("line end right after a full buffer") << QString(1010, 'A') << 0;
    }

    void overLongValueIsOneLine() {
        QFETCH(QString, value);
        QFETCH(int, paperSource);
        printer.setAnswer("\x02^S(CLM,P," + value.toStdString() + "\x03\x02^S(CLS,C,24\x03");
        Command command;
        std::string deviceID;
        int source = -1, shape = -1, form = -1, detection = -1, gap = -1, side = -1, right = -1,
            hole = -1;
        QVERIFY(command.readPaperSource("hostile", deviceID, source, shape, form, detection, gap,
                                        side, right, hole));
        QCOMPARE(source, paperSource);
        QCOMPARE(deviceID, std::string("MFG:VARDA;MDL:RV-C9000;CMD:VLCL;CLS:PRINTER;DES:VARDA "
                                       "RV-C9000;"));
        // The lines after the long one are read as they are.
        QCOMPARE(gap, 24);
    }

private:
    HostilePrinter printer;
    std::unique_ptr<harness::TempCups> cups;
    QTemporaryDir work;
    QString previous;
};

QTEST_MAIN(HostilePrinterTest)
#include "tst_hostile_printer.moc"
