#!/usr/bin/env bash
# Installs the Debian packages Tessera needs to build, test and run, if any
# are missing. Safe to run repeatedly: it does nothing when all are present.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qt6-svg-dev qt6-image-formats-plugins libxkbcommon-dev libgl-dev
    libpng-dev zlib1g-dev libjpeg-dev
    libqt6sql6-sqlite qtkeychain-qt6-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-liberation2
    # Chinese text in captions and a handwriting face for the shipped styles.
    fonts-wqy-microhei fonts-comic-neue
    xvfb xauth dbus-daemon xdotool
    desktop-file-utils appstream shared-mime-info poppler-utils
)

# Optional groups, asked for by the make targets that need them:
#   --bench   libvips (the benchmarks' peer), ImageMagick and exiftool (the
#             photo corpus, bench/make-corpus)
#   --fuzz    clang with libFuzzer (make fuzz)
#   --format  clang-format (make format)
#   --package dpkg-dev and file (make deb: dpkg-shlibdeps computes the
#             package's dependencies)
for option in "$@"; do
    case $option in
    --bench) packages+=(libvips-tools imagemagick libimage-exiftool-perl) ;;
    --fuzz) packages+=(clang libclang-rt-dev) ;;
    --format) packages+=(clang-format) ;;
    --package) packages+=(dpkg-dev file fakeroot) ;;
    *)
        echo "bootstrap: unknown option $option (--bench, --fuzz, --format, --package)" >&2
        exit 2
        ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done
((${#missing[@]} == 0)) && exit 0

echo "bootstrap: installing ${missing[*]}"
sudo=
[[ $(id -u) == 0 ]] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
