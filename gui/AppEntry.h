// SPDX-License-Identifier: Apache-2.0
// The start-up steps of tarnqt before the main window is built.
#pragma once

#include <QStringList>

#include <functional>

class QApplication;
class QCoreApplication;
class QTranslator;

// Echoes every argument and sets verbose for "-v" and dryrun for "-n"; anything else is ignored.
void scanArguments(const QStringList& arguments);
// With verbose: the system locale and the toolkit's translations folder on standard output.
void printLocaleDiagnostics();
// Installs the toolkit's catalogue (always) and tarnqt's own catalogue (when it loads).
void installTranslators(QCoreApplication& application, QTranslator& toolkit, QTranslator& utility);

// The whole of tarnqt: the application with its high-density settings, the steps above, the
// window and the event loop. prepare, if given, sees the application before anything else runs
// (the start-up benchmark installs its watch there).
int runApplication(int argc, char* argv[],
                   const std::function<void(QApplication&)>& prepare = nullptr);
