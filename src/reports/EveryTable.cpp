#include "reports/EveryTable.h"

#include "core/IniFile.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"

namespace EveryTable {

QStringList texts(const QList<std::pair<const char*, const char*>>& keys)
{
    QStringList files{LanguageTable::file()};
    for (const char* code : {"0", "1", "2"})
        files << LanguageTable::fileForCode(QString::fromLatin1(code));
    files.removeDuplicates();
    QStringList out;
    for (const QString& file : files) {
        if (file.isEmpty())
            continue;
        for (const auto& [section, key] : keys) {
            const QString text = IniFile::readString(ProgramFolder::filePath(file),
                                                     QString::fromLatin1(section), QString::fromLatin1(key));
            if (!text.isEmpty() && !out.contains(text))
                out << text;
        }
    }
    return out;
}

} // namespace EveryTable
