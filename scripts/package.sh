#!/usr/bin/env bash
# Builds the Debian package in the repository root (pedivo_<version>_<architecture>.deb) and checks
# it as CI does: the menu entry with desktop-file-validate, the package with lintian (no errors).
# Install it afterwards with:  sudo apt install ./pedivo_*.deb
#   bash scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --package
# The same build folder as the test and run scripts: after them only the package is made.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
rm -f pedivo_*.deb
(cd build && cpack -G DEB)
mv build/pedivo_*.deb .
deb=$(ls pedivo_*.deb)

desktop-file-validate packaging/pedivo.desktop
# Lintian warns about running as root (as CI does) and about a build without a Debian source
# package; what fails the package is an error.
lintian --fail-on error "$deb"
echo "package: $deb"
