#!/usr/bin/env python3
"""Reads a picture tour's DIR/tour.json against the pictures in DIR and prints each skipped scene as
"skipped SCENE: REASON". Fails when a picture is missing or unlisted, or when an alert is over a
picture other than those named with --alerts (the pictures of a page's own alert)."""
import argparse
import json
import os
import sys

parser = argparse.ArgumentParser()
parser.add_argument("folder")
parser.add_argument("--alerts", default="", help="comma-separated pictures that may show an alert")
args = parser.parse_args()
report = json.load(open(os.path.join(args.folder, "tour.json"), encoding="utf-8"))
allowed = set(filter(None, args.alerts.split(",")))
problems = []
listed = set()
for picture in report["pictures"]:
    name = picture["file"]
    listed.add(name)
    path = os.path.join(args.folder, name)
    if not os.path.isfile(path) or os.path.getsize(path) == 0:
        problems.append(f"{name} is listed but not written")
    if not picture["page"]:
        problems.append(f"{name} names no page")
    if picture["alerts"] and name[:-4] not in allowed:
        problems.append(f"{name} shows the alert {picture['alerts']}")
for name in os.listdir(args.folder):
    if name.endswith(".png") and name not in listed:
        problems.append(f"{name} is not in tour.json")
for skip in report["skipped"]:
    if not skip["reason"]:
        problems.append(f"{skip['scene']} is skipped without a reason")
    print(f"skipped {skip['scene']}: {skip['reason']}")
for problem in problems:
    print(problem, file=sys.stderr)
sys.exit(1 if problems else 0)
