// The pieces of the new-version check that need no socket: the check
// address split into host and path, the HEAD request text, the
// "Last-Modified:" value read from a response head with the check's own
// date rules, and the one-day rule.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace lectora {

struct TCheckAddress {
  // The part before the first "/" (it may end in ":port").
  QString Host;
  // From the first "/" on; "/" when the address has none.
  QString Path;
  // The port of Host, 80 when it names none.
  quint16 Port = 80;
};

// Splits "host/path" (no scheme). An empty address gives an empty Host.
TCheckAddress SplitCheckAddress(const QString& address);
// "HEAD <path> HTTP/1.0", "Host: <host>", "User-Agent: Lectora 4.0",
// "Connection: close", each ended by CR LF, then an empty line.
QByteArray HeadRequest(const TCheckAddress& address);
// The date of the first "Last-Modified:" of `head`, as local time: the text
// after the name up to the next CR, read by position (day at 7-8, month
// name at 10-12, year and time at 14-26 counting the blank after the colon
// as 1); a month name other than the twelve English abbreviations reads as
// January. Nothing when the header is absent or the date is no date.
std::optional<QDateTime> LastModified(const QByteArray& head);
// A newer version: `server` is strictly later than `program` plus one day.
bool IsNewVersion(const QDateTime& server, const QDateTime& program);

}  // namespace lectora
