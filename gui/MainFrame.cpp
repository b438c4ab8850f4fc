// SPDX-License-Identifier: Apache-2.0
#include "MainFrame.h"

#include "DecimalInput.h"
#include "ModelFamily.h"
#include "PageKeys.h"
#include "StatusCatalogue.h"
#include "TextFit.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMessageBox>
#include <QMovie>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

namespace {

struct Connection {
    QObject* sender;
    const char* signal;
    QObject* receiver;
    const char* slot;
};

} // namespace

static void initEmbeddedPictures() {
    Q_INIT_RESOURCE(images);
}

MainFrame::MainFrame() : QWidget(nullptr) {
    initEmbeddedPictures();
    qApp->installEventFilter(new PageKeyFilter(this));
    pagekeys::markFocus(this);
    prepareIncetances();
    connectWidgets1();
    checkCapability();
    showStartup();
    connectWidgets2();
}

MainFrame::~MainFrame() = default;

void MainFrame::prepareIncetances() {
    setObjectName("MainFrame");
    setWindowTitle("Tarn Utility");
    setWindowIcon(QIcon("://images/AppIcon.png"));

    const auto place = [this](Page& page, auto& form) {
        page.setParent(this);
        form.setupUi(&page);
    };
    place(pageStartup, uiStartup);
    place(pageSTM, uiSTM);

    QWidget* const gauges[] = {uiSTM.barInkK, uiSTM.barInkC, uiSTM.barInkM, uiSTM.barInkY,
                               uiSTM.barInkMN};
    for (int i = 0; i < 10; ++i) {
        inkGaugeLabels[i] = new QLabel(gauges[i % 5]);
    }

    place(pageNozzleCheck1, uiNozzleCheck1);
    place(pageNozzleCheck2, uiNozzleCheck2);
    place(pageHeadCleaning1, uiHeadCleaning1);
    place(pageHeadCleaning2, uiHeadCleaning2);
    place(pageHeadCleaning3, uiHeadCleaning3);
    place(pagePowerInkFlushing1, uiPowerInkFlushing1);
    place(pagePowerInkFlushing2, uiPowerInkFlushing2);
    place(pagePowerInkFlushing3, uiPowerInkFlushing3);
    place(pageBidAdjust1, uiBidAdjust1);
    place(pageBidAdjust2, uiBidAdjust2);
    place(pageBidAdjust3, uiBidAdjust3);
    place(pagePfAdjust1, uiPfAdjust1);
    place(pagePfAdjust2, uiPfAdjust2);
    place(pagePfAdjust3, uiPfAdjust3);
    place(pagePfAdjust4, uiPfAdjust4);
    place(pagePfAdjust5, uiPfAdjust5);
    place(pagePaperSetting1, uiPaperSetting1);
    place(pagePaperSetting2, uiPaperSetting2);
    place(pagePaperSetting3, uiPaperSetting3);
    place(pageGeometrySetting1A, uiGeometrySetting1A);
    place(pageGeometrySetting1P, uiGeometrySetting1P);
    place(pageGeometrySetting2, uiGeometrySetting2);
    place(pageAfterPrinting1, uiAfterPrinting1);
    place(pageAfterPrinting2, uiAfterPrinting2);
    place(pagePrinterSetting1, uiPrinterSetting1);
    place(pagePrinterSetting2, uiPrinterSetting2);
}

