#!/usr/bin/env bash
# host_example.sh BUILD_DIR SOURCE_DIR WORK_DIR: see CMakeLists.txt beside this file.
set -euo pipefail
build=$1 source=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

# Every installed header, with nothing but what pkg-config says a host needs (-I, so the headers are
# not system headers and their warnings count), warning-free with g++ and clang++ at C++20 and at the
# newest standard each knows.
export PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name kerbelinsdk.pc)")
cflags="-Wall -Wextra -Werror $(pkg-config --cflags kerbelinsdk)"
(cd "$prefix/include/kerbelin" && find sdk platform -name '*.h' | sed -E 's#^(sdk|platform)/(.*)#\#include <\2>#') \
  > "$work/all_headers.cpp"
newest_std() {
  for std in c++26 c++2c c++23 c++2b; do
    echo | "$1" -std=$std -fsyntax-only -x c++ - 2> /dev/null && { echo $std; return; }
  done
  echo c++20
}
# (clang++ at C++20 is the start-up objects' compile below.)
for build in "g++ c++20" "g++ $(newest_std g++)" "clang++ $(newest_std clang++)"; do
  read -r compiler std <<< "$build"
  $compiler -std=$std -fsyntax-only $cflags "$work/all_headers.cpp" ||
    { echo "the installed headers warn with $compiler -std=$std"; exit 1; }
  echo "compiled $(wc -l < "$work/all_headers.cpp") installed headers with $compiler -std=$std $cflags"
done

# Clang forgets unused private fields in a translation unit that defaults a comparison, which the
# standard library's headers do: the headers that include none of the package's are compiled one by
# one too (they are the light ones).
(cd "$prefix/include/kerbelin" && grep -L -E '^#include <([A-Z][A-Za-z]*/|[A-Z][A-Za-z]*\.h)' -r sdk platform) |
  sed -E 's#^(sdk|platform)/##' > "$work/leaf_headers.txt"
while read -r header; do
  echo "#include <$header>" | clang++ -std=c++20 -fsyntax-only $cflags -x c++ - ||
    { echo "$header warns on its own with clang++"; exit 1; }
done < "$work/leaf_headers.txt"
echo "compiled $(wc -l < "$work/leaf_headers.txt") installed headers that include no other one alone with clang++"

# No installed header may define an object built at start-up (nor its guard): a host built by another
# compiler than the library's binds such an object in its own copy, which can then take the library's
# place unbuilt. Clang says which declarations need a start-up constructor; the object must hold no
# guard variable outside a function's static.
clang++ -std=c++20 -c -Werror=global-constructors $cflags "$work/all_headers.cpp" -o "$work/all_headers.o" ||
  { echo "the installed headers warn, or need start-up objects, with clang++ -std=c++20"; exit 1; }
echo "compiled $(wc -l < "$work/all_headers.cpp") installed headers with clang++ -std=c++20 $cflags"
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

# A copy of the prefix, the original gone: a host that makes every call of the README's host steps
# builds from `pkg-config` alone (linked as Debian's linker does: only the libraries named, every symbol
# resolved), finds the package where it now is and runs.
moved=$work/moved
cp -a "$prefix" "$moved"
rm -rf "$prefix"
export PKG_CONFIG_PATH=$(dirname "$(find "$moved" -name kerbelinsdk.pc)")
g++ -std=c++20 -Wl,--no-undefined -Wl,--as-needed -o "$work/readme_host" "$source/tests/package/readme_host.cpp" \
  $(pkg-config --cflags --libs kerbelinsdk)
LSAN_OPTIONS=suppressions=$moved/share/kerbelin/lsan.supp "$work/readme_host" \
  "$(pkg-config --variable=hostresourcesdir kerbelinsdk)" http://127.0.0.1:1 > "$work/readme_host.log" 2>&1 ||
  { echo "the README's host steps failed from a moved prefix:"; cat "$work/readme_host.log"; exit 1; }
ldd "$work/readme_host" | grep -q "libKerbelinSDK.* => $moved/" ||
  { echo "the host does not load the moved prefix's libraries:"; ldd "$work/readme_host"; exit 1; }
cat "$work/readme_host.log"
