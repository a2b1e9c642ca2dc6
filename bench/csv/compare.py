#!/usr/bin/env python3
"""Reads one generated address list (100,000 rows x 8 columns, about 10 MB)
with our csv library, Python's csv module and a table built with Debian's
libcsv (libcsv-dev), each in a process of its own, and prints MB/s (of
processor time, so a busy machine skews them less) and peak resident memory
next to the file size. Then opens and saves the editor's 32,000-row file the
way gridpad does (grid_benchmark) and with Python's csv module.

    bench/csv/compare.py BUILD_DIR    (BUILD_DIR: a native build with csv_bench
                                       and grid_benchmark)
"""
import json
import os
import subprocess
import sys
import tempfile
import time

LIBCSV_TABLE = r"""
#include <csv.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

/* A table like ours: every cell's text kept, rows indexed for reading by
   position. */
typedef struct { char **cells; size_t count, capacity; } Row;
static Row *rows; static size_t nrows, rowcap, ncols;
static Row current;

static void on_field(void *text, size_t length, void *unused) {
    (void)unused;
    if (current.count == current.capacity) {
        current.capacity = current.capacity ? current.capacity * 2 : 8;
        current.cells = realloc(current.cells, current.capacity * sizeof(char *));
    }
    char *copy = malloc(length + 1);
    memcpy(copy, text, length);
    copy[length] = 0;
    current.cells[current.count++] = copy;
}

static void on_row(int c, void *unused) {
    (void)c; (void)unused;
    if (nrows == rowcap) {
        rowcap = rowcap ? rowcap * 2 : 1024;
        rows = realloc(rows, rowcap * sizeof(Row));
    }
    if (current.count > ncols) ncols = current.count;
    rows[nrows++] = current;
    memset(&current, 0, sizeof current);
}

int main(int argc, char **argv) {
    (void)argc;
    struct timespec t0, t1;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t0);
    FILE *f = fopen(argv[1], "rb");
    struct csv_parser p;
    csv_init(&p, CSV_APPEND_NULL);
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) csv_parse(&p, buf, n, on_field, on_row, NULL);
    csv_fini(&p, on_field, on_row, NULL);
    fclose(f);
    struct timespec built;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &built);
    size_t total = 0;
    for (size_t r = 0; r < nrows; ++r)
        for (size_t c = 0; c < ncols; ++c)
            total += c < rows[r].count ? (unsigned char)rows[r].cells[c][0] : 0;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t1);
    printf("%f %f %zu %zu\n", (built.tv_sec - t0.tv_sec) + (built.tv_nsec - t0.tv_nsec) / 1e9,
           (t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) / 1e9, nrows, total);
    return 0;
}
"""

PYTHON_CSV = r"""
import csv, sys, time
t0 = time.process_time()
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f))
total = 0
width = max(len(r) for r in rows)
for r in rows:
    for c in range(width):
        total += len(r[c][:1]) if c < len(r) else 0
print(time.process_time() - t0, len(rows), total)
"""

PYTHON_GRIDPAD = r"""
import csv, sys, time
t0 = time.process_time()
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f, delimiter=';'))
t1 = time.process_time()
with open(sys.argv[2], 'w', newline='', encoding='utf-8') as f:
    csv.writer(f, delimiter=';', lineterminator='\n').writerows(rows)
print(t1 - t0, time.process_time() - t1, len(rows))
"""


