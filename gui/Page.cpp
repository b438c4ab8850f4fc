// SPDX-License-Identifier: Apache-2.0
#include "Page.h"

#include "PageKeys.h"
#include "RunFlags.h"

#include <cstdio>

Page::Page() : QWidget(nullptr) {
    hide();
}

QWidget* Page::onDisplay(QWidget* window) {
    QWidget* widget = window->childAt(0, 0);
    // A form widget that reaches the corner still belongs to its page: climb to the window's
    // direct child, so the page itself is hidden and not just that widget.
    while (widget && widget->parentWidget() != window) {
        widget = widget->parentWidget();
    }
    return widget;
}

void Page::show() {
    const QByteArray name = objectName().toLocal8Bit();
    QWidget* window = parentWidget();
    if (!window) {
        if (verbose) {
            std::fprintf(stderr, "(blank) -> [%s]\n", name.constData());
        }
        QWidget::show();
        pagekeys::arrange(this);
        return;
    }
    QWidget* current = onDisplay(window);
    if (current && current != this) {
        if (verbose) {
            std::fprintf(stderr, "[%s] -> [%s]\n", current->objectName().toLocal8Bit().constData(),
                         name.constData());
        }
        current->hide();
    } else if (verbose) {
        std::fprintf(stderr, "(blank) -> [%s]\n", name.constData());
    }
    QWidget::show();
    fitWindow();
    // The focus goes with the page: a key must never reach a control of the page just hidden.
    pagekeys::arrange(this);
}

void Page::fitWindow() {
    QWidget* window = parentWidget();
    if (!window) {
        return;
    }
    // A larger least size also makes a smaller window grow to it.
    const QSize least = minimumSizeHint().expandedTo(minimumSize());
    window->setMinimumSize(window->minimumSize().expandedTo(least));
    resize(window->size());
}
