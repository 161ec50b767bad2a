#pragma once

#include <QApplication>

#include <gtest/gtest.h>

// The QApplication of a test executable, created on first use.
inline QApplication& testApp()
{
    static int argc = 1;
    static char name[] = "tarvek-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Base of window tests: the application exists before any widget member is built.
class GuiTest : public ::testing::Test
{
protected:
    GuiTest() { testApp(); }
};
