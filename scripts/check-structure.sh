#!/bin/sh
# Fails when the folders' layering is broken: SQL text outside data/, engine
# calls or headers outside data/store/, or a folder including one it may not
# build on. Each folder may include only the folders listed for it below, so
# the libraries stay acyclic.
set -e
cd "$(dirname "$0")/.."
status=0
product="app counter checkout records maintenance receipts printers report fileformats grid sale base"

sql=$(grep -rnEi --include='*.cpp' --include='*.h' \
    '\bselect\b.*\bfrom\b|\binsert\s+into\b|\bupdate\b.*\bset\b.*=|\bdelete\s+from\b|\b(create|drop|alter)\s+(table|index)\b|(^|[^#[:alnum:]_])pragma\s+\w' \
    $product || true)
if [ -n "$sql" ]; then
    echo "SQL outside data/:"
    echo "$sql"
    status=1
fi

# Only the store talks to the engines: the shop's and the sync's code goes
# through its statements, and no one else may define the store's own switch.
engine=$(grep -rnE --include='*.cpp' --include='*.h' --include='CMakeLists.txt' \
    '\bsqlite3_|\bPQ[a-z]+\(|sqlite3\.h|libpq-fe\.h|SC_STORE_ENGINES' \
    $product data/sync data/shop || true)
if [ -n "$engine" ]; then
    echo "Engine calls or headers outside data/store/:"
    echo "$engine"
    status=1
fi

# folder: the folders it may include, itself among them.
while IFS=: read -r folder allowed; do
    wrong=$(grep -rnE --include='*.cpp' --include='*.h' '#include "[a-z]+/' "$folder" |
        grep -vE "#include \"($allowed)/" || true)
    if [ -n "$wrong" ]; then
        echo "$folder/ includes a folder it may not build on (allowed: $allowed):"
        echo "$wrong"
        status=1
    fi
done <<'LAYERS'
base:base
sale:base|sale
data/store:base|data/store
data/sync:base|data/store|data/sync
data/shop:base|sale|data/store|data/sync|data/shop
report:base|report
fileformats:base|fileformats
grid:base|data/store|grid
receipts:base|sale|data/shop|report|receipts
printers:base|report|grid|printers
checkout:base|sale|data/shop|report|receipts|printers|checkout
maintenance:base|sale|data/store|data/sync|data/shop|grid|maintenance
counter:base|sale|data/store|data/sync|data/shop|report|grid|receipts|printers|checkout|maintenance|counter
records:base|sale|data/store|data/sync|data/shop|report|grid|fileformats|receipts|printers|checkout|counter|records
LAYERS

# Every folder of the program is in the table above, or is app/: it wires them
# all, and no library includes it since none may name it above.
for folder in $(git ls-files '*.cpp' '*.h' | grep -vE '^(tests|bench)/' | xargs -n1 dirname | sort -u); do
    case $folder in
    app | base | sale | data/store | data/sync | data/shop | report | fileformats | grid | receipts | printers | checkout | \
        maintenance | counter | records) ;;
    *)
        echo "$folder/ is not in the layering table of $0"
        status=1
        ;;
    esac
done

exit $status
