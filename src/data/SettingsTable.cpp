#include "data/SettingsTable.h"

#include "data/DbAccess.h"

bool SettingsTable::load()
{
    for (QString* field :
         {&Tag,        &cellnum,    &cinnum,      &comlow, &comHigh, &ScrTextColor, &ScrSize,
          &ScrColor,   &UserPass,   &SeatYesORNo, &ico,    &per,     &Pass,         &mark,
          &AnswerPace, &SpeakLimit, &SpeakClose,  &WebOn,  &WebPort, &WebAddress,   &SpeakName})
        field->clear();
    DbAccess db;
    db.connect(m_path);
    const Recordset& row =
        db.query(QStringLiteral("select * from sysbasicset where Tag = ?"), {QStringLiteral("tag")});
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
        row.read("AnswerPace", AnswerPace);
        row.read("SpeakLimit", SpeakLimit);
        row.read("SpeakClose", SpeakClose);
        row.read("WebOn", WebOn);
        row.read("WebPort", WebPort);
        row.read("WebAddress", WebAddress);
        row.read("SpeakName", SpeakName);
    }
    const bool ok = !row.failed();
    db.disconnect();
    return ok;
}

SystemSettings SettingsTable::typed() const
{
    SystemSettings s;
    s.unitCount = cellnum.toInt();
    s.chairCount = cinnum.toInt();
    s.lowestPort = comlow.toInt();
    s.highestPort = comHigh.toInt();
    s.screenTextColour = storedColour(ScrTextColor);
    s.screenColour = storedColour(ScrColor);
    const ScreenSizeText size = splitScrSize(ScrSize);
    s.screenSize = QSize(size.width.toInt(), size.height.toInt());
    s.password = UserPass;
    s.seatLayout = SeatYesORNo.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0;
    s.seatIcon = ico;
    s.showPercentages = per.toInt() == 1;
    s.showPass = Pass.toInt() == 1;
    s.answerDrivenPace = AnswerPace.toInt() == 1;
    s.speakingSeconds = qMax(0, SpeakLimit.toInt());
    s.closeAtTimeUp = SpeakClose.toInt() == 1;
    s.webOn = WebOn.toInt() == 1;
    if (const int port = WebPort.toInt(); port > 0 && port <= 65535)
        s.webPort = port;
    s.webInterface = WebAddress;
    s.showSpeakerName = SpeakName.toInt() == 1;
    const QStringList points = mark.split(QLatin1Char(':'));
    for (int i = 0; i < int(s.keyPoints.size()) && i < points.size(); ++i)
        s.keyPoints[i] = points[i].toInt();
    return s;
}

bool SettingsTable::execute(const QString& statement, const QVariantList& values)
{
    return DbAccess::executeOnce(m_path, statement, values);
}

bool SettingsTable::update(const QList<QPair<QString, QVariant>>& columns)
{
    QStringList assignments;
    QVariantList values;
    for (const auto& [column, value] : columns) {
        assignments.append(column + QStringLiteral(" = ?"));
        values.append(value);
    }
    values.append(QStringLiteral("tag"));
    return execute(QStringLiteral("update sysbasicset set ") + assignments.join(QStringLiteral(", ")) +
                       QStringLiteral(" where Tag = ?"),
                   values);
}

bool AppearanceTable::storeLanguage(const QString& code)
{
    return DbAccess::executeOnce(m_path, QStringLiteral("update Manage set borderism = ? where tag = ?"),
                                 {code, QStringLiteral("tag")});
}

bool AppearanceTable::load()
{
    return read(true);
}

bool AppearanceTable::peek()
{
    return read(false);
}

bool AppearanceTable::read(bool takeFile)
{
    for (QString* field : {&borderism, &function, &mianbmp, &logobmp})
        field->clear();
    DbAccess db;
    if (takeFile)
        db.connect(m_path);
    else
        db.connectWithoutLock(m_path);
    const Recordset& row =
        db.query(QStringLiteral("select * from Manage where tag = ?"), {QStringLiteral("tag")});
    if (!row.isEof()) {
        row.read("borderism", borderism);
        row.read("function", function);
        row.read("mianbmp", mianbmp);
        row.read("logobmp", logobmp);
    }
    const bool ok = !row.failed();
    db.disconnect();
    return ok;
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
