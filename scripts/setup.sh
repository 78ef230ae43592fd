#!/usr/bin/env bash
# Installs what is missing (Debian packages) and builds mpsec into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

need_packages cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
  libbenchmark-dev xvfb xauth fonts-dejavu-core fonts-liberation poppler-utils \
  desktop-file-utils groff man-db bsdextrautils libcurl4-openssl-dev qtkeychain-qt6-dev python3-aiosmtpd \
  openssl

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMPSEC_WERROR=ON >/dev/null
cmake --build build --parallel "$(nproc)"
