// SPDX-License-Identifier: Apache-2.0
#include "DecimalInput.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QString>

namespace {

class DecimalKeys : public QObject {
public:
    explicit DecimalKeys(QDoubleSpinBox* box) : QObject(box) { box->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const QChar point = static_cast<QWidget*>(watched)->locale().decimalPoint();
        const QString text = key->text();
        if (text.size() != 1 || text[0] == point ||
            (text[0] != QLatin1Char('.') && text[0] != QLatin1Char(','))) {
            return false;
        }
        QKeyEvent instead(QEvent::KeyPress,
                          point == QLatin1Char(',') ? Qt::Key_Comma : Qt::Key_Period,
                          key->modifiers(), QString(point), key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(watched, &instead);
        return true;
    }
};

} // namespace

void acceptEitherDecimalSeparator(QDoubleSpinBox* box) {
    new DecimalKeys(box);
}

QString withLocaleDecimals(const QDoubleSpinBox* box, const QString& caption) {
    QString text = caption;
    return text.replace(QLatin1Char('.'), box->locale().decimalPoint());
}