void MainFrame::connectWidgets1() {
    const char* const clicked = SIGNAL(clicked());
    const char* const show = SLOT(show());
    // The page graph: every button and the page or slot it leads to.
    const Connection graph[] = {
        {uiStartup.btnUpdatePrinterStatus, clicked, this, SLOT(updatePrinterStatus())},
        {uiStartup.btnPrinterWindow, clicked, this, SLOT(entry_pageSTM())},
        {uiStartup.btnNozzleCheck, clicked, &pageNozzleCheck1, show},
        {uiStartup.btnHeadCleaning, clicked, &pageHeadCleaning1, show},
        {uiStartup.btnPowerInkFlushing, clicked, this, SLOT(entry_pagePowerInkFlushing1())},
        {uiStartup.btnBidAdjust, clicked, &pageBidAdjust1, show},
        {uiStartup.btnPfAdjust, clicked, &pagePfAdjust1, show},
        {uiStartup.btnPaperSetting, clicked, this, SLOT(entry_pagePaperSetting1())},
        {uiStartup.btnGeometrySetting, clicked, this, SLOT(entry_geometrySetting1())},
        {uiStartup.btnAfterPrinting, clicked, this, SLOT(entry_pageAfterPrinting1())},
        {uiStartup.btnPrinterSetting, clicked, this, SLOT(entry_pagePrinterSetting1())},
        {uiSTM.btnBack, clicked, this, SLOT(leave_pageSTM())},
        {uiSTM.btnUpdatePrinterStatus, clicked, this, SLOT(updatePrinterStatus())},
        {uiNozzleCheck1.btnCancel, clicked, &pageStartup, show},
        {uiNozzleCheck1.btnPrint, clicked, this, SLOT(entry_pageNozzleCheck2())},
        {uiNozzleCheck2.btnHeadCleaning, clicked, &pageHeadCleaning1, show},
        {uiNozzleCheck2.btnFinish, clicked, &pageStartup, show},
        {uiHeadCleaning1.btnCancel, clicked, &pageStartup, show},
        {uiHeadCleaning1.btnStart, clicked, this, SLOT(entry_pageHeadCleaning2())},
        {uiHeadCleaning2.btnCancel, clicked, &pageStartup, show},
        {uiHeadCleaning2.btnNext, clicked, &pageHeadCleaning3, show},
        {uiHeadCleaning3.btnNozzleCheck, clicked, &pageNozzleCheck1, show},
        {uiHeadCleaning3.btnFinish, clicked, &pageStartup, show},
        {uiPowerInkFlushing1.btnCancel, clicked, &pageStartup, show},
        {uiPowerInkFlushing1.btnStart, clicked, this, SLOT(entry_pagePowerInkFlushing2())},
        {uiPowerInkFlushing2.btnCancel, clicked, &pageStartup, show},
        {uiPowerInkFlushing2.btnNext, clicked, &pagePowerInkFlushing3, show},
        {uiPowerInkFlushing3.btnNozzleCheck, clicked, &pageNozzleCheck1, show},
        {uiPowerInkFlushing3.btnFinish, clicked, &pageStartup, show},
        {uiBidAdjust1.btnCancel, clicked, &pageStartup, show},
        {uiBidAdjust1.btnPrint, clicked, &pageBidAdjust2, show},
        {uiBidAdjust2.btnCancel, clicked, &pageStartup, show},
        {uiBidAdjust2.btnSend, clicked, &pageBidAdjust3, show},
        {uiBidAdjust3.btnFinish, clicked, &pageStartup, show},
        {uiPfAdjust1.btnCancel, clicked, &pageStartup, show},
        {uiPfAdjust1.btnPrint, clicked, &pagePfAdjust2, show},
        {uiPfAdjust2.btnCancel, clicked, &pageStartup, show},
        {uiPfAdjust2.btnSend, clicked, &pagePfAdjust3, show},
        {uiPfAdjust3.btnCancel, clicked, &pageStartup, show},
        {uiPfAdjust3.btnPrint, clicked, &pagePfAdjust4, show},
        {uiPfAdjust4.btnCancel, clicked, &pageStartup, show},
        {uiPfAdjust4.btnSend, clicked, &pagePfAdjust5, show},
        {uiPfAdjust5.btnFinish, clicked, &pageStartup, show},
        {uiPaperSetting1.btnCancel, clicked, &pageStartup, show},
        {uiPaperSetting1.btnSend, clicked, this, SLOT(switch_entry_pagePaperSetting())},
        {uiPaperSetting2.btnFinish, clicked, &pageStartup, show},
        {uiPaperSetting3.btnCancel, clicked, &pagePaperSetting1, show},
        {uiPaperSetting3.btnSend, clicked, this, SLOT(entry_pagePaperSetting2())},
        {uiGeometrySetting1A.btnCancel, clicked, &pageStartup, show},
        {uiGeometrySetting1A.btnSend, clicked, this, SLOT(entry_geometrySetting2())},
        {uiGeometrySetting1P.btnCancel, clicked, &pageStartup, show},
        {uiGeometrySetting1P.btnSend, clicked, this, SLOT(entry_geometrySetting2())},
        {uiGeometrySetting2.btnFinish, clicked, &pageStartup, show},
        {uiAfterPrinting1.btnCancel, clicked, &pageStartup, show},
        {uiAfterPrinting1.btnSend, clicked, this, SLOT(entry_pageAfterPrinting2())},
        {uiAfterPrinting2.btnFinish, clicked, &pageStartup, show},
        {uiPrinterSetting1.btnCancel, clicked, &pageStartup, show},
        {uiPrinterSetting1.btnSend, clicked, this, SLOT(entry_pagePrinterSetting2())},
        {uiPrinterSetting2.btnFinish, clicked, &pageStartup, show},
        {uiStartup.selectPrintQueue, SIGNAL(currentIndexChanged(int)), this,
         SLOT(updatePrinterOption())},
        // The picture changes before the ranges are adapted to the new form.
        {uiPaperSetting1.selectFormDetectionType, SIGNAL(activated(int)),
         &formDetectionImageSwitcher, SLOT(switchImage(int))},
        {uiPaperSetting1.selectFormDetectionType, SIGNAL(activated(int)), this,
         SLOT(switchFormGapRange())},
    };
    for (const Connection& connection : graph) {
        connect(connection.sender, connection.signal, connection.receiver, connection.slot);
    }

    // The adjustment-sheet wizards are built and wired but cannot be entered.
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{uiStartup.btnBidAdjust, uiStartup.labelBidAdjust,
                                         uiStartup.btnPfAdjust, uiStartup.labelPfAdjust}) {
        hidden->hide();
    }

    cleaningAnimation = new QMovie(compatibility.mngSupported ? "://images/CleaningProgress.mng"
                                                              : "://images/CleaningProgress.gif",
                                   QByteArray(), this);
    cleaningAnimation->start();
    for (QLabel* label :
         {uiHeadCleaning2.labelCleaningProgress, uiPowerInkFlushing2.labelCleaningProgress}) {
        label->setAttribute(Qt::WA_NoSystemBackground);
        label->setMovie(cleaningAnimation);
    }

    statusImageSwitcher.bindLabel(uiStartup.iconSelectedPrinter);
    statusImageSwitcher.bindLabel(uiSTM.iconSelectedPrinter);
    for (const char* picture : defaultStatusPictures()) {
        statusImageSwitcher.addItem(picture);
    }
    formDetectionImageSwitcher.bindLabel(uiPaperSetting1.labelFormDetectionTypeImage);

    for (QDoubleSpinBox* box : findChildren<QDoubleSpinBox*>()) {
        acceptEitherDecimalSeparator(box);
    }

    // The status texts show whole, in every language and text size; their page makes room.
    const auto roomOn = [this](Page& page) {
        return [this, &page] {
            if (page.isVisible() && page.parentWidget() == this) {
                page.fitWindow();
            }
        };
    };
    titleFit =
        new TextFit(uiSTM.textPrinterStatusAbstract, uiSTM.textPrinterStatusAbstract->document(),
                    40, TextHeight::Exactly, roomOn(pageSTM));
    adviceFit =
        new TextFit(uiSTM.textPrinterStatusDetail, uiSTM.textPrinterStatusDetail->document(), 80,
                    TextHeight::AtLeast, roomOn(pageSTM));
    // The instructions of the wizards and settings pages likewise.
    for (Page* page : findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (QTextEdit* instruction = page->findChild<QTextEdit*>("textInstruction")) {
            new TextFit(instruction, instruction->document(), instruction->minimumHeight(),
                        TextHeight::AtLeast, roomOn(*page));
        }
    }
    summaryFit = new TextFit(uiStartup.textPrinterStatusAbstract,
                             uiStartup.textPrinterStatusAbstract->document(), 80,
                             TextHeight::Exactly, roomOn(pageStartup));
}

