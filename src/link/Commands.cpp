#include "link/Commands.h"

namespace Commands {

namespace {

bool unitInRange(int unit, int unitCount)
{
    return unit >= 1 && unit <= unitCount && unit <= kHighestUnit;
}

std::optional<Command> unitCommand(quint8 cls, quint8 b1, int unit, int unitCount, int mode)
{
    if (!unitInRange(unit, unitCount))
        return std::nullopt;
    return Command{quint32(cls) << 16 | quint32(b1) << 8 | quint32(unit), mode};
}

} // namespace

Command controlBegin(int mode)
{
    return {kControlBegin, mode};
}

Command controlEnd(int mode)
{
    return {kControlEnd, mode};
}

Command signInStart()
{
    return {kSignInStart, LinkMode::Plain};
}

Command supplementSignInStart()
{
    return {kSupplementSignInStart, LinkMode::Plain};
}

Command signInEnd()
{
    return {kSignInEnd, LinkMode::CollectSignIn};
}

std::optional<Command> singleQuery(int unit, int unitCount)
{
    return unitCommand(kClassPoll, 0x00, unit, unitCount, LinkMode::SingleQuery);
}

std::optional<Command> confirmSignIn(int unit, int unitCount)
{
    return unitCommand(kClassConfirmSignIn, 0x00, unit, unitCount, LinkMode::Plain);
}

std::optional<quint8> voteKeyMask(int voteKind)
{
    static constexpr quint8 kMasks[kVoteKinds] = {0x01, 0x01, 0x07, 0x03, 0x05, 0x03, 0x01};
    if (voteKind < 0 || voteKind >= kVoteKinds)
        return std::nullopt;
    return kMasks[voteKind];
}

std::optional<Command> voteStart(int voteKind)
{
    const std::optional<quint8> mask = voteKeyMask(voteKind);
    if (!mask)
        return std::nullopt;
    return Command{0xF75500u | *mask, LinkMode::VoteCommand};
}

Command voteEnd()
{
    return {kVoteEnd, LinkMode::CollectVotes};
}

std::optional<Command> startNumbering(int startNumber)
{
    if (startNumber < 1 || startNumber > kHighestNumberingStart)
        return std::nullopt;
    return Command{0xF80000u | quint32(startNumber), LinkMode::Numbering};
}

std::optional<Command> speakerOn(int unit, int unitCount, int mode)
{
    return unitCommand(kClassSpeakerOn, 0x00, unit, unitCount, mode);
}

std::optional<Command> speakerOff(int unit, int unitCount)
{
    return unitCommand(kClassSpeakerOff, 0x00, unit, unitCount, LinkMode::Speaking);
}

Command allMicsOff()
{
    return {kAllMicsOff, LinkMode::Speaking};
}

std::optional<Command> forbidUnit(int unit, int unitCount)
{
    return unitCommand(kClassForbid, 0x00, unit, unitCount, LinkMode::Speaking);
}

std::optional<Command> untieUnit(int unit, int unitCount)
{
    return unitCommand(kClassForbid, 0x08, unit, unitCount, LinkMode::Speaking);
}

Command speechModeFirst()
{
    return {kSpeechModeFirst, LinkMode::Speaking};
}

std::optional<Command> speechModeNumber(quint8 modeCode, int number)
{
    if ((modeCode != kSpeechModeSecond && modeCode != kSpeechModeThird) || number < 1 || number > 0xFF)
        return std::nullopt;
    return Command{quint32(kClassSpeechMode) << 16 | quint32(modeCode) << 8 | quint32(number),
                   LinkMode::Speaking};
}

Command camera(quint8 code)
{
    return {quint32(kClassCamera) << 16 | quint32(code) << 8 | 0x55u, LinkMode::Camera};
}

QString name(quint32 word)
{
    const quint8 cls = quint8(word >> 16);
    const quint8 b1 = quint8(word >> 8);
    switch (word & 0xFFFFFF) {
    case kControlBegin:
        return QStringLiteral("ControlBegin");
    case kControlEnd:
        return QStringLiteral("ControlEnd");
    case kSignInStart:
        return QStringLiteral("SignInStart");
    case kSupplementSignInStart:
        return QStringLiteral("SupplementSignInStart");
    case kSignInEnd:
        return QStringLiteral("SignInEnd");
    case kVoteEnd:
        return QStringLiteral("VoteEnd");
    case kAllMicsOff:
        return QStringLiteral("AllMicsOff");
    case kSpeechModeFirst:
        return QStringLiteral("SpeechMode");
    default:
        break;
    }
    switch (cls) {
    case kClassPoll:
        return b1 == 0 ? QStringLiteral("PollUnit") : QString();
    case kClassKeyReport:
        return QStringLiteral("KeyReport");
    case kClassMicEvent:
        return QStringLiteral("MicEvent");
    case kClassConfirmSignIn:
        return QStringLiteral("ConfirmSignIn");
    case kClassVote:
        return b1 == 0x55 ? QStringLiteral("VoteStart") : QString();
    case kClassNumbering:
        return QStringLiteral("StartNumbering");
    case kClassSpeakerOn:
        return QStringLiteral("SpeakerOn");
    case kClassSpeakerOff:
        return QStringLiteral("SpeakerOff");
    case kClassSpeechMode:
        return QStringLiteral("SpeechMode");
    case kClassForbid:
        return b1 == 0x08 ? QStringLiteral("UntieUnit") : b1 == 0 ? QStringLiteral("ForbidUnit") : QString();
    case kClassCamera:
        return QStringLiteral("Camera");
    default:
        return QString();
    }
}

} // namespace Commands