def run(argv, env=None):
    """Runs a process; gives its standard output and peak resident MB."""
    proc = subprocess.Popen(argv, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
    out = proc.stdout.read().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    if status != 0:
        sys.exit(f"{argv[0]} failed")
    return out, usage.ru_maxrss / 1024.0


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    bench = os.path.join(sys.argv[1], "bench", "csv", "csv_bench")
    work = tempfile.mkdtemp(prefix="csv_compare_")
    data = os.path.join(work, "addresses.csv")
    env = dict(os.environ, CSV_BENCH_FILE=data)

    out, ours_rss = run([bench, "--benchmark_format=json", "--benchmark_repetitions=3",
                         "--benchmark_report_aggregates_only=true"], env)
    size_mb = os.path.getsize(data) / 1e6
    results = {b["name"]: b for b in json.loads(out)["benchmarks"]}
    print(f"file: {size_mb:.1f} MB, 100000 rows x 8 columns")
    for name, label in [("BM_OpenIndexed_median", "ours: open, indexed table"),
                        ("BM_OpenReadEveryCell/0_median", "ours: open + every cell (accessor)"),
                        ("BM_OpenReadEveryCell/1_median", "ours: open + every cell (copies)")]:
        b = results[name]
        print(f"{label:42s} {b['bytes_per_second'] / 1e6:8.0f} MB/s")
    ratio = results["BM_OpenIndexed_median"]["heap_per_file_byte"]
    print(f"{'ours: table heap':42s} {ratio * size_mb:8.1f} MB = {ratio:.2f} x file")

    # A separate run of ours for its resident peak next to the others.
    _, ours_rss = run([bench, "--benchmark_filter=BM_OpenReadEveryCell/0",
                       "--benchmark_min_time=0.01"], env)

    exe = os.path.join(work, "libcsv_table")
    c_file = os.path.join(work, "libcsv_table.c")
    with open(c_file, "w") as f:
        f.write(LIBCSV_TABLE)
    subprocess.check_call(["cc", "-O2", "-o", exe, c_file, "-lcsv"])
    builds, totals = [], []
    for _ in range(3):
        out, libcsv_rss = run([exe, data])
        builds.append(float(out.split()[0]))
        totals.append(float(out.split()[1]))
    libcsv_build, libcsv_total = sorted(builds)[1], sorted(totals)[1]
    print(f"{'libcsv: table':42s} {size_mb / libcsv_build:8.0f} MB/s")
    print(f"{'libcsv: table + every cell':42s} {size_mb / libcsv_total:8.0f} MB/s")
    ours_open = size_mb / (results["BM_OpenIndexed_median"]["bytes_per_second"] / 1e6)
    ours_every = size_mb / (results["BM_OpenReadEveryCell/0_median"]["bytes_per_second"] / 1e6)
    print(f"ours faster than libcsv: table {libcsv_build / ours_open:.1f} x, "
          f"table + every cell {libcsv_total / ours_every:.1f} x")

    py_file = os.path.join(work, "python_csv.py")
    with open(py_file, "w") as f:
        f.write(PYTHON_CSV)
    times = []
    for _ in range(3):
        out, python_rss = run([sys.executable, py_file, data])
        times.append(float(out.split()[0]))
    print(f"{'python csv: rows + every cell':42s} {size_mb / sorted(times)[1]:8.0f} MB/s")

    print("peak resident memory (whole process):")
    print(f"  ours {ours_rss:.0f} MB, libcsv {libcsv_rss:.0f} MB, python {python_rss:.0f} MB")

    grid_file = os.path.join(work, "gridpad.csv")
    out, _ = run([os.path.join(sys.argv[1], "bench", "grid", "grid_benchmark"),
                  "--benchmark_format=json", "--benchmark_repetitions=3",
                  "--benchmark_report_aggregates_only=true"],
                 dict(os.environ, GRID_BENCH_FILE=grid_file))
    grid = {b["name"]: b["cpu_time"] / 1e3 for b in json.loads(out)["benchmarks"]}
    ours_load = grid["BM_LoadCsvIntoCellStore_median"]
    ours_save = grid["BM_SaveCellStoreAsCsv_median"]
    gridpad_py = os.path.join(work, "python_gridpad.py")
    with open(gridpad_py, "w") as f:
        f.write(PYTHON_GRIDPAD)
    saved = os.path.join(work, "python_saved.csv")
    reads, writes = [], []
    for _ in range(3):
        out, _ = run([sys.executable, gridpad_py, grid_file, saved])
        reads.append(float(out.split()[0]))
        writes.append(float(out.split()[1]))
    py_read, py_write = sorted(reads)[1], sorted(writes)[1]
    print(f"gridpad's file: {os.path.getsize(grid_file) / 1e6:.1f} MB, 32000 rows x 8 columns")
    print(f"  gridpad open {ours_load * 1e3:.0f} ms + save {ours_save * 1e3:.0f} ms; "
          f"python csv read {py_read * 1e3:.0f} ms + write {py_write * 1e3:.0f} ms; "
          f"gridpad takes {(ours_load + ours_save) / (py_read + py_write):.2f} x python's time")

    for path in (data, exe, c_file, py_file, grid_file, gridpad_py, saved):
        os.remove(path)
    os.rmdir(work)


if __name__ == "__main__":
    main()
