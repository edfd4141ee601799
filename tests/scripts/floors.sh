#!/usr/bin/env bash
# The folders are floors: every #include of one of our headers goes to the
# same room or to a room on a lower floor, and the libraries cmake/Floors.cmake
# makes use only lower floors too. One pair is allowed to use each other:
# game and render (the course view derives from the drawing area). Outside
# platform/ nothing includes SDL or fontconfig. Prints each include that
# breaks a rule, naming the file, and fails if any does.
set -euo pipefail
cd "$(dirname "$0")/../.."

# Bottom to top; rooms on one floor do not use each other.
floors=(
  "platform/core"
  "platform/gdi platform/audio"
  "platform/ui/display"
  "platform/ui/input"
  "platform/ui/loop"
  "platform/ui/window"
  "platform/ui/dialog"
  "platform/ui/frame"
  "res"
  "game render"
  "session"
  "sound"
  "app"
)
declare -A floor_of
for i in "${!floors[@]}"; do
  for room in ${floors[$i]}; do floor_of[$room]=$i; done
done

# The room a repository path lies in: the longest room that begins it.
room_of() {
  local path=$1 room best=
  for room in "${!floor_of[@]}"; do
    if [[ $path == "$room"/* && ${#room} -gt ${#best} ]]; then best=$room; fi
  done
  echo "$best"
}

allowed() { [[ "$1 $2" == "game render" || "$1 $2" == "render game" ]]; }

bad=0
rooms=$(printf '%s\n' "${!floor_of[@]}")
while IFS= read -r file; do
  from=$(room_of "$file")
  [[ -n $from ]] || continue
  while IFS= read -r header; do
    [[ -f $header ]] || continue # a system or generated header
    to=$(room_of "$header")
    [[ -n $to && $to != "$from" ]] || continue
    if ((floor_of[$to] > floor_of[$from])) ||
      { ((floor_of[$to] == floor_of[$from])) && ! allowed "$from" "$to"; }; then
      echo "floors: $file includes $header: $from (floor ${floor_of[$from]}) may not use $to (floor ${floor_of[$to]})"
      bad=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find $rooms -name "*.cpp" -o -name "*.h")

# The libraries: quindle_room(<target> <folder> ... USES <target>...).
declare -A folder_of
while read -r target folder; do folder_of[$target]=$folder; done < <(
  sed -n 's/^quindle_room(\([a-z_]*\) \([a-z/]*\).*/\1 \2/p' cmake/Floors.cmake)
while read -r target uses; do
  from=${folder_of[$target]}
  for used in $uses; do
    to=${folder_of[$used]:-}
    if [[ -z $to ]]; then
      echo "floors: cmake/Floors.cmake: $target uses $used, which is no room"
      bad=1
    elif ((floor_of[$to] > floor_of[$from])) || { ((floor_of[$to] == floor_of[$from])) && ! allowed "$from" "$to"; }; then
      echo "floors: cmake/Floors.cmake: $target ($from) may not use $used ($to)"
      bad=1
    fi
  done
done < <(sed -n 's/^quindle_room(\([a-z_]*\) [^ ]*.* USES \([a-z_ ]*\).*/\1 \2/p' cmake/Floors.cmake)
((${#folder_of[@]} >= ${#floor_of[@]})) || { echo "floors: a room has no library in cmake/Floors.cmake"; bad=1; }

# SDL and fontconfig are the platform's: nothing else, tests and benchmarks
# too, names them.
while IFS= read -r line; do
  echo "floors: $line: only platform/ includes SDL or fontconfig"
  bad=1
done < <(grep -rnE --include='*.c' --include='*.cpp' --include='*.h' \
  '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL|fontconfig/)' app game render session sound res tests bench)

[[ $bad == 0 ]] && echo "floors: every include and every library uses only its own room and lower floors"
exit $bad
