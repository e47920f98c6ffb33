#!/usr/bin/env bash
# The release as a user meets it: the release build needs no GoogleTest and builds no test;
# the package builds, passes lintian, is hardened and stripped, names the libraries it needs,
# lists and unpacks; the unpacked and the installed program run a scripted merge of the
# examples; --help and --version behave; the manual page renders without warnings; and every
# command of README.md works as written. Nothing stays installed on the machine: cmake --install
# goes into a scratch root, and the package is removed again.
# (The README's test command is the first thing .ci/run does; this script is run by .ci/run.)
set -euo pipefail
cd "$(dirname "$0")/../.."
juuri=$(pwd)
tyo=$(mktemp -d)
asennettu=0
siivoa() {
  if [ "$asennettu" -eq 1 ]; then dpkg -r vaskitaulu > /dev/null || true; fi
  rm -rf "$tyo"
}
trap siivoa EXIT
virhe() { echo "release check: $*" >&2; exit 1; }

# The release build on a tree where GoogleTest cannot be found: it configures, builds, and has
# no test target. --fresh: the cache of an earlier build does not carry over. (CMake would warn
# that the GoogleTest switch went unused: nothing in the release build looks for GoogleTest.)
cmake --preset release --fresh --no-warn-unused-cli -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
cmake --build build -j2
cmake --build build --target help > "$tyo/kohteet.txt"
for kohde in unit_tests robust_tests e2e_runner erotesti_nopea vt_suora; do
  ! grep -q " $kohde\$" "$tyo/kohteet.txt" || virhe "the release build has the test target $kohde"
done

# Build and start the program (it ends at the end of its input).
cmake --preset release && cmake --build build -j2 && ./build/vaskitaulu < /dev/null > "$tyo/menu.txt"
grep -q "Give a number (1-18): " "$tyo/menu.txt" || virhe "the program did not show its menu"

# The package: build, lint, list, unpack, run.
(cd build && cpack)
paketti=build/vaskitaulu_1.6.0-1_amd64.deb
[ -f "$paketti" ] || virhe "no package $paketti"
echo "lintian --pedantic $paketti:"
lintian --pedantic --fail-on error,warning "$paketti" || virhe "lintian reports an error or a warning"
dpkg-deb -c "$paketti" > "$tyo/sisalto.txt"
for polku in ./usr/bin/vaskitaulu ./usr/share/man/man1/vaskitaulu.1.gz \
             ./usr/share/doc/vaskitaulu/Readme.txt ./usr/share/doc/vaskitaulu/examples/battle.log \
             ./usr/share/doc/vaskitaulu/copyright ./usr/share/doc/vaskitaulu/changelog.Debian.gz; do
  grep -q " $polku\$" "$tyo/sisalto.txt" || virhe "the package lacks $polku"
done
[ "$(dpkg-deb -f "$paketti" Section)" = utils ] || virhe "section"
# The change log's newest entry is this version.
[ "$(head -1 packaging/changelog.Debian)" = \
  "vaskitaulu ($(dpkg-deb -f "$paketti" Version)) unstable; urgency=medium" ] ||
  virhe "packaging/changelog.Debian does not start with version $(dpkg-deb -f "$paketti" Version)"
dpkg-deb -x "$paketti" "$tyo/purettu"
ohjelma="$tyo/purettu/usr/bin/vaskitaulu"

