#!/usr/bin/env bash
# Installs the Debian packages the build needs. Safe to run again: it only
# installs what is missing. Needs root or sudo when something is missing.
# With --docs (or QEL_DOCS=1) also Doxygen, for the API reference.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config clang
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libfontconfig-dev libpng-dev libjpeg62-turbo-dev zlib1g-dev libexpat1-dev libpcre2-dev
  fonts-dejavu-core fonts-liberation
  libsdl2-dev libx11-dev xvfb xdotool xauth
)
if [ "${1:-}" = --docs ] || [ "${QEL_DOCS:-0}" = 1 ]; then
  PACKAGES+=(doxygen)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  SUDO=(sudo)
else
  echo "setup: these packages are missing and installing them needs root or sudo:" >&2
  echo "  ${missing[*]}" >&2
  echo "setup: run 'sudo scripts/setup.sh' once, then try again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
