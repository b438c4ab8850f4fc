// SPDX-License-Identifier: Apache-2.0
#include "GuiTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMetaMethod>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

// The toolkit's hook for observing slot invocations (the one its test library uses to trace
// signals); declared here because it lives in a private header.
struct QSignalSpyCallbackSet {
    typedef void (*BeginCallback)(QObject* caller, int signal_or_method_index, void** argv);
    typedef void (*EndCallback)(QObject* caller, int signal_or_method_index);
    BeginCallback signal_begin_callback, slot_begin_callback;
    EndCallback signal_end_callback, slot_end_callback;
};
void qt_register_signal_spy_callbacks(QSignalSpyCallbackSet* callback_set);

namespace {

struct Recording {
    QStringList invoked;
    int depth = 0;
};
Recording recording;

bool watched(QObject* receiver) {
    return receiver->inherits("MainFrame") || receiver->inherits("Page") ||
           receiver->inherits("ImageSwitcher");
}

// Only the outermost slot of the window's own objects counts: the toolkit's internal slots
// (a combo box announcing its new item, say) are passed through.
void slotBegin(QObject* receiver, int index, void**) {
    if (!watched(receiver) || recording.depth++ != 0)
        return;
    const QMetaMethod method = receiver->metaObject()->method(index);
    const QString name = receiver->objectName().isEmpty()
                             ? QString::fromLatin1(receiver->metaObject()->className())
                             : receiver->objectName();
    recording.invoked << name + "::" + QString::fromLatin1(method.methodSignature());
}

void slotEnd(QObject* receiver, int) {
    if (watched(receiver))
        --recording.depth;
}

QSignalSpyCallbackSet recorderCallbacks = {nullptr, slotBegin, nullptr, slotEnd};
QSignalSpyCallbackSet noCallbacks = {nullptr, nullptr, nullptr, nullptr};

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(text.toUtf8());
    return true;
}

const char* replyName(StandInTool::Run run) {
    switch (run) {
    case StandInTool::Run::List:
        return "reply-list";
    case StandInTool::Run::Usage:
        return "reply-usage";
    case StandInTool::Run::Status:
        return "reply-status";
    case StandInTool::Run::Options:
        return "reply-options";
    case StandInTool::Run::Function:
        return "reply-function";
    }
    return "reply-none";
}

} // namespace

ScratchDir::ScratchDir() : previous(QDir::currentPath()) {
    QDir::setCurrent(dir.path());
}

ScratchDir::~ScratchDir() {
    QDir::setCurrent(previous);
}

bool ScratchDir::exists(const QString& name) const {
    return QFileInfo::exists(file(name));
}

StandInTool::StandInTool(const ScratchDir& where) : base(where.file("stand-in")) {
    QDir().mkpath(base);
    // The case order matters: a status read also carries -p, a listing carries nothing else.
    const QString script = QString(R"(#!/bin/sh
d='%1'
{ for a in "$@"; do printf '[%s]' "$a"; done; printf '\n'; } >> "$d/calls"
[ -f "$d/hook" ] && . "$d/hook"
case " $* " in
  *" -l "*) f=reply-list ;;
  *" -f "*) f=reply-function ;;
  *" -o status "*) f=reply-status ;;
  *" -p "*) f=reply-options ;;
  *) f=reply-usage ;;
esac
[ -f "$d/$f" ] && cat "$d/$f"
exit 0
)")
                               .arg(base);
    const QString tool = where.file("tarn");
    writeFile(tool, script);
    QFile::setPermissions(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ExeGroup);
}

void StandInTool::setReply(Run run, const QString& text) {
    writeFile(base + "/" + replyName(run), text);
}

void StandInTool::setReplyForAll(const QString& text) {
    for (Run run : {Run::List, Run::Usage, Run::Status, Run::Options, Run::Function})
        setReply(run, text);
}

void StandInTool::setHook(const QString& shell) {
    writeFile(base + "/hook", shell);
}

