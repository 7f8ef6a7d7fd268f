#pragma once
// Display texts. Every window reads its texts from the language table when it
// initialises: section = form name, key = control or message name. A missing
// file, section or key gives an empty text. Nothing is cached across windows.
//
// At start-up `use` checks the chosen table: a missing, empty or damaged file
// (one without the main window's caption) is replaced by the same table of the
// installed share tree, else by the English table built into the program, and
// `note` says in one line what was damaged and what is used instead.

#include <QHash>
#include <QString>
#include <QStringList>

class LanguageTable
{
public:
    // Relative path of the table for a stored language code; empty for an unknown code.
    static QString fileForCode(const QString& code);

    // The language file in use (relative to the program folder), set at start-up.
    static void setFile(const QString& relativePath);
    // As setFile, with the fallbacks above; `shippedTrees` are the installed share trees.
    static void use(const QString& relativePath, const QStringList& shippedTrees);
    // The one line about a fallback, empty when the table was sound.
    static QString note();
    // The English table compiled into the program.
    static QString builtInEnglish();
    static QString file();
    static QString code();

    // One lookup, straight from the file.
    static QString text(const QString& section, const QString& key);
    // The key's text in every shipped table, the one in use first, without
    // empty texts or repeats: stored language texts are recognised whatever
    // table wrote them.
    static QStringList textInEveryTable(const QString& section, const QString& key);
};

// The texts of one section, read once when a window initialises.
class Texts
{
public:
    explicit Texts(const QString& section);
    // The section of one table file (full path).
    Texts(const QString& section, const QString& tablePath);
    QString operator()(const QString& key) const;
    QString section() const { return m_section; }

private:
    QString m_section;
    QHash<QString, QString> m_texts; // keys lower-cased
};
