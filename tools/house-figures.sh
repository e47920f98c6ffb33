#!/usr/bin/env bash
# The house figures of the tree it runs in:
#   1. the functions in src/ longer than 60 lines (clang-tidy readability-function-size,
#      LineThreshold 60: the lines from the body's opening brace to its closing one, blank
#      lines and comments included), each with its length;
#   2. every function in src/ with a cognitive complexity above 25 (clang-tidy
#      readability-function-cognitive-complexity), with its score;
#   3. `duplicates --min-lines 5` on src/ and the number of pairs it finds;
#   4. line coverage per library folder of src/ (the coverage preset built, its ctest run, the
#      .gcda files read with gcov and merged per line, so a line of a header counts once).
# Run from the repository root. The argument names the build folder of the coverage preset
# (default build-coverage); it is configured with a compile database, built, and its counters
# are cleared before the tests run. Everything runs under nice with two jobs at the most.
set -euo pipefail

bygg=${1:-build-coverage}
juuri=$PWD
if [[ ! -f CMakePresets.json || ! -d src ]]; then
  echo "run from the repository root" >&2
  exit 2
fi
for ohjelma in cmake ctest clang-tidy gcov duplicates python3; do
  if ! command -v "$ohjelma" >/dev/null; then
    echo "$ohjelma is needed" >&2
    exit 2
  fi
done
if command -v ccache >/dev/null && [[ -z ${CMAKE_CXX_COMPILER_LAUNCHER:-} ]]; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=${CCACHE_BASEDIR:-$juuri}
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi

tyo=$(mktemp -d)
trap 'rm -rf "$tyo"' EXIT
alku=$(date +%s)
vaihe=$alku
kesto() { # the seconds since the last call, for the step just done
  local nyt
  nyt=$(date +%s)
  echo "($1: $((nyt - vaihe)) s)"
  vaihe=$nyt
}

echo "== build ($bygg, coverage preset, with a compile database)"
cmake --preset coverage -B "$bygg" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$tyo/cmake.log" 2>&1 ||
  { cat "$tyo/cmake.log" >&2; exit 1; }
nice cmake --build "$bygg" -j2 >"$tyo/build.log" 2>&1 || { tail -50 "$tyo/build.log" >&2; exit 1; }
kesto build

# clang-tidy on every source of src/ in the compile database, both checks in one pass; the
# warnings in headers of src/ come once per file that includes them, so they are kept once.
python3 - "$bygg/compile_commands.json" "$juuri/src/" >"$tyo/lahteet" <<'EOF'
import json, sys
for e in json.load(open(sys.argv[1])):
    if e["file"].startswith(sys.argv[2]):
        print(e["file"])
EOF
asetukset='{CheckOptions: [
  {key: readability-function-size.LineThreshold, value: 60},
  {key: readability-function-cognitive-complexity.Threshold, value: 25},
  {key: readability-function-cognitive-complexity.DescribeBasicIncrements, value: false}]}'
mkdir "$tyo/tidy"
export bygg asetukset tyo
# shellcheck disable=SC2016 # expanded by the inner shell
nice xargs -P2 -n1 -a "$tyo/lahteet" sh -c \
  'clang-tidy -p "$bygg" --quiet --header-filter=".*" \
     -checks="-*,readability-function-size,readability-function-cognitive-complexity" \
     -config="$asetukset" "$1" >"$tyo/tidy/$(echo "$1" | tr / _).txt" 2>/dev/null || true' sh
python3 - "$juuri" "$tyo/tidy" >"$tyo/tidy.txt" <<'EOF'
import os, re, sys
juuri, kansio = sys.argv[1], sys.argv[2]
paikka = r"^(?P<tiedosto>[^:]+):(?P<rivi>\d+):(?P<sarake>\d+): "
varoitus = re.compile(paikka + r"warning: function '(?P<nimi>[^']*)' (?P<mita>.*) \[(?P<tarkistus>[\w.-]+)\]$")
huomio = re.compile(paikka + r"note: (?P<rivit>\d+) lines including whitespace")
koko, vaikeus, nimet = {}, {}, {}
def avain(m):
    polku = os.path.relpath(os.path.realpath(m["tiedosto"]), juuri)
    return (polku, int(m["rivi"]), int(m["sarake"])) if polku.startswith("src/") else None
