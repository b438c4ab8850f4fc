// SPDX-License-Identifier: Apache-2.0
// Length fields take the decimal separator of their locale. Typing the other one (a point in
// German, a comma in English) enters the locale's separator instead, so "1.5" never becomes a
// different value such as 15 or 1,0.
#pragma once

class QDoubleSpinBox;
class QString;

void acceptEitherDecimalSeparator(QDoubleSpinBox* box);

// A caption formatted with a point as decimal separator, in the box's own separator.
QString withLocaleDecimals(const QDoubleSpinBox* box, const QString& caption);
