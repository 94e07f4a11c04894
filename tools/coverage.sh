#!/bin/bash
# Line coverage of core/, engine/ and actions/ by the native unit tests (llvm-cov).
#   tools/coverage.sh            prints one line per folder and the total
# Builds build/coverage (clang, instrumented, no sanitizers) and runs unit_tests there.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=build/coverage
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" \
    -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null
cmake --build "$BUILD" -j "${JOBS:-2}" --target unit_tests >/dev/null
rm -f "$BUILD"/*.profraw
LLVM_PROFILE_FILE="$BUILD/unit-%p.profraw" "$BUILD/tests/unit_tests" --gtest_brief=1 >/dev/null
llvm-profdata merge -sparse "$BUILD"/unit-*.profraw -o "$BUILD/unit.profdata"
# Per-file line counts from llvm-cov, summed by top folder.
llvm-cov export -summary-only "$BUILD/tests/unit_tests" -instr-profile="$BUILD/unit.profdata" 2>/dev/null |
    python3 -c '
import json, sys
totals = {}
for f in json.load(sys.stdin)["data"][0]["files"]:
    parts = f["filename"].replace("\\", "/").split("/")
    for folder in ("core", "engine", "actions"):
        if folder in parts and "tests" not in parts:
            lines = f["summary"]["lines"]
            t = totals.setdefault(folder, [0, 0])
            t[0] += lines["covered"]
            t[1] += lines["count"]
            break
all_covered = sum(t[0] for t in totals.values())
all_count = sum(t[1] for t in totals.values())
for folder, (covered, count) in sorted(totals.items()):
    print("%s: lines %d/%d (%.2f%%)" % (folder, covered, count, 100.0 * covered / count))
print("all: lines %d/%d (%.2f%%)" % (all_covered, all_count, 100.0 * all_covered / all_count))
'
