// SPDX-License-Identifier: MIT
#pragma once

#include "app/Startup.h"

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, with the application prepared as the game prepares it.
#define RINGTAFEL_TEST_MAIN(TestClass)                                                                       \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        QApplication application(argc, argv);                                                                \
        app::prepareApplication(application);                                                               \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
