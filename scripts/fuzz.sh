#!/usr/bin/env bash
# Builds the libFuzzer targets (clang 14, address and undefined-behaviour
# sanitizers) in ./build-fuzz and runs one of them for SECONDS seconds:
#   bash scripts/fuzz.sh TARGET SECONDS
# TARGET: avi_header, shell_link, session, config_file or number_parsing.
#
# The run starts from fuzz/corpus/TARGET and fuzz/regressions/TARGET and keeps
# what it finds in build-fuzz/corpus/TARGET; an input that breaks the reader
# is written to build-fuzz/artifacts/TARGET/. At the end the inputs that add
# coverage are merged into fuzz/corpus/TARGET (commit them). A crash, once
# mended, is kept in fuzz/regressions/TARGET/, which the fuzz_corpus_replay
# test of the normal build runs with the corpus.
#
# TRAXILO_FUZZ_SAMPLES=1 adds the real sample clips (TRAXILO_SAMPLES_DIR, by
# default the samples folder beside the repository) as seeds of avi_header;
# they are read where they are, and nothing of such a run is merged into the
# repository.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
targets=(avi_header shell_link session config_file number_parsing)

usage() {
  echo "usage: scripts/fuzz.sh TARGET SECONDS   (TARGET: ${targets[*]})" >&2
  exit 2
}
[ $# -eq 2 ] || usage
target="$1"
seconds="$2"
[[ " ${targets[*]} " == *" $target "* ]] || usage
[[ "$seconds" =~ ^[0-9]+$ ]] || usage

# Longest input tried: a little more than each reader looks at.
case "$target" in
  avi_header) max_len=1024 ;;
  shell_link) max_len=4096 ;;
  session) max_len=16384 ;;
  config_file) max_len=4096 ;;
  number_parsing) max_len=256 ;;
esac

bash "$root/scripts/install-deps.sh" clang-14 libclang-rt-14-dev

build="$root/build-fuzz"
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRAXILO_FUZZ=ON -DTRAXILO_BUILD_TESTS=OFF -DTRAXILO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target "fuzz_$target"

work="$build/corpus/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$work" "$artifacts"
corpora=("$work" "$root/fuzz/corpus/$target")
[ -d "$root/fuzz/regressions/$target" ] && corpora+=("$root/fuzz/regressions/$target")
merge=1
if [ "${TRAXILO_FUZZ_SAMPLES:-0}" = 1 ] && [ "$target" = avi_header ]; then
  samples="${TRAXILO_SAMPLES_DIR:-$root/../shared/samples}"
  if [ -d "$samples" ]; then
    corpora+=("$samples")
    merge=0
  fi
fi

fuzzer="$build/bin/fuzz/fuzz_$target"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "${corpora[@]}"

if [ "$merge" = 1 ]; then
  "$fuzzer" -merge=1 -max_len="$max_len" "$root/fuzz/corpus/$target" "$work" 2>&1 | tail -n 1
fi
echo "fuzz.sh: $target: $(find "$root/fuzz/corpus/$target" -type f | wc -l) files in fuzz/corpus/$target"
