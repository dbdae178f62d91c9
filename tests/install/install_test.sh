#!/usr/bin/env bash
# The game as a player gets it: installed into a fresh prefix (then moved elsewhere), its
# desktop files checked by their validators, the icons measured, the manual page rendered,
# the installed game started headless with a level set to open; then the Debian package
# built, its contents checked, and installed and removed in a throw-away root.
#   install_test.sh <build dir> <source dir> <desktop id>
set -euo pipefail
BUILD=$1 SRC=$2 ID=$3
T=${TMPDIR:-/tmp}/qv_install_test
rm -rf "$T"
mkdir -p "$T"
P=$T/prefix

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "== $*"; }
# Width x height from a PNG's header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}

step "cmake --install --prefix $P --strip"
cmake --install "$BUILD" --prefix "$P" --strip >"$T/install.log"
FILES=(bin/quorvale "share/applications/$ID.desktop" "share/metainfo/$ID.metainfo.xml"
  "share/mime/packages/$ID.xml" share/man/man6/quorvale.6.gz share/doc/quorvale/copyright
  share/doc/quorvale/AveriaSerifGWF-OFL.txt share/doc/quorvale/Cabin-OFL.txt
  "share/icons/hicolor/scalable/apps/$ID.svg")
SIZES=(16 24 32 48 64 128 256 512)
for s in "${SIZES[@]}"; do FILES+=("share/icons/hicolor/${s}x${s}/apps/$ID.png"); done
for f in "${FILES[@]}"; do [[ -f $P/$f ]] || fail "not installed: $f"; done
[[ $(find "$P" -type f | wc -l) -eq ${#FILES[@]} ]] || fail "unexpected files: $(find "$P" -type f)"

step "desktop-file-validate"
out=$(desktop-file-validate "$P/share/applications/$ID.desktop" 2>&1) || fail "$out"
[[ -z $out ]] || fail "$out"
echo "(no messages)"

step "appstreamcli validate --no-net"
out=$(appstreamcli validate --no-net "$P/share/metainfo/$ID.metainfo.xml" 2>&1) || fail "$out"
echo "$out"
! grep -qE '^(E|W):' <<<"$out" || fail "metainfo errors or warnings"

step "icons"
for s in "${SIZES[@]}"; do
  f=$P/share/icons/hicolor/${s}x${s}/apps/$ID.png
  [[ $(od -An -tx1 -N8 "$f" | tr -d ' ') == 89504e470d0a1a0a ]] || fail "not a PNG: $f"
  [[ $(png_size "$f") == "${s}x${s}" ]] || fail "$f is $(png_size "$f")"
done
grep -q '<svg' "$P/share/icons/hicolor/scalable/apps/$ID.svg" || fail "the scalable icon is no SVG"
grep -q 'viewBox="0 0 128 128"' "$P/share/icons/hicolor/scalable/apps/$ID.svg" || fail "the SVG is not square"
echo "${SIZES[*]} px and scalable"

step "man -l"
MANWIDTH=80 man --warnings -l "$P/share/man/man6/quorvale.6.gz" >"$T/man.txt" 2>"$T/man.err" || fail "man failed"
[[ ! -s $T/man.err ]] || fail "man: $(cat "$T/man.err")"
grep -q 'quorvale - calm tangram puzzle game' "$T/man.txt" || fail "no NAME line"
grep -q -- '--fullscreen' "$T/man.txt" || fail "no options"
head -3 "$T/man.txt"

step "level-set file type"
cp -r "$P/share/mime" "$T/mime"
update-mime-database "$T/mime" 2>/dev/null  # (it notes that the folder is not a system one)
grep -q "application/x-quorvale-levelset:\*\.lvl" "$T/mime/globs2" || fail "no *.lvl glob"
grep -q "application/x-quorvale-levelset" "$T/mime/magic" || fail "no magic"

step "relocatable"
if grep -rlF -e "$BUILD" -e "$SRC" "$P"; then fail "build paths in the installed files"; fi
mv "$P" "$T/moved"
P=$T/moved

step "command line of the installed game"
[[ $("$P/bin/quorvale" --version) == "Quorvale "* ]] || fail "--version"
"$P/bin/quorvale" --help | grep -q '^Usage: quorvale' || fail "--help"
set +e
"$P/bin/quorvale" --bogus >"$T/out" 2>"$T/err"
rc=$?
set -e
[[ $rc -eq 2 && ! -s $T/out && $(wc -l <"$T/err") -eq 1 ]] || fail "--bogus gave $rc: $(cat "$T/err")"
cat "$T/err"

step "the installed game starts headless and opens a level set"
export XDG_DATA_HOME=$T/data SDL_AUDIODRIVER=dummy
cp "$BUILD/res/data/Way of Arhat.lvl" "$T/Shared Set.lvl"
# The headless game knows no quitting but the menu's: it is ended once the selection has
# read the imported set (or after 60 s).
(cd / && QV_HEADLESS=1 QV_DEBUG=1 exec "$P/bin/quorvale" "$T/Shared Set.lvl" 2>"$T/game.log") &
game=$!
chosen="Open Level File: $XDG_DATA_HOME/Ostravin/Quorvale/Shared Set.lvl"
for _ in $(seq 600); do
  grep -qxF "$chosen" "$T/game.log" && break
  kill -0 $game 2>/dev/null || break
  sleep 0.1
done
kill -0 $game 2>/dev/null || fail "the game ended by itself: $(tail -5 "$T/game.log")"
kill -KILL $game
wait $game 2>/dev/null || true
cmp "$T/Shared Set.lvl" "$XDG_DATA_HOME/Ostravin/Quorvale/Shared Set.lvl" || fail "not imported"
grep -q "^Level-set selection" "$T/game.log" || fail "the level-set selection did not open"
grep -qxF "$chosen" "$T/game.log" || fail "not chosen"
echo "imported and chosen: $XDG_DATA_HOME/Ostravin/Quorvale/Shared Set.lvl"

step "cpack -G DEB"
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$T/pkg" >"$T/cpack.log" || fail "$(cat "$T/cpack.log")"
deb=$(ls "$T"/pkg/*.deb)
dpkg-deb --info "$deb" | tee "$T/info" | grep -E '^ (Package|Version|Architecture|Depends|Section):'
for lib in libc6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libpng16-16 libjpeg62-turbo; do
  grep -q "^ Depends:.*$lib" "$T/info" || fail "Depends lacks $lib"
done
dpkg-deb --contents "$deb" | awk '{ print $6 }' >"$T/contents"
for f in "${FILES[@]}"; do grep -qx "./usr/$f" "$T/contents" || fail "the package lacks /usr/$f"; done

step "dpkg --root: install and remove"
R=$T/root
mkdir -p "$R/var/lib/dpkg/info" "$R/var/lib/dpkg/updates" "$R/var/lib/dpkg/triggers" "$R/var/log"
touch "$R/var/lib/dpkg/status" "$R/var/lib/dpkg/available"
DPKG=(dpkg --root="$R" --force-depends --force-not-root --force-bad-path)
"${DPKG[@]}" -i "$deb" >"$T/dpkg.log" 2>&1 || fail "$(cat "$T/dpkg.log")"
for f in "${FILES[@]}"; do [[ -f $R/usr/$f ]] || fail "dpkg did not install /usr/$f"; done
[[ $("$R/usr/bin/quorvale" --version) == "Quorvale "* ]] || fail "the packaged game does not run"
"${DPKG[@]}" --purge quorvale >>"$T/dpkg.log" 2>&1 || fail "$(cat "$T/dpkg.log")"
[[ -z $(find "$R/usr" -type f 2>/dev/null) ]] || fail "left behind: $(find "$R/usr" -type f)"
echo "installed and removed cleanly"
echo "install test passed"
