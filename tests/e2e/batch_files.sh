#!/bin/sh
# Commands on files that are not plain: a FIFO named as an input or a side file is refused at
# once (status 1), a FIFO named as the output is written directly, and an output that cannot be
# replaced (read-only) keeps its contents.
set -u
ohjelma=$1
tyo=$(mktemp -d "${TMPDIR:-/tmp}/vaskitaulu_batchfiles_XXXXXX")
trap 'rm -rf "$tyo"' EXIT
vika() {
    echo "batch_files: $*" >&2
    exit 1
}
cd "$tyo" || exit 1
printf '  Level 1, One:\n     0:10,00 Ann\n\n' > s.txt
mkfifo p.txt out.fifo || exit 1

timeout 20 "$ohjelma" stat -q -o x.txt p.txt 2> err
tila=$?
[ $tila -eq 1 ] || vika "FIFO input: status $tila"
[ "$(cat err)" = "vaskitaulu: p.txt: not a regular file" ] || vika "FIFO input: $(cat err)"

timeout 20 "$ohjelma" stat -q --config p.txt -o x.txt s 2> err
tila=$?
[ $tila -eq 1 ] || vika "FIFO config: status $tila"
[ -e x.txt ] && vika "an output was written after a failed input"

cat out.fifo > luettu.txt &
lukija=$!
timeout 20 "$ohjelma" stat -q -f -o out.fifo s 2> err || vika "FIFO output: status $? $(cat err)"
wait $lukija
"$ohjelma" stat -q -o - s > suora.txt || vika "standard output: status $?"
[ "$(sed 's/ on .* at .*//' luettu.txt)" = "$(sed 's/ on .* at .*//' suora.txt)" ] ||
    vika "the FIFO got other bytes than standard output"

echo old > ro.txt
chmod 444 ro.txt
"$ohjelma" stat -q -f -o ro.txt s 2> err
tila=$?
[ $tila -eq 1 ] || vika "read-only output: status $tila"
[ "$(cat ro.txt)" = old ] || vika "read-only output changed"
[ "$(ls | grep -c tmp)" -eq 0 ] || vika "a temporary file was left"
exit 0
