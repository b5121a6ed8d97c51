#!/usr/bin/env bash
# Completes tivok-cli command lines with data/tivok-cli.bash, as bash does
# at a Tab, in a non-interactive shell: $1 is the completion file, $2 the
# tivok-cli program that answers it. File names come from a folder of
# their own.
source "$1" || exit 1
program=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
status=0
folder=$(mktemp -d) || exit 1
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
touch 'x=y.gbc' 'a:b.gbc' layout.csv mine.ips

# expect REPLIES WORD...: completing the last WORD, as typed, gives
# REPLIES, each ended by "|". Bash gives the function the line and, in
# COMP_WORDS, its words split at "=" and ":" as well.
expect() {
  local expected=$1 word rest
  shift
  COMP_LINE="$(printf '%q' "$program") $*"
  COMP_POINT=${#COMP_LINE}
  COMP_WORDS=("$program")
  for word in "$@"; do
    local -a pieces=()
    rest=$word
    while [[ $rest =~ ^([^=:]*)([=:]+)(.*)$ ]]; do
      [[ -n ${BASH_REMATCH[1]} ]] && pieces+=("${BASH_REMATCH[1]}")
      pieces+=("${BASH_REMATCH[2]}")
      rest=${BASH_REMATCH[3]}
    done
    [[ -n $rest || ${#pieces[@]} -eq 0 ]] && pieces+=("$rest")
    COMP_WORDS+=("${pieces[@]}")
  done
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _tivok_cli
  local got
  got=$(printf '%s|' "${COMPREPLY[@]}")
  [[ ${#COMPREPLY[@]} -eq 0 ]] && got=
  if [[ $got != "$expected" ]]; then
    echo "tivok-cli $*: got '$got', not '$expected'"
    status=1
  fi
}

# answer EXPECTED WORD...: tivok-cli __complete WORD... prints EXPECTED,
# lines ended by "|", the first saying whether bash adds a space.
answer() {
  local expected=$1 got
  shift
  got=$("$program" __complete "$@" | tr '\n' '|')
  if [[ $got != "$expected" ]]; then
    echo "tivok-cli __complete $*: got '$got', not '$expected'"
    status=1
  fi
}

[[ $(complete -p tivok-cli) == "complete -F _tivok_cli tivok-cli" ]] ||
  { echo "tivok-cli has no completion"; status=1; }
expect 'list|get|set|apply|diff|items|checksum|' ''
expect '--help|--version|' --
expect 'beginner|book|' list a.gbc B
expect 'csv|' list a.gbc --format=c
expect 'table|csv|json|' list a.gbc --format=
expect 'json|' items --format j
expect 'portal|' list --format=csv a.gbc p
expect '--dry-run|--fix-checksum|--help|' set a.gbc -
expect '--format=|--exit-code|--output=|--help|' diff a.gbc b.gbc --
expect 'table|csv|json|ips|bps|' diff a.gbc b.gbc --format=
expect '--fix|--help|' checksum a.gbc --
expect '1|2|3|4|5|6|7|' get a.gbc third ''
# Item names in any case; those with spaces escaped, or left as they are
# inside an opened quote.
expect 'Sirloin|' set a.gbc portal 3 sir
expect 'Warp\ Wing|Warp\ Staff|' set --dry-run a.gbc 5 3 WARP
expect 'Sage\ Stone|' set a.gbc portal 3 'sage\ s'
expect 'Sage Stone|' set a.gbc portal 3 '"Sage S'
expect '' set a.gbc portal 3 sirloin x
# A name with "=" or ":", which bash splits, is one word; of a file name
# only the part after them is replaced.
expect 'Sirloin|' set x=y.gbc portal 3 sirl
expect 'Sirloin|' set a:b.gbc portal 3 sirl
expect 'y.gbc|' list x=
expect 'b.gbc|' diff x=y.gbc a:
expect 'layout.csv|' apply a.gbc l
expect '--dry-run|--fix-checksum|--clean=|--help|' apply a.gbc m.ips --
expect 'layout.csv|' apply a.gbc m.ips --clean l
# After "--" a word that begins with a dash is an operand.
# A patch's file name after -o, in either spelling.
expect 'mine.ips|' diff a.gbc b.gbc --format=ips -o mi
expect 'mine.ips|' diff a.gbc b.gbc --format=ips --output=mi
expect '' -- -
# A space follows a whole word, none an option that awaits its value.
answer 'words|list|' li
answer 'words|--help|' --help
answer 'nospace|--format=|' list a.gbc --format
answer 'nospace|--output=|' diff a.gbc b.gbc --o
exit $status
