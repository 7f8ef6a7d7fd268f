#pragma once
// Base fixture: a fresh program folder (a copy of the shipped share/ tree),
// English texts, virtual time and a prompt recorder, all in the test's
// services. Every prompt a test does not take fails the test at the end.

#include "support/ServicesGuard.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class ConsoleTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Absolute path of a file in the program folder.
    QString programFile(const QString& relative) const;
    // Chooses the language table by stored code ("0", "1", "2").
    void useLanguage(const QString& code);

    QTemporaryDir m_folder;
    ServicesGuard services;
    PromptRecorder& prompts = services.prompts;
    VirtualTimerService& clock = services.virtualClock;
    QList<int>& programEnds = services.programEnds;
};
