#!/bin/sh
# Fails when the folders' layering is broken: SQL text or engine calls outside
# data/, or the engine folders (data/, report/, grid/) reaching into a window folder.
set -e
cd "$(dirname "$0")/.."
status=0
product="app counter checkout records maintenance report grid"

sql=$(grep -rnEi --include='*.cpp' --include='*.h' \
    '\bsqlite3_|\bPQ[a-z]+\(|libpq-fe\.h|\bselect\b.*\bfrom\b|\binsert\s+into\b|\bupdate\b.*\bset\b.*=|\bdelete\s+from\b|\b(create|drop|alter)\s+(table|index)\b|(^|[^#[:alnum:]_])pragma\s+\w' \
    $product || true)
if [ -n "$sql" ]; then
    echo "SQL or engine calls outside data/:"
    echo "$sql"
    status=1
fi

upward=$(grep -rnE --include='*.cpp' --include='*.h' '#include "(counter|checkout|records|maintenance|app)/' \
    data report grid || true)
if [ -n "$upward" ]; then
    echo "data/, report/ and grid/ include a window folder:"
    echo "$upward"
    status=1
fi
exit $status
