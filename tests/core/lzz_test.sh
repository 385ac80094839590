#!/bin/bash
# lzz on real files: packing by the installer's rules, listing, extracting
# and verifying, and refusing what it must refuse.
# Usage: lzz_test.sh LZZ WORKDIR
set -u
lzz=$1
work=$2
rm -rf "$work" && mkdir -p "$work/in" && cd "$work" || exit 1

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_ok() { "$@" >out.txt 2>err.txt || fail "$* exited $? ($(cat err.txt))"; }
# The command must fail, with one line on stderr and the container unchanged.
expect_refused() {
  local container=$1; shift
  cp "$container" before.lzz 2>/dev/null || rm -f before.lzz
  if "$@" >out.txt 2>err.txt; then fail "$* succeeded"; fi
  [ "$(wc -l <err.txt)" -eq 1 ] || fail "$*: expected one error line, got: $(cat err.txt)"
  if [ -e before.lzz ]; then
    cmp -s before.lzz "$container" || fail "$*: $container changed"
  else
    [ ! -e "$container" ] || fail "$*: $container was created"
  fi
}

printf 'lanz pinyin wubi\r\n%.0s' $(seq 1 4000) >in/lanzpyck.lz1
: >in/empty.lzh
printf 'skin record' >'in/冰川蓝调.lzz'
printf 'small' >in/a.txt
printf 'SMALL' >in/A.txt
head -c 9000 /dev/urandom >in/noise.bin
: >in/abcdefghi.lzh   # 13 bytes
: >'in/冰川蓝调蓝.lz'  # 13 bytes in GBK, 11 characters in UTF-8

# Packing, and appending to an existing container, give the same bytes.
expect_ok "$lzz" pack one.lzz in/lanzpyck.lz1 in/empty.lzh in/冰川蓝调.lzz in/a.txt
expect_ok "$lzz" pack two.lzz in/lanzpyck.lz1 in/empty.lzh
expect_ok "$lzz" pack two.lzz in/冰川蓝调.lzz in/a.txt
cmp -s one.lzz two.lzz || fail "appending in two runs differs from one run"
[ "$(head -c 2 one.lzz)" = L0 ] || fail "magic is not L0"
total=$(od -An -tu4 -j2 -N4 one.lzz | tr -d ' ')
[ "$total" -eq "$(stat -c %s one.lzz)" ] || fail "total size $total is not the file size"

expect_refused one.lzz "$lzz" pack one.lzz in/abcdefghi.lzh
expect_refused one.lzz "$lzz" pack one.lzz in/冰川蓝调蓝.lz
expect_refused fresh.lzz "$lzz" pack fresh.lzz in/abcdefghi.lzh
expect_refused one.lzz "$lzz" pack one.lzz in/a.txt
expect_refused one.lzz "$lzz" pack one.lzz in/noise.bin
expect_refused one.lzz "$lzz" pack --plain one.lzz in/A.txt
# A name that differs only in case is another entry.
expect_ok "$lzz" pack one.lzz in/A.txt

expect_ok "$lzz" list one.lzz
[ "$(wc -l <out.txt)" -eq 5 ] || fail "list: expected 5 entries, got $(cat out.txt)"
grep -Eq '^empty\.lzh +8 +0 D41D8CD98F00B204E9800998ECF8427E$' out.txt ||
  fail "list: empty file line: $(grep empty out.txt)"
grep -Eq "^冰川蓝调\.lzz +[0-9]+ +11 [0-9A-F]{32}$" out.txt || fail "list: GBK-named entry missing"
grep -q "^lanzpyck.lz1 .* 72000 $(md5sum <in/lanzpyck.lz1 | cut -c1-32 | tr a-f A-F)$" out.txt ||
  fail "list: lanzpyck.lz1 line: $(grep lanzpyck out.txt)"

expect_ok "$lzz" extract one.lzz x
for f in lanzpyck.lz1 empty.lzh 冰川蓝调.lzz a.txt A.txt; do
  cmp -s "in/$f" "x/$f" || fail "extract: $f differs"
done
expect_ok "$lzz" verify one.lzz x
grep -q '^5 of 5 entries pass$' out.txt || fail "verify: $(cat out.txt)"

printf 'X' | dd of=x/lanzpyck.lz1 bs=1 seek=1000 conv=notrunc status=none
if "$lzz" verify one.lzz x >out.txt 2>err.txt; then fail "verify passed a corrupted file"; fi
grep -q 'lanzpyck.lz1: checksum differs' err.txt || fail "verify: $(cat err.txt)"
grep -q '^4 of 5 entries pass$' out.txt || fail "verify count: $(cat out.txt)"
rm x/a.txt
if "$lzz" verify one.lzz x >out.txt 2>err.txt; then fail "verify passed a missing file"; fi

# Plain format: checked by length alone (at least the stream's length, so a
# tiny file that compresses to more never passes).
head -c 4096 /dev/zero >in/skin.lzh
expect_ok "$lzz" pack --plain skin.lzz in/lanzpyck.lz1 in/skin.lzh
[ "$(head -c 2 skin.lzz)" = LZ ] || fail "plain magic is not LZ"
expect_ok "$lzz" extract skin.lzz s
printf 'Q' | dd of=s/lanzpyck.lz1 bs=1 seek=10 conv=notrunc status=none
expect_ok "$lzz" verify skin.lzz s
: >s/lanzpyck.lz1
if "$lzz" verify skin.lzz s >out.txt 2>err.txt; then fail "plain verify passed a short file"; fi

# A stored name that leaves the directory is never written anywhere.
cp one.lzz evil.lzz
printf '../x\0' | dd of=evil.lzz bs=1 seek=12 conv=notrunc status=none
mkdir -p e/d
if "$lzz" extract evil.lzz e/d >out.txt 2>err.txt; then fail "extract wrote ../x"; fi
grep -q '\.\./x: not a plain file name' err.txt || fail "extract: $(cat err.txt)"
[ ! -e e/x ] || fail "extract wrote outside its directory"
[ -e e/d/a.txt ] || fail "extract stopped at the bad name"

# A wrong stored checksum keeps the entry from being written.
cp one.lzz wrong.lzz
printf '0' | dd of=wrong.lzz bs=1 seek=$((10 + 18)) conv=notrunc status=none
if "$lzz" extract wrong.lzz w >out.txt 2>err.txt; then fail "extract ignored a wrong checksum"; fi
grep -q 'lanzpyck.lz1: checksum differs, not written' err.txt || fail "extract: $(cat err.txt)"
[ ! -e w/lanzpyck.lz1 ] || fail "extract wrote an entry with a wrong checksum"

# A container cut short: the entries before the cut, and a failure.
head -c $(($(stat -c %s one.lzz) - 3)) one.lzz >cut.lzz
if "$lzz" list cut.lzz >out.txt 2>err.txt; then fail "list passed a cut container"; fi
[ "$(wc -l <out.txt)" -eq 4 ] || fail "list of a cut container: $(cat out.txt)"
grep -q 'walk ended after 4 of 5 entries' err.txt || fail "list: $(cat err.txt)"

[ "$failures" -eq 0 ] && echo "all lzz checks passed"
exit $((failures > 0))
