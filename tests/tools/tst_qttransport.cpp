// The sockets of the network game against real loopback connections: what
// reaches the server and when, how closes are reported, and what a client
// sees of a refusal. (Joins read in pieces and a peer leaving are played
// through these sockets by the two-window network test.)
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <functional>

#include "net/GameServer.h"
#include "net/QtTransport.h"
#include "net/Wire.h"

using namespace vexari;

namespace {

constexpr VersionQuad kVersion{1, 0, 0, 5};

bool WaitFor(const std::function<bool()>& done, int ms = 5000) { return QTest::qWaitFor(done, ms); }

bool Unconnected(const QTcpSocket& socket) { return socket.state() == QAbstractSocket::UnconnectedState; }

// A server transport with a real game server behind it.
struct Hosted {
    QtServerTransport transport;
    GameServer server{transport, kVersion, [] { return std::int64_t{0}; }};
    Hosted() {
        transport.SetServer(&server);
        transport.Listen(0);
    }
    ~Hosted() { transport.SetServer(nullptr); }

    // A raw peer, once the server has taken it in (nullptr if it did not).
    std::unique_ptr<QTcpSocket> Connect() {
        const std::size_t before = server.ConnectionCount();
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, transport.Port());
        if (!socket->waitForConnected(5000) || !WaitFor([&] { return server.ConnectionCount() == before + 1; }))
            return nullptr;
        return socket;
    }
    bool WaitForConnections(std::size_t count) {
        return WaitFor([&] { return server.ConnectionCount() == count; });
    }
};

}  // namespace

class TestQtTransport : public QObject {
    Q_OBJECT

private slots:
    // The server closes one peer after a refusal and floods another that does not
    // read, more than the limit in one go, as it would queue it while it walks its
    // tables: the first gets its last bytes and is never reported back, the second
    // is cut off and reported only once the server is back in the event loop.
    void serverCloseDeliversLastBytesAndAPeerThatStopsReadingIsCutOff() {
        Hosted hosted;
        auto refused = hosted.Connect();
        auto stalled = hosted.Connect();
        QVERIFY(refused && stalled);
        const std::string refusal = EncodeRefuse("Incompatible vexari versions");
        hosted.transport.Send(hosted.server.Players()[0]->id, refusal);
        hosted.transport.Close(hosted.server.Players()[0]->id);
        const std::string chunk(1 << 20, 'x');
        for (int i = 0; i < 5; ++i) hosted.transport.Send(hosted.server.Players()[1]->id, chunk);
        QCOMPARE(hosted.server.ConnectionCount(), std::size_t{2});

        QByteArray received;
        QVERIFY(WaitFor([&] { return (received += refused->readAll(), Unconnected(*refused)); }));
        received += refused->readAll();
        QCOMPARE(received, QByteArray::fromStdString(refusal));
        QVERIFY(WaitFor([&] { return Unconnected(*stalled); }) && hosted.WaitForConnections(1));
        QTest::qWait(50);
        QCOMPARE(hosted.server.ConnectionCount(), std::size_t{1});
    }

    // A peer claiming a 4 GiB chat line is closed; one flooding long chat lines,
    // each echoed to everyone (twice the output limit in all), cuts off no peer
    // that reads as fast as it can.
    void serverClosesAHostileStreamAndAFloodCutsOffNoReader() {
        Hosted hosted;
        auto hostile = hosted.Connect();
        auto flooder = hosted.Connect();
        auto reader = hosted.Connect();
        QVERIFY(hostile && flooder && reader);
        hostile->write(QByteArray::fromHex("06000000ffffffffffffff"));
        QVERIFY(WaitFor([&] { return Unconnected(*hostile); }) && hosted.WaitForConnections(2));

        qint64 echoed = 0;
        QObject::connect(reader.get(), &QIODevice::readyRead, [&] { echoed += reader->readAll().size(); });
        QObject::connect(flooder.get(), &QIODevice::readyRead, [&] { flooder->readAll(); });
        std::string burst = EncodeJoin("F", "F", kVersion);
        for (int i = 0; i < 8; ++i) burst += EncodeText(std::string(1000000, 'x'));
        flooder->write(burst.data(), static_cast<qint64>(burst.size()));
        QVERIFY(WaitFor([&] { return echoed > 8000000 || reader->state() != QAbstractSocket::ConnectedState; }, 20000));
        QVERIFY(reader->state() == flooder->state() && flooder->state() == QAbstractSocket::ConnectedState);
    }

    void clientConnectFailsOrConnectsButNeverBoth() {
        QTcpServer probe;  // a port nobody listens on: take a free one and let it go again
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const auto freePort = probe.serverPort();
        probe.close();
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::AnyIPv4));
        const std::tuple<const char*, std::uint16_t, bool> cases[] = {
            {"127.0.0.1", freePort, false},
            {"127.0.0.1", listener.serverPort(), true},
        };
        for (const auto& [host, port, listening] : cases) {
            QtClientTransport client;
            QSignalSpy connected(&client, &QtClientTransport::connected);
            QSignalSpy failed(&client, &QtClientTransport::connectFailed);
            client.Connect(QString::fromLatin1(host), port);
            QVERIFY2(WaitFor([&] { return connected.count() + failed.count() > 0; }, 10000), host);
            QTest::qWait(50);
            QCOMPARE(std::tuple(connected.count(), failed.count(), client.IsOpen()),
                     std::tuple(listening ? 1 : 0, listening ? 0 : 1, listening));
        }
    }

    void clientReportsServerCloseOnceAndOwnCloseNever() {
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        for (const bool serverCloses : {true, false}) {
            QtClientTransport client;
            QSignalSpy connected(&client, &QtClientTransport::connected);
            QSignalSpy closed(&client, &QtClientTransport::closed);
            QByteArray received;
            client.onBytes = [&](std::string_view bytes) { received.append(bytes.data(), qsizetype(bytes.size())); };
            client.Connect(QStringLiteral("127.0.0.1"), listener.serverPort());
            QVERIFY(WaitFor([&] { return listener.hasPendingConnections(); }));
            std::unique_ptr<QTcpSocket> peer(listener.nextPendingConnection());
            QVERIFY(WaitFor([&] { return connected.count() == 1; }));

            // What the server sends just before closing still arrives first.
            peer->write("last words");
            peer->flush();
            if (serverCloses) {
                peer->disconnectFromHost();
            } else {
                QVERIFY(WaitFor([&] { return received == "last words"; }));
                client.Close();
            }
            QTest::qWait(200);
            QCOMPARE(received, QByteArray("last words"));
            QVERIFY(closed.count() == (serverCloses ? 1 : 0) && !client.IsOpen());
        }
    }
};

QTEST_GUILESS_MAIN(TestQtTransport)
#include "tst_qttransport.moc"
