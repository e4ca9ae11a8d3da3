#!/usr/bin/env python3
"""Prints each guide benchmark next to its baseline from one Google Benchmark JSON run:
bench_core --benchmark_format=json | bench/compare.py"""
import json
import sys

runs = {b["name"]: b for b in json.load(sys.stdin)["benchmarks"] if b.get("run_type", "iteration") == "iteration"}
for name, run in runs.items():
    group, _, kind = name.partition("_")
    unit = run["time_unit"]
    line = f"{name:32} {run['real_time']:10.3f} {unit}"
    if kind == "Guide":
        base = runs.get(f"{group}_Bare") or runs.get(f"{group}_Bytes")
        if base:
            line += f"   baseline {base['real_time']:10.3f} {unit}   ratio {run['real_time'] / base['real_time']:.2f}x"
    print(line)
