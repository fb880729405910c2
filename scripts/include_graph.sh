#!/usr/bin/env bash
# The include graph between the folders of box/: prints "from -> to  count"
# (count = files of <from> that include a header of <to>) and fails when the
# graph has a cycle, so that the libraries keep linking one way.
# Usage: scripts/include_graph.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

edges="$(grep -rHoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"box/[a-z_]+/' box \
           --include='*.h' --include='*.cpp' |
         sed -E 's#^box/([a-z_]+)/.*"box/([a-z_]+)/$#\1 \2 &#' |
         awk '$1 != $2 { split($3, path, ":"); print $1, $2, path[1] }' | sort -u)"

[ -n "$edges" ] || exit 0
awk '{ count[$1 " -> " $2]++ } END { for (edge in count) print edge "  " count[edge] }' <<<"$edges" | sort
# tsort reports a loop on its error output and fails.
if ! cut -d" " -f1,2 <<<"$edges" | sort -u | tsort >/dev/null; then
  echo "include_graph: the folders of box/ include each other in a cycle (see above)" >&2
  exit 1
fi