void MainFrame::checkCapability() {
    bool nozzleCheck = false;
    bool cleaning = false;
    command.enumCapability([&](const std::string& item) {
        if (item.rfind("printNozzleCheck", 0) == 0) {
            nozzleCheck = true;
        }
        if (item.rfind("startCleaningHead", 0) == 0) {
            cleaning = true;
        }
        return 0;
    });
    uiStartup.btnNozzleCheck->setEnabled(nozzleCheck);
    uiStartup.btnHeadCleaning->setEnabled(cleaning);
    uiStartup.btnPowerInkFlushing->setEnabled(cleaning);
}

void MainFrame::showStartup() {
    QComboBox* const queues = uiStartup.selectPrintQueue;
    for (const std::string& name : supportedQueues()) {
        queues->addItem(QString::fromStdString(name));
    }

    if (queues->count() > 0) {
        updatePrinterStatusWidgets(Status_Unsettled);
    } else {
        enableStartupFunctions(false);
        // Built by hand: the static helper would make OK the default button.
        QMessageBox box(QMessageBox::Warning, tr("Tarn Utility cannot be launched."),
                        noPrinterAdvice(), QMessageBox::Ok, this);
        box.exec();
    }

    measurementSystem = QLocale::system().measurementSystem();
    applyStartupRanges();
    updatePrinterOption();
    updatePrinterStatusWidgets(Status_Unsettled);
    if (queues->count() == 0) {
        showNoPrinter();
    }
    // One size for all pages, so the window does not jump from page to page.
    resize(sizeForEveryPage());
    reserveRoomForStatusTexts();
    resize(sizeForEveryPage());
    pageStartup.show();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
}

