#include "data/DbAccess.h"

#include "core/ProgramFolder.h"
#include "data/PasswordHash.h"

#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>

const char* const DbAccess::kPassword = "583907";

namespace {

// The system's words for a file that is not there; nothing when it is.
std::optional<QString> missingFile(const QString& fullPath)
{
    if (QFileInfo(fullPath).isFile())
        return std::nullopt;
    return QStringLiteral("%1\n%2").arg(QString::fromLocal8Bit(std::strerror(ENOENT)), fullPath);
}

bool execSimple(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

// ---- DbRow ----

void DbRow::read(const char* column, QString& field) const
{
    const auto it = m_values.constFind(QByteArray(column).toLower());
    if (it != m_values.constEnd())
        field = QString::fromUtf8(*it);
}

void DbRow::readBytes(const char* column, QByteArray& field) const
{
    const auto it = m_values.constFind(QByteArray(column).toLower());
    if (it != m_values.constEnd())
        field = *it;
}

QString DbRow::text(const char* column) const
{
    QString field;
    read(column, field);
    return field;
}

bool DbRow::isNull(const char* column) const
{
    return !m_values.contains(QByteArray(column).toLower());
}

// ---- Recordset ----

Recordset::~Recordset()
{
    close();
}

void Recordset::open(sqlite3_stmt* statement)
{
    close();
    m_statement = statement;
    const int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i)
        m_columns.insert(QByteArray(sqlite3_column_name(statement, i)).toLower(), i);
}

void Recordset::close()
{
    if (m_statement)
        sqlite3_finalize(m_statement);
    m_statement = nullptr;
    m_hasRow = false;
    m_failed = false;
    m_columns.clear();
}

DbRow Recordset::row() const
{
    DbRow row;
    if (isEof())
        return row;
    for (auto it = m_columns.constBegin(); it != m_columns.constEnd(); ++it) {
        const int index = it.value();
        const int type = sqlite3_column_type(m_statement, index);
        if (type == SQLITE_NULL)
            continue;
        // Text as the store's text form (whole numbers as "%d"), blobs as their bytes.
        const void* data = type == SQLITE_BLOB
                               ? sqlite3_column_blob(m_statement, index)
                               : static_cast<const void*>(sqlite3_column_text(m_statement, index));
        row.m_values.insert(
            it.key(), QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(m_statement, index)));
    }
    return row;
}

void Recordset::moveNext()
{
    if (isEof())
        return;
    const int rc = sqlite3_step(m_statement);
    m_hasRow = rc == SQLITE_ROW;
    m_failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
}

int Recordset::columnIndex(const char* column) const
{
    return m_columns.value(QByteArray(column).toLower(), -1);
}

void Recordset::read(const char* column, QString& field) const
{
    const int index = columnIndex(column);
    if (isEof() || index < 0 || sqlite3_column_type(m_statement, index) == SQLITE_NULL)
        return;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
    field = QString::fromUtf8(text, sqlite3_column_bytes(m_statement, index));
}

void Recordset::readBytes(const char* column, QByteArray& field) const
{
    const int index = columnIndex(column);
    if (isEof() || index < 0 || sqlite3_column_type(m_statement, index) == SQLITE_NULL)
        return;
    const void* data = sqlite3_column_blob(m_statement, index);
    field = QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(m_statement, index));
}

bool Recordset::isNull(const char* column) const
{
    const int index = columnIndex(column);
    return isEof() || index < 0 || sqlite3_column_type(m_statement, index) == SQLITE_NULL;
}

// ---- DbAccess ----

DbAccess::~DbAccess()
{
    disconnect();
}

void DbAccess::connect(const QString& path, const QString& password)
{
    connectFile(path, SQLITE_OPEN_READWRITE, password);
}

void DbAccess::connectReadOnly(const QString& path)
{
    connectFile(path, SQLITE_OPEN_READONLY, QString::fromLatin1(kPassword));
}

void DbAccess::connectWithoutLock(const QString& path)
{
    connectFile(path, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, QString::fromLatin1(kPassword));
}

