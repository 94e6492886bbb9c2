#!/usr/bin/env bash
# The importer's benchmark: a million synthetic terms as CSV and as XLSX
# (generated once into build/default/bench-data/import), imported by
# lexaran-import, beside the sqlite3 shell's .import of the same rows with
# their capitals precomputed into the same table, and (where LibreOffice is
# installed) beside LibreOffice's own conversion of the XLSX to CSV. Runs
# each in turns, three times; prints seconds and peak resident memory.
# Usage: bench/import-bench.sh [TERMS]   (after cmake --build build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8
terms="${1:-1000000}"
build=build/default
importer="$build/tools/import/lexaran-import"
mktermdb="$build/tools/mktermdb/mktermdb"
for tool in "$importer" "$mktermdb"; do
  [ -x "$tool" ] || { echo "$tool is missing: build the default preset first" >&2; exit 1; }
done
command -v sqlite3 >/dev/null || { echo "the sqlite3 shell is missing: scripts/setup.sh bench" >&2; exit 1; }

data="$build/bench-data/import"
mkdir -p "$data"
csv="$data/terms-$terms.csv"
xlsx="$data/terms-$terms.xlsx"
capitals="$data/capitals-$terms.csv"
if [ ! -s "$csv" ] || [ ! -s "$xlsx" ] || [ ! -s "$capitals" ]; then
  echo "generating $terms terms in $data"
  "$mktermdb" --synthetic "$terms" --out "$data/synthetic.db"
  sqlite3 -csv -header "$data/synthetic.db" "select rus as 'Орысша', kaz as 'Қазақша', cat as 'Саласы' from termin_items order by id" > "$csv"
  sqlite3 -csv "$data/synthetic.db" "select id, rus, kaz, cat, rus_upper, kaz_upper from termin_items order by id" > "$capitals"
  python3 bench/make_xlsx.py "$csv" "$xlsx"
  rm -f "$data/synthetic.db"
fi
ls -l "$csv" "$capitals" "$xlsx" | awk '{ print $5, $9 }'

# Runs a command; prints its wall seconds and the peak resident memory of it.
measure() {
  python3 - "$@" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
subprocess.run(sys.argv[1:], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
seconds = time.monotonic() - start
print(f"{seconds:.2f} {resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024:.0f}")
PY
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
table="create table termin_items (id INTEGER PRIMARY KEY, rus VARCHAR(255), kaz VARCHAR(255), cat VARCHAR(255), rus_upper VARCHAR(255), kaz_upper VARCHAR(255));"
printf '%-34s %8s %8s\n' "run" "seconds" "peak MB"
for round in 1 2 3; do
  rm -f "$scratch/floor.db" "$scratch/out.db"
  printf '%s\n' "$table" ".import --csv $capitals termin_items" > "$scratch/floor.sql"
  read -r s m < <(measure sqlite3 -bail "$scratch/floor.db" ".read $scratch/floor.sql")
  printf '%-34s %8s %8s\n' "sqlite3 .import (capitals given)" "$s" "$m"
  read -r s m < <(measure "$importer" "$csv" --out "$scratch/out.db")
  printf '%-34s %8s %8s\n' "lexaran-import CSV" "$s" "$m"
  rm -f "$scratch/out.db"
  read -r s m < <(measure "$importer" "$xlsx" --out "$scratch/out.db")
  printf '%-34s %8s %8s\n' "lexaran-import XLSX" "$s" "$m"
  if command -v soffice >/dev/null; then
    read -r s m < <(measure soffice --headless --convert-to csv --outdir "$scratch" "$xlsx")
    printf '%-34s %8s %8s\n' "soffice --convert-to csv (XLSX)" "$s" "$m"
  fi
done
[ "$(sqlite3 "$scratch/out.db" 'select count(*) from termin_items')" -gt 0 ]
