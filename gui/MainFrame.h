// SPDX-License-Identifier: Apache-2.0
// The single window of tarnqt: owns the tool bridge, the 28 pages and the printer state they share.
#pragma once

#include "Command.h"
#include "CompatiblityCheck.h"
#include "ImageSwitcher.h"
#include "Page.h"
#include "StatusTypes.h"

#include "ui_AfterPrinting1.h"
#include "ui_AfterPrinting2.h"
#include "ui_BidAdjust1.h"
#include "ui_BidAdjust2.h"
#include "ui_BidAdjust3.h"
#include "ui_GeometrySetting1A.h"
#include "ui_GeometrySetting1P.h"
#include "ui_GeometrySetting2.h"
#include "ui_HeadCleaning1.h"
#include "ui_HeadCleaning2.h"
#include "ui_HeadCleaning3.h"
#include "ui_NozzleCheck1.h"
#include "ui_NozzleCheck2.h"
#include "ui_PaperSetting1.h"
#include "ui_PaperSetting2.h"
#include "ui_PaperSetting3.h"
#include "ui_PfAdjust1.h"
#include "ui_PfAdjust2.h"
#include "ui_PfAdjust3.h"
#include "ui_PfAdjust4.h"
#include "ui_PfAdjust5.h"
#include "ui_PowerInkFlushing1.h"
#include "ui_PowerInkFlushing2.h"
#include "ui_PowerInkFlushing3.h"
#include "ui_PrinterSetting1.h"
#include "ui_PrinterSetting2.h"
#include "ui_STM.h"
#include "ui_Startup.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QMessageBox;
class QMovie;
class QTimer;
class TextFit;
struct DotRange;

class MainFrame : public QWidget {
    Q_OBJECT
public:
    // While the status page is on display, the printer state is read again at this interval.
    static constexpr int kStatusRefreshIntervalMs = 4000;

    MainFrame();
    ~MainFrame() override;

protected:
    virtual void prepareIncetances();
    virtual void connectWidgets1();
    virtual void checkCapability();
    virtual void setNumericRange(QDoubleSpinBox* box, QLabel* unitLabel, QLabel* rangeLabel,
                                 int minDot, int maxDot, int precision);
    virtual void showStartup();
    virtual void connectWidgets2();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The page on display follows the window's size.
    void resizeEvent(QResizeEvent* event) override;

private slots:
    bool updatePrinterOption();
    QString composeTargetInkList(const std::vector<int>& inksOfErrorReason);
    bool updatePrinterStatus();
    bool updatePrinterStatusWidgets(
        StatusDetail status, const std::vector<int>& inksOfErrorReason = {},
        InkStatus inkStatusK = InkStatus_Unknown, InkAmount inkAmountK = InkAmount_Unknown,
        InkStatus inkStatusC = InkStatus_Unknown, InkAmount inkAmountC = InkAmount_Unknown,
        InkStatus inkStatusM = InkStatus_Unknown, InkAmount inkAmountM = InkAmount_Unknown,
        InkStatus inkStatusY = InkStatus_Unknown, InkAmount inkAmountY = InkAmount_Unknown,
        InkStatus inkStatusMN = InkStatus_Unknown, InkAmount inkAmountMN = InkAmount_Unknown);
    bool entry_pageSTM();
    bool leave_pageSTM();
    bool entry_pageNozzleCheck2();
    bool entry_pageHeadCleaning2();
    bool entry_pagePowerInkFlushing1();
    bool entry_pagePowerInkFlushing2();
    bool entry_pagePaperSetting1();
    bool switchFormGapRange();
    bool switch_entry_pagePaperSetting();
    bool entry_pagePaperSetting2();
    double Dot2Len(int dot);
    int Len2Dot(double len);
    bool entry_geometrySetting1();
    bool entry_geometrySetting2();
    bool entry_pageAfterPrinting1();
    bool entry_pageAfterPrinting2();
    bool entry_pagePrinterSetting1();
    bool entry_pagePrinterSetting2();
    // While a cleaning's progress page is on display: one status read, and the end of the wait
    // once the printer has left the cleaning state.
    void watchCleaning();
    void stopWatchingCleaning();
    // The periodic read of the status page; skipped while the page is not in view or another
    // tool run is under way.
    void refreshStatusPage();

private:
    // The start-up ranges of the position, media and after-printing fields, before the first
    // printer is configured.
    void applyStartupRanges();
    // The size that every page wants, within the screen's available area: the window's size.
    QSize sizeForEveryPage() const;
    // Gives the status texts the room that the longest of them needs, so that the window's size
    // already holds every text of the catalogue.
    void reserveRoomForStatusTexts();
    // Gives each listed length field its range through setNumericRange, in list order.
    void applyRanges(const std::vector<DotRange>& ranges);

    // The guarded step of every page that talks to the printer. printerReady refreshes the
    // status and, unless the group is Warning or Others, shows the status monitor and returns
    // false. showCommunicationError is the fall-back after a failed tool run. guardedStep
    // combines both around one printer operation: true when the operation ran and succeeded,
    // so the caller then fills or shows its next page.
    // The queues the tool lists as supported printers, in its order.
    std::vector<std::string> supportedQueues();
    // The start page's functions, all but Update, which stays for listing the queues again.
    void enableStartupFunctions(bool enabled);
    // What is wrong and what to do when no supported queue is listed, on the start page and
    // the status page.
    QString noPrinterAdvice();
    void showNoPrinter();
    // With no queue listed, Update asks for the queues again; true when some are listed now.
    bool listQueuesAgain();

