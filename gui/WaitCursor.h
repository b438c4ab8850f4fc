// SPDX-License-Identifier: Apache-2.0
// Shows the wait cursor while a blocking tool run holds the window, on every path out.
#pragma once

#include <QCursor>
#include <QGuiApplication>

class WaitCursor {
public:
    WaitCursor() : active(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (active) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        }
    }
    ~WaitCursor() {
        if (active) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool active;
};
