#include "data/SettingsTable.h"

#include "data/DbAccess.h"

void SettingsTable::load()
{
    for (QString* field : {&Tag, &cellnum, &cinnum, &comlow, &comHigh, &ScrTextColor, &ScrSize, &ScrColor,
                           &UserPass, &SeatYesORNo, &ico, &per, &Pass, &mark})
        field->clear();
    DbAccess db;
    db.Connect(m_path);
    const Recordset& row =
        db.Query(QStringLiteral("select * from sysbasicset where Tag = ?"), {QStringLiteral("tag")});
    if (!row.isEof()) {
        row.read("Tag", Tag);
        row.read("cellnum", cellnum);
        row.read("cinnum", cinnum);
        row.read("comlow", comlow);
        row.read("comHigh", comHigh);
        row.read("ScrTextColor", ScrTextColor);
        row.read("ScrSize", ScrSize);
        row.read("ScrColor", ScrColor);
        row.read("UserPass", UserPass);
        row.read("SeatYesORNo", SeatYesORNo);
        row.read("ico", ico);
        row.read("per", per);
        row.read("Pass", Pass);
        row.read("mark", mark);
    }
    db.Disconnect();
}

bool SettingsTable::execute(const QString& statement, const QVariantList& values)
{
    return DbAccess::executeOnce(m_path, statement, values);
}

void AppearanceTable::load()
{
    for (QString* field : {&borderism, &function, &mianbmp, &logobmp})
        field->clear();
    DbAccess db;
    db.Connect(m_path);
    const Recordset& row =
        db.Query(QStringLiteral("select * from Manage where tag = ?"), {QStringLiteral("tag")});
    if (!row.isEof()) {
        row.read("borderism", borderism);
        row.read("function", function);
        row.read("mianbmp", mianbmp);
        row.read("logobmp", logobmp);
    }
    db.Disconnect();
}

ScreenSizeText splitScrSize(const QString& value)
{
    const int star = value.indexOf(QLatin1Char('*'));
    if (star < 0)
        return {value, QString()};
    QString height = value.mid(star + 1);
    height.remove(QLatin1Char('*'));
    return {value.left(star), height};
}

QColor storedColour(const QString& value)
{
    const qint64 number = value.trimmed().toLongLong();
    const quint32 bits = quint32(number) & 0xFFFFFFu;
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

QString colourToStored(const QColor& colour)
{
    return QString::number(colour.red() + colour.green() * 256 + colour.blue() * 65536);
}
