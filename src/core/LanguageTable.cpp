#include "core/LanguageTable.h"

#include "core/ConsoleServices.h"
#include "core/IniFile.h"
#include "core/ProgramFolder.h"

namespace {

LanguageChoice& choice()
{
    return Services::current().language;
}

QString tablePath()
{
    return choice().path.isEmpty() ? ProgramFolder::filePath(choice().file) : choice().path;
}

// A table that gives the main window its caption is taken as whole.
bool isSound(const QString& path)
{
    return !IniFile::readString(path, QStringLiteral("FrmMain"), QStringLiteral("DlgName")).isEmpty();
}
} // namespace

QString LanguageTable::fileForCode(const QString& code)
{
    if (code == QLatin1String("0"))
        return QStringLiteral("System/Menu/menu.ini");
    if (code == QLatin1String("1"))
        return QStringLiteral("System/Menu/menu_e.ini");
    if (code == QLatin1String("2"))
        return QStringLiteral("System/Menu/menu_p.ini");
    return QString();
}

void LanguageTable::setFile(const QString& relativePath)
{
    choice() = LanguageChoice{relativePath, QString(), QString()};
}

void LanguageTable::use(const QString& relativePath, const QStringList& shippedTrees)
{
    setFile(relativePath);
    if (relativePath.isEmpty() || isSound(ProgramFolder::filePath(relativePath)))
        return;
    for (const QString& tree : shippedTrees) {
        const QString shipped = tree + QLatin1Char('/') + relativePath;
        if (isSound(shipped)) {
            choice().path = shipped;
            choice().note = QStringLiteral("%1 is missing or damaged: the texts come from %2.")
                                .arg(ProgramFolder::filePath(relativePath), shipped);
            return;
        }
    }
    choice().file = fileForCode(QStringLiteral("1"));
    choice().path = builtInEnglish();
    choice().note =
        QStringLiteral("%1 is missing or damaged: the texts are the English built into the program.")
            .arg(ProgramFolder::filePath(relativePath));
}

QString LanguageTable::note()
{
    return choice().note;
}

QString LanguageTable::builtInEnglish()
{
    return QStringLiteral(":/language/menu_e.ini");
}

QString LanguageTable::file()
{
    return choice().file;
}

QString LanguageTable::code()
{
    for (const QString& code : {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")})
        if (!file().isEmpty() && fileForCode(code) == file())
            return code;
    return QString();
}

QString LanguageTable::text(const QString& section, const QString& key)
{
    if (file().isEmpty())
        return QString();
    return IniFile::readString(tablePath(), section, key);
}

QStringList LanguageTable::textInEveryTable(const QString& section, const QString& key)
{
    QStringList files{file()};
    for (const QString& code : {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")})
        if (!files.contains(fileForCode(code)))
            files.append(fileForCode(code));
    QStringList texts;
    for (const QString& file : files) {
        const QString value =
            file.isEmpty() ? QString() : IniFile::readString(ProgramFolder::filePath(file), section, key);
        if (!value.isEmpty() && !texts.contains(value))
            texts.append(value);
    }
    return texts;
}

Texts::Texts(const QString& section)
    : Texts(section, LanguageTable::file().isEmpty() ? QString() : tablePath())
{
}

Texts::Texts(const QString& section, const QString& tablePath) : m_section(section)
{
    if (tablePath.isEmpty())
        return;
    const auto entries = IniFile::readSection(tablePath, section);
    for (const auto& [key, value] : entries) {
        const QString lower = key.toLower();
        if (!m_texts.contains(lower)) // the first key of a name wins
            m_texts.insert(lower, value.left(IniFile::kMaxValueLength));
    }
}

QString Texts::operator()(const QString& key) const
{
    return m_texts.value(key.trimmed().toLower());
}
