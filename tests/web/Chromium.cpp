#include "Chromium.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTest>

Chromium::~Chromium()
{
    if (m_devTools.isValid())
        call(QStringLiteral("Browser.close"));
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

bool Chromium::start(const QUrl& page, QString* error)
{
    m_process.start(QStringLiteral("/usr/bin/chromium"),
                    {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                     QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
                     QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
                     QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                     QStringLiteral("--user-data-dir=") + m_profile.path(),
                     QStringLiteral("--remote-debugging-address=127.0.0.1"),
                     QStringLiteral("--remote-debugging-port=0"), QStringLiteral("--remote-allow-origins=*"),
                     QStringLiteral("--window-size=1920,1080"), page.toString()});
    if (!m_process.waitForStarted(10000)) {
        *error = QStringLiteral("chromium did not start: ") + m_process.errorString();
        return false;
    }
    // The browser names its DevTools endpoint on stderr.
    static const QRegularExpression listening(
        QStringLiteral("DevTools listening on ws://127\\.0\\.0\\.1:(\\d+)/"));
    QString said;
    QRegularExpressionMatch match;
    (void)QTest::qWaitFor(
        [&] {
            said += QString::fromUtf8(m_process.readAllStandardError());
            match = listening.match(said);
            return match.hasMatch() || m_process.state() == QProcess::NotRunning;
        },
        30000);
    if (!match.hasMatch()) {
        *error = QStringLiteral("chromium gave no DevTools endpoint: ") + said;
        return false;
    }
    // The page target's own socket.
    QNetworkAccessManager network;
    QString target;
    (void)QTest::qWaitFor(
        [&] {
            QNetworkReply* reply = network.get(QNetworkRequest(
                QUrl(QStringLiteral("http://127.0.0.1:%1/json/list").arg(match.captured(1)))));
            (void)QTest::qWaitFor([reply] { return reply->isFinished(); }, 5000);
            for (const QJsonValue& entry : QJsonDocument::fromJson(reply->readAll()).array())
                if (entry[QStringLiteral("type")].toString() == QLatin1String("page"))
                    target = entry[QStringLiteral("webSocketDebuggerUrl")].toString();
            reply->deleteLater();
            return !target.isEmpty();
        },
        10000);
    if (target.isEmpty()) {
        *error = QStringLiteral("chromium listed no page");
        return false;
    }
    QObject::connect(&m_devTools, &QWebSocket::textMessageReceived, [this](const QString& message) {
        m_answers.append(QJsonDocument::fromJson(message.toUtf8()).object());
    });
    m_devTools.open(QUrl(target));
    if (!QTest::qWaitFor([this] { return m_devTools.isValid(); }, 10000)) {
        *error = QStringLiteral("the DevTools socket did not open: ") + m_devTools.errorString();
        return false;
    }
    return true;
}

QJsonObject Chromium::call(const QString& method, const QJsonObject& params)
{
    const int id = m_nextId++;
    m_devTools.sendTextMessage(
        QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("id"), id},
                                                    {QStringLiteral("method"), method},
                                                    {QStringLiteral("params"), params}})
                              .toJson(QJsonDocument::Compact)));
    QJsonObject result;
    (void)QTest::qWaitFor(
        [&] {
            for (qsizetype i = 0; i < m_answers.size(); ++i)
                if (m_answers[i][QStringLiteral("id")].toInt() == id) {
                    result = m_answers.takeAt(i)[QStringLiteral("result")].toObject();
                    return true;
                }
            return false;
        },
        10000);
    return result;
}

QString Chromium::evaluate(const QString& expression)
{
    const QJsonObject result =
        call(QStringLiteral("Runtime.evaluate"),
             {{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}});
    return result[QStringLiteral("result")][QStringLiteral("value")].toVariant().toString();
}

void Chromium::setViewport(int width, int height, bool mobile)
{
    call(QStringLiteral("Emulation.setDeviceMetricsOverride"), {{QStringLiteral("width"), width},
                                                                {QStringLiteral("height"), height},
                                                                {QStringLiteral("deviceScaleFactor"), 1},
                                                                {QStringLiteral("mobile"), mobile}});
}

QImage Chromium::screenshot()
{
    const QJsonObject result =
        call(QStringLiteral("Page.captureScreenshot"), {{QStringLiteral("format"), QStringLiteral("png")}});
    return QImage::fromData(QByteArray::fromBase64(result[QStringLiteral("data")].toString().toLatin1()),
                            "PNG");
}
