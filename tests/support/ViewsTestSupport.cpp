#include "support/ViewsTestSupport.h"

#include "support/GuiTest.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

void ensureApplication()
{
    testApp();
}

void clickButton(QDialog& dialog, const char* name)
{
    auto* const button = dialog.findChild<QPushButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}
