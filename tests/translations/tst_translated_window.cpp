// SPDX-License-Identifier: Apache-2.0
// The window in German, built with the compiled catalogue installed as the program installs it:
// every page is photographed, and no text that fits in English is cut off, elided or pushed
// behind a scroll bar by its translation.
#include "GuiTestSupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

namespace {

QString buttonText(const QAbstractButton* b) {
    QString text = b->text();
    return text.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

// The widgets of page whose text does not fit, as "page/widget: text".
QStringList clippedTexts(QWidget* page) {
    QStringList clipped;
    const auto note = [&](const QWidget* w, const QString& text) {
        clipped << page->objectName() + "/" + w->objectName() + ": " + text.left(60);
    };
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(page) || label->text().isEmpty())
            continue;
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(label->width()) <= label->height()
                              : label->sizeHint().width() <= label->width() &&
                                    label->sizeHint().height() <= label->height();
        if (!fits)
            note(label, label->text());
    }
    for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(page) || button->text().isEmpty())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QCheckBox*>(button))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton*>(button))
            contents = QStyle::SE_RadioButtonContents;
        const int room = button->style()->subElementRect(contents, &option, button).width();
        int needed = button->fontMetrics().horizontalAdvance(buttonText(button));
        if (!button->icon().isNull())
            needed += button->iconSize().width() + 4;
        if (needed > room)
            note(button, button->text());
    }
    for (QComboBox* box : page->findChildren<QComboBox*>()) {
        if (!box->isVisibleTo(page))
            continue;
        QStyleOptionComboBox option;
        option.initFrom(box);
        const int room =
            box->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                .width();
        for (int i = 0; i < box->count(); ++i) {
            if (box->fontMetrics().horizontalAdvance(box->itemText(i)) > room)
                note(box, box->itemText(i));
        }
    }
    for (QTextEdit* text : page->findChildren<QTextEdit*>()) {
        if (text->isVisibleTo(page) && text->verticalScrollBar()->maximum() > 0)
            note(text, text->toPlainText());
    }
    for (QPlainTextEdit* text : page->findChildren<QPlainTextEdit*>()) {
        if (text->isVisibleTo(page) && text->verticalScrollBar()->maximum() > 0)
            note(text, text->toPlainText());
    }
    return clipped;
}

// Builds the window against the stand-in tool, opens the pages that read the printer, shows
// every page in turn and returns the clipped texts; saves the pictures into folder if given.
QStringList photographWindow(const QString& folder) {
    ScratchDir scratch;
    StandInTool tool(scratch);
    // A warning with the longest advice text, so the status page shows its fullest state.
    scriptWholePrinter(tool, "506, Status_IL_PAPF_NSU", "5, Warning");

    QStringList clipped;
    StreamCapture out(1);
    {
        MainFrame window;
        window.show();
        if (!QTest::qWaitFor([&] { return !tool.calls().filter("[status]").isEmpty(); }, 5000))
            return {"no status read"};
        QWidget* start = page(window, "Startup");
        for (const char* name :
             {"btnPaperSetting", "btnGeometrySetting", "btnAfterPrinting", "btnPrinterSetting"}) {
            qobject_cast<Page*>(start)->show();
            if (auto* b = start->findChild<QAbstractButton*>(name))
                b->click();
        }
        int number = 0;
        for (Page* p : window.findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly)) {
            p->show();
            QCoreApplication::processEvents();
            ++number;
            if (!folder.isEmpty()) {
                window.grab().save(QString("%1/%2-%3.png")
                                       .arg(folder)
                                       .arg(number, 2, 10, QChar('0'))
                                       .arg(p->objectName()));
            }
            clipped << clippedTexts(p);
        }
    }
    out.text();
    return clipped;
}

} // namespace

class TranslatedWindowTest : public QObject {
    Q_OBJECT

private slots:
    void translationsFitWhereEnglishFits_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("de") << "de";
        QTest::newRow("ja") << "ja";
    }
    void translationsFitWhereEnglishFits() {
        SKIP_IF_TOOL_INSTALLED();
        QFETCH(QString, language);
        const QStringList english = photographWindow(QString());
        for (const QString& text : english)
            qWarning("clipped in English already: %s", qPrintable(text));

        QTranslator translator;
        QVERIFY(translator.load("tarnqt_" + language, TARNQT_QM_DIR));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        const QString folder = QString(TARN_SCREENSHOT_DIR "/%1").arg(language);
        QVERIFY(QDir().mkpath(folder));
        const QStringList translated = photographWindow(folder);
        QCoreApplication::removeTranslator(&translator);

        QStringList clippedByTranslation;
        for (const QString& text : translated) {
            const QString where = text.section(':', 0, 0);
            if (english.filter(QRegularExpression("^" + QRegularExpression::escape(where) + ":"))
                    .isEmpty())
                clippedByTranslation << text;
        }
        std::printf("screenshots of the %s window in %s\n", qPrintable(language),
                    qPrintable(folder));
        QVERIFY2(clippedByTranslation.isEmpty(), qPrintable(clippedByTranslation.join('\n')));
    }
};

QTEST_MAIN(TranslatedWindowTest)
#include "tst_translated_window.moc"
