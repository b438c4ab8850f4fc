// SPDX-License-Identifier: Apache-2.0
#include "CompatiblityCheck.h"

#include "RunFlags.h"

#include <QImageReader>
#include <QImageWriter>
#include <QMovie>

#include <cstdio>

namespace {

void printFormats(FILE* stream, const char* title, const QList<QByteArray>& formats) {
    std::fputs(title, stream);
    for (const QByteArray& format : formats) {
        std::fprintf(stream, "%s, ", format.constData());
    }
    std::fputs("\n", stream);
}

} // namespace

CompatiblityCheck::CompatiblityCheck() : mngSupported(false) {
    if (verbose) {
        printFormats(stdout, "QMovie::supportedFormats(): ", QMovie::supportedFormats());
        printFormats(stdout, "QImageWriter::supportedImageFormats(): ",
                     QImageWriter::supportedImageFormats());
        std::fflush(stdout);
        std::fputs("QImageReader::supportedImageFormats(): ", stderr);
    }
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        if (verbose) {
            std::fprintf(stderr, "%s, ", format.constData());
        }
        if (format == "mng") {
            mngSupported = true;
            if (verbose) {
                std::fputs("mng supported\n", stderr);
            }
        }
    }
    if (verbose) {
        std::fputs("\n", stderr);
    }
}
