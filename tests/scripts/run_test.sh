#!/usr/bin/env bash
# Runs scripts/run on a build folder made here, holding only the sample maker
# MAKER, with a stand-in for Tivok that prints its arguments: no display, no
# build, nothing installed.
#   run_test.sh SOURCE_FOLDER MAKER
set -euo pipefail
run="$1/scripts/run"
maker="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
# The space in the name catches a word split by a missing quote.
export TIVOK_RUN_BUILD="$tmp/a build" TIVOK_RUN_PROGRAM="$tmp/tivok"
mkdir -p "$TIVOK_RUN_BUILD/release/tools"
ln -s "$maker" "$TIVOK_RUN_BUILD/release/tools/make_sample_image"
cat >"$TIVOK_RUN_PROGRAM" <<'END'
#!/bin/sh
for a; do printf '<%s>' "$a"; done
END
chmod +x "$TIVOK_RUN_PROGRAM"
sample="$TIVOK_RUN_BUILD/sample.gbc"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# expect PRINTED ARGUMENTS...: scripts/run ARGUMENTS prints PRINTED, exit 0.
expect() {
  local wanted="$1" printed
  shift
  printed="$("$run" "$@" 2>&1)" || printed+=" (exit status $?)"
  [[ "$printed" == "$wanted" ]] ||
    fail "scripts/run $* printed '$printed'"
}

# Arguments other than --empty alone go to Tivok as they are; none of these
# makes the sample.
expect '<my image.gbc>' 'my image.gbc'
expect '<--help>' --help
expect '<--empty><a.gbc>' --empty a.gbc
expect '' --empty
[[ ! -e "$sample" ]] || fail "made the sample when a FILE or --empty was given"

# The first run makes the sample; the next keeps it as edited.
opening="Opening $sample, a synthetic sample image: safe to edit; delete it\
 for a fresh one (see README)."
"$maker" "$tmp/fresh.gbc" >/dev/null
expect "$opening"$'\n'"<$sample>"
cmp "$sample" "$tmp/fresh.gbc" || fail "the first run made no sample"
printf '\x2a' | dd of="$sample" bs=1 seek=$((0x2476B)) conv=notrunc status=none
cp "$sample" "$tmp/edited.gbc"
expect "$opening"$'\n'"<$sample>"
cmp "$sample" "$tmp/edited.gbc" || fail "the second run changed the sample"

if ((failures > 0)); then exit 1; fi
echo "scripts/run: all cases passed"
