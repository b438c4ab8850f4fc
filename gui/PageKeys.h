// SPDX-License-Identifier: Apache-2.0
// Keyboard and focus of the pages: which button Return and Escape stand for on each page, the
// tab order in reading order, the focus moved onto the page shown, and a filter that keeps keys
// away from every control that is not on the page on display.
#pragma once

#include <QObject>

class QPushButton;
class QWidget;

namespace pagekeys {

// The button Return presses on page, or null.
QPushButton* defaultButton(QWidget* page);
// The button Escape presses on page (Back, Cancel, or Finish on a closing page), or null.
QPushButton* escapeButton(QWidget* page);
// Orders the tab chain of page's visible controls by rows, top to bottom, each row left to
// right, marks the default button and moves the focus onto it (or onto the first control).
void arrange(QWidget* page);
// Marks the focus on every control of window where the style alone would not show it: the
// read-only texts get a frame in the highlight colour while they hold the focus.
void markFocus(QWidget* window);

} // namespace pagekeys

// Installed on the application for one window: Return and Escape act on the page on display,
// a held key presses nothing twice, and input for a control of a hidden page is dropped.
class PageKeyFilter : public QObject {
public:
    explicit PageKeyFilter(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window;
};
