// SPDX-License-Identifier: Apache-2.0
// Keeps a read-only text box tall enough to show its whole text at the width it is given, so
// that no text hides behind a scroll bar while the page has room.
#pragma once

#include <QObject>

#include <functional>

class QAbstractScrollArea;
class QTextDocument;

enum class TextHeight {
    AtLeast, // the box may grow beyond its text's height
    Exactly, // the box is as tall as its text (or its least height, if taller)
};

class TextFit : public QObject {
public:
    // least is the box's smallest height; grown runs (queued) when the box's height changed, so
    // that its page can make room. The fit belongs to the box.
    TextFit(QAbstractScrollArea* box, QTextDocument* document, int least, TextHeight kind,
            std::function<void()> grown);

    // The height the box needs to show document whole at the box's width.
    int heightFor(const QTextDocument& text) const;
    // Raises the least height, so that texts still to come find their room already.
    void reserve(int height);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit(int width);
    int heightAt(const QTextDocument& text, int width) const;

    QAbstractScrollArea* box;
    QTextDocument* document;
    int least;
    TextHeight kind;
    std::function<void()> grown;
};
