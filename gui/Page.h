// SPDX-License-Identifier: Apache-2.0
// One page of the main window; only one page is on display at a time.
#pragma once

#include <QWidget>

class Page : public QWidget {
    Q_OBJECT
public:
    Page();

    // The page on display in window: the visible child of window that holds the window's point
    // (0, 0), or null.
    static QWidget* onDisplay(QWidget* window);

    // Grows the window, and its least size, where this page would not fit in it, and gives the
    // page the window's size.
    void fitWindow();

public slots:
    // Hides the page on display and shows this one at the window's size: the window keeps its
    // size from page to page, unless the page needs more room.
    void show();
};
