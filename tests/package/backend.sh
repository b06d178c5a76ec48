# Sourced by the package tests. start_backend BIN LOG: the installed back-end BIN on a free port, its
# address in `url`, its request log in LOG; it stops when the test ends.
start_backend() {
  mkfifo "$2.fifo"
  "$1" --port 0 > "$2.fifo" 2>&1 &
  backend=$!
  trap 'kill $backend 2>/dev/null || true' EXIT
  exec 3< "$2.fifo"
  local line=
  read -r -t 60 line <&3 || true
  url=${line#listening on }
  [ "$url" != "$line" ] || { echo "the installed back-end did not start: $line"; exit 1; }
  cat <&3 > "$2" &
}

# expect_detail LOG HOST ARGS...: runs a build of examples/host, which taps the first card of the store
# on the real clock, as a host's pointer does, and says whether the card's detail showed.
expect_detail() {
  local log=$1
  shift
  "$@" --backend "$url" --seconds 60 > "$log" 2>&1 || { echo "$1 failed:"; cat "$log"; exit 1; }
  grep -qx "card detail shown: yes" "$log" || { echo "$1 showed no card detail:"; cat "$log"; exit 1; }
}
