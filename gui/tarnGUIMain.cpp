// tarnqt: the graphical maintenance utility; every printer task is one run of tarn.
#include "AppEntry.h"
#include "MainFrame.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[]) {
    // Scaled pages and the @2x pictures on high-density screens.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication application(argc, argv);
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
