// The new-version check against a server on 127.0.0.1: the request text,
// the one-day rule to the second, a head without "Last-Modified:", a head
// without headers, a truncated date, a 10 MB head, a server that never
// answers, the suspension between commands, and the command's questions
// and notices. The date reading by position is checked on its own.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <memory>
#include <vector>

#include "tools/help/ShellOpen.h"
#include "tools/version/CheckForNewVersion.h"
#include "tools/version/HttpHead.h"
#include "tools/version/VersionCheck.h"

namespace lectora {
namespace {

const QDateTime kProgramTime(QDate(2020, 5, 10), QTime(12, 0, 0), Qt::LocalTime);

// Answers every connection with `answer` once the request has arrived
// (nothing when `silent`), and keeps what it received.
class TTestServer : public QObject {
 public:
  explicit TTestServer(QByteArray answer, bool silent = false)
      : answer_(std::move(answer)), silent_(silent) {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      QTcpSocket* socket = server_.nextPendingConnection();
      connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        received_ += socket->readAll();
        if (!received_.endsWith("\r\n\r\n") || silent_) return;
        socket->write(answer_);
        socket->disconnectFromHost();
      });
    });
  }
  QString Address() const {
    return QStringLiteral("127.0.0.1:%1/bible/download/lectora40.zip").arg(server_.serverPort());
  }
  const QByteArray& Received() const { return received_; }

 private:
  QTcpServer server_;
  QByteArray answer_;
  bool silent_;
  QByteArray received_;
};

QByteArray Answer(const QByteArray& lastModified) {
  return "HTTP/1.0 200 OK\r\nContent-Type: application/zip\r\n" + lastModified +
         "Content-Length: 10\r\n\r\n";
}

std::unique_ptr<TCheckForNewVersion> Check(const QString& address, int answerTimeoutMs = 20000) {
  TCheckForNewVersion::TOptions options;
  options.Address = address;
  options.AnswerTimeoutMs = answerTimeoutMs;
  options.ProgramTime = [] { return kProgramTime.addMSecs(700); };
  return std::make_unique<TCheckForNewVersion>(std::move(options));
}

// Waits (events flowing, so the server answers) until the thread ended.
bool Finish(TCheckForNewVersion& check, int timeoutMs = 10000) {
  return QTest::qWaitFor([&] { return check.isFinished(); }, timeoutMs);
}

TEST(VersionCheckTest, SendsTheHeadRequestExactly) {
  TTestServer server(Answer("Last-Modified: Mon, 11 May 2020 12:00:00 GMT\r\n"));
  auto check = Check(server.Address());
  ASSERT_TRUE(Finish(*check));
  EXPECT_EQ(check->Host(), server.Address().section(QLatin1Char('/'), 0, 0));
  EXPECT_EQ(check->Path(), QStringLiteral("/bible/download/lectora40.zip"));
  EXPECT_EQ(server.Received(),
            "HEAD /bible/download/lectora40.zip HTTP/1.0\r\nHost: " + check->Host().toLatin1() +
                "\r\nUser-Agent: Lectora 4.0\r\nConnection: close\r\n\r\n");
}

struct TDateCase {
  const char* Header;
  bool Running;
  bool NewVersion;
};

TEST(VersionCheckTest, OneDayLaterIsNotNewOneSecondMoreIs) {
  const TDateCase cases[] = {
      {"Last-Modified: Mon, 11 May 2020 12:00:00 GMT\r\n", false, false},
      {"Last-Modified: Mon, 11 May 2020 12:00:01 GMT\r\n", false, true},
      {"Last-Modified: Sun, 10 May 2020 12:00:00 GMT\r\n", false, false},
      {"Last-Modified: Thu, 01 Jan 2099 00:00:00 GMT\r\n", false, true},
      {"", true, false},                               // no Last-Modified
      {"Last-Modified: Tue, 15 No\r\n", true, false},  // a truncated date
      {"Last-Modified: Tue, 15 Nov 19xx 08:12:31 GMT\r\n", true, false},
  };
  for (const TDateCase& c : cases) {
    SCOPED_TRACE(c.Header);
    TTestServer server(Answer(c.Header));
    auto check = Check(server.Address());
    ASSERT_TRUE(Finish(*check));
    EXPECT_EQ(check->Running(), c.Running);
    EXPECT_EQ(check->NewVersion(), c.NewVersion);
  }
}

struct TParseCase {
  const char* Head;
  QDateTime Expected;  // invalid: no date
};

TEST(VersionCheckTest, TheDateIsReadByPositionAndAnUnknownMonthIsJanuary) {
  const TParseCase cases[] = {
      {"Last-Modified: Tue, 15 Nov 1994 08:12:31 GMT\r\n",
       QDateTime(QDate(1994, 11, 15), QTime(8, 12, 31), Qt::LocalTime)},
      {"Last-Modified: Tue, 15 Foo 1994 08:12:31 GMT\r\n",
       QDateTime(QDate(1994, 1, 15), QTime(8, 12, 31), Qt::LocalTime)},
      {"Last-Modified: Tue, 15 dec 1994 08:12:31 GMT\r\n",
       QDateTime(QDate(1994, 1, 15), QTime(8, 12, 31), Qt::LocalTime)},
      {"Last-Modified: Fri, 31 Dec 1999 23:59:59 GMT",
       QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), Qt::LocalTime)},
      {"Last-Modified: Tue, 15 Nov 1994\r\n", QDateTime(QDate(1994, 11, 15), QTime(0, 0))},
      {"Last-Modified: Tue, 31 Feb 1994 08:12:31 GMT\r\n", QDateTime()},
      {"Last-Modified:\r\n", QDateTime()},
      {"Content-Length: 5\r\n", QDateTime()},
  };
  for (const TParseCase& c : cases) {
    SCOPED_TRACE(c.Head);
    const std::optional<QDateTime> date = LastModified(QByteArray(c.Head));
    if (!c.Expected.isValid()) {
      EXPECT_FALSE(date.has_value());
    } else {
      ASSERT_TRUE(date.has_value());
      EXPECT_EQ(*date, c.Expected);
    }
  }
}

