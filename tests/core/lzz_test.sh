#!/bin/bash
# lzz on real files: packing by the installer's rules, listing, extracting
# and verifying, and refusing what it must refuse.
# Usage: lzz_test.sh LZZ WORKDIR
set -u
lzz=$1
rm -rf "$2" && mkdir -p "$2/in" && cd "$2" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { "$lzz" "$@" >out.txt 2>err.txt || fail "lzz $* exited $? ($(cat err.txt))"; }
failing() { ! "$lzz" "$@" >out.txt 2>err.txt || fail "lzz $* succeeded"; }
# The command fails with one error line and leaves the container as it was.
refused() {
  local container=$1; shift
  cp "$container" before.lzz
  failing "$@"
  [ "$(wc -l <err.txt)" -eq 1 ] || fail "lzz $*: not one error line: $(cat err.txt)"
  cmp -s before.lzz "$container" || fail "lzz $*: $container changed"
}

printf 'lanz pinyin wubi\r\n%.0s' $(seq 1 4000) >in/lanzpyck.lz1
printf 'skin record' >'in/冰川蓝调.lzz'
printf small >in/a.txt
printf 'SMALL' >in/A.txt
head -c 9000 /dev/urandom >in/noise.bin  # its stream would be longer than the file
# Names of 13 bytes, the second in GBK (11 characters in UTF-8).
touch in/empty.lzh in/abcdefghi.lzh 'in/冰川蓝调蓝.lz'

# Appending in two runs gives the bytes of one run; the total is the file's size.
ok pack one.lzz in/lanzpyck.lz1 in/empty.lzh in/冰川蓝调.lzz in/a.txt
ok pack two.lzz in/lanzpyck.lz1 in/empty.lzh
ok pack two.lzz in/冰川蓝调.lzz in/a.txt
cmp -s one.lzz two.lzz || fail "appending in two runs differs from one run"
[ "$(od -An -tu4 -j2 -N4 one.lzz | tr -d ' ')" -eq "$(stat -c %s one.lzz)" ] || fail "total size"
refused one.lzz pack one.lzz in/abcdefghi.lzh
refused one.lzz pack one.lzz in/冰川蓝调蓝.lz
refused one.lzz pack one.lzz in/a.txt
refused one.lzz pack one.lzz in/noise.bin
refused one.lzz pack --plain one.lzz in/A.txt
ok pack one.lzz in/A.txt  # a name that differs only in case is another entry
ok pack --plain skin.lzz in/a.txt
[ "$(head -c 2 skin.lzz)" = LZ ] || fail "plain magic is not LZ"

ok list one.lzz
[ "$(wc -l <out.txt)" -eq 5 ] || fail "list: $(cat out.txt)"
grep -q '^empty\.lzh  *8  *0 D41D8CD98F00B204E9800998ECF8427E$' out.txt || fail "list: $(cat out.txt)"
ok extract one.lzz x
for f in lanzpyck.lz1 empty.lzh 冰川蓝调.lzz a.txt A.txt; do cmp -s "in/$f" "x/$f" || fail "extract: $f"; done
printf 'X' | dd of=x/lanzpyck.lz1 bs=1 seek=1000 conv=notrunc status=none
failing verify one.lzz x
grep -q 'lanzpyck.lz1: checksum differs' err.txt && grep -q '^4 of 5 entries pass$' out.txt ||
  fail "verify: $(cat out.txt err.txt)"

# A name leaving the directory: that entry is not written, the others are.
cp one.lzz evil.lzz && printf '../x\0' | dd of=evil.lzz bs=1 seek=12 conv=notrunc status=none
mkdir -p e/d
failing extract evil.lzz e/d
grep -q '\.\./x: not a plain file name' err.txt && [ ! -e e/x ] && [ -e e/d/a.txt ] ||
  fail "extract evil.lzz: $(cat err.txt)"
exit $((failures > 0))
