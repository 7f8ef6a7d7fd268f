#pragma once
// Profile files with the semantics the language tables, the seat layout and the
// camera presets were written for: sections and keys compared case-insensitively,
// blanks trimmed around keys and values, the first matching section and key wins,
// and a missing file, section or key gives the caller's default.
//
// Files are read as UTF-8, or as UTF-16 when they start with a byte-order mark,
// and written back in the encoding they were read in. Writes replace the file
// atomically, so a crash leaves either the old or the new file, never half of one.

#include <QHash>
#include <QString>
#include <QStringList>

class IniFile
{
public:
    // Lookups are cut like a 256-character profile buffer.
    static constexpr int kMaxValueLength = 255;

    static QString readString(const QString& path, const QString& section, const QString& key,
                              const QString& defaultValue = QString());
    static int readInt(const QString& path, const QString& section, const QString& key, int defaultValue);
    // All key=value pairs of one section, keys as written (trimmed).
    static QList<QPair<QString, QString>> readSection(const QString& path, const QString& section);
    static QStringList sectionNames(const QString& path);

    // Sets one key (adding the section and key when missing); keeps everything else.
    static bool writeString(const QString& path, const QString& section, const QString& key,
                            const QString& value);
    // Removes one key; keeps everything else.
    static bool removeKey(const QString& path, const QString& section, const QString& key);
    // Removes one section with all its keys; keeps everything else.
    static bool removeSection(const QString& path, const QString& section);

    // A file of many sections (the seat layout) read once, looked up by the same rules.
    class Snapshot
    {
    public:
        QString readString(const QString& section, const QString& key,
                           const QString& defaultValue = QString()) const;
        int readInt(const QString& section, const QString& key, int defaultValue) const;

    private:
        friend class IniFile;
        QHash<QString, QHash<QString, QString>> m_sections; // names lower-cased, first wins
    };
    static Snapshot readAll(const QString& path);

    struct Section
    {
        QString name;
        QList<QPair<QString, QString>> entries;
    };
    // Replaces the whole file (UTF-8) with these sections, atomically.
    static bool writeAll(const QString& path, const QList<Section>& sections);
};
