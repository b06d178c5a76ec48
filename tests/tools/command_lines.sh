#!/usr/bin/env bash
# command_lines.sh BACKEND SIM NIBCHECK WORK_DIR
set -uo pipefail
backend=$1 sim=$2 nibcheck=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
failures=0 passed=0

# expect STATUS TEXT -- COMMAND...: the command exits with STATUS and prints TEXT (either stream).
expect() {
  local status=$1 text=$2; shift 3
  local output actual
  output=$("$@" 2>&1 < /dev/null); actual=$?
  if [ "$actual" -ne "$status" ] || ! grep -qF -- "$text" <<< "$output"; then
    echo "FAILED: $* -> exit $actual, wanted $status and \"$text\"; printed:"; echo "$output" | head -5
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
}

# start_backend NAME: starts the back-end on a free port, sets $port and $pid.
start_backend() {
  mkfifo "$work/$1.out"
  "$backend" --port 0 > "$work/$1.out" 2>&1 &
  pid=$!
  exec 3< "$work/$1.out"
  read -r -t 60 line <&3
  port=${line##*:}
  cat <&3 > /dev/null &
}

start_backend running
busy=$port running=$pid

expect 0 "--qr-seconds N"            -- "$backend" --help
expect 0 "then one line per request" -- "$backend" --help
expect 2 "--port is required"        -- "$backend"
expect 2 "unknown option --bogus"    -- "$backend" --bogus
expect 2 "--port needs 0 to 65535"   -- "$backend" --port 70000
expect 2 "--data needs a value"      -- "$backend" --port 0 --data
expect 1 "the port is in use"        -- "$backend" --port "$busy"
expect 0 "--quit-after SECONDS"      -- "$sim" --help
expect 0 "in share/doc/kerbelin/"    -- "$sim" --help
expect 2 "unknown option"            -- "$sim" --bogus
expect 2 "--backend must be"         -- "$sim" --backend http://example.com
expect 0 "--bundle IDENTIFIER"       -- "$nibcheck" --help
expect 2 "unknown option --bogus"    -- "$nibcheck" --bogus
expect 2 "is not a directory"        -- "$nibcheck" --dir "$work/none"
expect 2 "no bundle \"No.Such\""     -- "$nibcheck" --bundle No.Such
echo "wait 1" > "$work/wait.txt"
expect 0 "cannot open the display"   -- env DISPLAY=:8765 "$sim" --backend "http://127.0.0.1:$busy" --script "$work/wait.txt"
mkdir -p "$work/empty"
expect 2 "nothing to check"          -- "$nibcheck" --dir "$work/empty"

# The defaults the help names: screenshots go to tour/ in the current folder, wherever the tool is.
expect 0 "default: tour, in the current folder" -- "$sim" --help
echo "shot one" > "$work/shot.txt"
mkdir -p "$work/here"
expect 0 "ran to the end"            -- bash -c 'cd "$1" && "$2" --headless --backend "$3" --script "$4"' _ \
  "$work/here" "$sim" "http://127.0.0.1:$busy" "$work/shot.txt"
if [ -s "$work/here/tour/one.png" ]; then passed=$((passed + 1)); else
  echo "FAILED: kerbelin-sim without --out did not write tour/one.png in the current folder"
  failures=$((failures + 1))
fi

# A back-end that stopped answering is reported once, before any screen.
kill "$running" && wait "$running"
expect 1 "does not answer"           -- "$sim" --headless --backend "http://127.0.0.1:$busy"

# SIGTERM ends the back-end at once, even with a client half-way through a request.
start_backend stopping
exec 4<>/dev/tcp/127.0.0.1/"$port"
printf 'POST /kerbelin-app/category/req HTTP/1.1\r\nHost: x\r\n' >&4
kill -TERM "$pid"
if timeout 3 tail --pid="$pid" -f /dev/null; then passed=$((passed + 1)); else
  echo "FAILED: the back-end was still running 3 s after SIGTERM with a client connected"
  failures=$((failures + 1)); kill -KILL "$pid"
fi
exec 4>&-

echo "tool command lines: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