# Every shared library the program needs is named in Depends by the package that holds it.
riippuvuudet=$(dpkg-deb -f "$paketti" Depends)
ldconfig -p > "$tyo/ldconfig.txt"
for kirjasto in $(readelf -d "$ohjelma" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
  tiedosto=$(awk -v k="$kirjasto" '$1 == k && /x86-64/ { print $NF; exit }' "$tyo/ldconfig.txt")
  [ -n "$tiedosto" ] || virhe "the library $kirjasto is not on this machine"
  haltija=
  for polku in "$(readlink -f "$tiedosto")" "$tiedosto"; do
    haltija=$(dpkg -S "$polku" 2> /dev/null | sed -n '1s/:.*//p') && [ -n "$haltija" ] && break
  done
  [ -n "$haltija" ] || virhe "no package holds $kirjasto"
  [[ ", $riippuvuudet," == *", $haltija "* || ", $riippuvuudet," == *", $haltija,"* ]] ||
    virhe "Depends ($riippuvuudet) does not name $haltija, which holds $kirjasto"
done

# Stripped and hardened: no symbol table, a position-independent executable, relocations
# read-only and bound at start, the stack protector and the fortified library calls in use.
# (Each tool's output goes to a file first: grep -q ending a pipe early would fail it.)
file "$ohjelma" > "$tyo/file.txt"
readelf -h -l -d "$ohjelma" > "$tyo/readelf.txt"
nm -D "$ohjelma" > "$tyo/symbolit.txt"
grep -q ", stripped" "$tyo/file.txt" || virhe "the packaged program is not stripped"
grep -q "Type: *DYN" "$tyo/readelf.txt" || virhe "the program is not position-independent"
grep -q GNU_RELRO "$tyo/readelf.txt" || virhe "no read-only relocations"
grep -q "BIND_NOW\|Flags: NOW" "$tyo/readelf.txt" || virhe "relocations not bound at start"
grep -q " U __stack_chk_fail@" "$tyo/symbolit.txt" || virhe "no stack protector"
grep -q " U __[a-z]*_chk@" "$tyo/symbolit.txt" || virhe "no fortified library calls"

[ "$("$ohjelma" --version)" = "Vaskitaulu v. 1.6" ] || virhe "--version"
"$ohjelma" --help | grep -q "^Usage: vaskitaulu" || virhe "--help"
set +e
"$ohjelma" --bogus > /dev/null 2> "$tyo/bogus.txt"; tila=$?
set -e
[ "$tila" -eq 2 ] || virhe "an unknown argument gave status $tila"
head -1 "$tyo/bogus.txt" | grep -q "^vaskitaulu: .*--bogus" || virhe "unknown argument text"
cp -r "$tyo/purettu/usr/share/doc/vaskitaulu/examples" "$tyo/esimerkit"
(cd "$tyo/esimerkit" && printf '1\nalice_stat\n\n1\nbob_stat\n\n10\nmerged\n\n18\n' | "$ohjelma" > out.txt)
grep -q "File merged.txt saved successfully. " "$tyo/esimerkit/out.txt" || virhe "scripted merge"
grep -q "Twin Peaks" "$tyo/esimerkit/merged.txt" || virhe "merged.txt"

# The copyright file carries LICENSE's terms, each line indented, blank lines as " .".
sed -n '/^Permission/,$p' LICENSE | sed 's/^$/./; s/^/ /' > "$tyo/ehdot.txt"
sed -n '/^ Permission/,$p' "$tyo/purettu/usr/share/doc/vaskitaulu/copyright" > "$tyo/kopio.txt"
cmp -s "$tyo/ehdot.txt" "$tyo/kopio.txt" || virhe "the copyright file's license is not LICENSE's"
grep -q "^Copyright: 2026 The Vaskitaulu developers$" \
  "$tyo/purettu/usr/share/doc/vaskitaulu/copyright" || virhe "copyright holder"

# The manual page renders without warnings, the source and the packed one alike.
[ -z "$(groff -man -ww -z docs/vaskitaulu.1 2>&1)" ] || virhe "groff warns about the manual page"
for sivu in docs/vaskitaulu.1 "$tyo/purettu/usr/share/man/man1/vaskitaulu.1.gz"; do
  [ -z "$(MANWIDTH=80 man --warnings -l "$sivu" 2>&1 > /dev/null)" ] || virhe "man warns on $sivu"
done

# Every command of README.md as written: the install commands (the package removed again, the
# prefix install inside a scratch root), the quick start in a copy of the examples beside the
# built program, the benchmarks and the fuzzer.
if dpkg -s vaskitaulu > /dev/null 2>&1; then
  echo "release check: a vaskitaulu package is installed already; dpkg -i not tried"
else
  asennettu=1
  dpkg -i "$paketti" > /dev/null
  [ "$(vaskitaulu --version)" = "Vaskitaulu v. 1.6" ] || virhe "installed program"
  man -w vaskitaulu > /dev/null || virhe "installed manual page"
  dpkg -r vaskitaulu > /dev/null
  asennettu=0
fi
cmake --preset release && cmake --build build -j2 &&
  DESTDIR="$tyo/juuri" cmake --install build --prefix /usr/local > /dev/null
for polku in bin/vaskitaulu share/man/man1/vaskitaulu.1.gz share/doc/vaskitaulu/Readme.txt \
             share/doc/vaskitaulu/copyright; do
  [ -f "$tyo/juuri/usr/local/$polku" ] || virhe "cmake --install lacks $polku"
done
[ "$("$tyo/juuri/usr/local/bin/vaskitaulu" --version)" = "Vaskitaulu v. 1.6" ] || virhe "cmake --install"
mkdir -p "$tyo/readme" && cp -r examples "$tyo/readme/examples" && ln -s "$juuri/build" "$tyo/readme/build"
(
  cd "$tyo/readme"
  (cd examples && printf '1\nalice_stat\n\n1\nbob_stat\n\n8\n\n10\nmerged\n\n18\n' | ../build/vaskitaulu) > quick.txt
  grep -q "File merged.txt saved successfully. " quick.txt || virhe "quick start"
  rm examples/merged.txt
  (cd examples && printf '1\nalice_stat\n\n1\nbob_stat\n\n10\nmerged\n\n18\n' | ../build/vaskitaulu) > script.txt
  grep -q "File merged.txt saved successfully. " script.txt || virhe "scripted quick start"
  (cd examples && printf '1\nbattle\n\n\n15\nbattles\n1\n\n\n18\n' | ../build/vaskitaulu) > battle.txt
  grep -q "File battles.txt saved successfully. " battle.txt || virhe "battle file"
  grep -q "Event 2: Dunes by Carol" examples/battles.txt || virhe "aliases in the battle file"
)
cmake --preset bench && cmake --build build-bench -j2
./build-bench/vaskitaulu_bench --benchmark_filter=/200/ > /dev/null
./build-bench/vaskitaulu_ajuri build-bench/vaskitaulu S --runs 3 > "$tyo/ajuri.txt"
grep -q "whole session" "$tyo/ajuri.txt" || virhe "bench driver"
if command -v clang++ > /dev/null 2>&1; then
  cmake --preset fuzz && cmake --build build-fuzz -j2
  mkdir -p /tmp/corpus && ./build-fuzz/luestats_fuzz -max_total_time=60 /tmp/corpus fuzz/corpus/luestats 2> /dev/null
fi
echo "release check passed"