QStringList StandInTool::calls() const {
    QFile file(base + "/calls");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void StandInTool::clearCalls() {
    QFile::remove(base + "/calls");
}

void scriptWholePrinter(StandInTool& tool, const QString& status, const QString& statusGroup) {
    const char* const settings = "destination: Q1\n"
                                 "deviceOption: CUTTER\n"
                                 "deviceID: MFG:VARDA;MDL:RV-C9000A;CMD:VLCL;CLS:PRINTER;\n"
                                 "inkNameK: IC-90BK\n"
                                 "inkNameC: IC-90C\n"
                                 "inkNameM: IC-90M\n"
                                 "inkNameY: IC-90Y\n"
                                 "inkNameMN: MB-90\n"
                                 "inkCartridgeLayout: KCMY\n"
                                 "paperSource: IR\n"
                                 "paperShape: R\n"
                                 "paperForm: DL\n"
                                 "formDetectionType: W\n"
                                 "formGap: 72\n"
                                 "sideMargin: 24\n"
                                 "rightMargin: 24\n"
                                 "edgeHole: 0\n"
                                 "printPositionH: 0\n"
                                 "printPositionV: 0\n"
                                 "cutPosition: 0\n"
                                 "peelPositionA: 0\n"
                                 "peelPositionB: 300\n"
                                 "head_mediaClearanceHeight: 2\n"
                                 "incomplete_labelTreatment: Y\n";
    tool.setReply(StandInTool::Run::List, "destination: Q1\n");
    tool.setReply(StandInTool::Run::Usage,
                  "        - printNozzleCheck\n        - startCleaningHead\n");
    tool.setReply(StandInTool::Run::Status, "destination: Q1\nstatus: " + status +
                                                "\nstatusGroup: " + statusGroup +
                                                "\ninksOfErrorReason: \n"
                                                "inkK: 0 21064\n"
                                                "inkC: 0 21069\n"
                                                "inkM: 21070 21070\n"
                                                "inkY: 0 21068\n"
                                                "inkMN: 0 21069\n");
    tool.setReply(StandInTool::Run::Options, settings);
    tool.setReply(StandInTool::Run::Function, "destination: Q1\n");
}

QString bracketed(const QString& words) {
    QString result;
    for (const QString& word : words.split(' ', Qt::SkipEmptyParts))
        result += "[" + word + "]";
    return result;
}

StreamCapture::StreamCapture(int fd) : fd(fd), path(dir.filePath("stream")) {
    std::fflush(stdout);
    std::fflush(stderr);
    saved = dup(fd);
    const int target = open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(target, fd);
    close(target);
}

StreamCapture::~StreamCapture() {
    text();
}

QString StreamCapture::text() {
    if (saved >= 0) {
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(saved, fd);
        close(saved);
        saved = -1;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll());
}

SlotRecorder::SlotRecorder() {
    recording = Recording();
    qt_register_signal_spy_callbacks(&recorderCallbacks);
}

SlotRecorder::~SlotRecorder() {
    qt_register_signal_spy_callbacks(&noCallbacks);
}

QStringList SlotRecorder::invoked() const {
    return recording.invoked;
}

void SlotRecorder::clear() {
    recording.invoked.clear();
}

MessageBoxCloser::MessageBoxCloser() : timer(new QTimer) {
    QObject::connect(timer, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* candidate = qobject_cast<QMessageBox*>(widget);
                    candidate && candidate->isVisible())
                    box = candidate;
            }
        }
        if (!box || found)
            return;
        found = true;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttonCount = box->buttons().size();
        hasDefaultButton = box->defaultButton() != nullptr;
        okButton = box->button(QMessageBox::Ok) != nullptr;
        parentIsMainFrame = box->parentWidget() && box->parentWidget()->inherits("MainFrame");
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->inherits("MainFrame") && widget->isVisible())
                windowVisible = true;
        }
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });
    timer->start(20);
}

MessageBoxCloser::~MessageBoxCloser() {
    delete timer;
}

QWidget* pageOnDisplay(MainFrame& window) {
    return Page::onDisplay(&window);
}

QWidget* page(MainFrame& window, const QString& name) {
    for (Page* candidate : window.findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (candidate->objectName() == name)
            return candidate;
    }
    return nullptr;
}

QStringList visiblePages(MainFrame& window) {
    QStringList names;
    for (Page* candidate : window.findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!candidate->isHidden())
            names << candidate->objectName();
    }
    return names;
}
