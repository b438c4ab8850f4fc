// SPDX-License-Identifier: Apache-2.0
// The status monitor: reading the printer state, drawing it on the status and start pages,
// and the way to and from the status page.
#include "MainFrame.h"

#include "InkGauge.h"
#include "ModelFamily.h"
#include "StatusCatalogue.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QScopedValueRollback>

namespace {

const char* const kHatchPicture = "://images/inkHatch.png";

struct IconPicture {
    GaugeIcon icon;
    const char* path;
};

const IconPicture kIconPictures[] = {
    {GaugeIcon::Error, "://images/inkIconError.png"},
    {GaugeIcon::Warning, "://images/inkIconWarning.png"},
};

const char* iconPath(GaugeIcon icon) {
    for (const IconPicture& p : kIconPictures) {
        if (p.icon == icon) {
            return p.path;
        }
    }
    return nullptr;
}

struct Gauge {
    QProgressBar* bar;
    QLabel* hatch;
    QLabel* icon;
    QString colourName;
    QString partName;
    int status;
    int amount;
};

void drawGauge(const Gauge& g) {
    const GaugeView view = gaugeViewFor(g.status, g.amount);
    g.bar->setValue(view.value);
    g.bar->setEnabled(view.enabled);
    g.bar->setAccessibleDescription(gaugeDescription(g.colourName, g.partName, g.status, g.amount));

    if (view.hatch) {
        g.hatch->setPixmap(QPixmap(kHatchPicture).scaledToWidth(g.bar->width()));
        g.hatch->adjustSize();
        g.hatch->show();
    } else {
        g.hatch->hide();
    }

    if (const char* path = iconPath(view.icon)) {
        g.icon->setPixmap(QPixmap(path).scaledToWidth(g.bar->width(), Qt::SmoothTransformation));
        g.icon->adjustSize();
        g.icon->move(0, 8);
        g.icon->show();
    } else {
        g.icon->hide();
    }
}

} // namespace

bool MainFrame::updatePrinterStatus() {
    QComboBox* const queues = uiStartup.selectPrintQueue;
    // A timer that fires while a tool run (or this read) is under way lets its turn pass.
    if (command.toolRunning() || statusReadUnderWay) {
        return false;
    }
    if (queues->count() == 0) {
        // Selecting the first queue found reads its state through the queue list's signal.
        return listQueuesAgain() && lastStatusGroup != BeforeComm;
    }
    const QScopedValueRollback<bool> reading(statusReadUnderWay, true);
    // Marked from here on: the event pass below must not start a second read.
    Command::RunMark running(command);
    queues->setEnabled(false);
    uiStartup.btnUpdatePrinterStatus->setEnabled(false);
    uiSTM.btnUpdatePrinterStatus->setEnabled(false);
    // The tool blocks the event loop; let the disabled state be seen while it runs.
    update();
    repaint();
    QCoreApplication::processEvents();

    queueName = queues->currentText().toUtf8().toStdString();

    StatusDetail detail = Status_Unsettled;
    StatusGroup group = BeforeComm;
    std::vector<int> inks;
    InkStatus statusK{}, statusC{}, statusM{}, statusY{}, statusMN{};
    InkAmount amountK{}, amountC{}, amountM{}, amountY{}, amountMN{};
    const bool read =
        !queueName.empty() &&
        command.readStatus(queueName, detail, group, inks, statusK, amountK, statusC, amountC,
                           statusM, amountM, statusY, amountY, statusMN, amountMN);
    if (!read) {
        updatePrinterStatusWidgets(Status_CommError);
        lastStatusGroup = BeforeComm;
        lastStatusDetail = Status_CommError;
        return false;
    }
    lastStatusGroup = group;
    lastStatusDetail = detail;
    updatePrinterStatusWidgets(detail, inks, statusK, amountK, statusC, amountC, statusM, amountM,
                               statusY, amountY, statusMN, amountMN);
    return true;
}