void DbAccess::connectFile(const QString& path, int flags, const QString& password)
{
    m_path = path;
    disconnect();
    const QString fullPath = ProgramFolder::filePath(path);
    if (const std::optional<QString> missing = missingFile(fullPath)) {
        reportConnectError(*missing);
        return;
    }
    openFile(fullPath, flags, password);
}

bool DbAccess::attach(const QString& alias, const QString& path)
{
    if (!ensureConnected())
        return false;
    const QString fullPath = ProgramFolder::filePath(path);
    if (const std::optional<QString> missing = missingFile(fullPath)) {
        reportConnectError(*missing);
        return false;
    }
    return execute(QStringLiteral("attach database ? as ") + alias, {fullPath});
}

bool DbAccess::create(const QString& path)
{
    m_path = path;
    disconnect();
    const QString fullPath = ProgramFolder::filePath(path);
    if (QFileInfo::exists(fullPath)) {
        reportConnectError(
            QStringLiteral("%1\n%2").arg(QString::fromLocal8Bit(std::strerror(EEXIST)), fullPath));
        return false;
    }
    // A new file has no password record yet; it gets one right away.
    return openFile(fullPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, QString()) &&
           setPassword(kPassword);
}

bool DbAccess::openFile(const QString& fullPath, int flags, const QString& password)
{
    sqlite3* db = nullptr;
    // Only an immutable reader names its file as a URI.
    const QByteArray name = (flags & SQLITE_OPEN_URI)
                                ? QUrl::fromLocalFile(fullPath).toEncoded() + "?immutable=1"
                                : fullPath.toUtf8();
    const int rc = sqlite3_open_v2(name.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        reportConnectError(QStringLiteral("%1\n%2").arg(message, fullPath));
        return false;
    }
    sqlite3_busy_timeout(db, 0);
    // Take the file for this object alone and keep it until disconnect.
    const bool writable = (flags & SQLITE_OPEN_READWRITE) != 0;
    if (writable && (!execSimple(db, "PRAGMA locking_mode=EXCLUSIVE") || !execSimple(db, "BEGIN EXCLUSIVE") ||
                     !execSimple(db, "COMMIT"))) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        reportConnectError(QStringLiteral("%1\n%2").arg(message, fullPath));
        return false;
    }
    m_db = db;
    if (!(flags & SQLITE_OPEN_CREATE) && !checkPassword(password)) {
        sqlite3_close(m_db);
        m_db = nullptr;
        reportConnectError(QStringLiteral("The database password is not valid.\n%1").arg(fullPath));
        return false;
    }
    return true;
}

bool DbAccess::checkPassword(const QString& password)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, "select salt, hash from DbPassword", -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return true; // a file without a password record opens with any password
    }
    bool valid = false;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        const QByteArray salt(static_cast<const char*>(sqlite3_column_blob(statement, 0)),
                              sqlite3_column_bytes(statement, 0));
        const QByteArray hash(static_cast<const char*>(sqlite3_column_blob(statement, 1)),
                              sqlite3_column_bytes(statement, 1));
        valid = PasswordHash::digest(salt, password) == hash;
    }
    sqlite3_finalize(statement);
    return valid;
}

bool DbAccess::setPassword(const QString& password)
{
    if (!ensureConnected())
        return false;
    const QByteArray salt = PasswordHash::newSalt();
    return execute(QStringLiteral("create table if not exists DbPassword(salt blob, hash blob)")) &&
           execute(QStringLiteral("delete from DbPassword")) &&
           execute(QStringLiteral("insert into DbPassword(salt, hash) values(?,?)"),
                   {salt, PasswordHash::digest(salt, password)});
}

bool DbAccess::ensureConnected()
{
    if (!m_db && !m_connectFailed)
        connect(m_path);
    return m_db != nullptr;
}

