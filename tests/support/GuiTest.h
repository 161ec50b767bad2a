#pragma once

#include "gui/Fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

// The QApplication of a test executable, created on first use.
inline QApplication& testApp()
{
    static int argc = 1;
    static char name[] = "tarvek-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        Fonts::chooseEngine(); // as the program does
        auto* created = new QApplication(argc, argv);
        // The fonts a Windows copy ships beside the program, as the program loads them.
        Fonts::loadBundled();
        return created;
    }();
    return *app;
}

// Base of window tests: the application exists before any widget member is built.
class GuiTest : public ::testing::Test
{
protected:
    GuiTest() { testApp(); }
};
