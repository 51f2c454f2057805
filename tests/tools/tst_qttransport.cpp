// The sockets of the network game against real loopback connections: what
// reaches the server and when, how closes are reported, and what a client
// sees of a refusal.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>
#include <string>

#include "net/GameServer.h"
#include "net/QtTransport.h"
#include "net/Wire.h"

using namespace vexari;

namespace {

constexpr VersionQuad kVersion{1, 0, 0, 5};

// A server transport with a real game server behind it.
struct Hosted {
    QtServerTransport transport;
    GameServer server{transport, kVersion, [] { return std::int64_t{0}; }};
    Hosted() {
        transport.SetServer(&server);
        transport.Listen(0);
    }
    ~Hosted() { transport.SetServer(nullptr); }
};

std::unique_ptr<QTcpSocket> RawClient(const Hosted& hosted) {
    if (!hosted.transport.Listening()) return nullptr;
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, hosted.transport.Port());
    if (!socket->waitForConnected(5000)) return nullptr;
    return socket;
}

bool WaitForConnections(const GameServer& server, std::size_t count) {
    return QTest::qWaitFor([&] { return server.ConnectionCount() == count; }, 5000);
}

}  // namespace

class TestQtTransport : public QObject {
    Q_OBJECT

private slots:
    void serverHearsJoinsInPiecesAndLeaves();
    void serverCutsOffAPeerThatStopsReadingAfterItsOwnWork();
    void serverCloseDoesNotReportBackButDeliversLastBytes();
    void serverClosesHostileStream();
    void floodOfChatDoesNotCutOffReadingPeers();
    void clientConnectFailsOrConnectsButNeverBoth();
    void clientReportsServerCloseOnceAndOwnCloseNever();
};

void TestQtTransport::serverHearsJoinsInPiecesAndLeaves() {
    Hosted hosted;
    auto raw = RawClient(hosted);
    QVERIFY(raw);
    QVERIFY(WaitForConnections(hosted.server, 1));

    // A join split over two segments counts once it is whole.
    const std::string join = EncodeJoin("Ann", "Red", kVersion);
    raw->write(join.data(), 5);
    raw->flush();
    QTest::qWait(50);
    QCOMPARE(hosted.server.JoinedCount(), std::size_t{0});
    raw->write(join.data() + 5, static_cast<qint64>(join.size() - 5));
    QVERIFY(QTest::qWaitFor([&] { return hosted.server.JoinedCount() == 1; }, 5000));

    raw->disconnectFromHost();
    QVERIFY(WaitForConnections(hosted.server, 0));
}

void TestQtTransport::serverCutsOffAPeerThatStopsReadingAfterItsOwnWork() {
    Hosted hosted;
    auto raw = RawClient(hosted);
    QVERIFY(raw);
    QVERIFY(WaitForConnections(hosted.server, 1));
    const ConnectionId id = hosted.server.Players().front()->id;

    // More than the limit in one go, as the server would queue it while it
    // walks its tables: the peer is cut off, but the server hears of it only
    // once it is back in the event loop, and only once.
    const std::string chunk(1 << 20, 'x');
    for (int i = 0; i < 5; ++i) hosted.transport.Send(id, chunk);
    QCOMPARE(hosted.server.ConnectionCount(), std::size_t{1});
    QVERIFY(WaitForConnections(hosted.server, 0));
    QVERIFY(QTest::qWaitFor([&] { return raw->state() == QAbstractSocket::UnconnectedState; }, 5000));
}

void TestQtTransport::serverCloseDoesNotReportBackButDeliversLastBytes() {
    Hosted hosted;
    auto raw = RawClient(hosted);
    QVERIFY(raw);
    QVERIFY(WaitForConnections(hosted.server, 1));
    const ConnectionId id = hosted.server.Players().front()->id;

    const std::string refusal = EncodeRefuse("Incompatible vexari versions");
    hosted.transport.Send(id, refusal);
    hosted.transport.Close(id);
    QByteArray received;
    QVERIFY(QTest::qWaitFor(
        [&] {
            received += raw->readAll();
            return raw->state() == QAbstractSocket::UnconnectedState;
        },
        5000));
    received += raw->readAll();
    QCOMPARE(received, QByteArray::fromStdString(refusal));
    // The server closed it itself, so the transport does not tell it again.
    QTest::qWait(50);
    QCOMPARE(hosted.server.ConnectionCount(), std::size_t{1});
}

