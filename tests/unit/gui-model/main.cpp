// SPDX-License-Identifier: Apache-2.0
#include <QCoreApplication>

#include <gtest/gtest.h>

// Translators need an application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
