#!/usr/bin/env bash
# host_example.sh BUILD_DIR SOURCE_DIR WORK_DIR: see CMakeLists.txt beside this file.
set -euo pipefail
build=$1 source=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

# Every installed header, with nothing but what pkg-config says a host needs.
export PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name kerbelinsdk.pc)")
(cd "$prefix/include/kerbelin" && find sdk platform -name '*.h' | sed -E 's#^(sdk|platform)/(.*)#\#include <\2>#') \
  > "$work/all_headers.cpp"
c++ -fsyntax-only $(pkg-config --cflags kerbelinsdk) "$work/all_headers.cpp"
echo "compiled $(wc -l < "$work/all_headers.cpp") installed headers with the pkg-config flags"

# The example, against the package alone (C++17 by default here: the package asks for C++20 itself).
cmake -S "$source/examples/host" -B "$work/host" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_STANDARD=17 -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 > "$work/configure.log"
cmake --build "$work/host" > "$work/build.log"

# The installed back-end, then the host against it, both from the prefix (no build tree on the path).
mkfifo "$work/backend.out"
"$prefix/bin/kerbelin-backend" --port 0 > "$work/backend.out" 2>&1 &
backend=$!
trap 'kill $backend 2>/dev/null || true' EXIT
exec 3< "$work/backend.out"
read -r -t 60 line <&3 || true
url=${line#listening on }
[ "$url" != "$line" ] || { echo "the installed back-end did not start: $line"; exit 1; }
cat <&3 > "$work/backend.log" &
# It taps the first card on the real clock, as a host's pointer does, and waits for its detail.
"$work/host/kerbelin-host-example" --backend "$url" --seconds 60 --shot "$work/store.png" | tee "$work/host.log"
[ -s "$work/store.png" ]
grep -qx "card detail shown: yes" "$work/host.log"
echo "the example host showed the store from $url and a card's detail"
