#!/usr/bin/env bash
# Renders pages of the built vex.chm (or vex-en.chm) with headless Chromium
# and saves the screenshots in docs/, to look at the help as a reader with an
# HTML engine sees it (Wine's help viewer shows the contents tree but a blank
# page):
#   scripts/render-help.sh [--lang ja|en] [BUILD_DIR]
# (defaults: ja, build/native).
# The pages come out of the compiled file (unpacked with extract_chmLib), not
# from help/, so the images show what ships. Each image is 760 pixels wide,
# about a help viewer's page pane, and as tall as the page.
#
# A one-off for people, not a test: Chromium is large, so neither deps.sh nor
# the test run installs or starts it. Needs chromium, libchm-bin, imagemagick
# and fonts-ipafont-gothic. The pages ask for the MS Gothic fonts, which
# Debian does not have: as in the Wine prefix, IPA P Gothic stands in for
# MS PGothic (proportional, the text) and IPA Gothic for MS Gothic (fixed
# pitch, code and results). Without these aliases Chromium draws Latin text
# in DejaVu Sans and Japanese in the fixed-pitch IPA Gothic. The English
# pages ask for Windows' Latin fonts (Segoe UI, Tahoma; Consolas, Courier
# New): Chromium draws them with Debian's default sans-serif and monospace
# fonts, of about the same widths.
set -euo pipefail
cd "$(dirname "$0")/.."

lang=ja
if [ "${1:-}" = --lang ]; then
  lang=${2:-}
  shift 2 || true
fi
build=${1:-build/native}
# page, image in docs/
case $lang in
  ja)
    chm="$build/window/vex.chm"
    pages=(
      "index.html help-start-page.png"            # the page the help file opens on
      "start.html help-getting-started-page.png"  # はじめに
      "operators.html help-operators-page.png"
    ) ;;
  en)
    chm="$build/window/vex-en.chm"
    pages=(
      "index.html help-en-start-page.png"         # the page the help file opens on
      "menus.html help-en-menus-page.png"         # the English menu labels, the language item
      "views.html help-en-views-page.png"         # the language switch
    ) ;;
  *)
    echo "render-help: --lang takes ja or en" >&2
    exit 2 ;;
esac
width=760

for tool in chromium extract_chmLib convert; do
  if ! command -v "$tool" >/dev/null; then
    echo "render-help: $tool not found (apt-get install chromium libchm-bin imagemagick)" >&2
    exit 1
  fi
done
if [ ! -f "$chm" ]; then
  echo "render-help: $chm not found; build first (cmake --build --preset native)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! extract_chmLib "$chm" "$work/chm" >"$work/extract.log" 2>&1; then
  cat "$work/extract.log" >&2
  exit 1
fi

# The font aliases, on top of the system's fontconfig settings.
cat >"$work/fonts.conf" <<'EOF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <alias binding="same"><family>ＭＳ Ｐゴシック</family><prefer><family>IPAPGothic</family></prefer></alias>
  <alias binding="same"><family>MS PGothic</family><prefer><family>IPAPGothic</family></prefer></alias>
  <alias binding="same"><family>ＭＳ ゴシック</family><prefer><family>IPAGothic</family></prefer></alias>
  <alias binding="same"><family>MS Gothic</family><prefer><family>IPAGothic</family></prefer></alias>
</fontconfig>
EOF
export FONTCONFIG_FILE="$work/fonts.conf"
# Chromium keeps crash-report settings and a dconf cache in the home folder
# whatever the profile: keep them in the scratch folder too.
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"

# As root Chromium starts only without its sandbox.
sandbox=()
[ "$(id -u)" -ne 0 ] || sandbox=(--no-sandbox)

for entry in "${pages[@]}"; do
  read -r page image <<<"$entry"
  if [ ! -f "$work/chm/$page" ]; then
    echo "render-help: $page is not inside $chm" >&2
    exit 1
  fi
  # A fresh profile each time, and nothing that reaches the network.
  profile=$(mktemp -d "$work/profile.XXXXXX")
  if ! timeout 120 chromium --headless "${sandbox[@]}" --disable-gpu --disable-quic \
      --no-first-run --disable-background-networking --disable-component-update \
      --disable-sync --user-data-dir="$profile" --hide-scrollbars \
      --window-size="$width,3000" --screenshot="$work/full.png" \
      "file://$work/chm/$page" >"$work/chromium.log" 2>&1; then
    cat "$work/chromium.log" >&2
    exit 1
  fi
  # Cut the blank below the page's last line, keeping a margin; no time stamps
  # in the PNG, so the same page gives the same file.
  box=$(convert "$work/full.png" -trim -format '%@' info:)   # WxH+X+Y
  if [[ ! $box =~ ^[0-9]+x([0-9]+)\+[0-9]+\+([0-9]+)$ ]]; then
    echo "render-help: $page rendered blank" >&2
    exit 1
  fi
  height=$((BASH_REMATCH[1] + BASH_REMATCH[2] + 16))
  convert "$work/full.png" -crop "${width}x${height}+0+0" +repage -strip \
    -define png:exclude-chunks=date,time "docs/$image"
  echo "docs/$image: $page, ${width}x${height}"
done
