#pragma once
// The one way past Link's private state, for tests and the measuring tools:
// the dispatcher's mode set without a request (a frame read in a given mode),
// and a unit's record written as only the link itself writes it.

#include "link/Link.h"

class LinkTestSeam
{
public:
    static void setOperatingMode(Link& link, int mode) { link.m_operatingMode = mode; }
    static UnitRecord& unit(Link& link, int number) { return link.record(number); }
};
