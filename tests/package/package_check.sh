# The Debian package of zv as a pilot's machine gets it: lintian finds no error, the
# desktop entry and the AppStream metainfo validate, and the programs run from the package
# unpacked into a temporary root: zv-cli --help, zv-cli init in an empty folder, and zv
# started offscreen the way its desktop entry starts it.
#   ZV_PACKAGE_DIR: where the package is (build/package), ZV_VERSION: zv's version.
set -euo pipefail

fail() {
    echo "package_check: $*" >&2
    exit 1
}

shopt -s nullglob
debs=("$ZV_PACKAGE_DIR/zv_$ZV_VERSION"-*.deb)
[[ ${#debs[@]} -eq 1 ]] ||
    fail "expected one zv_$ZV_VERSION-*.deb in $ZV_PACKAGE_DIR, found ${#debs[@]}"
deb=${debs[0]}

echo "== lintian $(basename "$deb")"
lintian --fail-on error --display-info "$deb" || fail "lintian found errors"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root/pkg"
usr=$root/pkg/usr
desktop=$usr/share/applications/zv.desktop

echo "== desktop-file-validate zv.desktop"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop entry refused: $report"
[[ -z $report ]] || echo "$report"
! grep -E ': (error|warning): ' <<<"$report" || fail "the desktop entry is not clean"

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$usr/share/metainfo/de.zirrova.zv.metainfo.xml" ||
    fail "the AppStream metainfo is not valid"

# The icon the desktop entry names is in the hicolor theme, as drawn and at every size.
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon $icon"
for size in 16 22 24 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x$size/apps/$icon.png
    [[ -f $png ]] || fail "no icon $png"
    # The PNG header: width and height, 4 bytes each, from byte 16 on.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [[ $width == "$size" && $height == "$size" ]] ||
        fail "icon ${size}x$size is ${width}x$height"
done

# The programs from the package, Qt from the system, no screen.
export PATH=$usr/bin:/usr/bin:/bin
export QT_QPA_PLATFORM=offscreen
export ZV_PROFILE_DIR=$root/profile
for program in zv zv-cli zv-sim; do
    [[ $(command -v "$program") == "$usr/bin/$program" ]] || fail "$program is not in the package"
done

echo "== zv-cli --help"
zv-cli --help >"$root/help.txt" || fail "zv-cli --help failed"
grep -q '^Aufruf: zv-cli \[--yes | --no\] BEFEHL \[ARGUMENTE\]$' "$root/help.txt" ||
    fail "zv-cli --help: $(head -3 "$root/help.txt")"
grep -q '^  init  ' "$root/help.txt" || fail "zv-cli --help lists no init"

echo "== zv-cli init in an empty folder"
mkdir "$root/empty"
(cd "$root/empty" && zv-cli init >"$root/init.out") || fail "zv-cli init: $(cat "$root/init.out")"
[[ $(head -c 10 "$root/empty/settings.ini") == Version1.4 ]] || fail "init wrote no settings.ini"
[[ -f $root/empty/Data/Zv/Logbuch/Flugbuch.log ]] || fail "init made no logbook"

# The desktop entry's Exec line, as a launcher splits it (its quoting is the shell's for
# these characters), for a pilot whose ~/Zirrova zv-cli init has prepared: the first
# start in an empty one asks a question and waits.
echo "== zv as the desktop entry starts it"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
eval "set -- $exec_line"
[[ $1 == zv && $2 == --start-dir && $3 == "~/Zirrova" ]] || fail "Exec=$exec_line"
home=$root/home
mkdir -p "$home/Zirrova"
cd "$root"
(cd "$home/Zirrova" && zv-cli init >/dev/null) || fail "zv-cli init in ~/Zirrova failed"
HOME=$home "$@" --quit-after-start || fail "zv --start-dir ~/Zirrova ended with status $?"
# zv went through its start and its end: the end writes the profile.
grep -q '^\[Print\]$' "$root/profile/Local AppWizard-Generated Applications/zv.conf" ||
    fail "zv wrote no profile at its end"
[[ ! -e "$root/~" ]] || fail "~ was taken as a directory name"

echo "package_check: all passed"
