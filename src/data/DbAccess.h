#pragma once
// The one thin door to the stored tables. One short-lived object per operation:
//
//     DbAccess db;
//     db.connect(SystemDatabase);
//     Recordset& rows = db.query("select * from Mottag where MeeName = ?", {name});
//     while (!rows.isEof()) { rows.read("MeeAddr", address); rows.moveNext(); }
//     db.disconnect();
//
// Paths are relative to the program folder. While connected the object holds
// its file exclusively, so a second object on the same file is refused until
// the first disconnects. Values are always bound as parameters. A failure
// abandons the operation: a failed `query` reads as a query that found no
// rows (pages rely on that), a failed `execute` returns false. The data layer
// never speaks to the operator: the failure goes to the services'
// store-failure channel (a message in the program, the meeting hub's message
// bar while the hall runs), or to a `DbFailures` of a caller that tells it in
// its own words.
//
// Work that must stop on a failure asks the honest way: `failed()` on the
// rows of `query`, or `select`, which returns no list at all after a failure,
// so "found nothing" and "could not look" are never confused.

#include "core/ConsoleServices.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// A failure of a stored file, as the system or the store said it.
struct DbError
{
    QString detail; // the words, and a file's path on a second line; empty: no failure

    bool failed() const { return !detail.isEmpty(); }
    // The first line: the words without the path.
    QString words() const { return detail.section(QLatin1Char('\n'), 0, 0); }
};

// One row read whole, for accessors that return values rather than fill fields.
class DbRow
{
public:
    // As Recordset::read: Null or an unknown column leaves `field` as it was.
    void read(const char* column, QString& field) const;
    void readBytes(const char* column, QByteArray& field) const;
    // The column as text; empty for Null.
    QString text(const char* column) const;
    bool isNull(const char* column) const;

private:
    friend class Recordset;
    QHash<QByteArray, QByteArray> m_values; // lower-cased names; Null columns are absent
};

// The rows of one query, walked from the first row on.
class Recordset
{
public:
    Recordset() = default;
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool isEof() const { return m_statement == nullptr || !m_hasRow; }
    void moveNext();

    // The column (by name, case-insensitive) as text, whole numbers as "%d".
    // A Null value or an unknown column leaves `field` as it was.
    void read(const char* column, QString& field) const;
    // The column's bytes; Null leaves `field` as it was.
    void readBytes(const char* column, QByteArray& field) const;
    bool isNull(const char* column) const;
    // The query (or the connect before it) failed; the rows read as none.
    bool failed() const { return m_failed; }
    // The current row, copied.
    DbRow row() const;

private:
    friend class DbAccess;
    void open(sqlite3_stmt* statement);
    void close();
    int columnIndex(const char* column) const;

    sqlite3_stmt* m_statement = nullptr;
    bool m_hasRow = false;
    bool m_failed = false;
    QHash<QByteArray, int> m_columns; // lower-cased names
};

class DbAccess
{
public:
    // The one password every console database is opened with.
    static const char* const kPassword;

    DbAccess() = default;
    virtual ~DbAccess();
    DbAccess(const DbAccess&) = delete;
    DbAccess& operator=(const DbAccess&) = delete;

    // Opens the file (relative path) exclusively and checks its password.
    // The file must exist. On failure the system's message is reported and the
    // object stays unconnected.
    void connect(const QString& path, const QString& password = QString::fromLatin1(kPassword));
    // Opens the file for reading only, without the exclusive lock: a check
    // that must leave the file exactly as it found it (no journal, no header
    // written into an empty file).
    void connectReadOnly(const QString& path);
    // Reads without taking the file at all, so a console that holds it is never
    // kept from writing. What it reads may be half of a change: for hints only.
    void connectWithoutLock(const QString& path);
    // Attaches a second database file (relative path) under `alias`, so one
    // transaction can write both. Not inside a transaction.
    bool attach(const QString& alias, const QString& path);
    // SELECT with `?` parameters. Connects from the stored path when needed.
    Recordset& query(const QString& sql, const QVariantList& values = {});
    // Every row of the SELECT; no list when it failed (reported as query does).
    std::optional<QList<DbRow>> select(const QString& sql, const QVariantList& values = {});
    // INSERT, UPDATE, DELETE, CREATE. Connects from the stored path when needed.
    bool execute(const QString& sql, const QVariantList& values = {});
    // Closes the rows and the file. Does nothing after a failed connect.
    void disconnect();

    bool isConnected() const { return m_db != nullptr; }
    QString path() const { return m_path; }
    // Id of the row the last INSERT made.
    qint64 lastInsertId() const;

    // Writes that belong together: all or nothing.
    bool beginTransaction();
    bool commit();
    void rollback();

    // Stores the password record in a file this object just created.
    bool setPassword(const QString& password);

    // One short-lived connection for one statement; false when the file could
    // not be opened or the statement failed (both reported once).
    static bool executeOnce(const QString& path, const QString& sql, const QVariantList& values = {});
    // One short-lived connection: does the SELECT find any row? A failure reads as no.
    static bool rowExists(const QString& path, const QString& sql, const QVariantList& values);
    // The same, with no answer when the file or the statement failed.
    static std::optional<bool> findsRow(const QString& path, const QString& sql, const QVariantList& values);
    // One short-lived connection for `select`.
    static std::optional<QList<DbRow>> selectOnce(const QString& path, const QString& sql,
                                                  const QVariantList& values = {});

    // Creates an empty database file (relative path) and connects to it.
    // Fails when the file exists already.
    bool create(const QString& path);

private:
    bool ensureConnected();
    // `connect` and `connectReadOnly`: a missing file is reported, nothing is created.
    void connectFile(const QString& path, int flags, const QString& password);
    bool openFile(const QString& path, int flags, const QString& password);
    bool checkPassword(const QString& password);
    sqlite3_stmt* prepare(const QString& sql, const QVariantList& values);
    void reportStoreError();
    static void report(const QString& message);
    void reportConnectError(const QString& message);

    QString m_path;
    sqlite3* m_db = nullptr;
    // A failed connect is reported once: the query or execute after it does not
    // try (and report) again. `disconnect` clears it.
    bool m_connectFailed = false;
    Recordset m_rows;
};

// Takes the store's failures while it lives, in place of the services' channel
// (the innermost one wins): for a caller that tells them in its own words, or
// not at all (a running count rewritten every 500 ms).
class DbFailures : public StoreFailures
{
public:
    DbFailures();
    ~DbFailures() override;
    DbFailures(const DbFailures&) = delete;
    DbFailures& operator=(const DbFailures&) = delete;

    void failed(const QString& detail) override { m_last.detail = detail; }
    // The last failure taken; none when nothing failed.
    const DbError& last() const { return m_last; }

private:
    StoreFailures* m_previous;
    DbError m_last;
};

// Rolls back unless committed.
class DbTransaction
{
public:
    explicit DbTransaction(DbAccess& db);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;
    bool isOpen() const { return m_open; }
    bool commit();

private:
    DbAccess& m_db;
    bool m_open = false;
};