void TestQtTransport::serverClosesHostileStream() {
    Hosted hosted;
    auto hostile = RawClient(hosted);
    auto honest = RawClient(hosted);
    QVERIFY(hostile && honest);
    QVERIFY(WaitForConnections(hosted.server, 2));

    // A chat line claiming 4 GiB.
    hostile->write(QByteArray::fromHex("06000000ffffffffffffff"));
    QVERIFY(QTest::qWaitFor([&] { return hostile->state() == QAbstractSocket::UnconnectedState; }, 5000));
    QVERIFY(WaitForConnections(hosted.server, 1));
    QCOMPARE(honest->state(), QAbstractSocket::ConnectedState);
}

void TestQtTransport::floodOfChatDoesNotCutOffReadingPeers() {
    Hosted hosted;
    auto flooder = RawClient(hosted);
    auto reader = RawClient(hosted);
    QVERIFY(flooder && reader);
    qint64 echoed = 0;
    QObject::connect(reader.get(), &QIODevice::readyRead, [&] { echoed += reader->readAll().size(); });
    QObject::connect(flooder.get(), &QIODevice::readyRead, [&] { flooder->readAll(); });

    // Long chat lines in one burst, each echoed to everyone: twice the
    // output limit in all, to peers that read as fast as they can.
    std::string burst = EncodeJoin("F", "F", kVersion);
    for (int i = 0; i < 8; ++i) burst += EncodeText(std::string(1000000, 'x'));
    flooder->write(burst.data(), static_cast<qint64>(burst.size()));
    QVERIFY(QTest::qWaitFor(
        [&] { return echoed > 8000000 || reader->state() != QAbstractSocket::ConnectedState; }, 20000));
    QCOMPARE(reader->state(), QAbstractSocket::ConnectedState);
    QCOMPARE(flooder->state(), QAbstractSocket::ConnectedState);
}

void TestQtTransport::clientConnectFailsOrConnectsButNeverBoth() {
    // A port nobody listens on: take a free one and let it go again.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const auto freePort = probe.serverPort();
    probe.close();

    struct Case {
        const char* host;
        std::uint16_t port;
        bool listening;
    };
    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::AnyIPv4));
    const Case cases[] = {
        {"127.0.0.1", freePort, false},
        {"no-such-host.invalid", 7000, false},
        {"127.0.0.1", listener.serverPort(), true},
        {"localhost", listener.serverPort(), true},
    };
    for (const Case& c : cases) {
        QtClientTransport client;
        QSignalSpy connected(&client, &QtClientTransport::connected);
        QSignalSpy failed(&client, &QtClientTransport::connectFailed);
        client.Connect(QString::fromLatin1(c.host), c.port);
        QVERIFY2(QTest::qWaitFor([&] { return connected.count() + failed.count() > 0; }, 10000), c.host);
        QTest::qWait(50);
        QCOMPARE(connected.count(), c.listening ? 1 : 0);
        QCOMPARE(failed.count(), c.listening ? 0 : 1);
        QCOMPARE(client.IsOpen(), c.listening);
    }
}

void TestQtTransport::clientReportsServerCloseOnceAndOwnCloseNever() {
    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::LocalHost));

    for (const bool serverCloses : {true, false}) {
        QtClientTransport client;
        QSignalSpy connected(&client, &QtClientTransport::connected);
        QSignalSpy closed(&client, &QtClientTransport::closed);
        QByteArray received;
        client.onBytes = [&](std::string_view bytes) { received.append(bytes.data(), qsizetype(bytes.size())); };
        client.Connect(QStringLiteral("127.0.0.1"), listener.serverPort());
        QVERIFY(QTest::qWaitFor([&] { return listener.hasPendingConnections(); }, 5000));
        std::unique_ptr<QTcpSocket> peer(listener.nextPendingConnection());
        QVERIFY(QTest::qWaitFor([&] { return connected.count() == 1; }, 5000));

        // What the server sends just before closing still arrives first.
        peer->write("last words");
        peer->flush();
        if (serverCloses) {
            peer->disconnectFromHost();
        } else {
            QVERIFY(QTest::qWaitFor([&] { return received == "last words"; }, 5000));
            client.Close();
        }
        QTest::qWait(200);
        QCOMPARE(received, QByteArray("last words"));
        QCOMPARE(closed.count(), serverCloses ? 1 : 0);
        QVERIFY(!client.IsOpen());
    }
}

QTEST_GUILESS_MAIN(TestQtTransport)
#include "tst_qttransport.moc"
