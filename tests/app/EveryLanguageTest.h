#pragma once
// Windows built once per language table ("0", "1", "2"), with a system
// database and a link that has 40 units, for checks that every window passes
// in every language.

#include "support/ConsoleTest.h"
#include "link/Link.h"
#include "data/Schema.h"

class EveryLanguageTest : public ConsoleTest, public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        useLanguage(GetParam());
        link.unitCount = 40;
    }
    Link link;
};
