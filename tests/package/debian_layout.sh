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

# A staged install keeps the configured prefix in the file it writes.
DESTDIR=$work/stage cmake --install "$layout_build" > "$work/stage.log"
staged=$work/stage/usr/$multiarch/pkgconfig/kerbelinsdk.pc
for line in "libdir=/usr/$multiarch" "includedir=/usr/include/kerbelin"; do
  grep -qx "$line" "$staged" || { echo "$staged lacks '$line':"; cat "$staged"; exit 1; }
done

# Installed into a scratch prefix, a program builds and runs from what pkg-config says alone.
prefix=$work/usr
cmake --install "$layout_build" --prefix "$prefix" > "$work/install.log"
export PKG_CONFIG_PATH=$prefix/$multiarch/pkgconfig
c++ -o "$work/version_host" "$source/tests/package/version_host.cpp" $(pkg-config --cflags --libs kerbelinsdk)
ldd "$work/version_host" > "$work/ldd.log"
grep -q "libios_foundation.* => $prefix/$multiarch/" "$work/ldd.log"
version=$(pkg-config --modversion kerbelinsdk)
IFS=. read -r major minor patch <<< "$version"
expected="$version $((major * 10000 + minor * 100 + patch)) $version"
actual=$("$work/version_host")
[ "$actual" = "$expected" ] || { echo "the version header says '$actual', the package '$expected'"; exit 1; }
echo "built and ran a program against $prefix/$multiarch: $actual"
