#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for a bounded time, two at a time, seeded
# from the shipped files and the kept inputs, and prints each target's executions and
# coverage. A crash leaves its input in <build>/fuzz/<target>/artifacts and fails the run:
# copy that input into tests/fuzz/regressions/<target>/ once the fault is fixed, so the
# normal tests replay it.
#   scripts/fuzz.sh <build-dir> <seconds-per-target> [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$1
SECONDS_EACH=$2
shift 2
TARGETS=("$@")
[[ ${#TARGETS[@]} -gt 0 ]] || TARGETS=(users lvl lang ini fnt levelsrc)
RES=build/res  # the generated assets the sanitizer builds embed

seeds() {
  case "$1" in
    users) ls tests/fuzz/seeds/users/* ;;
    lvl) ls "$RES"/data/*.lvl ;;
    lang) ls "$RES"/lang/*.lang ;;
    ini) ls "$RES"/data/*.ini ;;
    fnt) ls "$RES"/gfx/fonts/*.fnt ;;
    levelsrc) ls assets/levels/*.levels ;;
  esac
}

run() {
  local name=$1 dir="$BUILD/fuzz/$1"
  mkdir -p "$dir/corpus" "$dir/seeds" "$dir/artifacts"
  seeds "$name" | while read -r f; do cp "$f" "$dir/seeds/"; done
  [[ -d tests/fuzz/regressions/$name ]] && cp tests/fuzz/regressions/"$name"/* "$dir/seeds/" 2>/dev/null || true
  local dict=()
  [[ -f tests/fuzz/dict/$name.dict ]] && dict=(-dict="tests/fuzz/dict/$name.dict")
  if "$BUILD/tests/fuzz/fuzz_$name" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$dir/artifacts/" "${dict[@]}" "$dir/corpus" "$dir/seeds" \
       >"$dir/log" 2>&1; then
    local last execs
    last=$(grep -E '^#[0-9]+' "$dir/log" | tail -1)
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")
    echo "fuzz $name: ${execs:-?} executions in ${SECONDS_EACH}s; $(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9]+[a-zA-Z]*' <<<"$last")"
  else
    echo "fuzz $name: FAILED, see $dir/log; input in $dir/artifacts/" >&2
    tail -40 "$dir/log" >&2
    return 1
  fi
}

status=0
pids=()
for t in "${TARGETS[@]}"; do
  run "$t" &
  pids+=($!)
  if [[ ${#pids[@]} -ge 2 ]]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
exit $status
