#!/usr/bin/env bash
# Runs the simulator against a local back-end on a free loopback port: in a window when there is a
# display, otherwise the scripted tour, whose pictures land in BUILD/tour.
#   tools/simulator/demo.sh BUILD_DIR [kerbelin-sim options...]
set -euo pipefail
build=${1:?usage: demo.sh BUILD_DIR [options]}
shift
backend_log="$build/demo-backend.log"

"$build/bin/kerbelin-backend" --port 0 >"$backend_log" 2>&1 &
backend_pid=$!
trap 'kill "$backend_pid" 2>/dev/null || true; wait "$backend_pid" 2>/dev/null || true' EXIT

url=""
for _ in $(seq 100); do
  url=$(sed -n 's/^listening on \(http:\/\/127\.[0-9.]*:[0-9]*\).*/\1/p' "$backend_log" | head -n 1)
  [ -n "$url" ] && break
  kill -0 "$backend_pid" 2>/dev/null || { cat "$backend_log" >&2; exit 1; }
  sleep 0.1
done
if [ -z "$url" ]; then
  echo "demo: the back-end did not start; see $backend_log" >&2
  exit 1
fi
echo "demo: back-end at $url (log: $backend_log)"
"$build/bin/kerbelin-sim" --backend "$url" --out "$build/tour" "$@"
