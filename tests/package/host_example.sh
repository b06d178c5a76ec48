#!/usr/bin/env bash
# host_example.sh BUILD_DIR SOURCE_DIR WORK_DIR: see CMakeLists.txt beside this file.
set -euo pipefail
build=$1 source=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

# Every installed header, with nothing but what pkg-config says a host needs and the standard it picks.
export PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name kerbelinsdk.pc)")
(cd "$prefix/include/kerbelin" && find sdk platform -name '*.h' | sed -E 's#^(sdk|platform)/(.*)#\#include <\2>#') \
  > "$work/all_headers.cpp"
c++ -std=c++20 -fsyntax-only $(pkg-config --cflags kerbelinsdk) "$work/all_headers.cpp"
echo "compiled $(wc -l < "$work/all_headers.cpp") installed headers with the pkg-config flags"

# No installed header may define an object built at start-up (nor its guard): a host built by another
# compiler than the library's binds such an object in its own copy, which can then take the library's
# place unbuilt. Clang says which declarations need a start-up constructor; the object must hold no
# guard variable outside a function's static.
clang++ -std=c++20 -c -Werror=global-constructors $(pkg-config --cflags kerbelinsdk) "$work/all_headers.cpp" \
  -o "$work/all_headers.o"
if nm "$work/all_headers.o" | grep -E ' [A-Za-z] _ZGV[^Z]' > "$work/guards.txt"; then
  echo "installed headers define objects built at start-up:"; cat "$work/guards.txt"; exit 1
fi

# The example, against the package alone (C++17 by default here: the package asks for C++20 itself).
cmake -S "$source/examples/host" -B "$work/host" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_STANDARD=17 -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 > "$work/configure.log"
cmake --build "$work/host" > "$work/build.log"

# The installed back-end, then the host against it, both from the prefix (no build tree on the path).
source "$source/tests/package/backend.sh"
start_backend "$prefix/bin/kerbelin-backend" "$work/backend.log"
expect_detail "$work/host.log" "$work/host/kerbelin-host-example" --shot "$work/store.png"
cat "$work/host.log"
[ -s "$work/store.png" ]
grep -q "^POST /kerbelin-app/category/req 200 " "$work/backend.log" ||
  { echo "the store asked for its categories elsewhere:"; cat "$work/backend.log"; exit 1; }
echo "the example host showed the store from $url and a card's detail"

# The simulator's help names its script language's document where the package installs it.
"$prefix/bin/kerbelin-sim" --help > "$work/sim-help.txt"
grep -q "in share/doc/kerbelin/" "$work/sim-help.txt"
[ -s "$prefix/share/doc/kerbelin/SIMULATOR.md" ]
