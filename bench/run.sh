#!/usr/bin/env bash
# Builds the benchmarks (Release), generates the lexicon data and runs the lexicon benchmark on the
# generated lexicon and on the WordNet lexicon when it is present, then the highlighting benchmark.
# Usage: bench/run.sh [--repeat R] [--entries N] [--words W] [--seed S]
# Environment: LIRSET_BENCH_BUILD (build folder, default build-bench), LIRSET_WORDNET (term file).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LIRSET_BENCH_BUILD:-$root/build-bench}
wordnet=${LIRSET_WORDNET:-$root/../shared/data/wordnet/wordnet.onto}
data=$build/bench-data

bench_args=()
gen_args=()
while [ $# -gt 0 ]; do
    case $1 in
        --repeat) bench_args+=("$1" "${2:?--repeat needs a value}"); shift 2 ;;
        --entries | --words | --seed) gen_args+=("$1" "${2:?$1 needs a value}"); shift 2 ;;
        *) echo "usage: bench/run.sh [--repeat R] [--entries N] [--words W] [--seed S]" >&2; exit 2 ;;
    esac
done

step() { printf '\n=== %s\n' "$*"; }

step "build (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j 2 --target lirset-genlexicon lirset-lexiconbench lirset-highlightbench > /dev/null
gen=$build/bench/lirset-genlexicon
bench=$build/bench/lirset-lexiconbench

step "generate data in $data"
"$gen" "$data" ${gen_args[@]+"${gen_args[@]}"}

step "generated lexicon"
"$bench" "$data/big.onto" "$data/big.txt" ${bench_args[@]+"${bench_args[@]}"}

if [ -f "$wordnet" ]; then
    words=()
    for ((k = 0; k + 1 < ${#gen_args[@]}; k += 2)); do
        case ${gen_args[k]} in --words | --seed) words+=("${gen_args[k]}" "${gen_args[k + 1]}") ;; esac
    done
    step "text from $wordnet"
    "$gen" "$data" --text-from "$wordnet" ${words[@]+"${words[@]}"}
    stem=$(basename "$wordnet" .onto)
    step "$wordnet"
    "$bench" "$wordnet" "$data/$stem.txt" ${bench_args[@]+"${bench_args[@]}"}
else
    step "no WordNet lexicon at $wordnet; skipped"
fi

step "highlighting a large page"
"$build/bench/lirset-highlightbench" ${bench_args[@]+"${bench_args[@]}"}
