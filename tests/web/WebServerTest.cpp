// The web view's server on loopback: the viewing code, refusals of paths that
// are not its pages, oversized headers and floods, connections held open or
// left unfinished, a reader that stopped reading, and the snapshot followed by
// changes on the socket.

#include "web/WebServer.h"
#include "web/HallState.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QHostAddress kLoopback(QHostAddress::LocalHost);

struct Answer
{
    int status = 0;
    QByteArray body;
};

class WebServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.start(kLoopback, 0, &error)) << error.toStdString(); }

    Answer get(const QString& pathAndQuery)
    {
        QNetworkReply* reply = network.get(QNetworkRequest(
            QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server.port()).arg(pathAndQuery))));
        EXPECT_TRUE(QTest::qWaitFor([reply] { return reply->isFinished(); }, 5000));
        Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll()};
        reply->deleteLater();
        return answer;
    }

    // Bytes as written, from a socket bound to the given loopback address: what came back
    // before the server closed the connection, or the first whole answer when it keeps it open.
    QByteArray raw(const QByteArray& request, const QHostAddress& from = kLoopback, bool closes = false)
    {
        QTcpSocket socket;
        socket.bind(from);
        socket.connectToHost(kLoopback, server.port());
        if (!socket.waitForConnected(5000))
            return "no connection";
        socket.write(request);
        QByteArray received;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                received += socket.readAll();
                if (socket.state() == QAbstractSocket::UnconnectedState)
                    return true;
                const qsizetype headerEnd = received.indexOf("\r\n\r\n");
                const qsizetype length = received.indexOf("Content-Length: ");
                return !closes && headerEnd > 0 && length > 0 &&
                       received.size() >=
                           headerEnd + 4 + received.mid(length + 16, 10).split('\r').first().toInt();
            },
            5000));
        return received + socket.readAll();
    }

    QString hallPath() const { return QStringLiteral("/hall?code=") + server.viewingCode(); }

    HallState state;
    WebServer server{state};
    QNetworkAccessManager network;
    QString error;
};

QByteArray firstLine(const QByteArray& response)
{
    return response.left(response.indexOf("\r\n"));
}

} // namespace

TEST_F(WebServerTest, EveryPageNeedsTheViewingCodeOfThisStart)
{
    const QString code = server.viewingCode();
    EXPECT_GE(code.size(), 8);
    EXPECT_EQ(get(QStringLiteral("/hall")).status, 403);
    EXPECT_EQ(get(QStringLiteral("/chair?code=") + code.chopped(1)).status, 403);
    EXPECT_EQ(get(QStringLiteral("/web.js")).status, 403);
    const Answer page = get(hallPath());
    EXPECT_EQ(page.status, 200);
    // The page hands the code to its script and style.
    EXPECT_TRUE(page.body.contains("/web.js?code=" + code.toLatin1())) << page.body.toStdString();
    EXPECT_EQ(get(QStringLiteral("/overlay?code=") + code).status, 200);
    EXPECT_EQ(firstLine(raw("POST /hall?code=" + code.toLatin1() +
                            " HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n")),
              "HTTP/1.1 405 Method Not Allowed");

    // A new start makes a new code: the old address stops working.
    ASSERT_TRUE(server.start(kLoopback, 0, &error));
    EXPECT_NE(server.viewingCode(), code);
    EXPECT_EQ(get(QStringLiteral("/hall?code=") + code).status, 403);
    EXPECT_EQ(get(hallPath()).status, 200);
}

TEST_F(WebServerTest, PathsOutsideThePagesAreNotFoundAndNeverReadAFile)
{
    const QByteArray code = server.viewingCode().toLatin1();
    // Sent as raw bytes: a client library would tidy the dots away before they left.
    for (const QByteArray& path :
         {QByteArray("/../../../../etc/passwd"), QByteArray("/%2e%2e/%2e%2e/etc/passwd"),
          QByteArray("/%2E%2E%2F%2E%2E%2Fetc%2Fpasswd"), QByteArray("/hall/../../etc/passwd"),
          QByteArray("/:/web/hall.html"), QByteArray("//etc/passwd")}) {
        const QByteArray response =
            raw("GET " + path + "?code=" + code + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
        EXPECT_EQ(firstLine(response), "HTTP/1.1 404 Not Found") << path.toStdString();
        EXPECT_FALSE(response.contains("root:")) << path.toStdString();
    }
}

TEST_F(WebServerTest, OversizedHeadersAndAFloodAreRefusedWhileOtherClientsGoOn)
{
    const QByteArray big =
        "GET /hall HTTP/1.1\r\nHost: x\r\nX-Filler: " + QByteArray(17 * 1024, 'a') + "\r\n\r\n";
    EXPECT_EQ(firstLine(raw(big, kLoopback, true)), "HTTP/1.1 431 Request Header Fields Too Large");
    EXPECT_EQ(get(hallPath()).status, 200);

    // A thousand requests in one go from another loopback address.
    QByteArray flood;
    for (int i = 0; i < 1000; ++i)
        flood += "GET " + hallPath().toLatin1() + " HTTP/1.1\r\nHost: x\r\n\r\n";
    const QHostAddress flooder(QStringLiteral("127.0.0.2"));
    const QByteArray answers = raw(flood, flooder, true);
    EXPECT_TRUE(answers.contains("HTTP/1.1 429 Too Many Requests"));
    EXPECT_LT(answers.count("HTTP/1.1 200 OK"), 1000);
    // The flooder stays refused for a while; this computer's own client does not.
    EXPECT_EQ(raw("GET " + hallPath().toLatin1() + " HTTP/1.1\r\nHost: x\r\n\r\n", flooder, true),
              QByteArray());
    EXPECT_EQ(get(hallPath()).status, 200);
}

TEST_F(WebServerTest, ASocketGetsTheSnapshotThenChangesAndNothingItSendsMatters)
{
    state.setHeading(QStringLiteral("Budget 2027"), Qt::white);
    QWebSocket client;
    QList<QJsonObject> messages;
    QObject::connect(&client, &QWebSocket::textMessageReceived, [&](const QString& message) {
        messages.append(QJsonDocument::fromJson(message.toUtf8()).object());
    });
    client.open(
        QUrl(QStringLiteral("ws://127.0.0.1:%1/live?code=%2").arg(server.port()).arg(server.viewingCode())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() == 1; }, 5000))
        << client.errorString().toStdString();
    EXPECT_EQ(messages[0][QStringLiteral("panel")][QStringLiteral("heading")].toString(),
              QStringLiteral("Budget 2027"));
    EXPECT_TRUE(messages[0].contains(QStringLiteral("grid")));

    client.sendTextMessage(QStringLiteral("{\"panel\":{\"heading\":\"hacked\"}}"));
    state.setKind(PanelKind::Table, PanelSubKind::MotionResult);
    state.setChart(QStringLiteral("Due:Present:Yes:No:Abstain:"), QStringLiteral("1:10:9:5:3:1:"), Qt::white);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() == 3; }, 5000));
    EXPECT_EQ(messages[2][QStringLiteral("panel")][QStringLiteral("rows")].toArray().size(), 5);
    EXPECT_EQ(messages[2][QStringLiteral("panel")][QStringLiteral("heading")].toString(),
              QStringLiteral("Budget 2027"));

    // Without the code the upgrade is refused.
    QWebSocket stranger;
    stranger.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live?code=guess").arg(server.port())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return stranger.errorString().contains(QLatin1String("403")); }, 5000))
        << stranger.errorString().toStdString();
    EXPECT_EQ(server.clientCount(), 1);
}

