// SPDX-License-Identifier: Apache-2.0
// tarnqt's start-up to the first printer status drawn: the program's own entry function (the
// same start-up, window and library), plus an application-wide event filter that watches the start
// page's status text. The first paint of that text after it has changed from its start-up state is
// the first status the user sees; the driver then prints the wall-clock time (CLOCK_REALTIME, in
// seconds) and ends at once. Changes nothing in the window's behaviour. Not a test.
#include "AppEntry.h"

#include <QApplication>
#include <QEvent>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class FirstStatusWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) {
            return false;
        }
        // The text is painted on the edit's viewport.
        auto* edit = qobject_cast<QPlainTextEdit*>(watched->parent());
        if (edit == nullptr || edit->objectName() != QLatin1String("textPrinterStatusAbstract") ||
            !edit->isVisible()) {
            return false;
        }
        const QString text = edit->toPlainText();
        if (!seen_) {
            seen_ = true;
            startText_ = text;
            return false;
        }
        if (text != startText_ && !done_) {
            done_ = true;
            // After this paint has been delivered, so the text is on screen.
            QMetaObject::invokeMethod(
                this,
                [text] {
                    timespec now{};
                    clock_gettime(CLOCK_REALTIME, &now);
                    std::printf("first-status %ld.%06ld %s\n", static_cast<long>(now.tv_sec),
                                now.tv_nsec / 1000, text.toUtf8().constData());
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool seen_ = false;
    bool done_ = false;
    QString startText_;
};

} // namespace

int main(int argc, char* argv[]) {
    FirstStatusWatch watch;
    return runApplication(argc, argv, [&watch](QApplication& application) {
        application.installEventFilter(&watch);
    });
}