bool MainFrame::updatePrinterStatusWidgets(StatusDetail status,
                                           const std::vector<int>& inksOfErrorReason,
                                           InkStatus inkStatusK, InkAmount inkAmountK,
                                           InkStatus inkStatusC, InkAmount inkAmountC,
                                           InkStatus inkStatusM, InkAmount inkAmountM,
                                           InkStatus inkStatusY, InkAmount inkAmountY,
                                           InkStatus inkStatusMN, InkAmount inkAmountMN) {
    StatusTexts texts;
    if (statusTextsFor(status, catalogueFamilyOfModel(modelName),
                       composeTargetInkList(inksOfErrorReason), QString::fromStdString(inkNameMN),
                       texts)) {
        uiSTM.textPrinterStatusAbstract->setHtml(
            QStringLiteral("<b>%1</b>").arg(texts.title.toHtmlEscaped()));
        uiSTM.textPrinterStatusDetail->setPlainText(texts.advice);
        statusImageSwitcher.switchImage(texts.picture);
    }
    uiStartup.textPrinterStatusAbstract->setPlainText(
        uiSTM.textPrinterStatusAbstract->toPlainText());

    const QString boxName = QCoreApplication::translate("QObject", "Maintenance box");
    const Gauge gauges[] = {
        {uiSTM.barInkK, inkGaugeLabels[0], inkGaugeLabels[5], uiSTM.labelInkColorNameK->text(),
         uiSTM.labelInkNameK->text(), inkStatusK, inkAmountK},
        {uiSTM.barInkC, inkGaugeLabels[1], inkGaugeLabels[6], uiSTM.labelInkColorNameC->text(),
         uiSTM.labelInkNameC->text(), inkStatusC, inkAmountC},
        {uiSTM.barInkM, inkGaugeLabels[2], inkGaugeLabels[7], uiSTM.labelInkColorNameM->text(),
         uiSTM.labelInkNameM->text(), inkStatusM, inkAmountM},
        {uiSTM.barInkY, inkGaugeLabels[3], inkGaugeLabels[8], uiSTM.labelInkColorNameY->text(),
         uiSTM.labelInkNameY->text(), inkStatusY, inkAmountY},
        {uiSTM.barInkMN, inkGaugeLabels[4], inkGaugeLabels[9], boxName,
         uiSTM.labelInkNameMN->text(), inkStatusMN, inkAmountMN},
    };
    for (const Gauge& g : gauges) {
        drawGauge(g);
    }

    uiStartup.selectPrintQueue->setEnabled(true);
    uiStartup.btnUpdatePrinterStatus->setEnabled(true);
    uiSTM.btnUpdatePrinterStatus->setEnabled(true);
    return true;
}

void MainFrame::refreshStatusPage() {
    if (!pageSTM.isVisible() || isMinimized() || command.toolRunning()) {
        return;
    }
    updatePrinterStatus();
}

QString MainFrame::composeTargetInkList(const std::vector<int>& inksOfErrorReason) {
    // Before any printer was configured the black ink has no name of its own yet.
    const QString black =
        blackInkName.isEmpty() ? QCoreApplication::translate("QObject", "Black") : blackInkName;
    const InkPartNames names{black, QString::fromStdString(inkNameK),
                             QString::fromStdString(inkNameC), QString::fromStdString(inkNameM),
                             QString::fromStdString(inkNameY)};
    return composeInkList(inksOfErrorReason, names);
}

bool MainFrame::entry_pageSTM() {
    QWidget* shown = Page::onDisplay(this);
    if (shown != &pageSTM) {
        returnPage = qobject_cast<Page*>(shown);
    }
    pageSTM.show();
    return true;
}

bool MainFrame::leave_pageSTM() {
    if (returnPage) {
        Page* page = returnPage;
        returnPage = nullptr;
        page->show();
    } else {
        pageStartup.show();
    }
    return true;
}
