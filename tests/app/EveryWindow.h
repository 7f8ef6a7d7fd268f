#pragma once
// Every window a person can open, in every language: one list that the
// accessibility and text-fit checks both walk, so a new window joins once.
// A window may have several views (a hub's pages); each is checked.

#include "link/Link.h"
#include "screen/FrmScr.h"
#include "support/ConsoleTest.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

struct WindowViews
{
    QString name;
    std::function<std::unique_ptr<QWidget>()> open;
    // Views after the first, each reached from the one before (a hub's pages).
    QList<std::function<void(QWidget&)>> nextViews;
};

// A program folder with a system database, a 40-unit link and a hall screen,
// in the language of the test's parameter ("0", "1", "2").
class EveryWindowTest : public ConsoleTest, public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens each window, and calls check on each of its views.
    void forEveryView(const std::function<void(QWidget& window, const QString& view)>& check);

    Link link;
    std::unique_ptr<FrmScr> hallScreen;
};
