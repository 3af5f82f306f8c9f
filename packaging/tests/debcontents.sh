#!/usr/bin/env bash
# The Debian package holds exactly what the install puts under /usr, and
# depends on the Debian packages of the libraries the programs link (Qt 6,
# Tcl 8.6, OpenSSL, ...) and of the Qt plugins they load.
#   debcontents.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"

# Installed as the README says, stripped.
DESTDIR="$work/stage" cmake --install "$build" --strip --prefix /usr >/dev/null
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >/dev/null
debs=("$work"/package/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one package, found: ${debs[*]}"; exit 1; }
deb=${debs[0]}

# Both lists without the leading "./" and a folder's trailing "/".
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./##; s#/$##' | sed '/^$/d' | sort >"$work/packaged"
(cd "$work/stage" && find . -mindepth 1 | sed 's#^\./##' | sort) >"$work/installed"
if ! diff -u "$work/installed" "$work/packaged"; then
    echo "the package does not hold what the install puts (- installed only, + packaged only)"
    exit 1
fi
for file in usr/bin/admin usr/bin/Chanview usr/share/verbanta/help/admin usr/share/verbanta/admincv.tcl \
    usr/share/doc/verbanta-admin/copyright usr/share/doc/verbanta-admin/changelog.gz \
    usr/share/man/man1/admin.1.gz usr/share/man/man1/Chanview.1.gz; do
    grep -qx "$file" "$work/packaged" || { echo "the package lacks $file"; exit 1; }
done
# The programs and the library carry no symbol table, installed or packaged.
dpkg-deb -x "$deb" "$work/unpacked"
for file in usr/bin/admin usr/bin/Chanview usr/lib*/verbanta/libConduit.so usr/lib*/verbanta/regsvr \
    usr/lib*/verbanta/paramhelp; do
    for tree in "$work/stage" "$work/unpacked"; do
        for path in "$tree"/$file; do
            ! objdump -h "$path" | grep -qE ' \.(symtab|debug_info) ' ||
                { echo "$path is not stripped"; exit 1; }
        done
    done
done
# Each manual page reads without a warning from man.
for page in admin Chanview; do
    warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$work/stage/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page.1: $warnings"; exit 1; }
done

# Every library a packaged program or library links comes from a package the
# package depends on, and so do the Qt platform plugins.
depends=$(dpkg-deb -f "$deb" Depends)
depends_on() {
    tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$1" ||
        { echo "the package does not depend on $1: $depends"; exit 1; }
}
depends_on qt6-qpa-plugins
# The libraries linked, as the loader finds them (the loader itself aside).
: >"$work/linked"
while read -r file; do
    [ -f "$work/stage/$file" ] && [ "$(head -c4 "$work/stage/$file" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
    ldd "$work/stage/$file" >"$work/ldd"
    for needed in $(objdump -p "$work/stage/$file" | awk '$1 == "NEEDED" {print $2}'); do
        path=$(awk -v n="$needed" '$1 == n && $2 == "=>" {print $3}' "$work/ldd")
        case "$needed" in ld-linux*) continue ;; esac
        [ -n "$path" ] || { echo "$file: $needed is not found"; exit 1; }
        echo "$path" >>"$work/linked"
    done
done <"$work/installed"
# One look-up for all (dpkg-query -S is slow): each library under the names
# a merged /usr gives it.
sort -u "$work/linked" -o "$work/linked"
mapfile -t linked <"$work/linked"
candidates=()
for path in "${linked[@]}"; do
    candidates+=("$path" "$(readlink -f "$path")" "/usr$path")
done
dpkg-query -S "${candidates[@]}" 2>/dev/null >"$work/owners" || true
for path in "${linked[@]}"; do
    owner=$(awk -v a="$path" -v b="$(readlink -f "$path")" -v c="/usr$path" \
        '{p = $NF} p == a || p == b || p == c {sub(/:.*/, "", $1); print $1; exit}' "$work/owners")
    [ -n "$owner" ] || { echo "no package holds $path"; exit 1; }
    depends_on "$owner"
done
echo "$(basename "$deb"): $(wc -l <"$work/packaged") entries, as installed; depends on $depends"
