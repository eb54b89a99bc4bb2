#!/usr/bin/env bash
# The main job on the bundled examples: what each lexicon holds, the terms found in a text, and a
# few concept searches. Usage: scripts/run-examples.sh PATH/TO/lirset
set -euo pipefail
lirset=${1:?usage: run-examples.sh PATH/TO/lirset}
examples=$(cd "$(dirname "$0")/../examples" && pwd)

step() { printf '\n=== %s\n' "$*"; }

step "lirset lexicon examples/news.onto --check"
"$lirset" lexicon "$examples/news.onto" --check

step "lirset match examples/news.onto --file examples/news.txt"
"$lirset" match "$examples/news.onto" --file "$examples/news.txt"

step "lirset find examples/news.onto 'Neural Network'"
"$lirset" find "$examples/news.onto" "Neural Network"

step "lirset find examples/news.onto 'neural networks'"
"$lirset" find "$examples/news.onto" "neural networks"

step "lirset lexicon examples/cuisine.onto --check"
"$lirset" lexicon "$examples/cuisine.onto" --check

step "lirset match examples/cuisine.onto --class Dish --class Drink --file examples/menu-of-the-day.txt --json"
"$lirset" match "$examples/cuisine.onto" --class Dish --class Drink --file "$examples/menu-of-the-day.txt" --json

step "lirset find examples/cuisine.onto 'Crème Brûlée' --json"
"$lirset" find "$examples/cuisine.onto" "Crème Brûlée" --json
