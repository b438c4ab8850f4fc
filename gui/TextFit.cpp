// SPDX-License-Identifier: Apache-2.0
#include "TextFit.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QMetaObject>
#include <QResizeEvent>
#include <QScopedPointer>
#include <QTextDocument>

#include <cmath>

TextFit::TextFit(QAbstractScrollArea* box, QTextDocument* document, int least, TextHeight kind,
                 std::function<void()> grown)
    : QObject(box), box(box), document(document), least(least), kind(kind),
      grown(std::move(grown)) {
    box->installEventFilter(this);
    connect(document, &QTextDocument::contentsChanged, this, [this] { fit(this->box->width()); });
    fit(box->width());
}

bool TextFit::eventFilter(QObject*, QEvent* event) {
    // Before the box lays its text out anew: the new width comes with the event.
    if (event->type() == QEvent::Resize) {
        fit(static_cast<QResizeEvent*>(event)->size().width());
    } else if (event->type() == QEvent::FontChange) {
        fit(box->width());
    }
    return false;
}

int TextFit::heightFor(const QTextDocument& text) const {
    return heightAt(text, box->width());
}

void TextFit::reserve(int height) {
    if (height > least) {
        least = height;
        fit(box->width());
    }
}

int TextFit::heightAt(const QTextDocument& text, int width) const {
    const int frame = 2 * box->frameWidth();
    // A copy laid out at the box's width, whatever layout the box itself uses.
    QScopedPointer<QTextDocument> copy(text.clone());
    copy->setDefaultFont(box->font());
    copy->setDocumentMargin(document->documentMargin());
    copy->setTextWidth(width - frame);
    // One line of room more: the box's own line breaking may differ by a line.
    return int(std::ceil(copy->size().height())) + frame + box->fontMetrics().lineSpacing();
}

void TextFit::fit(int width) {
    const int needed = heightAt(*document, width);
    const int height = needed > least ? needed : least;
    if (height == box->minimumHeight() &&
        (kind == TextHeight::AtLeast || height == box->maximumHeight())) {
        return;
    }
    box->setMinimumHeight(height);
    if (kind == TextHeight::Exactly) {
        box->setMaximumHeight(height);
    }
    QMetaObject::invokeMethod(
        this, [this] { grown(); }, Qt::QueuedConnection);
}
