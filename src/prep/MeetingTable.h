#pragma once
// Meetings: the rows of Mottag in the system database, and the files each
// meeting owns: its database Data/<name>.db, its folder MeeFile/<key> with the
// motions' proposals, and its banner MeeFile/Meebanner/<key>.rtf.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct MeetingRecord
{
    QString MeeName;
    QString MeeAddr;
    QString DateStart;
    QString DateEnd;
    QString bannerPath;
    QString insertdate; // the meeting key
    QString DueNum;
    QString SignIn;
    QString bSetLimit; // "1" a legal ratio is set, "2" none
    QString limit;     // the ratio in percent, "0" when none
};

class MeetingTable
{
public:
    MeetingTable();
    void setPath(const QString& path) { m_path = path; }
    QString path() const { return m_path; }

    // Every meeting in creation order; none when the table could not be read.
    std::optional<QList<MeetingRecord>> all();
    // The meeting of this name; none when there is none or it could not be read.
    std::optional<MeetingRecord> find(const QString& name);

    // Names and start dates of all meetings, in creation order; false when the
    // table could not be read (the lists are then empty).
    bool loadList();
    QStringList names;
    QStringList startDates;

    // Fills the record from the meeting of this name; false when there is none.
    bool load(const QString& name);
    bool exists(const QString& name);
    bool keyExists(const QString& key);
    bool insert();

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
    // A new meeting from `record`: a free meeting key (set into the record), its
    // database, its row and its folder. A database made here is removed again
    // when the row cannot be stored.
    CreateResult create(MeetingRecord& record, ExistingDatabase existing = ExistingDatabase::Report);

    // Changes the row of the record's meeting key.
    bool update();
    bool setBanner(const QString& key, const QString& file);
    bool remove(const QString& name);

    MeetingRecord record;

private:
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

enum class RenameResult
{
    Renamed,
    NothingToRename, // the old file is missing: nothing is lost
    Refused          // the old file stays; the new name is taken or the move failed
};
RenameResult renameDatabase(const QString& oldName, const QString& newName);

// Deletes the database file, the meeting folder with its contents and the
// banner file. An invalid key deletes no folder, so MeeFile itself is safe.
void removeFiles(const QString& name, const QString& key, const QString& bannerFile);

} // namespace MeetingFiles