TEST_F(WebServerTest, AClientThatStopsReadingIsDroppedAndTheOthersKeepTheirChanges)
{
    WebServer::Limits limits;
    limits.maxQueuedBytes = 256 * 1024;
    server.setLimits(limits);
    ASSERT_TRUE(server.start(kLoopback, 0, &error));

    QWebSocket reader;
    int received = 0;
    QObject::connect(&reader, &QWebSocket::textMessageReceived, [&] { ++received; });
    reader.open(
        QUrl(QStringLiteral("ws://127.0.0.1:%1/live?code=%2").arg(server.port()).arg(server.viewingCode())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received == 1; }, 5000));

    // The stalled client completes the handshake and never reads again.
    QTcpSocket stalled;
    stalled.setReadBufferSize(1);
    stalled.connectToHost(kLoopback, server.port());
    ASSERT_TRUE(stalled.waitForConnected(5000));
    stalled.write("GET /live?code=" + server.viewingCode().toLatin1() +
                  " HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                  "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.clientCount() == 2; }, 5000));

    QStringList names;
    for (int i = 0; i < 250; ++i)
        names.append(QStringLiteral("Delegate with a long name number %1").arg(i));
    int sent = 0;
    for (; sent < 3000 && server.clientCount() == 2; ++sent) {
        state.setNames(names, 250 - sent % 2);
        QTest::qWait(1);
    }
    EXPECT_EQ(server.clientCount(), 1) << "still queued after " << sent << " changes";
    EXPECT_TRUE(QTest::qWaitFor([&] { return received == sent + 1; }, 10000))
        << received << " of " << sent + 1;
}

TEST_F(WebServerTest, IdleAndUnfinishedConnectionsAreBoundedAndClosedInTime)
{
    WebServer::Limits limits;
    limits.connectionsPerAddress = 4;
    limits.requestTimeoutMs = 400;
    server.setLimits(limits);
    ASSERT_TRUE(server.start(kLoopback, 0, &error));
    const QHostAddress hoarder(QStringLiteral("127.0.0.2"));
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < 5; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        held.back()->bind(hoarder);
        held.back()->connectToHost(kLoopback, server.port());
        ASSERT_TRUE(held.back()->waitForConnected(5000));
    }
    // One of them sends its request a byte at a time, never finishing it.
    held[0]->write("GET /ha");
    // The fifth from the same address is closed at once; this computer's own client is served.
    EXPECT_TRUE(QTest::qWaitFor([&] { return held[4]->state() == QAbstractSocket::UnconnectedState; }, 2000));
    EXPECT_EQ(get(hallPath()).status, 200);
    EXPECT_EQ(held[1]->state(), QAbstractSocket::ConnectedState);

    QElapsedTimer clock;
    clock.start();
    const auto allClosed = [&] {
        held[0]->write("l");
        return std::all_of(held.begin(), held.begin() + 4, [](const auto& socket) {
            return socket->state() == QAbstractSocket::UnconnectedState;
        });
    };
    ASSERT_TRUE(QTest::qWaitFor(allClosed, 5000));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_TRUE(held[1]->readAll().startsWith("HTTP/1.1 408 Request Timeout"));
    // Its connections are counted out: the address is served again.
    EXPECT_EQ(firstLine(raw("GET " + hallPath().toLatin1() + " HTTP/1.1\r\nHost: x\r\n\r\n", hoarder)),
              "HTTP/1.1 200 OK");
}

TEST_F(WebServerTest, APortInUseIsReportedAndTheRunningServerGoesOn)
{
    HallState otherState;
    WebServer other(otherState);
    QString reason;
    EXPECT_FALSE(other.start(kLoopback, server.port(), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(other.isRunning());
    EXPECT_TRUE(other.pageUrl().isEmpty());
    EXPECT_EQ(get(hallPath()).status, 200);
}