sqlite3_stmt* DbAccess::prepare(const QString& sql, const QVariantList& values)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values[i];
        const int slot = i + 1;
        if (value.isNull()) {
            sqlite3_bind_null(statement, slot);
            continue;
        }
        switch (value.typeId()) {
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            sqlite3_bind_blob(statement, slot, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            sqlite3_bind_int64(statement, slot, value.toLongLong());
            break;
        case QMetaType::Double:
            sqlite3_bind_double(statement, slot, value.toDouble());
            break;
        default: {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(statement, slot, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    return statement;
}

Recordset& DbAccess::query(const QString& sql, const QVariantList& values)
{
    m_rows.close();
    m_rows.m_failed = true; // until the statement has run
    if (!ensureConnected())
        return m_rows;
    sqlite3_stmt* statement = prepare(sql, values);
    if (!statement) {
        reportStoreError();
        return m_rows;
    }
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        reportStoreError();
        sqlite3_finalize(statement);
        return m_rows;
    }
    m_rows.open(statement);
    m_rows.m_hasRow = rc == SQLITE_ROW;
    return m_rows;
}

std::optional<QList<DbRow>> DbAccess::select(const QString& sql, const QVariantList& values)
{
    Recordset& rows = query(sql, values);
    if (rows.failed())
        return std::nullopt;
    QList<DbRow> result;
    for (; !rows.isEof(); rows.moveNext())
        result.append(rows.row());
    // A step that fails halfway is a failure too, not a shorter list.
    if (rows.failed()) {
        reportStoreError();
        return std::nullopt;
    }
    return result;
}

bool DbAccess::execute(const QString& sql, const QVariantList& values)
{
    if (!ensureConnected())
        return false;
    m_rows.close();
    sqlite3_stmt* statement = prepare(sql, values);
    if (!statement) {
        reportStoreError();
        return false;
    }
    int rc;
    do
        rc = sqlite3_step(statement);
    while (rc == SQLITE_ROW);
    if (rc != SQLITE_DONE) {
        reportStoreError();
        sqlite3_finalize(statement);
        return false;
    }
    sqlite3_finalize(statement);
    return true;
}

bool DbAccess::executeOnce(const QString& path, const QString& sql, const QVariantList& values)
{
    DbAccess db;
    db.connect(path);
    const bool done = db.execute(sql, values);
    db.disconnect();
    return done;
}

bool DbAccess::rowExists(const QString& path, const QString& sql, const QVariantList& values)
{
    return findsRow(path, sql, values).value_or(false);
}

std::optional<bool> DbAccess::findsRow(const QString& path, const QString& sql, const QVariantList& values)
{
    DbAccess db;
    db.connect(path);
    const Recordset& rows = db.query(sql, values);
    const std::optional<bool> found = rows.failed() ? std::nullopt : std::optional<bool>(!rows.isEof());
    db.disconnect();
    return found;
}

std::optional<QList<DbRow>> DbAccess::selectOnce(const QString& path, const QString& sql,
                                                 const QVariantList& values)
{
    DbAccess db;
    db.connect(path);
    std::optional<QList<DbRow>> rows = db.select(sql, values);
    db.disconnect();
    return rows;
}

void DbAccess::disconnect()
{
    m_connectFailed = false;
    m_rows.close();
    if (!m_db)
        return;
    sqlite3_close(m_db);
    m_db = nullptr;
}

qint64 DbAccess::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

bool DbAccess::beginTransaction()
{
    return execute(QStringLiteral("BEGIN"));
}

bool DbAccess::commit()
{
    return execute(QStringLiteral("COMMIT"));
}

void DbAccess::rollback()
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        execSimple(m_db, "ROLLBACK");
}

void DbAccess::reportStoreError()
{
    report(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void DbAccess::report(const QString& message)
{
    Services::current().storeFailed(message);
}

DbFailures::DbFailures() : m_previous(std::exchange(Services::current().storeFailures, this)) {}

DbFailures::~DbFailures()
{
    StoreFailures*& channel = Services::current().storeFailures;
    if (channel == this)
        channel = m_previous;
}

void DbAccess::reportConnectError(const QString& message)
{
    m_connectFailed = true;
    report(message);
}

// ---- DbTransaction ----

DbTransaction::DbTransaction(DbAccess& db) : m_db(db)
{
    m_open = m_db.beginTransaction();
}

DbTransaction::~DbTransaction()
{
    if (m_open)
        m_db.rollback();
}

bool DbTransaction::commit()
{
    if (!m_open)
        return false;
    m_open = false;
    if (m_db.commit())
        return true;
    m_db.rollback();
    return false;
}
