#!/usr/bin/env bash
# The release zip as a user gets it: made by CPack from this build, checked against its SHA-256
# sum file, unpacked into an empty folder, and both programs run from there, where nothing of
# the build is at hand: the editor lists an archive and ends with Alt+X and exit code 0, and
# both programs carry the project's version.
#   release-zip.sh CPACK CPACK_CONFIG DRIVER WORK VERSION
set -uo pipefail
cpack=$1
cpack_config=$2
version=$5
source "$(dirname "$0")/common.sh" "$4/unpacked/tamsel.exe" "$3" "$4"

zip="tamsel-$version-win64.zip"
"$cpack" --config "$cpack_config" -B "$work/package" >>"$log" 2>&1 || fail "cpack did not make the zip"
(cd "$work/package" && sha256sum --check --strict "$zip.sha256") >>"$log" 2>&1 ||
  fail "$zip.sha256 does not match the zip"

contents=$(cmake -E tar tf "$work/package/$zip" | sort | tr '\n' ' ')
[[ "$contents" == "LICENSE.txt README.txt tamsel.exe viv.exe " ]] || fail "the zip holds: $contents"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "../package/$zip") || fail "the zip could not be unpacked"
grep -q $'^Version '"$version"$'\r$' "$work/unpacked/README.txt" || fail "README.txt does not give the version $version"
cd "$work/unpacked"

fields=$version
while [[ $(tr -cd . <<<"$fields") != ... ]]; do fields+=.0; done
resource=$(wine "$driver" version "$(win tamsel.exe)" 2>>"$log" | tr -d '\r')
[[ "$resource" == "$version $version $fields $fields" ]] || fail "tamsel.exe's version resource says: $resource"

wine viv.exe --version >"$work/viv.out" 2>>"$log" || fail "viv.exe --version failed"
[[ "$(tr -d '\r' <"$work/viv.out")" == "viv (Tamsel) $version" ]] || fail "viv.exe --version printed: $(cat "$work/viv.out")"

archive="$work/first.viv"
drive make-archive "$(win "$archive")" "readme.txt=Hello" "level.dat=0123" || fail "could not write the archive"
wine viv.exe list "$(win "$archive")" >"$work/list.out" 2>>"$log" || fail "viv.exe list failed"
[[ "$(tr -d '\r' <"$work/list.out")" == $'5\treadme.txt\n4\tlevel.dat' ]] || fail "viv.exe list printed: $(cat "$work/list.out")"

start_tamsel "$(win "$archive")"
drive wait-rows 2 || fail "the archive was not listed"
drive keys alt+x || fail "could not type Alt+X"
expect_exit_zero
echo "$zip: complete, both programs run from it"
