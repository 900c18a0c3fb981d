#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under another prefix and runs
# what was installed, from a folder outside the build tree, with an
# environment that names nothing of the build: `kestrova` writes the demo
# game, reads it and draws it; the editor starts on the offscreen platform
# with the demo loaded and quits, and answers and quits on a file it refuses.
# Then the desktop entry, the metainfo, the MIME types and the manual pages
# are checked with the tools a desktop and Debian use, and every option
# `--help` lists must be in the manual page.
#   install_test.sh BUILD_DIR APP_ID   (APP_ID: the desktop entry's and the metainfo's name)
# SYSTEM_MIME_DIR (default /usr/share/mime) is the MIME database whose types
# for .sna and .szx ours must agree with; another one tries other systems.
set -euo pipefail
build=$(realpath "$1")
app_id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=/opt/kestrova
root=$work/destdir$prefix
failures=0

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# Runs an installed program with a clean environment, in $work/run.
installed() {
  (cd "$work/run" && env -i PATH="$root/bin:/usr/bin:/bin" HOME="$work/home" XDG_RUNTIME_DIR="$work/xdg" \
    QT_QPA_PLATFORM=offscreen "$@")
}

DESTDIR=$work/destdir cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -p "$work/run" "$work/home" "$work/xdg"
chmod 700 "$work/xdg"

# ---- What is installed: the two programs and their files, nothing more.
icon_sizes=(16 24 32 48 64 128 256)
expected=(bin/kestrova bin/kestrova-editor
  share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml
  share/mime/packages/kestrova-editor.xml
  share/man/man1/kestrova.1.gz share/man/man1/kestrova-editor.1.gz
  share/doc/kestrova-editor/guide.html)
