#!/usr/bin/env bash
# The Debian package as cpack builds it: its control fields, its contents
# (the same files "cmake --install" puts below the prefix, under /usr), and
# lintian's verdict (no error and no warning).
#
#   package_test.sh BUILD_DIR SOURCE_DIR
set -u
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$source/veskel/tests/expect.sh"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1
check "cpack -G DEB" $? "$(tail -5 "$work/cpack.log")"
deb=$(echo "$work"/pintaro-suite_*_*.deb)
[ -f "$deb" ]
check "the package is named pintaro-suite_VERSION_ARCH.deb" $? "$(ls "$work")"

field() { dpkg-deb -f "$deb" "$1"; }
for pair in Package=pintaro-suite Section=graphics Priority=optional Architecture="$(dpkg --print-architecture)"; do
  [ "$(field "${pair%%=*}")" = "${pair#*=}" ]
  check "control field ${pair%%=*}" $? "got '$(field "${pair%%=*}")', want '${pair#*=}'"
done
[[ $(field Maintainer) == *'<'*@*'>' ]]
check "a maintainer with an address" $? "Maintainer: $(field Maintainer)"
[ "$(field Description | wc -l)" -gt 3 ]
check "a summary and a long description" $? "$(field Description)"
# Run-time loaded (declared by hand) and linked (found by dpkg-shlibdeps).
depends=$(field Depends)
for package in libgtk-3-0 libcairo2 libpangocairo-1.0-0 libgdk-pixbuf-2.0-0 fonts-dejavu-core libduktape207 libncursesw6 libreadline8 libwebpmux3 libstdc++6; do
  [[ ", $depends," == *", $package "[,\(]* || ", $depends," == *", $package,"* ]]
  check "depends on $package" $? "Depends: $depends"
done

# Contents: the installed layout, below /usr, files and links only.
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./usr/||' | LC_ALL=C sort >"$work/files"
diff -u "$source/packaging/tests/installed-files" "$work/files" >"$work/files.diff"
check "package contents" $? "$(cat "$work/files.diff")"

lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1
check "lintian: no error or warning" $? "$(cat "$work/lintian")"

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
