#pragma once
// The meeting's event chain as a test reads it: read-only, up to a break.

#include "data/DbAccess.h"
#include "data/EventLog.h"

inline EventLog::Chain eventChain(const QString& meetingPath)
{
    DbAccess db;
    db.connectReadOnly(meetingPath);
    EventLog::Chain chain = EventLog::readChain(db);
    db.disconnect();
    return chain;
}
