// The start-up steps of tarnqt before the main window is built.
#pragma once

#include <QStringList>

class QCoreApplication;
class QTranslator;

// Echoes every argument and sets verbose for "-v" and dryrun for "-n"; anything else is ignored.
void scanArguments(const QStringList& arguments);
// With verbose: the system locale and the toolkit's translations folder on standard output.
void printLocaleDiagnostics();
// Installs the toolkit's catalogue (always) and tarnqt's own catalogue (when it loads).
void installTranslators(QCoreApplication& application, QTranslator& toolkit, QTranslator& utility);
