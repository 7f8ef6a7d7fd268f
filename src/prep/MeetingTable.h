#pragma once
// Meetings: the rows of Mottag in the system database, and the files each
// meeting owns: its database Data/<name>.db, its folder MeeFile/<key> with the
// motions' proposals, and its banner MeeFile/Meebanner/<key>.rtf.

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

// Every field has an initializer, so a designated initializer may name only the fields it needs.
struct Meeting
{
    QString name{};
    QString place{};
    QDate start{}; // invalid when none is stored
    QDate end{};
    QString bannerFile{}; // the banner's file name under MeeFile/Meebanner; empty for none
    QString key{};        // the meeting key, also the name of its folder
    int due = 0;
    std::optional<int> present{}; // the last sign-in's count; none before the first sign-in ends
    // The legal ratio of attendance in percent; none when the quorum is not tested.
    std::optional<int> legalRatio{};
    // The stored switch says neither "tested" nor "not tested": the sign-in leaves its quorum line as it was.
    bool ratioSwitchUnknown = false;

    bool operator==(const Meeting&) const = default;

    // The one form of the dates, stored and shown, whatever the language.
    static constexpr const char* kDateFormat = "yyyy/MM/dd";
    // The date in that form; empty when it is invalid.
    static QString dateText(const QDate& date) { return date.toString(QLatin1String(kDateFormat)); }
};

class MeetingTable : public QObject
{
    Q_OBJECT
public:
    explicit MeetingTable(QObject* parent = nullptr);
    void setPath(const QString& path) { m_path = path; }
    QString path() const { return m_path; }

    // Every meeting in creation order; none when the table could not be read.
    std::optional<QList<Meeting>> all();
    // The meeting of this name; none when there is none or it could not be read.
    std::optional<Meeting> find(const QString& name);
    bool exists(const QString& name);
    bool keyExists(const QString& key);
    // Adds the row as it is (the key included); create() is the page's way.
    bool insert(const Meeting& meeting);

    enum class CreateResult
    {
        Created,
        CreatedWithoutFolder, // row and database are there; MeeFile/<key> could not be made
        NameTaken,
        DatabaseExists,        // Data/<name>.db is there: nothing was stored, the page asks
        CannotReplaceDatabase, // the old file could not be deleted: nothing was stored
        Failed                 // nothing was stored (the store's failure is reported)
    };
    // What to do with a database file of the new meeting's name.
    enum class ExistingDatabase
    {
        Report,  // stop with DatabaseExists
        Replace, // delete it and make a new one
        Keep     // the meeting takes it over with its rows
    };
    // A new meeting: a free meeting key (set into `meeting`), its database, its
    // row and its folder. A database made here is removed again when the row
    // cannot be stored.
    CreateResult create(Meeting& meeting, ExistingDatabase existing = ExistingDatabase::Report);

    enum class ChangeResult
    {
        Changed,
        NameTaken,       // another meeting has the new name: nothing changed
        DatabaseRefused, // the database could not take the new name: nothing changed
        Failed           // the row could not be written: the database has its old name again
    };
    // Writes the fields of the row with the meeting's key. A new name takes the
    // database file and the record's anchor with it; when the row then cannot
    // be written they go back, so name, file and row always agree.
    ChangeResult change(const QString& storedName, const Meeting& meeting);

    // No list shows the banner or the sign-in count, so these are no changes a list follows.
    bool setBanner(const QString& key, const QString& file);
    bool setPresent(const QString& name, int present);
    // Whether any meeting has held a sign-in.
    bool anySignedIn();
    // The row, then its database, folder and banner.
    bool remove(const Meeting& meeting);

signals:
    // A row was added, changed or removed through this table (the banner aside).
    void changed();

private:
    bool update(const Meeting& meeting);
    QString m_path;
};

namespace MeetingFiles {

// Relative paths under the program folder.
QString folder(const QString& key);                        // "MeeFile/<key>"
QString bannerFolder();                                    // "MeeFile/Meebanner"
QString banner(const QString& file);                       // "MeeFile/Meebanner/<file>"
QString proposal(const QString& key, const QString& file); // "MeeFile/<key>/<file>"

// Makes MeeFile/<key>; true when it exists afterwards.
bool makeFolder(const QString& key);

// Deletes the database file, the meeting folder with its contents and the
// banner file. An invalid key deletes no folder, so MeeFile itself is safe.
void removeFiles(const QString& name, const QString& key, const QString& bannerFile);

} // namespace MeetingFiles
