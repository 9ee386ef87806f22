#!/bin/bash
# Checks the house rules that the compiler alone cannot see, and names the file and line of
# every break:
#   - a layer includes only from itself and the layers below it that it may use;
#   - only files whose name carries a platform prefix (win32_, x11_, gtk_, posix_, headless_)
#     include the window system's headers (windows.h, X11, GLX, GTK);
#   - a platform's shell folder (src/app/win32, x11, gtk) includes no other platform's shell;
#   - no include climbs out of its folder with "../".
# The build enforces the layers as well (each library sees only the include folders of what
# it declares, and may declare only what cmake/layers.txt allows); this check also covers
# headers no target compiles on this platform, and that docs/DEVELOPING.md quotes the rules
# right.
# Exit code 0 when the tree keeps every rule, 1 otherwise.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

failures=0
fail() {
  echo "$1:$2: $3"
  failures=$((failures + 1))
}

# What each layer may include besides itself: cmake/layers.txt, one "layer: layers" line
# each, bottom up. A layer may name only layers above its own line.
rules=cmake/layers.txt
declare -A allowed=()
layers=""
line_number=0
while IFS= read -r line || [ -n "$line" ]; do
  line_number=$((line_number + 1))
  [[ "$line" =~ ^([a-z0-9_]+):(.*)$ ]] || continue
  layer="${BASH_REMATCH[1]}"
  uses="${BASH_REMATCH[2]}"
  for used in $uses; do
    [[ " $layers " == *" $used "* ]] ||
      fail "$rules" "$line_number" "$layer may use only layers listed above it, not $used"
  done
  allowed[$layer]="$uses"
  layers="${layers:+$layers }$layer"
done <"$rules"

# The developers' guide quotes the rules in the block after a line naming the file; the quote
# must be the file's rule lines as they stand.
guide=docs/DEVELOPING.md
marker='<!-- cmake/layers.txt -->'
quote="$(awk -v marker="$marker" 'index($0, marker) { found = 1; next }
  found && /^```/ { if (inside) exit; inside = 1; next }
  inside' "$guide")"
if [ "$quote" != "$(grep -E '^[a-z0-9_]+:' "$rules")" ]; then
  marker_line="$(grep -n -F -m1 "$marker" "$guide" | cut -d: -f1)"
  fail "$guide" "${marker_line:-1}" "the layer rules quoted after '$marker' differ from $rules"
fi

is_layer() { [[ " $layers " == *" $1 "* ]]; }

check_file() {
  local file="$1" layer="$2" name
  name="$(basename "$file")"
  local platform=""
  case "$name" in
    win32_* | x11_* | gtk_* | posix_* | headless_*) platform="${name%%_*}" ;;
  esac
  local shell_folder=""
  case "$file" in
    src/app/win32/*) shell_folder=win32 ;;
    src/app/x11/*) shell_folder=x11 ;;
    src/app/gtk/*) shell_folder=gtk ;;
  esac
  local line_number=0 line target
  while IFS= read -r line || [ -n "$line" ]; do
    line_number=$((line_number + 1))
    [[ "$line" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+) ]] || continue
    target="${BASH_REMATCH[2]}"
    if [[ "$target" == ../* || "$target" == */../* ]]; then
      fail "$file" "$line_number" "include climbs out of its folder: $target"
    fi
    if [ "${BASH_REMATCH[1]}" = '"' ]; then
      local used="${target%%/*}"
      if [ -n "$layer" ] && [ "$used" != "$target" ] && is_layer "$used" && [ "$used" != "$layer" ] &&
        [[ " ${allowed[$layer]} " != *" $used "* ]]; then
        fail "$file" "$line_number" "the $layer layer may not include from $used/: $target"
      fi
      if [ -n "$shell_folder" ] && [[ "$target" =~ ^app/(win32|x11|gtk)/ ]] &&
        [ "${BASH_REMATCH[1]}" != "$shell_folder" ] && ! { [ "$shell_folder" = x11 ] && [ "${BASH_REMATCH[1]}" = gtk ]; }; then
        fail "$file" "$line_number" "the $shell_folder shell may not include another platform's shell: $target"
      fi
    else
      if [ -z "$platform" ] && [[ "$target" =~ ^(windows\.h|winuser\.h|commctrl\.h|shellapi\.h|X11/|GL/glx|gtk/|gdk/) ]]; then
        fail "$file" "$line_number" "only a file with a platform prefix may include <$target>"
      fi
    fi
  done <"$file"
}

while IFS= read -r file; do
  layer=""
  if [[ "$file" =~ ^src/([a-z0-9_]+)/ ]]; then layer="${BASH_REMATCH[1]}"; fi
  if [ -n "$layer" ] && ! is_layer "$layer"; then
    fail "$file" 1 "src/$layer/ is not one of the layers ($layers)"
    continue
  fi
  check_file "$file" "$layer"
done < <(git ls-files -- 'src/*.h' 'src/*.cpp' 'tools/*.h' 'tools/*.cpp' 'installer/*.h' 'installer/*.cpp')

if [ "$failures" -gt 0 ]; then
  echo "check-layers: $failures break(s) of the layering rules" >&2
  exit 1
fi
echo "check-layers: every file keeps to its layer"
