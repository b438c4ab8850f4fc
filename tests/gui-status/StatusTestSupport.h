// SPDX-License-Identifier: Apache-2.0
// Pieces shared by the status monitor tests: the printers the stand-in tool pretends to serve,
// report lines of a status read, and looks at the status page.
#pragma once

#include "GuiTestSupport.h"

#include <tarn/StatusCodes.h>

#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct StandInPrinter {
    const char* model; // MDL field; null: a device ID without one
    const char* deviceID;
    const char* deviceOption;
    const char* inkK;
    const char* inkMN;
    const char* layout;
};

// Report lines of the device options of a printer, as tarn prints them.
QString deviceOptionLines(const StandInPrinter& p, const QString& queue = "q1");

// Report lines of a status read. Ink values: status then amount for K, C, M, Y and MN.
struct InkValues {
    int status[5] = {0, 0, 0, 0, 0};
    int amount[5] = {21064, 21064, 21064, 21064, 21064};
};
QString statusLines(int detail, int group, const QString& inks = QString(),
                    const InkValues& values = InkValues(), const QString& queue = "q1");

// What the status page says for each detail of a printer whose maintenance box is MB-50.
struct CatalogueRow {
    int detail;
    const char* title;
    const char* advice;
    int picture;
};
extern const std::vector<CatalogueRow> catalogue;
// The row of a detail; a number of no row reads as detail 3.
const CatalogueRow& rowOf(int detail);

// The status picture lists: 0 default, 1 RV-C2000, 2 D models, 3 RV-C9000.
QString picturePath(int list, int index);

// The usage listing's function items, so the maintenance buttons are enabled.
extern const char* const usageWithFunctions;

// A window over a stand-in tool in a scratch folder; the tool answers for one queue q1.
struct StandInBed {
    explicit StandInBed(const StandInPrinter& printer, const QString& status,
                        const QString& queues = "destination: q1\n");
    ScratchDir dir;
    StandInTool tool{dir};
    std::unique_ptr<MainFrame> open(); // shown, and after its first status read
    int statusReads() const;
};

template <class T> T* widget(MainFrame& w, const char* page, const char* name) {
    QWidget* p = ::page(w, page);
    return p ? p->findChild<T*>(name) : nullptr;
}

// True when the label shows the picture of the resource path, as the window loads it.
bool showsPicture(const QLabel* label, const QString& path);
bool showsPixmap(const QLabel* label, const QPixmap& expected);
