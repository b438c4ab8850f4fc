// SPDX-License-Identifier: Apache-2.0
#include "PageKeys.h"

#include "Page.h"
#include "UserInput.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

struct PageButtons {
    const char* page;
    const char* returnButton; // null: Return presses nothing but a focused button
    const char* escapeButton; // null: Escape does nothing
};

// Return takes the forward step of the page; Escape goes back, cancels a wizard, or closes a
// page that only reports. The warning before a narrow gap is written defaults to going back.
const PageButtons kButtons[] = {
    {"Startup", nullptr, nullptr},
    {"STM", "btnBack", "btnBack"},
    {"NozzleCheck1", "btnPrint", "btnCancel"},
    {"NozzleCheck2", "btnFinish", "btnFinish"},
    {"HeadCleaning1", "btnStart", "btnCancel"},
    {"HeadCleaning2", "btnNext", "btnCancel"},
    {"HeadCleaning3", "btnFinish", "btnFinish"},
    {"PowerInkFlushing1", "btnStart", "btnCancel"},
    {"PowerInkFlushing2", "btnNext", "btnCancel"},
    {"PowerInkFlushing3", "btnFinish", "btnFinish"},
    {"BidAdjust1", "btnPrint", "btnCancel"},
    {"BidAdjust2", "btnSend", "btnCancel"},
    {"BidAdjust3", "btnFinish", "btnFinish"},
    {"PfAdjust1", "btnPrint", "btnCancel"},
    {"PfAdjust2", "btnSend", "btnCancel"},
    {"PfAdjust3", "btnPrint", "btnCancel"},
    {"PfAdjust4", "btnSend", "btnCancel"},
    {"PfAdjust5", "btnFinish", "btnFinish"},
    {"PaperSetting1", "btnSend", "btnCancel"},
    {"PaperSetting2", "btnFinish", "btnFinish"},
    {"PaperSetting3", "btnCancel", "btnCancel"},
    {"GeometrySetting1A", "btnSend", "btnCancel"},
    {"GeometrySetting1P", "btnSend", "btnCancel"},
    {"GeometrySetting2", "btnFinish", "btnFinish"},
    {"AfterPrinting1", "btnSend", "btnCancel"},
    {"AfterPrinting2", "btnFinish", "btnFinish"},
    {"PrinterSetting1", "btnSend", "btnCancel"},
    {"PrinterSetting2", "btnFinish", "btnFinish"},
};

const PageButtons* buttonsOf(const QWidget* page) {
    for (const PageButtons& b : kButtons) {
        if (page->objectName() == QLatin1String(b.page)) {
            return &b;
        }
    }
    return nullptr;
}

QPushButton* button(QWidget* page, const char* name) {
    return name ? page->findChild<QPushButton*>(name) : nullptr;
}

// A control inside a spin box or combo box belongs to it and takes no place of its own.
bool partOfCompound(const QWidget* widget, const QWidget* page) {
    for (const QWidget* w = widget->parentWidget(); w && w != page; w = w->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w)) {
            return true;
        }
    }
    return false;
}

std::vector<QWidget*> readingOrder(QWidget* page) {
    struct Placed {
        QWidget* widget;
        QRect rect;
    };
    std::vector<Placed> placed;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) == 0 || !w->isVisibleTo(page) ||
            partOfCompound(w, page)) {
            continue;
        }
        placed.push_back({w, QRect(w->mapTo(page, QPoint(0, 0)), w->size())});
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.rect.center().y() < b.rect.center().y();
    });
    // A row: controls whose middles lie within the first one's height.
    std::vector<QWidget*> order;
    for (std::size_t first = 0; first < placed.size();) {
        std::size_t end = first + 1;
        while (end < placed.size() &&
               placed[end].rect.center().y() <= placed[first].rect.bottom()) {
            ++end;
        }
        std::sort(placed.begin() + static_cast<std::ptrdiff_t>(first),
                  placed.begin() + static_cast<std::ptrdiff_t>(end),
                  [](const Placed& a, const Placed& b) { return a.rect.x() < b.rect.x(); });
        for (std::size_t i = first; i < end; ++i) {
            order.push_back(placed[i].widget);
        }
        first = end;
    }
    return order;
}

} // namespace

namespace pagekeys {

QPushButton* defaultButton(QWidget* page) {
    const PageButtons* b = buttonsOf(page);
    return b ? button(page, b->returnButton) : nullptr;
}

QPushButton* escapeButton(QWidget* page) {
    const PageButtons* b = buttonsOf(page);
    return b ? button(page, b->escapeButton) : nullptr;
}

void arrange(QWidget* page) {
    const std::vector<QWidget*> order = readingOrder(page);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }

    QPushButton* preferred = defaultButton(page);
    for (QPushButton* b : page->findChildren<QPushButton*>()) {
        b->setDefault(b == preferred);
    }

    QWidget* focus = nullptr;
    if (preferred && preferred->isVisibleTo(page) && preferred->isEnabled()) {
        focus = preferred;
    }
    for (std::size_t i = 0; !focus && i < order.size(); ++i) {
        if (order[i]->isEnabled()) {
            focus = order[i];
        }
    }
    if (focus) {
        focus->setFocus(Qt::OtherFocusReason);
    } else if (QWidget* old = QApplication::focusWidget(); old && old->window() == page->window()) {
        old->clearFocus();
    }
}

void markFocus(QWidget* window) {
    // The same frame width in both states, so that taking the focus moves nothing.
    window->setStyleSheet(QStringLiteral(
        "QTextEdit[readOnly=\"true\"], QPlainTextEdit[readOnly=\"true\"] {"
        " border: 2px solid palette(mid); }"
        "QTextEdit[readOnly=\"true\"]:focus, QPlainTextEdit[readOnly=\"true\"]:focus {"
        " border: 2px solid palette(highlight); }"));
}

} // namespace pagekeys

PageKeyFilter::PageKeyFilter(QWidget* window) : QObject(window), window(window) {}

namespace {

bool pressIfReady(QPushButton* b) {
    if (!b || !b->isVisible() || !b->isEnabled()) {
        return false;
    }
    b->click();
    return true;
}

} // namespace

bool PageKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (!isUserInput(event->type()) || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window || widget == window) {
        return false;
    }
    QWidget* page = Page::onDisplay(window);
    // Keys and clicks for a control of a hidden page (the focus left behind, say) are dropped.
    if (!page || !page->isAncestorOf(widget) || !widget->isVisible()) {
        return true;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }

    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool escape = key->key() == Qt::Key_Escape;
    const bool space = key->key() == Qt::Key_Space || key->key() == Qt::Key_Select;
    if (!enter && !escape && !space) {
        return false;
    }
    // A held key presses once.
    if (key->isAutoRepeat()) {
        return true;
    }
    if (space) {
        return false;
    }
    if (escape) {
        pressIfReady(pagekeys::escapeButton(page));
        return true;
    }
    // Return in a spin box takes the typed value and applies nothing.
    for (QWidget* w = widget; w && w != page; w = w->parentWidget()) {
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
            spin->interpretText();
            return true;
        }
        if (qobject_cast<QComboBox*>(w)) {
            return false; // the list handles its own Return
        }
    }
    // Return is the page's forward step wherever the focus is; Space presses the focused button.
    pressIfReady(pagekeys::defaultButton(page));
    return true;
}
