#include "core/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QStringConverter>

namespace {

enum class Encoding
{
    Utf8,
    Utf8Bom,
    Utf16Le,
    Utf16Be
};

struct Lines
{
    QStringList lines;
    Encoding encoding = Encoding::Utf8;
    bool existed = false;
};

Lines readLines(const QString& path)
{
    Lines result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.existed = true;
    const QByteArray bytes = file.readAll();
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        result.encoding = Encoding::Utf16Le;
        text = QStringDecoder(QStringConverter::Utf16LE).decode(bytes.mid(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        result.encoding = Encoding::Utf16Be;
        text = QStringDecoder(QStringConverter::Utf16BE).decode(bytes.mid(2));
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        text = QString::fromUtf8(bytes);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.lines = text.split(QLatin1Char('\n'));
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast();
    return result;
}

bool writeLines(const QString& path, const Lines& content)
{
    QString text = content.lines.join(QLatin1String("\r\n"));
    if (!content.lines.isEmpty())
        text += QLatin1String("\r\n");
    QByteArray bytes;
    switch (content.encoding) {
    case Encoding::Utf16Le:
        bytes = QByteArray("\xFF\xFE") + QStringEncoder(QStringConverter::Utf16LE).encode(text);
        break;
    case Encoding::Utf16Be:
        bytes = QByteArray("\xFE\xFF") + QStringEncoder(QStringConverter::Utf16BE).encode(text);
        break;
    case Encoding::Utf8Bom:
        bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case Encoding::Utf8:
        bytes = text.toUtf8();
        break;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

// "[name]" with blanks around; returns the trimmed name or a null string.
QString sectionOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return QString();
    const int close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return QString();
    return trimmed.mid(1, close - 1).trimmed();
}

struct Entry
{
    QString key;
    QString value;
    bool valid = false;
};

Entry entryOf(const QString& line)
{
    Entry entry;
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
        return entry;
    const int equals = trimmed.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return entry;
    entry.key = trimmed.left(equals).trimmed();
    entry.value = trimmed.mid(equals + 1).trimmed();
    // A value in matching quotes loses them, as profile readers do.
    if (entry.value.size() >= 2) {
        const QChar first = entry.value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && entry.value.back() == first)
            entry.value = entry.value.mid(1, entry.value.size() - 2);
    }
    entry.valid = !entry.key.isEmpty();
    return entry;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index range [begin, end) of the first section named `section` (header included), or -1.
std::pair<int, int> findSection(const QStringList& lines, const QString& section)
{
    const QString wanted = section.trimmed();
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = sectionOf(lines[i]);
        if (name.isNull() || !sameName(name, wanted))
            continue;
        int end = i + 1;
        while (end < lines.size() && sectionOf(lines[end]).isNull())
            ++end;
        return {i, end};
    }
    return {-1, -1};
}

// Leading digits count, like the profile reader: "12abc" is 12, "abc" is 0;
// only an empty text gives the default.
int leadingInt(const QString& text, int defaultValue)
{
    if (text.isEmpty())
        return defaultValue;
    int end = 0;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    while (end < text.size() && text[end].isDigit())
        ++end;
    bool ok = false;
    const int value = text.left(end).toInt(&ok);
    return ok ? value : 0;
}

} // namespace

QString IniFile::readString(const QString& path, const QString& section, const QString& key,
                            const QString& defaultValue)
{
    const Lines content = readLines(path);
    const auto [begin, end] = findSection(content.lines, section);
    if (begin < 0)
        return defaultValue.left(kMaxValueLength);
    const QString wanted = key.trimmed();
    for (int i = begin + 1; i < end; ++i) {
        const Entry entry = entryOf(content.lines[i]);
        if (entry.valid && sameName(entry.key, wanted))
            return entry.value.left(kMaxValueLength);
    }
    return defaultValue.left(kMaxValueLength);
}

int IniFile::readInt(const QString& path, const QString& section, const QString& key, int defaultValue)
{
    return leadingInt(readString(path, section, key), defaultValue);
}

QList<QPair<QString, QString>> IniFile::readSection(const QString& path, const QString& section)
{
    QList<QPair<QString, QString>> result;
    const Lines content = readLines(path);
    const auto [begin, end] = findSection(content.lines, section);
    for (int i = begin + 1; begin >= 0 && i < end; ++i) {
        const Entry entry = entryOf(content.lines[i]);
        if (entry.valid)
            result.append({entry.key, entry.value});
    }
    return result;
}

QStringList IniFile::sectionNames(const QString& path)
{
    QStringList names;
    for (const QString& line : readLines(path).lines) {
        const QString name = sectionOf(line);
        if (!name.isNull())
            names.append(name);
    }
    return names;
}

bool IniFile::writeString(const QString& path, const QString& section, const QString& key,
                          const QString& value)
{
    Lines content = readLines(path);
    const QString newLine = key.trimmed() + QLatin1Char('=') + value;
    const auto [begin, end] = findSection(content.lines, section);
    if (begin < 0) {
        if (!content.lines.isEmpty() && !content.lines.last().trimmed().isEmpty())
            content.lines.append(QString());
        content.lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        content.lines.append(newLine);
        return writeLines(path, content);
    }
    int lastEntry = begin;
    for (int i = begin + 1; i < end; ++i) {
        const Entry entry = entryOf(content.lines[i]);
        if (!entry.valid)
            continue;
        lastEntry = i;
        if (sameName(entry.key, key.trimmed())) {
            content.lines[i] = newLine;
            return writeLines(path, content);
        }
    }
    content.lines.insert(lastEntry + 1, newLine);
    return writeLines(path, content);
}

bool IniFile::removeKey(const QString& path, const QString& section, const QString& key)
{
    Lines content = readLines(path);
    const auto [begin, end] = findSection(content.lines, section);
    if (begin < 0)
        return content.existed;
    for (int i = begin + 1; i < end; ++i) {
        const Entry entry = entryOf(content.lines[i]);
        if (entry.valid && sameName(entry.key, key.trimmed())) {
            content.lines.removeAt(i);
            return writeLines(path, content);
        }
    }
    return true;
}

bool IniFile::removeSection(const QString& path, const QString& section)
{
    Lines content = readLines(path);
    const auto [begin, end] = findSection(content.lines, section);
    if (begin < 0)
        return content.existed;
    content.lines.remove(begin, end - begin);
    return writeLines(path, content);
}

IniFile::Snapshot IniFile::readAll(const QString& path)
{
    Snapshot snapshot;
    QHash<QString, QString>* current = nullptr;
    QSet<QString> seen;
    for (const QString& line : readLines(path).lines) {
        const QString name = sectionOf(line);
        if (!name.isNull()) {
            const QString lower = name.toLower();
            // A repeated section is not looked up again: the first one wins.
            current = seen.contains(lower) ? nullptr : &snapshot.m_sections[lower];
            seen.insert(lower);
            continue;
        }
        const Entry entry = entryOf(line);
        if (current && entry.valid && !current->contains(entry.key.toLower()))
            current->insert(entry.key.toLower(), entry.value.left(kMaxValueLength));
    }
    return snapshot;
}

QString IniFile::Snapshot::readString(const QString& section, const QString& key,
                                      const QString& defaultValue) const
{
    const auto found = m_sections.constFind(section.trimmed().toLower());
    if (found == m_sections.constEnd())
        return defaultValue.left(kMaxValueLength);
    return found->value(key.trimmed().toLower(), defaultValue.left(kMaxValueLength));
}

int IniFile::Snapshot::readInt(const QString& section, const QString& key, int defaultValue) const
{
    return leadingInt(readString(section, key), defaultValue);
}

bool IniFile::writeAll(const QString& path, const QList<Section>& sections)
{
    Lines content;
    for (const Section& section : sections) {
        if (!content.lines.isEmpty())
            content.lines.append(QString());
        content.lines.append(QLatin1Char('[') + section.name + QLatin1Char(']'));
        for (const auto& [key, value] : section.entries)
            content.lines.append(key + QLatin1Char('=') + value);
    }
    return writeLines(path, content);
}
