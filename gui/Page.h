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

public slots:
    // Hides the page on display, shows this one and lets the window take its size.
    void show();
};
