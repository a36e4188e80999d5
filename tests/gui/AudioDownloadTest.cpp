// The chapter download against a server on 127.0.0.1: a whole body lands in
// the target, and an error status, a connection reset halfway or an
// endless body leave no file, not even a temporary one.
#include "tools/audio/AudioDownload.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <functional>

#include "support/TestSupport.h"

namespace lectora {
namespace {

// Answers every request with `Respond` once the request head has arrived.
class TinyServer : public QTcpServer {
 public:
  std::function<void(QTcpSocket&)> Respond;
  QByteArray Request;

  TinyServer() {
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
      QTcpSocket* socket = nextPendingConnection();
      connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
        Request += socket->readAll();
        if (Request.contains("\r\n\r\n")) Respond(*socket);
      });
    });
  }
  QUrl Url(const char* path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(QLatin1String(path)));
  }
};

class AudioDownloadTest : public ::testing::Test {
 protected:
  QString Target() const { return QString::fromStdString(dir_.File("Audio/john3.mp3")); }
  // The names in the target's folder (no temporary file may stay).
  QStringList FolderEntries() const {
    return QDir(QString::fromStdString(dir_.File("Audio"))).entryList(QDir::Files | QDir::Hidden);
  }
  test::TempDir dir_;
  TinyServer server_;
  QLabel label_;
  TAudioDownload download_;
};

TEST_F(AudioDownloadTest, AWholeBodyLandsInTheTargetAndTheLabelCountsIt) {
  const QByteArray body(5000, 'm');
  server_.Respond = [&](QTcpSocket& socket) {
    socket.write("HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + body);
    socket.disconnectFromHost();
  };
  download_.SetProgressLabel(&label_);
  ASSERT_TRUE(download_.Fetch(
      TAudioDownload::AddressOf(server_.Url("").toString(), QStringLiteral("john3.mp3")), Target()))
      << download_.LastError().toStdString();
  EXPECT_EQ(QByteArray::fromStdString(test::ReadFile(Target().toStdString())), body);
  EXPECT_TRUE(server_.Request.startsWith("GET /bible/bg/john3.mp3 HTTP/1.1\r\n"));
  EXPECT_EQ(label_.text(), QStringLiteral("Done"));
  EXPECT_FALSE(label_.isVisible());
  EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("john3.mp3")});
}

TEST_F(AudioDownloadTest, FailedTransfersKeepNoFile) {
  const struct {
    const char* Name;
    std::function<void(QTcpSocket&)> Respond;
  } cases[] = {
      {"error status",
       [](QTcpSocket& socket) {
         socket.write("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
         socket.disconnectFromHost();
       }},
      {"reset halfway",
       [](QTcpSocket& socket) {
         socket.write("HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n" + QByteArray(40000, 'x'));
         socket.flush();
         socket.waitForBytesWritten(1000);
         socket.abort();
       }},
      {"endless body",
       [](QTcpSocket& socket) {
         socket.write("HTTP/1.0 200 OK\r\n\r\n");
         const auto more = [&socket] {
           if (socket.bytesToWrite() < 65536) socket.write(QByteArray(65536, 'e'));
         };
         QObject::connect(&socket, &QTcpSocket::bytesWritten, &socket, more);
         more();
       }},
  };
  download_.SetMaxBytes(qint64{1} << 20);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    test::WriteFile(dir_.File("Audio/old.mp3"), "keep");
    server_.Request.clear();
    server_.Respond = c.Respond;
    EXPECT_FALSE(download_.Fetch(server_.Url("/bible/bg/john3.mp3"), Target()));
    EXPECT_FALSE(download_.LastError().isEmpty());
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("old.mp3")});
  }
}

TEST_F(AudioDownloadTest, TheAddressEndsInTheServersAudioPath) {
  EXPECT_EQ(TAudioDownload::AddressOf(QStringLiteral("http://audio.example/"),
                                      QStringLiteral("john3.mp3")),
            QUrl(QStringLiteral("http://audio.example/bible/bg/john3.mp3")));
  EXPECT_EQ(TAudioDownload::AddressOf(QStringLiteral("http://audio.example:8080"),
                                      QStringLiteral("Avdii.mp3")),
            QUrl(QStringLiteral("http://audio.example:8080/bible/bg/Avdii.mp3")));
}

}  // namespace
}  // namespace lectora
