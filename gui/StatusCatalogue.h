// SPDX-License-Identifier: Apache-2.0
// What the status monitor says for each status detail: title, advice and the index of the
// picture in the family's status picture list. Texts are translated in the context "QObject".
#pragma once

#include <QString>

#include <string>
#include <vector>

struct CatalogueText {
    const char* source;
    const char* comment; // disambiguation, or null
};

enum class AdviceForm {
    Plain,
    AfterInkList,        // the list of inks in error comes first
    WithMaintenanceName, // "%mnt%" stands for the maintenance box's part name
};

struct CatalogueRow {
    int detail;
    unsigned families; // bit n set: the row serves catalogue family n (0 to 3)
    CatalogueText title;
    CatalogueText advice;
    AdviceForm form;
    int picture;
};

// Every row; a detail without a row of its own is told as a communication error.
const std::vector<CatalogueRow>& statusCatalogue();

struct StatusTexts {
    QString title;
    QString advice;
    int picture = -1;
};

// False when the catalogue has nothing for this detail and family (the page keeps its content).
bool statusTextsFor(int detail, int catalogueFamily, const QString& inkList,
                    const QString& maintenanceBoxName, StatusTexts& out);

struct InkPartNames {
    QString blackInkName; // "Black" or "Matte Black", already translated
    QString k, c, m, y;   // the cartridges' part names
};

// One line "- <colour>: <part name>\n" per ink key ('K', 'C', 'M', 'Y') of the list, in its order.
QString composeInkList(const std::vector<int>& inks, const InkPartNames& names);
