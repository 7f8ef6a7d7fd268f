#pragma once
// The speakers' register of one meeting, from its speakers' log: every speech
// in speaking order, and each delegate's number of speeches and total time.
// Both are RegisterTables, so they are listed, exported and printed like the
// sign-in and vote registers.

#include "reports/RegisterTable.h"
#include "speak/SpeechTable.h"

#include <QList>
#include <QString>

class Texts;

namespace SpeakerRegister {

enum class Outcome
{
    Done,
    NoDatabase,
    Failed
};

struct Speeches
{
    Outcome outcome = Outcome::Done;
    QList<SpeechTable::Speech> speeches;
};
Speeches load(const QString& meetingName);

// Texts of section FrmSpeakput.
RegisterTable inOrder(const QList<SpeechTable::Speech>& speeches, const Texts& texts);
// One row per unit and delegate, by unit number.
RegisterTable totals(const QList<SpeechTable::Speech>& speeches, const Texts& texts);
// "2:05", "61:00": minutes and seconds.
QString duration(int seconds);

} // namespace SpeakerRegister