for nimi in sorted(os.listdir(kansio)):
    for rivi in open(os.path.join(kansio, nimi), errors="replace"):
        rivi = rivi.rstrip("\n")
        m = varoitus.match(rivi)
        if m and avain(m):
            nimet[avain(m)] = m["nimi"]
            if m["tarkistus"] == "readability-function-cognitive-complexity":
                vaikeus[avain(m)] = int(re.search(r"complexity of (\d+)", m["mita"]).group(1))
            continue
        m = huomio.match(rivi)
        if m and avain(m):
            koko[avain(m)] = int(m["rivit"])
def rivit(taulu, yksikko):
    for k, v in sorted(taulu.items(), key=lambda kv: (-kv[1], kv[0])):
        print(f"  {v:4d} {yksikko}  {nimet[k]}  {k[0]}:{k[1]}")
print(f"== 1. functions in src/ longer than 60 lines: {len(koko)}")
print("   (clang-tidy readability-function-size, LineThreshold 60: body lines, brace to brace)")
rivit(koko, "lines")
print(f"== 2. functions in src/ with a cognitive complexity above 25: {len(vaikeus)}")
print("   (clang-tidy readability-function-cognitive-complexity, Threshold 25)")
rivit(vaikeus, "")
EOF
cat "$tyo/tidy.txt"
kesto clang-tidy

(cd src && duplicates --min-lines 5 --most 100) >"$tyo/dup.txt"
parit=$(sed -n '1s/^\([0-9][0-9]*\) pairs\{0,1\} .*/\1/p' "$tyo/dup.txt")
echo "== 3. duplicates --min-lines 5 on src/: ${parit:-0} pairs"
sed 's/^/  /' "$tyo/dup.txt"
kesto duplicates

# The counters of an earlier run (or of older objects) are cleared, so the figures are this
# run's alone.
find "$bygg" -name '*.gcda' -delete
echo "== 4. line coverage per library folder of src/ (coverage preset, its ctest, gcov)"
if ! nice ctest --test-dir "$bygg" -j2 >"$tyo/ctest.log" 2>&1; then
  echo "  note: some tests failed; the figures below are of the run as it went:"
  grep -E '\*\*\*|Failed' "$tyo/ctest.log" | sed 's/^/  /' || true
fi
grep -E 'tests passed' "$tyo/ctest.log" | sed 's/^/  /' || true
mkdir "$tyo/gcov"
find "$(cd "$bygg" && pwd)" -name '*.gcda' | sort >"$tyo/gcda"
while read -r gcda; do
  (cd "$tyo/gcov" && gcov --json-format --stdout --object-directory "$(dirname "$gcda")" \
    "$gcda" 2>/dev/null) >>"$tyo/gcov.json" || true
  echo >>"$tyo/gcov.json"
done <"$tyo/gcda"
python3 - "$juuri" "$tyo/gcov.json" <<'EOF'
import json, os, sys
juuri, tiedosto = sys.argv[1], sys.argv[2]
ajetut = {}  # (file, line) -> executed in any object
dekooderi = json.JSONDecoder()
teksti = open(tiedosto).read()
kohta = 0
while True:
    while kohta < len(teksti) and teksti[kohta].isspace():
        kohta += 1
    if kohta >= len(teksti):
        break
    tulos, kohta = dekooderi.raw_decode(teksti, kohta)
    hakemisto = tulos.get("current_working_directory", juuri)
    for f in tulos["files"]:
        polku = os.path.relpath(os.path.realpath(os.path.join(hakemisto, f["file"])), juuri)
        if not polku.startswith("src/"):
            continue  # tests, system and library headers
        for r in f["lines"]:
            k = (polku, r["line_number"])
            ajetut[k] = ajetut.get(k, False) or r["count"] > 0
kansiot = ["util", "model", "stats", "cup", "battle", "series", "app"]
summat = {k: [0, 0] for k in kansiot}
for (polku, _), ajettu in ajetut.items():
    kansio = polku.split("/")[1]
    summat.setdefault(kansio, [0, 0])
    summat[kansio][0] += ajettu
    summat[kansio][1] += 1
kaikki = [sum(s[0] for s in summat.values()), sum(s[1] for s in summat.values())]
for nimi, (a, n) in list(summat.items()) + [("all", kaikki)]:
    osuus = 100.0 * a / n if n else 0.0
    print(f"  {nimi:<7} {osuus:5.1f} %  {a:5d} of {n:5d} lines")
EOF
kesto "ctest and gcov"
echo "(total: $(($(date +%s) - alku)) s)"
