// SPDX-License-Identifier: Apache-2.0
// Shared pieces of the window tests: a scratch working folder with a scripted stand-in tarn,
// capture of standard output and error, a recorder of slot invocations, and a closer for
// message boxes.
#pragma once

#include "MainFrame.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// Command prefers the installed tool; tests that need ./tarn cannot run beside it.
#define SKIP_IF_TOOL_INSTALLED()                                                                   \
    do {                                                                                           \
        if (QFileInfo::exists("/opt/varda/tarn-utility/tarn"))                                     \
            QSKIP("/opt/varda/tarn-utility/tarn exists and would be used instead of ./tarn");      \
    } while (0)

// A fresh temporary folder made the working folder for the object's life.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    QString path() const { return dir.path(); }
    QString file(const QString& name) const { return dir.filePath(name); }
    bool exists(const QString& name) const;

private:
    QTemporaryDir dir;
    QString previous;
};

// A shell script installed as ./tarn that records every command line it is given (one line per
// run, every argument in brackets) and prints the reply chosen for the kind of run.
class StandInTool {
public:
    enum class Run { List, Usage, Status, Options, Function };

    explicit StandInTool(const ScratchDir& where);

    void setReply(Run run, const QString& text);
    void setReplyForAll(const QString& text);
    // Shell code run at the start of every run, before the reply.
    void setHook(const QString& shell);
    QStringList calls() const;
    void clearCalls();
    QString dir() const { return base; }

private:
    QString base;
};

// Scripts tool as one RV-C9000A cutter on queue Q1: it answers every page's read, lists both
// maintenance functions and reports the given status and statusGroup values.
void scriptWholePrinter(StandInTool& tool, const QString& status, const QString& statusGroup);

// The arguments a command line gives its program, in the form StandInTool records them:
// "-p Q -o a" -> "[-p][Q][-o][a]". Words are split at spaces.
QString bracketed(const QString& words);

// Redirects standard output (1) or standard error (2) into a file until text() is called.
class StreamCapture {
public:
    explicit StreamCapture(int fd);
    ~StreamCapture();
    QString text(); // stops the capture
private:
    int fd;
    int saved = -1;
    QTemporaryDir dir;
    QString path;
};

// The slots that signals invoke directly (not the calls they make in turn), as
// "receiverObjectName::signature".
class SlotRecorder {
public:
    SlotRecorder();
    ~SlotRecorder();
    QStringList invoked() const;
    void clear();
};

// Answers the next message box: records its title, text, icon and buttons, then clicks its
// button. Polls the application for the box until it appears.
class MessageBoxCloser {
public:
    MessageBoxCloser();
    ~MessageBoxCloser();
    bool seen() const { return found; }
    QString title, text;
    int icon = -1;
    int buttonCount = -1;
    bool hasDefaultButton = false;
    bool okButton = false;
    bool parentIsMainFrame = false;
    bool windowVisible = false; // whether a main window was on screen when the box came

private:
    class QTimer* timer;
    bool found = false;
};

// The window's shared members, for the tests.
class MainFrameTestAccess {
public:
    static Page* returnPage(MainFrame& w) { return w.returnPage; }
    static int lastStatusGroup(MainFrame& w) { return w.lastStatusGroup; }
    static void setLastStatusGroup(MainFrame& w, int group) { w.lastStatusGroup = group; }
    static const std::string& queueName(MainFrame& w) { return w.queueName; }
    static const std::string& deviceOption(MainFrame& w) { return w.deviceOption; }
    static QMovie* cleaningAnimation(MainFrame& w) { return w.cleaningAnimation; }
    static bool mngSupported(MainFrame& w) { return w.compatibility.mngSupported; }
    static ImageSwitcher& statusImages(MainFrame& w) { return w.statusImageSwitcher; }
    static ImageSwitcher& formImages(MainFrame& w) { return w.formDetectionImageSwitcher; }
    static QLabel* inkGaugeLabel(MainFrame& w, int i) { return w.inkGaugeLabels[i]; }
    static Command& command(MainFrame& w) { return w.command; }
    static void showStatus(MainFrame& w, StatusDetail detail, const std::vector<int>& inks) {
        w.updatePrinterStatusWidgets(detail, inks);
    }
    static bool guardedStep(MainFrame& w, const std::function<bool()>& operation) {
        return w.guardedStep(operation);
    }
};

// The page on display and every page of the window, by object name.
QWidget* pageOnDisplay(MainFrame& window);
QWidget* page(MainFrame& window, const QString& name);
QStringList visiblePages(MainFrame& window);