for picture in "$(dirname "$0")"/../../docs/images/*.png; do
  expected+=("share/doc/kestrova-editor/images/$(basename "$picture")")
done
for size in "${icon_sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/kestrova-editor.png"); done
if ! diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f | sed 's|^\./||' | sort); then
  fail "the installed files differ from the list above (< expected, > installed)"
fi
for size in "${icon_sizes[@]}"; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/kestrova-editor.png
  [ -f "$icon" ] || continue
  file "$icon" | grep -q "PNG image data, $size x $size," || fail "$icon is not a ${size}x${size} PNG: $(file -b "$icon")"
done

# ---- The programs find their libraries in the system, none in the build.
for program in kestrova kestrova-editor; do
  if readelf -d "$root/bin/$program" | grep -E 'RPATH|RUNPATH'; then fail "$program keeps a library path"; fi
  if ldd "$root/bin/$program" | grep -E "not found|$build"; then fail "$program needs a library it cannot find"; fi
  # libspectrum (with glib, gcrypt, ...) is opened when a format of its own is read, not at every start.
  if readelf -d "$root/bin/$program" | grep -E 'NEEDED.*libspectrum'; then fail "$program loads libspectrum at start"; fi
done
# The tool's start: the C++ runtime is linked in.
if readelf -d "$root/bin/kestrova" | grep -E 'NEEDED.*libstdc\+\+'; then fail "kestrova loads libstdc++ at start"; fi

# ---- The installed tool on the demo game it writes itself.
installed kestrova demo -o demo.sna || fail "kestrova demo"
installed kestrova info demo.sna >"$work/info.txt" || fail "kestrova info"
grep -q "levels" "$work/info.txt" || fail "kestrova info printed no levels: $(cat "$work/info.txt")"
installed kestrova render demo.sna --level 2 -o level2.png || fail "kestrova render"
file "$work/run/level2.png" | grep -q "PNG image data, 512 x 384," || fail "kestrova render wrote no 512 x 384 PNG"

# ---- The installed editor loads the demo, paints it and quits; a file it
# cannot load has its message answered, and the editor quits with status 2.
if ! installed timeout 60 env KESTROVA_EDITOR_QUIT_AFTER_START=1 kestrova-editor demo.sna; then
  fail "the installed editor did not start with demo.sna and quit"
fi
status=0
installed timeout 60 env KESTROVA_EDITOR_QUIT_AFTER_START=1 kestrova-editor missing.sna 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "the editor ended with status $status on missing.sna, which it cannot load (2 expected)"

# ---- Both programs name the project's licence.
for program in kestrova kestrova-editor; do
  installed "$program" --version | grep -q "^License GPL-3.0-or-later: " ||
    fail "$program --version does not name the licence GPL-3.0-or-later"
done

# ---- The desktop entry, the metainfo and the MIME types.
desktop-file-validate "$root/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --explain "$root/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"
mime=$work/mime
mkdir -p "$mime/packages"
cp "$root/share/mime/packages/kestrova-editor.xml" "$mime/packages/"
update-mime-database "$mime" || fail "update-mime-database refuses kestrova-editor.xml"
for type in $(sed -n 's/^MimeType=//p' "$root/share/applications/$app_id.desktop" | tr ';' ' '); do
  [ -f "$mime/$type.xml" ] || fail "the desktop entry names $type, which kestrova-editor.xml does not define"
done
for extension in sna szx z80 slt sp snp zxs mgtsnp; do
  ours=$(awk -F: -v glob="*.$extension" '$3 == glob { print $2 }' "$mime/globs2")
  [ -n "$ours" ] || fail "kestrova-editor.xml gives no type to *.$extension"
  # Where the system (Fuse, say) defines a type for the extension, ours must be the same one.
  system_globs=${SYSTEM_MIME_DIR:-/usr/share/mime}/globs2
  if [ -f "$system_globs" ]; then
    awk -F: -v glob="*.$extension" -v ours="$ours" '$3 == glob && $2 != ours { found = 1 } END { exit !found }' \
      "$system_globs" && fail "the system defines another type for *.$extension than our $ours"
  fi
done

# ---- The manual pages render without a warning and name every option of --help.
for program in kestrova kestrova-editor; do
  page=$root/share/man/man1/$program.1.gz
  warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "groff warns on $program.1: $warnings"
  [ -n "$(MANWIDTH=80 man -l "$page" 2>&1)" ] || fail "man -l shows nothing of $program.1"
done

# The page's text with the roff escapes of minus signs and fonts taken out.
plain_page() { zcat "$root/share/man/man1/$1.1.gz" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g'; }
# The options a help text lists on its lines that start with "  -".
help_options() { grep -E '^  -' | grep -oE -- '(^|[ ,])--?[a-z0-9][a-z0-9-]*' | tr -d ' ,'; }
# $2 must appear as a word of its own in the text on standard input.
has_word() { grep -qE -- "(^|[^a-z0-9-])$1([^a-z0-9-]|$)"; }

editor_page=$(plain_page kestrova-editor)
for option in $(installed kestrova-editor --help 2>/dev/null | help_options); do
  has_word "$option" <<<"$editor_page" || fail "kestrova-editor --help lists $option; its manual page does not"
done
tool_page=$(plain_page kestrova)
for option in --help --version; do
  has_word "$option" <<<"$tool_page" || fail "kestrova --help lists $option; its manual page does not"
done
commands=$(installed kestrova --help | sed -n 's/^  \([a-z]\+\)  .*/\1/p')
[ -n "$commands" ] || fail "kestrova --help lists no commands"
for command in $commands; do
  # The command's own part of the page: from ".SS command" to the next heading.
  section=$(awk -v start=".SS $command" '$0 == start { on = 1; next } /^\.S[SH] / { on = 0 } on' <<<"$tool_page")
  [ -n "$section" ] || fail "the manual page of kestrova has no part for the command $command"
  for option in $(installed kestrova "$command" --help | help_options); do
    [ "$option" = -h ] || [ "$option" = --help ] && continue  # said once for every command
    has_word "$option" <<<"$section" || fail "kestrova $command --help lists $option; its part of the manual page does not"
  done
done

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "the installed tree works on its own"
