#pragma once
// The command words the console sends and the operating mode that carries each.
// Pages build a Command here and hand it to Link::request; builders that take a
// unit number or value check its range and give std::nullopt instead of a word
// that must not be sent.

#include <QString>
#include <QtGlobal>
#include <optional>

namespace LinkMode {
enum : int
{
    Search = 1,        // search for the controller
    StartupPoll = 2,   // set by the sequencer itself
    LinePoll = 3,      // line check cycle
    Camera = 4,        // camera command
    Speaking = 5,      // speaking command
    Plain = 6,         // plain command (sign-in framing, line check framing)
    CollectSignIn = 7, // SignInEnd + one closing sign-in cycle
    SignInPoll = 8,    // endless sign-in cycle
    VoteCommand = 10,  // vote framing and VoteStart
    VotePoll = 11,     // endless vote cycle
    CollectVotes = 12, // VoteEnd + one closing vote cycle
    SingleQuery = 13,  // poll of one unit (manual sign-in)
    Idle = 14,         // connected, idle
    VoteEnd = 15,      // ControlEnd after a vote
    Numbering = 16,    // unit numbering
};
} // namespace LinkMode

struct Command
{
    quint32 word = 0;
    int mode = 0;
    bool operator==(const Command&) const = default;
};

namespace Commands {

// Fixed words.
constexpr quint32 kControlBegin = 0xF0010F;
constexpr quint32 kControlEnd = 0xF00120;
constexpr quint32 kSignInStart = 0xF40102;
constexpr quint32 kSupplementSignInStart = 0xF40104;
constexpr quint32 kSignInEnd = 0xF40105;
constexpr quint32 kVoteEnd = 0xF75508;
constexpr quint32 kAllMicsOff = 0xFBFFFF;
constexpr quint32 kSpeechModeFirst = 0xFE8103;
constexpr quint32 kPollBase = 0xFA0000;
constexpr quint32 kProbe = 0xFA0001;

// Frame classes.
constexpr quint8 kClassPoll = 0xFA;
constexpr quint8 kClassKeyReport = 0xF9;
constexpr quint8 kClassMicEvent = 0xE0;
constexpr quint8 kClassControl = 0xF0;
constexpr quint8 kClassSignIn = 0xF4;
constexpr quint8 kClassConfirmSignIn = 0xF3;
constexpr quint8 kClassVote = 0xF7;
constexpr quint8 kClassNumbering = 0xF8;
constexpr quint8 kClassSpeakerOn = 0xFC;
constexpr quint8 kClassSpeakerOff = 0xFB;
constexpr quint8 kClassSpeechMode = 0xFE;
constexpr quint8 kClassForbid = 0xF2;
constexpr quint8 kClassCamera = 0xE6;

// Key report bits (b1 of F9 ss nn).
constexpr quint8 kKeyMicFree = 0x80;
constexpr quint8 kKeySignIn = 0x40;
constexpr quint8 kKeyMicOpen = 0x20;
constexpr quint8 kKeyVoteMask = 0x1F;

// Microphone event codes (b1 of E0 ee nn).
constexpr quint8 kMicClosed = 0;
constexpr quint8 kMicOpened = 1;
constexpr quint8 kMicOpened2 = 2;
constexpr quint8 kMicClosed2 = 4;
constexpr quint8 kMicPriority = 8;
constexpr quint8 kMicClosed3 = 48;
constexpr quint8 kMicHighestCode = 48;

// Speech modes that take a number (b1 of FE b1 vv).
constexpr quint8 kSpeechModeSecond = 0x04;
constexpr quint8 kSpeechModeThird = 0x02;

constexpr int kHighestUnit = 249;
constexpr int kHighestNumberingStart = 250;
constexpr int kVoteKinds = 7;

// ControlBegin and ControlEnd go out with the mode of the procedure they frame.
Command controlBegin(int mode = LinkMode::Plain);
Command controlEnd(int mode = LinkMode::Plain);

Command signInStart();
Command supplementSignInStart();
Command signInEnd();
// Single query of one unit (manual sign-in): unit 1..unitCount.
std::optional<Command> singleQuery(int unit, int unitCount);
// ConfirmSignIn of one unit: unit 1..unitCount.
std::optional<Command> confirmSignIn(int unit, int unitCount);

// Key mask byte of VoteStart for a vote kind 0..6.
std::optional<quint8> voteKeyMask(int voteKind);
std::optional<Command> voteStart(int voteKind);
Command voteEnd();

// Numbering of the units from a start number 1..250.
std::optional<Command> startNumbering(int startNumber);

// Speaking commands: unit 1..unitCount; `mode` is Speaking, or Camera for the
// camera page's SpeakerOn.
std::optional<Command> speakerOn(int unit, int unitCount, int mode = LinkMode::Speaking);
std::optional<Command> speakerOff(int unit, int unitCount);
Command allMicsOff();
std::optional<Command> forbidUnit(int unit, int unitCount);
std::optional<Command> untieUnit(int unit, int unitCount);
Command speechModeFirst();
// Second (04) or third (02) speaking mode with its number 1..255.
std::optional<Command> speechModeNumber(quint8 modeCode, int number);

// Camera command E6 cc 55.
Command camera(quint8 code);

// The poll of unit n as the sequencer sends it.
constexpr quint32 pollWord(int unit)
{
    return kPollBase | quint32(unit & 0xFF);
}

// "FA0001" style name for logs: the word's name when it is one of ours, else empty.
QString name(quint32 word);

} // namespace Commands
