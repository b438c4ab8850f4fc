// SPDX-License-Identifier: Apache-2.0
#include "InkGauge.h"

#include <tarn/StatusCodes.h>

#include <QCoreApplication>

namespace {

struct AmountLevel {
    int amount;
    int percent;
};

const AmountLevel kLevels[] = {
    {TwoCharCode('R', 'H'), 100},
    {TwoCharCode('R', 'M'), 75},
    {TwoCharCode('R', 'L'), 30},
    {TwoCharCode('R', 'N'), 15},
};

bool levelOf(int amount, int& percent) {
    for (const AmountLevel& l : kLevels) {
        if (l.amount == amount) {
            percent = l.percent;
            return true;
        }
    }
    return false;
}

enum class Value { Level, Fixed };

struct StatusLook {
    int status;
    Value value;
    int fixedValue;
    bool hatch;
    GaugeIcon icon;
    const char* words; // with %1 for the level where the value is the level
};

const StatusLook kLooks[] = {
    {0, Value::Level, 0, false, GaugeIcon::None, QT_TRANSLATE_NOOP("QObject", "%1%")},
    {TwoCharCode('N', 'A'), Value::Fixed, 0, true, GaugeIcon::Error,
     QT_TRANSLATE_NOOP("QObject", "not available")},
    {TwoCharCode('R', 'N'), Value::Level, 0, false, GaugeIcon::Warning,
     QT_TRANSLATE_NOOP("QObject", "low, %1%")},
    {TwoCharCode('R', 'R'), Value::Fixed, 10, false, GaugeIcon::Error,
     QT_TRANSLATE_NOOP("QObject", "to be replaced")},
};

const char* const kUnknownWords = QT_TRANSLATE_NOOP("QObject", "level unknown");

const StatusLook* lookOf(int status) {
    for (const StatusLook& l : kLooks) {
        if (l.status == status) {
            return &l;
        }
    }
    return nullptr;
}

} // namespace

GaugeView gaugeViewFor(int inkStatus, int inkAmount) {
    GaugeView view; // disabled, empty, nothing shown: any state of no known look
    const StatusLook* look = lookOf(inkStatus);
    if (!look) {
        return view;
    }
    int percent = look->fixedValue;
    if (look->value == Value::Level && !levelOf(inkAmount, percent)) {
        return view;
    }
    view.value = percent;
    view.enabled = true;
    view.hatch = look->hatch;
    view.icon = look->icon;
    return view;
}

QString gaugeDescription(const QString& colourName, const QString& partName, int inkStatus,
                         int inkAmount) {
    const StatusLook* look = lookOf(inkStatus);
    const GaugeView view = gaugeViewFor(inkStatus, inkAmount);
    QString words = QCoreApplication::translate("QObject", kUnknownWords);
    if (look && view.enabled) {
        words = QCoreApplication::translate("QObject", look->words);
        if (look->value == Value::Level) {
            words = words.arg(view.value);
        }
    }
    const QString name = partName.isEmpty() ? colourName : colourName + QLatin1Char(' ') + partName;
    return name + QStringLiteral(": ") + words;
}
