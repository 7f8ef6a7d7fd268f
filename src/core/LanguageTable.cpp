#include "core/LanguageTable.h"

#include "core/IniFile.h"
#include "core/ProgramFolder.h"

namespace {
QString g_file;
}

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
    g_file = relativePath;
}

QString LanguageTable::file()
{
    return g_file;
}

QString LanguageTable::code()
{
    for (const QString& code : {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")})
        if (!g_file.isEmpty() && fileForCode(code) == g_file)
            return code;
    return QString();
}

QString LanguageTable::text(const QString& section, const QString& key)
{
    if (g_file.isEmpty())
        return QString();
    return IniFile::readString(ProgramFolder::filePath(g_file), section, key);
}

QStringList LanguageTable::textInEveryTable(const QString& section, const QString& key)
{
    QStringList files{g_file};
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

Texts::Texts(const QString& section) : m_section(section)
{
    if (LanguageTable::file().isEmpty())
        return;
    const auto entries = IniFile::readSection(ProgramFolder::filePath(LanguageTable::file()), section);
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
