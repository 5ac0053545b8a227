#!/usr/bin/env bash
# Installs the Debian packages Pedivo needs to build, test and run.
# Safe to run again: packages already present are skipped.
#   scripts/setup.sh           build and test dependencies
#   scripts/setup.sh --office  also a word processor to open the reports (LibreOffice Writer), with
#                              its Chinese interface and Chinese help
#   scripts/setup.sh --package also what builds and checks the Debian package: dpkg-shlibdeps (for
#                              its Depends), file, desktop-file-validate and lintian. Only
#                              scripts/package.sh needs them, which runs the checks CI runs.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libzip-dev libpugixml-dev nlohmann-json3-dev libcsv-dev libxlsxwriter-dev libsimdjson-dev libmimalloc-dev
  libdxflib-dev qt6-svg-dev python3-ezdxf
  # The LibreCAD font of the drawings is made from Noto Sans CJK SC (fonts-noto-cjk, below).
  python3-fonttools
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-arphic-ukai fontconfig
  xvfb xauth xdg-utils
)
if [[ "${1:-}" == "--office" ]]; then
  # The interface follows the desktop's language: Chinese on a zh_CN desktop once its
  # translation is installed.
  packages+=(libreoffice-writer libreoffice-l10n-zh-cn libreoffice-help-zh-cn)
elif [[ "${1:-}" == "--package" ]]; then
  packages+=(dpkg-dev file desktop-file-utils lintian)
fi

# The reports' Chinese text is set in 宋体; on Linux the same Song face comes from Noto Serif CJK.
install_font_aliases() {
  local source target
  source="$(dirname "$0")/fontconfig/64-pedivo-song.conf"
  target=/etc/fonts/conf.d/64-pedivo-song.conf
  if ! cmp -s "$source" "$target" 2>/dev/null; then
    "${sudo_cmd[@]}" install -m 644 "$source" "$target"
    "${sudo_cmd[@]}" fc-cache -f >/dev/null 2>&1 || true
  fi
}

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "setup: all packages present"
  install_font_aliases
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
install_font_aliases
