#include "tools/version/HttpHead.h"

#include <QDate>
#include <QTime>

namespace lectora {

namespace {

constexpr char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
const QByteArray kLastModified = QByteArrayLiteral("Last-Modified:");

// Characters `from`..`to` (1-based, inclusive) of `value`, as far as it goes.
QString Part(const QString& value, int from, int to) { return value.mid(from - 1, to - from + 1); }

int MonthNumber(const QString& name) {
  // The position in the month string, divided by three: "anF" is January.
  const int position = static_cast<int>(QString::fromLatin1(kMonths).indexOf(name)) + 1;
  return position / 3 + 1;
}

// "yyyy", "yyyy hh:mm" or "yyyy hh:mm:ss", as a converter of short dates
// and times takes them.
std::optional<QDateTime> Compose(int month, const QString& day, const QString& yearAndTime) {
  const QString year = yearAndTime.left(4);
  bool yearOk = false;
  bool dayOk = false;
  const int y = year.toInt(&yearOk);
  const int d = day.trimmed().toInt(&dayOk);
  if (!yearOk || !dayOk || year.size() != 4) return std::nullopt;
  const QDate date(y, month, d);
  if (!date.isValid()) return std::nullopt;
  const QString clock = yearAndTime.mid(4).trimmed();
  QTime time(0, 0);
  if (!clock.isEmpty()) {
    time = QTime::fromString(clock, QStringLiteral("H:mm:ss"));
    if (!time.isValid()) time = QTime::fromString(clock, QStringLiteral("H:mm"));
    if (!time.isValid()) return std::nullopt;
  }
  return QDateTime(date, time, Qt::LocalTime);
}

}  // namespace

TCheckAddress SplitCheckAddress(const QString& address) {
  TCheckAddress result;
  const qsizetype slash = address.indexOf(QLatin1Char('/'));
  result.Host = slash < 0 ? address : address.left(slash);
  result.Path = slash < 0 ? QStringLiteral("/") : address.mid(slash);
  const qsizetype colon = result.Host.lastIndexOf(QLatin1Char(':'));
  if (colon > 0) {
    bool ok = false;
    const uint port = result.Host.mid(colon + 1).toUInt(&ok);
    if (ok && port > 0 && port < 65536) result.Port = static_cast<quint16>(port);
  }
  return result;
}

QByteArray HeadRequest(const TCheckAddress& address) {
  return "HEAD " + address.Path.toLatin1() + " HTTP/1.0\r\n" + "Host: " + address.Host.toLatin1() +
         "\r\n" + "User-Agent: Lectora 4.0\r\n" + "Connection: close\r\n" + "\r\n";
}

std::optional<QDateTime> LastModified(const QByteArray& head) {
  const qsizetype at = head.indexOf(kLastModified);
  if (at < 0) return std::nullopt;
  const qsizetype from = at + kLastModified.size();
  const qsizetype cr = head.indexOf('\r', from);
  const QString value = QString::fromLatin1(head.mid(from, cr < 0 ? -1 : cr - from));
  return Compose(MonthNumber(Part(value, 10, 12)), Part(value, 7, 8), Part(value, 14, 26));
}

bool IsNewVersion(const QDateTime& server, const QDateTime& program) {
  return server > program.addDays(1);
}

}  // namespace lectora