    bool printerReady();
    void showCommunicationError();
    // After a write that read back other values than it sent: the edit page stays, and a
    // message names the settings the printer did not take by their captions on that page.
    void showSettingsNotTaken();
    // The failure of a step's printer operation: one of the two above.
    void showStepFailure();
    bool guardedStep(const std::function<bool()>& operation);
    // The guarded step of a maintenance function: refused, with the status monitor, also while
    // the printer is cleaning or charging ink, so that nothing starts in the middle of it.
    bool maintenanceStep(const std::function<bool()>& operation);
    // Shows a cleaning's progress page and watches the printer until the cleaning has ended;
    // until then the page's Next stays disabled.
    void startWatchingCleaning(Page& progressPage);

    Command command;
    CompatiblityCheck compatibility;

    Ui_Startup uiStartup;
    Ui_STM uiSTM;
    Ui_NozzleCheck1 uiNozzleCheck1;
    Ui_NozzleCheck2 uiNozzleCheck2;
    Ui_HeadCleaning1 uiHeadCleaning1;
    Ui_HeadCleaning2 uiHeadCleaning2;
    Ui_HeadCleaning3 uiHeadCleaning3;
    Ui_PowerInkFlushing1 uiPowerInkFlushing1;
    Ui_PowerInkFlushing2 uiPowerInkFlushing2;
    Ui_PowerInkFlushing3 uiPowerInkFlushing3;
    Ui_BidAdjust1 uiBidAdjust1;
    Ui_BidAdjust2 uiBidAdjust2;
    Ui_BidAdjust3 uiBidAdjust3;
    Ui_PfAdjust1 uiPfAdjust1;
    Ui_PfAdjust2 uiPfAdjust2;
    Ui_PfAdjust3 uiPfAdjust3;
    Ui_PfAdjust4 uiPfAdjust4;
    Ui_PfAdjust5 uiPfAdjust5;
    Ui_PaperSetting1 uiPaperSetting1;
    Ui_PaperSetting2 uiPaperSetting2;
    Ui_PaperSetting3 uiPaperSetting3;
    Ui_GeometrySetting1A uiGeometrySetting1A;
    Ui_GeometrySetting1P uiGeometrySetting1P;
    Ui_GeometrySetting2 uiGeometrySetting2;
    Ui_AfterPrinting1 uiAfterPrinting1;
    Ui_AfterPrinting2 uiAfterPrinting2;
    Ui_PrinterSetting1 uiPrinterSetting1;
    Ui_PrinterSetting2 uiPrinterSetting2;

    ImageSwitcher statusImageSwitcher;
    ImageSwitcher formDetectionImageSwitcher;
    // Hatch labels 0-4 and icon labels 5-9 on the gauges K, C, M, Y, MN of the status page.
    QLabel* inkGaugeLabels[10] = {};

    Page pageStartup;
    Page pageSTM;
    Page pageNozzleCheck1;
    Page pageNozzleCheck2;
    Page pageHeadCleaning1;
    Page pageHeadCleaning2;
    Page pageHeadCleaning3;
    Page pagePowerInkFlushing1;
    Page pagePowerInkFlushing2;
    Page pagePowerInkFlushing3;
    Page pageBidAdjust1;
    Page pageBidAdjust2;
    Page pageBidAdjust3;
    Page pagePfAdjust1;
    Page pagePfAdjust2;
    Page pagePfAdjust3;
    Page pagePfAdjust4;
    Page pagePfAdjust5;
    Page pagePaperSetting1;
    Page pagePaperSetting2;
    Page pagePaperSetting3;
    Page pageGeometrySetting1A;
    Page pageGeometrySetting1P;
    Page pageGeometrySetting2;
    Page pageAfterPrinting1;
    Page pageAfterPrinting2;
    Page pagePrinterSetting1;
    Page pagePrinterSetting2;

    Page* returnPage = nullptr;
    int measurementSystem = 0;
    std::string queueName;
    std::string deviceOption;
    std::string modelName;
    QString blackInkName;
    std::string inkNameK;
    std::string inkNameC;
    std::string inkNameM;
    std::string inkNameY;
    std::string inkNameMN;
    std::string inkCartridgeLayout;
    int lastStatusGroup = 0;
    int lastStatusDetail = 0;
    bool statusReadUnderWay = false;

    // The status reads behind a cleaning's progress page.
    static constexpr int kCleaningWatchIntervalMs = 3000;
    static constexpr int kCleaningWatchLimitMs = 15 * 60 * 1000;
    QTimer* cleaningWatch = nullptr;
    Page* cleaningPage = nullptr;
    qint64 cleaningWatchStartMs = 0;

    // Runs only while the status page is shown.
    QTimer statusRefresh;
    // The status title and advice of the status page, and the title on the start page.
    TextFit* titleFit = nullptr;
    TextFit* adviceFit = nullptr;
    TextFit* summaryFit = nullptr;

    // The cleaning animation shared by the two progress pages; the window owns it, so a window
    // built again (as the tests do) leaves nothing behind.
    QMovie* cleaningAnimation = nullptr;
    // The message of showSettingsNotTaken; one at a time, owned by the window.
    QMessageBox* notTakenMessage = nullptr;

    // The window's tests look at the members that the pages share.
    friend class MainFrameTestAccess;
};