std::vector<std::string> MainFrame::supportedQueues() {
    std::vector<std::string> names;
    command.enumQueue([&names](const std::string& name) {
        names.push_back(name);
        return 0;
    });
    return names;
}

void MainFrame::enableStartupFunctions(bool enabled) {
    for (QWidget* widget : std::initializer_list<QWidget*>{
             uiStartup.selectPrintQueue, uiStartup.iconSelectedPrinter, uiStartup.btnPrinterWindow,
             uiStartup.btnNozzleCheck, uiStartup.btnHeadCleaning, uiStartup.btnPowerInkFlushing,
             uiStartup.btnBidAdjust, uiStartup.btnPfAdjust, uiStartup.btnPaperSetting,
             uiStartup.btnGeometrySetting, uiStartup.btnAfterPrinting, uiStartup.btnPrinterSetting,
             uiStartup.labelBidAdjust, uiStartup.labelPfAdjust}) {
        widget->setEnabled(enabled);
    }
    // Update stays, so that the queues can be listed again once a printer is set up.
    uiStartup.btnUpdatePrinterStatus->setEnabled(true);
    if (enabled) {
        checkCapability();
    }
}

QString MainFrame::noPrinterAdvice() {
    return tr("No supported printer queue was found, or the printing system (CUPS) could not be "
              "reached.\n\nCheck that CUPS is running and that the printer is turned on, "
              "connected and set up as a print queue with its driver. Then click Update.");
}

void MainFrame::showNoPrinter() {
    const QString title = tr("No supported printer found");
    uiStartup.textPrinterStatusAbstract->setPlainText(title);
    uiSTM.textPrinterStatusAbstract->setHtml(
        QStringLiteral("<b>%1</b>").arg(title.toHtmlEscaped()));
    uiSTM.textPrinterStatusDetail->setPlainText(noPrinterAdvice());
}

bool MainFrame::listQueuesAgain() {
    const std::vector<std::string> names = supportedQueues();
    if (names.empty()) {
        showNoPrinter();
        return false;
    }
    enableStartupFunctions(true);
    // The first item selects itself, which reads the new printer's options and state.
    for (const std::string& name : names) {
        uiStartup.selectPrintQueue->addItem(QString::fromStdString(name));
    }
    return true;
}

QSize MainFrame::sizeForEveryPage() const {
    QSize wanted, least;
    for (const Page* page : findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly)) {
        wanted = wanted.expandedTo(page->sizeHint());
        least = least.expandedTo(page->minimumSizeHint()).expandedTo(page->minimumSize());
    }
    // Within the screen, but never so small that a page is cut.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    }
    return wanted.expandedTo(least);
}

void MainFrame::reserveRoomForStatusTexts() {
    // Lay the two pages out at the window's size, so the boxes have their widths.
    for (Page* page : {&pageSTM, &pageStartup}) {
        page->resize(size());
        if (QLayout* layout = page->layout()) {
            layout->activate();
        }
    }
    const QString allInks = composeTargetInkList({'K', 'C', 'M', 'Y'});
    const QString boxName = QString::fromStdString(inkNameMN);
    int title = 0, advice = 0, summary = 0;
    QTextDocument text;
    for (int family = 0; family < 4; ++family) {
        for (const CatalogueRow& row : statusCatalogue()) {
            StatusTexts texts;
            if (!statusTextsFor(row.detail, family, allInks, boxName, texts)) {
                continue;
            }
            text.setHtml(QStringLiteral("<b>%1</b>").arg(texts.title.toHtmlEscaped()));
            title = std::max(title, titleFit->heightFor(text));
            text.setPlainText(texts.title);
            summary = std::max(summary, summaryFit->heightFor(text));
            text.setPlainText(texts.advice);
            advice = std::max(advice, adviceFit->heightFor(text));
        }
    }
    titleFit->reserve(title);
    adviceFit->reserve(advice);
    summaryFit->reserve(summary);
    // The pages are hidden, so their layouts learn of the new heights only when asked.
    for (Page* page : {&pageSTM, &pageStartup}) {
        if (QLayout* layout = page->layout()) {
            layout->invalidate();
            layout->activate();
        }
    }
}

void MainFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (Page* page : findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly)) {
        page->resize(size());
    }
}

void MainFrame::connectWidgets2() {
    connect(uiStartup.selectPrintQueue, SIGNAL(currentIndexChanged(int)), this,
            SLOT(updatePrinterStatus()));
    QTimer::singleShot(100, this, SLOT(updatePrinterStatus()));

    statusRefresh.setInterval(kStatusRefreshIntervalMs);
    connect(&statusRefresh, SIGNAL(timeout()), this, SLOT(refreshStatusPage()));
    pageSTM.installEventFilter(this);
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &pageSTM) {
        if (event->type() == QEvent::Show) {
            statusRefresh.start();
        } else if (event->type() == QEvent::Hide) {
            statusRefresh.stop();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool MainFrame::printerReady() {
    updatePrinterStatus();
    if (lastStatusGroup != Warning && lastStatusGroup != Others) {
        entry_pageSTM();
        return false;
    }
    return true;
}

void MainFrame::showCommunicationError() {
    updatePrinterStatusWidgets(Status_CommError);
    lastStatusGroup = BeforeComm;
    lastStatusDetail = Status_CommError;
    entry_pageSTM();
}

bool MainFrame::guardedStep(const std::function<bool()>& operation) {
    if (!printerReady()) {
        return false;
    }
    if (!operation()) {
        showStepFailure();
        return false;
    }
    return true;
}

void MainFrame::showStepFailure() {
    if (command.settingsNotTaken().empty()) {
        showCommunicationError();
    } else {
        showSettingsNotTaken();
    }
}

void MainFrame::showSettingsNotTaken() {
    // The caption of each setting on the edit pages, by the key the tool reads back.
    struct Caption {
        const char* key;
        const char* label;
    };
    static const Caption captions[] = {
        {"paperSource", "labelPaperSource"},
        {"paperShape", "labelPaperSource"},
        {"paperForm", "labelFormDetectionType"},
        {"formDetectionType", "labelFormDetectionType"},
        {"formGap", "labelFormGap"},
        {"sideMargin", "labelSideMargin"},
        {"rightMargin", "labelRightMargin"},
        {"edgeHole", "labelEdgetoHoleLength"},
        {"printPositionH", "labelPrintPositionH"},
        {"printPositionV", "labelPrintPositionV"},
        {"cutPosition", "labelCutPosition"},
        {"peelPositionA", "labelPeelPositionA"},
        {"peelPositionB", "labelPeelPositionB"},
        {"head_mediaClearanceHeight", "HeadMediaClearanceHeight"},
        {"incomplete_labelTreatment", "IncompleteLabelTreatment"},
    };
    // The warning before a narrow gap stands in front of the media page it came from.
    QWidget* shown = Page::onDisplay(this);
    QWidget* editPage = shown == &pagePaperSetting3 ? &pagePaperSetting1 : shown;
    QStringList names;
    for (const std::string& key : command.settingsNotTaken()) {
        QString name = QString::fromStdString(key);
        for (const Caption& caption : captions) {
            const QLabel* label = editPage && key == caption.key
                                      ? editPage->findChild<QLabel*>(caption.label)
                                      : nullptr;
            if (label) {
                name = label->text().trimmed().remove(QRegularExpression(":$")).trimmed();
            }
        }
        if (!names.contains(name)) {
            names << name;
        }
    }
    if (shown == &pagePaperSetting3) {
        pagePaperSetting1.show();
    }

    if (!notTakenMessage) {
        notTakenMessage = new QMessageBox(QMessageBox::Warning, tr("Settings not applied"),
                                          QString(), QMessageBox::Ok, this);
        notTakenMessage->setObjectName("SettingsNotTaken");
    }
    notTakenMessage->setText(tr("The printer did not confirm these settings:") + "\n\n- " +
                             names.join("\n- ") + "\n\n" +
                             tr("Check the printer and the values, then apply again."));
    // Not modal to the whole program: the window keeps painting and a test can read it.
    notTakenMessage->open();
}
