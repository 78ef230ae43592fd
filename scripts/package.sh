#!/usr/bin/env bash
# Builds the Debian package mpsec_<version>_amd64.deb (in the project's root) from the
# install rules, with its dependencies found by dpkg-shlibdeps, lists what it holds, and
# checks it with lintian: any error fails the script (warnings are shown).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages cmake ninja-build g++ qt6-base-dev libgl-dev dpkg-dev file lintian
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DMPSEC_BUILD_TESTS=OFF \
  -DMPSEC_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build-package --parallel "$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
deb="$(ls -t build-package/mpsec_*_amd64.deb | head -1)"
cp "$deb" .
deb="$(basename "$deb")"
echo "Built $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
dpkg-deb --contents "$deb" | awk '{print $6}' | grep -v '/$' | grep -v '^./usr/share/mpsec/sample/'
echo "./usr/share/mpsec/sample/ ($(dpkg-deb --contents "$deb" | grep -c '/usr/share/mpsec/sample/.*[^/]$') files)"
echo "lintian $deb:"
lintian --fail-on error "$deb"
echo "lintian: no errors"
