#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the package and the window screenshot need,
# only those that are missing, and stays quiet when everything is there.
# The print test prints through CUPS's PDF printer and reads the page back (poppler, OCR); the
# fuzz targets need clang.
# --with-display-tools adds what the screenshot needs, --with-bench-tools the benchmarks' peer.
set -euo pipefail

# qt6-translations-l10n: Qt's own dialogs and key names in the window's language.
build_pkgs=(cmake g++ make qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-l10n-tools
            qt6-translations-l10n libqt6svg6 fonts-liberation fonts-dejavu-core libquazip1-qt6-dev
            libreoffice-calc libreoffice-core libreoffice-dev libreoffice-dev-common)
print_pkgs=(cups printer-driver-cups-pdf poppler-utils tesseract-ocr)
# The fuzz targets: libFuzzer and the sanitizers come with clang's runtime.
fuzz_pkgs=(clang-14 libclang-rt-14-dev)
# qt6-gtk-platformtheme: a look at the window under a dark desktop theme
# (QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark).
look_pkgs=(xvfb xauth x11-utils xdotool imagemagick xdg-utils
           qt6-gtk-platformtheme)
# Making the Debian package and checking it, as the suite does.
package_pkgs=(dpkg-dev file lintian desktop-file-utils appstream xvfb xdotool)
bench_pkgs=(gnuplot-nox)

want=("${build_pkgs[@]}" "${print_pkgs[@]}" "${package_pkgs[@]}" "${fuzz_pkgs[@]}")
for option in "$@"; do
  case "$option" in
    --with-display-tools) want+=("${look_pkgs[@]}") ;;
    --with-bench-tools) want+=("${bench_pkgs[@]}") ;;
  esac
done

missing=()
for p in "${want[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
