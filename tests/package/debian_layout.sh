#!/usr/bin/env bash
# debian_layout.sh BUILD_DIR SOURCE_DIR WORK_DIR CMAKE_ARGS...: see CMakeLists.txt beside this file.
set -euo pipefail
build=$1 source=$2 work=$3
shift 3
rm -rf "$work" && mkdir -p "$work"
# Beside the test's build tree, at the same depth, so that a compiler cache finds its objects again.
layout_build=$build-debian-layout
multiarch=lib/x86_64-linux-gnu

cmake -S "$source" -B "$layout_build" -G Ninja "$@" -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_INSTALL_LIBDIR=$multiarch -DKERBELIN_TESTS=OFF -DKERBELIN_BENCH=OFF > "$work/configure.log"
cmake --build "$layout_build" > "$work/build.log"

# A staged install keeps the configured prefix in the file it writes. For a system prefix the linker
# and the loader search the library folder already: no run path (Debian's policy forbids one).
DESTDIR=$work/stage cmake --install "$layout_build" > "$work/stage.log"
staged=$work/stage/usr/$multiarch/pkgconfig/kerbelinsdk.pc
grep -qx "prefix=/usr" "$staged" || { echo "$staged lacks 'prefix=/usr':"; cat "$staged"; exit 1; }
for variable in libdir=/usr/$multiarch includedir=/usr/include/kerbelin \
                hostresourcesdir=/usr/share/kerbelin/host-resources; do
  [ "$(PKG_CONFIG_PATH=${staged%/*} PKG_CONFIG_SYSROOT_DIR= pkg-config --variable=${variable%%=*} kerbelinsdk)" = \
    "${variable#*=}" ] || { echo "$staged does not give $variable:"; cat "$staged"; exit 1; }
done
! grep -q -- '-rpath' "$staged" || { echo "$staged has a run path to a system folder:"; cat "$staged"; exit 1; }

# Installed into a scratch prefix, a program builds and runs from what pkg-config says alone.
prefix=$work/usr
cmake --install "$layout_build" --prefix "$prefix" > "$work/install.log"
export PKG_CONFIG_PATH=$prefix/$multiarch/pkgconfig
c++ -std=c++20 -o "$work/version_host" "$source/tests/package/version_host.cpp" $(pkg-config --cflags --libs kerbelinsdk)
ldd "$work/version_host" > "$work/ldd.log"
grep -q "libios_foundation.* => $prefix/$multiarch/" "$work/ldd.log"
version=$(pkg-config --modversion kerbelinsdk)
IFS=. read -r major minor patch <<< "$version"
expected="$version $((major * 10000 + minor * 100 + patch)) $version"
actual=$("$work/version_host")
[ "$actual" = "$expected" ] || { echo "the version header says '$actual', the package '$expected'"; exit 1; }
echo "built and ran a program against $prefix/$multiarch: $actual"

# The host picks the language standard, C++20 or later: the package's flags do not override it.
printf '#include <Manager.h>\nstatic_assert(__cplusplus > 202002L, "built as C++20");\n' |
  c++ -std=c++23 -fsyntax-only $(pkg-config --cflags kerbelinsdk) -x c++ -

# examples/host from pkg-config alone, with the package's host resources as its main bundle folder:
# built by clang++ (the libraries are g++'s), and with AddressSanitizer. Each taps a card of the store
# from the installed back-end and must see its detail.
resources=$(pkg-config --variable=hostresourcesdir kerbelinsdk)
host_flags="-std=c++20 -O0 $source/examples/host/main.cpp $(pkg-config --cflags --libs kerbelinsdk)"
clang++ -o "$work/host-clang" $host_flags
g++ -fsanitize=address -Wl,--as-needed -o "$work/host-asan" $host_flags
source "$source/tests/package/backend.sh"
start_backend "$prefix/bin/kerbelin-backend" "$work/backend.log"
expect_detail "$work/host-clang.log" "$work/host-clang" --resources "$resources"
grep -qx "sort icon in the main bundle: yes" "$work/host-clang.log"
grep -q "^POST /kerbelin-app/category/req 200 " "$work/backend.log" ||
  { echo "the clang++ host's store asked for its categories elsewhere:"; cat "$work/backend.log"; exit 1; }
echo "the clang++ host showed a card's detail"

# LeakSanitizer at the host's exit counts only the SDK's own leaks with the installed suppressions.
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$prefix/share/kerbelin/lsan.supp \
  expect_detail "$work/host-asan.log" "$work/host-asan" --resources "$resources"
echo "the AddressSanitizer host showed a card's detail and exited without leaks"

# `Libs` holds only what a host links: every library in it is one the example or the README's host
# steps call (linked as needed).
g++ -std=c++20 -Wl,--as-needed -Wl,--no-undefined -o "$work/readme_host" "$source/tests/package/readme_host.cpp" \
  $(pkg-config --cflags --libs kerbelinsdk)
readelf -d "$work/host-asan" "$work/readme_host" > "$work/hosts.needed"
for lib in $(pkg-config --libs-only-l kerbelinsdk | tr ' ' '\n' | grep -E -- '-l(KerbelinSDK|ios_)'); do
  grep -q "lib${lib#-l}\.so" "$work/hosts.needed" || { echo "Libs names $lib, which a host does not call"; exit 1; }
done
installed=$(find "$prefix/$multiarch" -name 'lib*.so' | wc -l)
static_libs=$(pkg-config --static --libs-only-l kerbelinsdk | tr ' ' '\n' | grep -c -E -- '-l(KerbelinSDK|ios_)')
[ "$static_libs" = "$installed" ] || { echo "--static lists $static_libs of the $installed libraries"; exit 1; }
