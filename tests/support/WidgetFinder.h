#pragma once
// Finds a page's widget by its object name and fails the test when it is missing.

#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

template <typename T = QPushButton> T* findWidget(const QWidget* root, const char* name)
{
    T* widget = root->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << "no widget named " << name;
    return widget;
}

inline void clickButton(const QWidget* root, const char* name)
{
    if (auto* button = findWidget<QAbstractButton>(root, name))
        QTest::mouseClick(button, Qt::LeftButton);
}
