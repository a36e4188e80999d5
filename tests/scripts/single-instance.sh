#!/usr/bin/env bash
# The real program started twice: the second start hands over to the first
# and ends at once without writing anything; SIGTERM then closes the first
# the way Exit does, so its settings file is written.
# Usage: single-instance.sh LECTORA DATA_DIR [dbus|socket]
set -euo pipefail

lectora=$1
data=$2
mode=${3:-socket}
work=$(mktemp -d "${TMPDIR:-/tmp}/lectora-instance.XXXXXX")
first=""
cleanup() {
  [ -n "$first" ] && kill -9 "$first" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/setup" "$work/runtime" "$work/config"
chmod 700 "$work/runtime"
cp "$data/BibleStructure.txt" "$data/Abrevs.txt" "$work/setup/"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
if [ "$mode" = socket ]; then
  unset DBUS_SESSION_BUS_ADDRESS
  # No session bus may be found by any other means either.
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
fi

fail() {
  echo "single-instance ($mode): $*" >&2
  exit 1
}

"$lectora" --setup-dir "$work/setup" >"$work/first.log" 2>&1 &
first=$!
# The first instance is up once it answers: wait for its lock or its name.
for _ in $(seq 100); do
  if [ "$mode" = socket ]; then
    ls "$work/runtime" 2>/dev/null | grep -q . && break
  else
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
      org.freedesktop.DBus.NameHasOwner string:org.darsel.Lectora 2>/dev/null |
      grep -q 'boolean true' && break
  fi
  sleep 0.1
done
kill -0 "$first" 2>/dev/null || fail "the first instance did not start: $(cat "$work/first.log")"

mkdir -p "$work/second"
cp "$data/BibleStructure.txt" "$data/Abrevs.txt" "$work/second/"
start=$(date +%s)
timeout 20 "$lectora" --setup-dir "$work/second" >"$work/second.log" 2>&1 ||
  fail "the second instance did not end by itself: $(cat "$work/second.log")"
[ $(($(date +%s) - start)) -lt 10 ] || fail "the second instance took too long"
[ ! -e "$work/second/lectora.ini" ] || fail "the second instance wrote its settings"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"

kill -TERM "$first"
for _ in $(seq 100); do
  kill -0 "$first" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$first" 2>/dev/null && fail "SIGTERM did not close the first instance"
wait "$first" || fail "the first instance ended with an error"
first=""
grep -q '^\[MainWindow\]' "$work/setup/lectora.ini" ||
  fail "closing on SIGTERM did not write the settings"
echo "single-instance ($mode): ok"
