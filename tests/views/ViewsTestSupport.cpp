#include "ViewsTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

void clickButton(QDialog& dialog, const char* name)
{
    auto* const button = dialog.findChild<QPushButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}
