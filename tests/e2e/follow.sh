#!/bin/sh
# battles --follow: the page is written at once, written again (with the bytes a plain run
# writes) when a battle is appended to the log and when the log is rotated, and the program
# ends with status 0 on SIGTERM. Every wait is a bounded poll on the file itself.
set -u
ohjelma=$1
tyo=$(mktemp -d "${TMPDIR:-/tmp}/vaskitaulu_follow_XXXXXX")
pid=
lopeta() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$tyo"
}
trap lopeta EXIT
vika() {
    echo "follow: $*" >&2
    exit 1
}
cd "$tyo" || exit 1

# Polls the condition every 0.1 s for at most 30 s.
odota() {
    i=0
    while ! eval "$1"; do
        i=$((i + 1))
        [ $i -ge 300 ] && return 1
        sleep 0.1
    done
}
# The page without its generator's date and time.
peita() { sed 's/[0-9]\{1,2\}\.[0-9]\{1,2\}\.[0-9]\{4\} at [0-9:]\{8\}/D at T/' "$1"; }
sama() { [ "$(peita "$1")" = "$(peita "$2")" ]; }

cat > a.log <<'LOKI'
--- Log opened Fri Mar 03 19:55:00 2006
19:58 <Jappe> tonight's level is mine, by Jappe
20:00 <BattleBot> Battle started: http://levels.example.org/lev/Canyon.lev
20:02 <alice> 0:42,17
20:04 <bobby> 0:45,03
20:06 <carol> 0:44,80
20:10 <BattleBot> Battle ended
LOKI
cp a.log yksi.log
"$ohjelma" battles -q -o yksi.txt yksi.log || vika "plain run failed"

"$ohjelma" battles -q --follow -o page.txt a.log 2> virheet.txt &
pid=$!
odota '[ -s page.txt ]' || vika "the page was not written"
sama page.txt yksi.txt || vika "the first page differs from a plain run's"
cp page.txt ensin.txt

cat >> a.log <<'LOKI'
20:20 <carol> http://levels.example.org/lev/Dunes.lev
20:22 <bob> 1:02,50
20:24 <alice> 1:03,10
20:40 <carol> stop
LOKI
cp a.log kaksi.log
"$ohjelma" battles -q -o kaksi.txt kaksi.log || vika "plain run failed"
sama kaksi.txt ensin.txt && vika "the second battle changes nothing"
odota 'sama page.txt kaksi.txt' || vika "the page was not rewritten after a battle was appended"

# Rotated: the log starts again, shorter; it is read afresh.
cp yksi.log uusi.log && mv uusi.log a.log
odota 'sama page.txt yksi.txt' || vika "the page was not rewritten after the log shrank"

kill -TERM "$pid"
wait "$pid"
tila=$?
pid=
[ "$tila" -eq 0 ] || vika "exit status $tila after SIGTERM"
[ -s virheet.txt ] && vika "standard error: $(cat virheet.txt)"
ls | grep -q '\.tmp' && vika "a temporary file was left"
exit 0
