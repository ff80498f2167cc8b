#!/usr/bin/env bash
# The readers' libFuzzer harnesses, behind ./run:
#   fuzz.sh replay BUILD          every committed input once through its harness
#   fuzz.sh fuzz BUILD [SECONDS]  fuzz each harness (default 60 s); inputs that add
#                                 coverage are merged into the corpus
# The harnesses are a clang project of their own (preset "fuzz" beside this file),
# built into BUILD/fuzz; crashes are kept in BUILD/fuzz/artifacts.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
CORPUS=$HERE/corpus
MODE=${1:?replay or fuzz}
BUILD=$(realpath -m "${2:?build folder}")
OUT=$BUILD/fuzz
JOBS=${LIRABO_JOBS:-2}

log() { printf '== %s\n' "$*" >&2; }

build() {
  mkdir -p "$OUT/artifacts"
  [ -f "$OUT/build.ninja" ] || cmake -S "$HERE" --preset fuzz -B "$OUT" -Wno-dev >"$BUILD/configure-fuzz.log" 2>&1 || {
    cat "$BUILD/configure-fuzz.log" >&2; return 1; }
  log "building fuzz"
  cmake --build "$OUT" -j "$JOBS" >"$BUILD/build-fuzz.log" 2>&1 || {
    grep -vE '^\[[0-9]+/[0-9]+\]' "$BUILD/build-fuzz.log" | tail -60 >&2; log "building fuzz failed"; return 1; }
}

# One harness per *_fuzz.cpp; its corpus is corpus/<name without _fuzz>.
harnesses() { find "$HERE" -maxdepth 1 -name '*_fuzz.cpp' -printf '%f\n' | sed 's/_fuzz\.cpp$//' | sort; }

replay() {
  log "fuzz corpus replay"
  local name count=0 failed=0 total=0 inputs=()
  for name in $(harnesses); do
    count=$((count + 1))
    mapfile -t inputs < <(find "$CORPUS/$name" -type f 2>/dev/null | sort)
    total=$((total + ${#inputs[@]}))
    # Named files only: without any, libFuzzer would start fuzzing instead.
    if [ ${#inputs[@]} -eq 0 ] || ! "$OUT/bin/${name}_fuzz" -artifact_prefix="$OUT/artifacts/$name-" \
        "${inputs[@]}" >"$OUT/replay-$name.log" 2>&1; then
      failed=$((failed + 1))
      [ ${#inputs[@]} -eq 0 ] && log "no corpus in $CORPUS/$name"
      grep -sE 'property broken|ERROR|SUMMARY|Running:|runtime error' "$OUT/replay-$name.log" | tail -8 >&2 || true
      log "fuzz corpus: $name FAILED (${#inputs[@]} inputs; log: $OUT/replay-$name.log)"
    fi
  done
  log "fuzz corpus: $count harnesses replayed ($total inputs), $failed failed"
  [ $failed -eq 0 ]
}

fuzz() {
  local seconds=${1:-60} name failed=0
  for name in $(harnesses); do
    local harness=$OUT/bin/${name}_fuzz dir=$CORPUS/$name work=$OUT/new-$name log=$OUT/fuzz-$name.log
    rm -rf "$work" && mkdir -p "$work" "$dir"
    local before; before=$(find "$dir" -type f | wc -l)
    log "fuzzing $name for $seconds s"
    # New inputs go into the first folder, the corpus is only read. Inputs stay
    # within 4 KB so the corpus stays small; the seeds carry the long lines.
    if ! "$harness" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$OUT/artifacts/$name-" "$work" "$dir" >"$log" 2>&1; then
      failed=$((failed + 1))
      grep -E 'property broken|ERROR|SUMMARY|runtime error|Test unit written' "$log" | tail -8 >&2 || true
    fi
    "$harness" -merge=1 -max_len=4096 "$dir" "$work" >"$OUT/merge-$name.log" 2>&1 || log "merging into the $name corpus failed"
    rm -rf "$work"
    local runs cov
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
    echo "$name: ${runs:-?} runs, ${cov:-no coverage line}, corpus $before -> $(find "$dir" -type f | wc -l) files"
  done
  log "fuzzing: $failed of $(harnesses | wc -l) harnesses found a crash or a broken property"
  [ $failed -eq 0 ]
}

build
case "$MODE" in
  replay) replay ;;
  fuzz) fuzz "${3:-60}" ;;
  *) echo "replay or fuzz" >&2; exit 2 ;;
esac
