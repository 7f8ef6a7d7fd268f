#pragma once
// A test on the program folder's system database, with its settings row at hand.

#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "support/ConsoleTest.h"

class SystemDatabaseTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        settings.setPath(Schema::kSystemDatabase);
    }

    SettingsTable settings;
};