TEST(VersionCheckTest, NoHeadersAHugeHeadAndASilentServerLeaveItRunning) {
  TTestServer bare("HTTP/1.0 200 OK\r\n\r\n");
  TTestServer nothing("");
  TTestServer huge("HTTP/1.0 200 OK\r\nX-Filler: " + QByteArray(qsizetype{10} * 1024 * 1024, 'a') +
                   "\r\nLast-Modified: Thu, 01 Jan 2099 00:00:00 GMT\r\n\r\n");
  for (TTestServer* server : {&bare, &nothing, &huge}) {
    auto check = Check(server->Address());
    ASSERT_TRUE(Finish(*check));
    EXPECT_TRUE(check->Running());
    EXPECT_FALSE(check->NewVersion());
    EXPECT_LE(check->Head().size(), TCheckForNewVersion::kMaxHeadBytes);
  }
  TTestServer silent("", true);
  auto check = Check(silent.Address(), 300);
  ASSERT_TRUE(Finish(*check, 3000)) << "the answer timeout ends the check";
  EXPECT_TRUE(check->Running());
  auto empty = Check(QString());
  ASSERT_TRUE(Finish(*empty, 1000));
  EXPECT_TRUE(empty->Running());
}

TEST(VersionCheckTest, ASuspendedCheckWaitsUntilResumed) {
  // The server answers only while events flow here, so the thread cannot
  // have finished before it is suspended.
  TTestServer server(Answer("Last-Modified: Thu, 01 Jan 2099 00:00:00 GMT\r\n"));
  auto check = Check(server.Address());
  check->Suspend();
  QTest::qWait(400);
  EXPECT_FALSE(check->isFinished());
  EXPECT_TRUE(check->Running());
  check->Resume();
  ASSERT_TRUE(Finish(*check));
  EXPECT_FALSE(check->Running());
  EXPECT_TRUE(check->NewVersion());
}

// ---- the command ----

class TRecordingShell : public IShellOpen {
 public:
  bool Open(const QUrl& url) override {
    Opened.push_back(url);
    return true;
  }
  std::vector<QUrl> Opened;
};

struct TDialogLog {
  std::vector<std::string> Shown;
  bool Answer = true;
  TVersionCheck::TDialogs Dialogs() {
    return {[this](const char* key) {
              Shown.push_back(std::string("?") + key);
              return Answer;
            },
            [this](const char* key) { Shown.push_back(key); }};
  }
};

TEST(VersionCheckTest, TheCommandAsksWhileRunningAndReportsWhenDone) {
  TRecordingShell shell;
  {
    TDialogLog log;
    TCheckForNewVersion::TOptions none;  // no address: never finished
    TVersionCheck command(none, QStringLiteral("example.org/bible/download.php"), log.Dialogs(),
                          shell);
    command.CheckNew1Click();
    EXPECT_EQ(log.Shown, (std::vector<std::string>{"?NewVer", "CheckAgainLater"}));
    EXPECT_TRUE(command.Checker().Suspended());
    log.Answer = false;
    command.CheckNew1Click();
    EXPECT_EQ(log.Shown.back(), "?NewVer");
  }
  TTestServer newer(Answer("Last-Modified: Thu, 01 Jan 2099 00:00:00 GMT\r\n"));
  TDialogLog log;
  TCheckForNewVersion::TOptions options;
  options.Address = newer.Address();
  options.ProgramTime = [] { return kProgramTime; };
  TVersionCheck command(options, QStringLiteral("example.org/bible/download.php"), log.Dialogs(),
                        shell);
  ASSERT_TRUE(Finish(command.Checker()));
  command.FirstShow(false);
  EXPECT_TRUE(log.Shown.empty()) << "option 13 off: nothing at the first show";
  command.FirstShow(true);
  EXPECT_EQ(log.Shown, (std::vector<std::string>{"?NewVesionPublished"}));
  ASSERT_EQ(shell.Opened.size(), 1U);
  EXPECT_EQ(shell.Opened[0], QUrl(QStringLiteral("http://example.org/bible/download.php")));
  log.Shown.clear();
  command.CheckNew1Click();
  EXPECT_EQ(log.Shown, (std::vector<std::string>{"?NewVesionPublished"}));
}

TEST(VersionCheckTest, NoNewerVersionIsSaid) {
  TTestServer same(Answer("Last-Modified: Sun, 10 May 2020 12:00:00 GMT\r\n"));
  TRecordingShell shell;
  TDialogLog log;
  TCheckForNewVersion::TOptions options;
  options.Address = same.Address();
  options.ProgramTime = [] { return kProgramTime; };
  TVersionCheck command(options, QString(), log.Dialogs(), shell);
  ASSERT_TRUE(Finish(command.Checker()));
  command.FirstShow(true);
  command.CheckNew1Click();
  EXPECT_EQ(log.Shown, (std::vector<std::string>{"NoNewVersion"}));
  EXPECT_TRUE(shell.Opened.empty());
}

}  // namespace
}  // namespace lectora
