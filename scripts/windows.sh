#!/usr/bin/env bash
# Builds mpsec for 64-bit Windows on this machine and checks it: installs what is missing
# (the mingw-w64 compilers, wine, NSIS; GoogleTest's source), unpacks the shared Windows Qt
# into build-windows/, cross-builds mpsec.exe, the tests and the sample generator, runs
# every test program under wine, then makes the folder mpsec-VERSION-win64/ (the program
# and its console twin with what they load, the sample data, the guide and the licence),
# its zip and the installer mpsec-VERSION-win64.exe, and checks them. With --no-package,
# the build and the tests only.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

need_packages cmake ninja-build qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix \
  gcc-mingw-w64-x86-64-posix wine64 wine nsis googletest python3-aiosmtpd

root=$PWD
out=$root/build-windows
qt_archive=${MPSEC_WINDOWS_QT:-/work/shared/toolchains/qt6.4.2-mingw-w64.tar.xz}
mkdir -p "$out"
if [ ! -f "$out/qt6-mingw/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  echo "Unpacking $qt_archive"
  tar -C "$out" -xJf "$qt_archive"
fi
# libcurl (and QtKeychain) for Windows share the Qt folder's prefix.
deps_archive=${MPSEC_WINDOWS_DEPS:-/work/shared/toolchains/deps-mingw-w64.tar.xz}
if [ ! -f "$out/qt6-mingw/lib/libcurl.dll.a" ]; then
  echo "Unpacking $deps_archive"
  tar -C "$out" -xJf "$deps_archive"
fi

cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$out/qt6-mingw/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DMPSEC_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" --parallel "$(nproc)"

# The DLLs a program built here loads, beside the test programs.
qt=$out/qt6-mingw
runtime() {
  local found
  found=$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")
  [ -f "$found" ] || found=/usr/x86_64-w64-mingw32/lib/$1
  echo "$found"
}
for dir in "$out" "$out/tests"; do
  for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport Qt6Test libcurl-4 libqt6keychain; do
    cp -u "$qt/bin/$dll.dll" "$dir/"
  done
  mkdir -p "$dir/platforms" "$dir/styles"
  cp -u "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" "$dir/platforms/"
  cp -u "$qt/plugins/styles/qwindowsvistastyle.dll" "$dir/styles/"
  for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    cp -u "$(runtime $dll)" "$dir/"
  done
done

# Wine names files on this system in the locale's character set: with none (a bare
# environment, as CI's), a letter beyond ASCII in a file name cannot be written.
export LC_ALL=C.UTF-8
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" QT_QPA_PLATFORM=offscreen
if [ ! -d "$WINEPREFIX" ]; then
  echo "Making the wine prefix"
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w || true
fi

# The e-mail transport's test sends through a plain SMTP server on 127.0.0.1, started here
# (the tests cannot start a Linux program from wine) and stopped when the tests end. Its
# messages are written to smtp-out, which the test reads.
smtp_out=$out/smtp-out
rm -rf "$smtp_out" && mkdir -p "$smtp_out"
coproc SMTP { exec /usr/bin/python3 tests/email/smtp_server.py --out "$smtp_out" --life 1800; }
read -r smtp_port smtp_pid <&"${SMTP[0]}"
trap 'kill "$smtp_pid" 2>/dev/null || true' EXIT
export MPSEC_TEST_SMTP_PORT=$smtp_port
MPSEC_TEST_SMTP_OUT=$(winepath -w "$smtp_out" 2>/dev/null)
export MPSEC_TEST_SMTP_OUT

# Every test program, each from its own folder so none sees another's files. A program
# that fails, or reports fewer tests than it ran, fails the run.
failed=()
passed=0
skipped=0
mkdir -p "$out/test-results"
while read -r program; do
  [ -n "$program" ] || continue
  result=$out/test-results/$program.xml
  rm -f "$result"
  if (cd "$out/tests" && timeout 600 wine "./$program.exe" --gtest_output="xml:..\\test-results\\$program.xml" \
       >"$out/test-results/$program.log" 2>&1); then
    :
  else
    failed+=("$program")
    grep -E '^\[  FAILED  \]|Failure|error' "$out/test-results/$program.log" | head -20 || true
  fi
  if [ -f "$result" ]; then
    tests=$(grep -o 'tests="[0-9]*"' "$result" | head -1 | tr -dc 0-9)
    failures=$(grep -o 'failures="[0-9]*"' "$result" | head -1 | tr -dc 0-9)
    skips=$(grep -c 'result="skipped"' "$result" || true)
    passed=$((passed + tests - failures - skips))
    skipped=$((skipped + skips))
    echo "$program: $tests tests, $failures failed, $skips skipped"
  else
    echo "$program: no result"
    failed+=("$program (no result)")
  fi
done <"$out/test-programs.txt"
echo "Windows tests under wine: $passed passed, $skipped skipped"
wineserver -k >/dev/null 2>&1 || true
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed under wine: ${failed[*]}"
  exit 1
fi
[ "${1:-}" = "--no-package" ] && exit 0

# The folder, its zip and the installer.
version=$(sed -n 's/^project(mpsec VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
folder=$out/mpsec-$version-win64
rm -rf "$folder"
cmake --install "$out" --prefix "$folder" --strip >/dev/null
(cd "$out" && rm -f "mpsec-$version-win64.zip" &&
  cmake -E tar cf "mpsec-$version-win64.zip" --format=zip "mpsec-$version-win64")
(cd "$out" && cpack -G NSIS >/dev/null)
bash tests/install/WindowsPackageTest.sh "$folder" "$out/_CPack_Packages/win64/NSIS/project.nsi"
ls -l "$out/mpsec-$version-win64.zip" "$out/mpsec-$version-win64.exe"
