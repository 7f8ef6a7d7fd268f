#include "prep/Motion.h"

#include "core/IniFile.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"

namespace {

void addText(QStringList& list, const QString& text)
{
    if (!text.isEmpty() && !list.contains(text))
        list.append(text);
}

} // namespace

std::optional<VoteKind> MotionWords::kindOf(const QString& text) const
{
    if (text.isEmpty())
        return std::nullopt;
    for (const QStringList& table : kinds)
        if (const std::optional<VoteKind> kind = voteKind(int(table.indexOf(text))))
            return kind;
    return std::nullopt;
}

QString MotionWords::kindText(const Motion& motion) const
{
    return motion.kind ? kinds.value(0).value(int(*motion.kind)) : motion.unknownKind;
}

MotionWords MotionWords::fromLanguageTables()
{
    MotionWords words;
    const Texts page(QStringLiteral("FrmMeeMat"));
    words.dueBase = page(QStringLiteral("cbVBaseOne"));
    words.presentBase = page(QStringLiteral("cbVBaseTwo"));
    words.strictRule = page(QStringLiteral("cbVAberOne"));
    words.lenientRule = page(QStringLiteral("cbVAberTwo"));
    words.notVoted = page(QStringLiteral("DataNo"));

    // The table in use first, so its kind texts win where two tables share one.
    QStringList files{LanguageTable::file()};
    for (const char* code : {"0", "1", "2"})
        addText(files, LanguageTable::fileForCode(QString::fromLatin1(code)));
    for (const QString& file : files) {
        if (file.isEmpty())
            continue;
        const QString path = ProgramFolder::filePath(file);
        const Texts vote(QStringLiteral("FrmMeeVote"), path);
        const Texts prep(QStringLiteral("FrmMeeMat"), path);
        const Texts common(QStringLiteral("Public"), path);
        const auto both = [&](QStringList& list, const char* voteKey, const char* prepKey) {
            addText(list, vote(QString::fromLatin1(voteKey)));
            addText(list, prep(QString::fromLatin1(prepKey)));
        };
        both(words.dueBases, "cbBaseOne", "cbVBaseOne");
        both(words.presentBases, "cbBaseTwo", "cbVBaseTwo");
        both(words.strictRules, "cbAbetOne", "cbVAberOne");
        both(words.votedStates, "DateYes", "DataYes");
        QStringList kinds;
        for (int k = 1; k <= kVoteKinds; ++k)
            kinds << common(QStringLiteral("VoteType%1").arg(k));
        words.kinds.append(kinds);
    }
    return words;
}
