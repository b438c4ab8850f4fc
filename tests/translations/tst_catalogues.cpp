// SPDX-License-Identifier: Apache-2.0
// The translation catalogues of tarnqt: every text that the sources and forms hand to the
// translator has a finished translation in every catalogue, with its context and
// disambiguation; translations keep the placeholders that the program fills in; the compiled
// catalogues answer as the catalogues say and are found under the locale's full name.
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message {
    QString context, source, comment;
    QString type; // "", "unfinished", "obsolete" or "vanished"
    QString translation;
    QString where() const {
        return QString("[%1] \"%2\"%3")
            .arg(context, source, comment.isEmpty() ? QString() : " (" + comment + ")");
    }
};

using Key = QString;
Key keyOf(const Message& m) {
    return m.context + '\x1f' + m.source + '\x1f' + m.comment;
}

// Reads a catalogue; a message without a translation element gets an empty one.
bool readCatalogue(const QString& path, QMap<Key, Message>& messages, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + ": " + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                current = Message();
                current.context = context;
            } else if (name == QLatin1String("source")) {
                current.source = xml.readElementText();
            } else if (name == QLatin1String("comment")) {
                current.comment = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                current.type = xml.attributes().value("type").toString();
                current.translation = xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages.insert(keyOf(current), current);
        }
    }
    if (xml.hasError()) {
        error = QString("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

bool isFinished(const Message& m) {
    return m.type.isEmpty() && !m.translation.isEmpty();
}

// The parts of a text that the program replaces after translation: QString::arg markers and
// the maintenance box name.
QStringList placeholders(const QString& text) {
    static const QRegularExpression marker("%(?:[1-9][0-9]?|mnt%)");
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

const QStringList Languages = {"de", "ja"};

QString cataloguePath(const QString& language) {
    return QString(TARNQT_SOURCE_DIR "/tr/tarnqt_%1.ts").arg(language);
}

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

    QMap<Key, Message> extracted; // what lupdate finds in the sources and forms now

private slots:
    void initTestCase() {
        // A fresh extraction into a scratch catalogue; the committed ones stay untouched.
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const QDir gui(TARNQT_SOURCE_DIR);
        QStringList arguments = {"-locations", "none"};
        for (const QString& file : gui.entryList({"*.cpp", "*.h"}, QDir::Files, QDir::Name))
            arguments << gui.filePath(file);
        const QDir forms(gui.filePath("forms"));
        const QStringList formFiles = forms.entryList({"*.ui"}, QDir::Files, QDir::Name);
        QVERIFY(!formFiles.isEmpty());
        for (const QString& file : formFiles)
            arguments << forms.filePath(file);
        const QString fresh = scratch.filePath("fresh.ts");
        arguments << "-ts" << fresh;

        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(LUPDATE_PATH, arguments);
        QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
        QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
                 lupdate.readAll().constData());
        QString error;
        QVERIFY2(readCatalogue(fresh, extracted, error), qPrintable(error));
        // Every form has a caption or button text, so each one shows up as a context.
        QSet<QString> contexts;
        for (const Message& m : extracted)
            contexts.insert(m.context);
        for (const QString& file : formFiles)
            QVERIFY2(contexts.contains(QFileInfo(file).completeBaseName()), qPrintable(file));
        QVERIFY(contexts.contains("QObject"));
        QVERIFY(contexts.contains("MainFrame"));
    }

    void everyExtractedTextIsTranslated_data() {
        QTest::addColumn<QString>("language");
        for (const QString& language : Languages)
            QTest::newRow(qPrintable(language)) << language;
    }
    void everyExtractedTextIsTranslated() {
        QFETCH(QString, language);
        QMap<Key, Message> catalogue;
        QString error;
        QVERIFY2(readCatalogue(cataloguePath(language), catalogue, error), qPrintable(error));
        QStringList missing, unfinished;
        for (const Message& m : extracted) {
            const auto found = catalogue.constFind(keyOf(m));
            if (found == catalogue.constEnd())
                missing << m.where();
            else if (!isFinished(*found))
                unfinished << m.where();
        }
        QVERIFY2(missing.isEmpty(), qPrintable("not in the catalogue (run the tarnqt_lupdate "
                                               "target and translate):\n" +
                                               missing.join('\n')));
        QVERIFY2(unfinished.isEmpty(),
                 qPrintable("untranslated or unfinished:\n" + unfinished.join('\n')));
    }

    void catalogueHasNoUnfinishedText_data() { everyExtractedTextIsTranslated_data(); }
    void catalogueHasNoUnfinishedText() {
        QFETCH(QString, language);
        QMap<Key, Message> catalogue;
        QString error;
        QVERIFY2(readCatalogue(cataloguePath(language), catalogue, error), qPrintable(error));
        QVERIFY(!catalogue.isEmpty());
        QStringList unfinished;
        for (const Message& m : catalogue) {
            if (m.type != "obsolete" && m.type != "vanished" && !isFinished(m))
                unfinished << m.where();
        }
        QVERIFY2(unfinished.isEmpty(), qPrintable(unfinished.join('\n')));
    }

    void translationsKeepPlaceholders_data() { everyExtractedTextIsTranslated_data(); }
    void translationsKeepPlaceholders() {
        QFETCH(QString, language);
        QMap<Key, Message> catalogue;
        QString error;
        QVERIFY2(readCatalogue(cataloguePath(language), catalogue, error), qPrintable(error));
        QStringList broken;
        for (const Message& m : catalogue) {
            if (isFinished(m) && placeholders(m.source) != placeholders(m.translation))
                broken << m.where() + " -> \"" + m.translation + "\"";
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
    }

    // Loaded the way the program loads it: by the full locale name, found through the
    // fallback to the language alone.
    void compiledCatalogueAnswersAsTheCatalogue_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("localeName");
        QTest::newRow("de") << "de"
                            << "de_DE";
        QTest::newRow("ja") << "ja"
                            << "ja_JP";
    }
    void compiledCatalogueAnswersAsTheCatalogue() {
        QFETCH(QString, language);
        QFETCH(QString, localeName);
        QTranslator translator;
        QVERIFY2(translator.load("tarnqt_" + localeName, TARNQT_QM_DIR),
                 qPrintable(QString(TARNQT_QM_DIR "/tarnqt_%1.qm").arg(language)));
        QMap<Key, Message> catalogue;
        QString error;
        QVERIFY2(readCatalogue(cataloguePath(language), catalogue, error), qPrintable(error));
        QStringList wrong;
        for (const Message& m : catalogue) {
            if (!isFinished(m))
                continue;
            const QString answer = translator.translate(
                m.context.toUtf8().constData(), m.source.toUtf8().constData(),
                m.comment.isEmpty() ? nullptr : m.comment.toUtf8().constData());
            if (answer != m.translation)
                wrong << m.where() + " -> \"" + answer + "\"";
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogues.moc"
