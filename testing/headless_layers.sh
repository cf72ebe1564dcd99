#!/usr/bin/env bash
# The headless program stands on its own layers alone: configured with only
# forth, raster, turtle and veskel asked for, and with GTK and GoogleTest
# hidden from CMake, it configures, takes in neither the widget layer nor
# the app, and no compile line names GTK. (The normal build then proves the
# code: a headless target that included a widget header would not compile
# without GTK's include path, nor link without the toolkit.)
# Usage: headless_layers.sh SOURCE_DIR WORK_DIR
set -euo pipefail
src=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# pkg-config as it is, except that it knows no GTK.
cat > "$work/pkg-config" <<'WRAP'
#!/bin/sh
for arg; do
  case $arg in *gtk*) exit 1 ;; esac
done
exec pkg-config "$@"
WRAP
chmod +x "$work/pkg-config"

cmake -S "$src" -B "$work/b" -DSUITE_COMPONENTS="forth;raster;turtle;veskel" -DBUILD_TESTING=OFF \
  -DPKG_CONFIG_EXECUTABLE="$work/pkg-config" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON > "$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; echo "FAIL: the headless build does not configure"; exit 1; }

if grep -q 'gtk' "$work/b/compile_commands.json"; then
  grep -o '[^ ]*gtk[^ ]*' "$work/b/compile_commands.json" | sort -u
  echo "FAIL: a headless target's compile line names GTK"
  exit 1
fi
for layer in toolkit app; do
  if [[ -d $work/b/pintaro/$layer ]]; then
    echo "FAIL: the headless build configures pintaro/$layer"
    exit 1
  fi
done
echo "PASS: the headless build configures without GTK and GoogleTest and names no GTK header"
