#!/usr/bin/env bash
# The release as a user meets it: the package builds, lists and unpacks; the unpacked and the
# installed program run a scripted merge of the examples; --help and --version behave; the
# manual page renders without warnings; and every command of README.md works as written.
# (The README's test command is the first thing .ci/run does.)
set -euo pipefail
cd "$(dirname "$0")/../.."
juuri=$(pwd)
tyo=$(mktemp -d)
trap 'rm -rf "$tyo"' EXIT
virhe() { echo "release check: $*" >&2; exit 1; }

# Build and start the program (it ends at the end of its input).
cmake --preset release && cmake --build build -j2 && ./build/vaskitaulu < /dev/null > "$tyo/menu.txt"
grep -q "Give a number (1-18): " "$tyo/menu.txt" || virhe "the program did not show its menu"

# The package: build, list, unpack, run.
(cd build && cpack)
paketti=build/vaskitaulu_1.6.0_amd64.deb
[ -f "$paketti" ] || virhe "no package $paketti"
dpkg-deb -c "$paketti" > "$tyo/sisalto.txt"
for polku in ./usr/bin/vaskitaulu ./usr/share/man/man1/vaskitaulu.1 \
             ./usr/share/doc/vaskitaulu/Readme.txt ./usr/share/doc/vaskitaulu/examples/battle.log; do
  grep -q " $polku\$" "$tyo/sisalto.txt" || virhe "the package lacks $polku"
done
dpkg-deb -x "$paketti" "$tyo/purettu"
ohjelma="$tyo/purettu/usr/bin/vaskitaulu"
[ "$("$ohjelma" --version)" = "Vaskitaulu v. 1.6" ] || virhe "--version"
"$ohjelma" --help | grep -q "^Usage: vaskitaulu" || virhe "--help"
set +e
"$ohjelma" --bogus > /dev/null 2> "$tyo/bogus.txt"; tila=$?
set -e
[ "$tila" -eq 2 ] || virhe "an unknown argument gave status $tila"
head -1 "$tyo/bogus.txt" | grep -q "unknown argument '--bogus'" || virhe "unknown argument text"
cp -r "$tyo/purettu/usr/share/doc/vaskitaulu/examples" "$tyo/esimerkit"
(cd "$tyo/esimerkit" && printf '1\nalice_stat\n\n1\nbob_stat\n\n10\nmerged\n\n18\n' | "$ohjelma" > out.txt)
grep -q "File merged.txt saved successfully. " "$tyo/esimerkit/out.txt" || virhe "scripted merge"
grep -q "Twin Peaks" "$tyo/esimerkit/merged.txt" || virhe "merged.txt"

# cmake --install into a scratch prefix gives the same three things.
cmake --install build --prefix "$tyo/prefix" > /dev/null
for polku in bin/vaskitaulu share/man/man1/vaskitaulu.1 share/doc/vaskitaulu/Readme.txt; do
  [ -f "$tyo/prefix/$polku" ] || virhe "cmake --install lacks $polku"
done

# The manual page renders without warnings.
[ -z "$(groff -man -ww -z docs/vaskitaulu.1 2>&1)" ] || virhe "groff warns about the manual page"
[ -z "$(MANWIDTH=80 man --warnings -l docs/vaskitaulu.1 2>&1 > /dev/null)" ] || virhe "man warns"

# Every command of README.md as written: the install commands, the quick start in a copy of
# the examples beside the built program, the benchmarks and the fuzzer.
dpkg -i "$paketti" > /dev/null
[ "$(vaskitaulu --version)" = "Vaskitaulu v. 1.6" ] || virhe "installed program"
man -w vaskitaulu > /dev/null || virhe "installed manual page"
dpkg -r vaskitaulu > /dev/null
cmake --preset release && cmake --build build -j2 && cmake --install build --prefix /usr/local > /dev/null
[ "$(/usr/local/bin/vaskitaulu --version)" = "Vaskitaulu v. 1.6" ] || virhe "cmake --install"
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
