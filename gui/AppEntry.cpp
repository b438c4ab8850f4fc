// SPDX-License-Identifier: Apache-2.0
#include "AppEntry.h"

#include "MainFrame.h"
#include "RunFlags.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

bool verbose = false;
bool dryrun = false;

namespace {

const char* const kCatalogueFolder = "/opt/varda/tarn-utility/tr/";

QByteArray local(const QString& text) {
    return text.toLocal8Bit();
}

} // namespace

void scanArguments(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        std::printf("arg: %s\n", local(argument).constData());
        if (argument == "-v") {
            verbose = true;
        } else if (argument == "-n") {
            std::printf("dryrun mode\n");
            dryrun = true;
        }
    }
    std::fflush(stdout);
}

void printLocaleDiagnostics() {
    if (!verbose) {
        return;
    }
    const QLocale locale = QLocale::system();
    std::printf("locale\n\tname: %s\n\tlanguage: %s\n\tzeroDigit: %s\n\tpositiveSign: %s\n"
                "\tnegativeSign: %s\n\tdecimalPoint: %s\n",
                local(locale.name()).constData(),
                local(QLocale::languageToString(locale.language())).constData(),
                local(QString(locale.zeroDigit())).constData(),
                local(QString(locale.positiveSign())).constData(),
                local(QString(locale.negativeSign())).constData(),
                local(QString(locale.decimalPoint())).constData());
    std::printf("%s\n", local(QLibraryInfo::location(QLibraryInfo::TranslationsPath)).constData());
    std::fflush(stdout);
}

void installTranslators(QCoreApplication& application, QTranslator& toolkit, QTranslator& utility) {
    const QString name = QLocale::system().name();
    // A failed load leaves an empty translator, which translates nothing: install it anyway.
    static_cast<void>(
        toolkit.load("qt_" + name, QLibraryInfo::location(QLibraryInfo::TranslationsPath)));
    application.installTranslator(&toolkit);
    if (utility.load("tarnqt_" + name, kCatalogueFolder)) {
        application.installTranslator(&utility);
    } else {
        std::printf("ERROR: language file %s is not found\n", local(name).constData());
        std::fflush(stdout);
    }
}

int runApplication(int argc, char* argv[], const std::function<void(QApplication&)>& prepare) {
    // Scaled pages and the @2x pictures on high-density screens.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication application(argc, argv);
    if (prepare) {
        prepare(application);
    }
    scanArguments(application.arguments());
    printLocaleDiagnostics();

    QTranslator toolkit;
    QTranslator utility;
    installTranslators(application, toolkit, utility);

    // Built after both translators, so the forms are translated while they are set up.
    MainFrame window;
    window.show();
    return application.exec();
}
