#!/usr/bin/env bash
# Which Wine loader runs Windows programs of one kind on this machine: the one
# place that decides it, asked by every script and by the toolchain files.
#
#   scripts/wine-loader.sh win64     prints /usr/lib/wine/wine64
#   scripts/wine-loader.sh win32     prints /usr/lib/wine/wine, or says on
#                                    standard error why 32-bit programs cannot
#                                    run here and exits with 1
#
# Some kernels have their 32-bit compatibility switched off. There the 32-bit
# loader fails with "Exec format error", and so do /usr/bin/wine and wineboot,
# which Debian points at it whenever wine32:i386 is installed; the 64-bit
# loader, called directly, still works. So the check is whether the 32-bit
# loader itself starts, not whether a package is installed.
#
# VEX_NO_32BIT=1 makes this machine count as one that cannot run 32-bit
# programs, to try that path where they do run.
set -uo pipefail

loader32=/usr/lib/wine/wine
loader64=/usr/lib/wine/wine64

case ${1:-} in
  win64)
    if [ ! -x "$loader64" ]; then
      echo "wine-loader: $loader64 is missing (Debian package wine64)" >&2
      exit 1
    fi
    echo "$loader64"
    ;;
  win32)
    if [ "${VEX_NO_32BIT:-}" = 1 ]; then
      echo "wine-loader: 32-bit programs do not run here: VEX_NO_32BIT=1 is set" >&2
      exit 1
    fi
    if [ ! -x "$loader32" ]; then
      echo "wine-loader: 32-bit programs do not run here: $loader32 is missing (Debian package wine32:i386)" >&2
      exit 1
    fi
    if ! why=$("$loader32" --version 2>&1 </dev/null); then
      why=$(printf '%s' "$why" | sed -n '$s/^.*: //p')
      echo "wine-loader: 32-bit programs do not run here: '$loader32 --version' failed${why:+ ($why)}; this kernel cannot execute 32-bit x86 programs" >&2
      exit 1
    fi
    echo "$loader32"
    ;;
  *)
    echo "usage: $0 win32|win64" >&2
    exit 2
    ;;
esac
