#!/usr/bin/env python3
"""Checks that a GitHub workflow names only what the project has.

    scripts/check-workflow.py <workflow.yml> <build folder of the mingw preset>

Every project file a `run:` step names (and the files the scripts it runs
name), every preset, every build target, every artifact path (against the
build the test command has just made) and every ZANTOLI_* variable must
exist or be read somewhere in the project. Prints one line per fault and
exits 1 on any; the workflow itself cannot run on these machines.
"""
import glob
import json
import os
import re
import subprocess
import sys

import yaml


def main():
    workflow_path, build = sys.argv[1], sys.argv[2]
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with open(workflow_path, encoding="utf-8") as f:
        workflow = yaml.safe_load(f)
    faults = []

    with open(os.path.join(root, "CMakePresets.json"), encoding="utf-8") as f:
        presets = json.load(f)
    preset_names = {kind: {p["name"] for p in presets.get(kind, [])}
                    for kind in ("configurePresets", "buildPresets", "testPresets")}
    targets = subprocess.run(["cmake", "--build", build, "--target", "help"],
                             capture_output=True, text=True).stdout
    target_names = {line.split(":")[0] for line in targets.splitlines() if ":" in line}

    steps = [step for job in workflow["jobs"].values() for step in job.get("steps", [])]
    commands = [step["run"] for step in steps if "run" in step]
    # The scripts a step runs are read too: their presets and targets count.
    scripts = set()
    for command in commands:
        scripts.update(re.findall(r"\b((?:scripts|tests)/[\w./-]+\.(?:sh|py))\b", command))
    texts = commands + [open(os.path.join(root, s), encoding="utf-8").read()
                        for s in sorted(scripts) if os.path.isfile(os.path.join(root, s))]

    for command in commands:
        for path in re.findall(r"(?<![\w/$])((?:scripts|tests|cmake|build)/[\w./*-]+)", command):
            if not glob.glob(os.path.join(root, path)):
                faults.append(f"run step names {path}, which does not exist")
    for text in texts:
        for kind, preset in re.findall(r"(cmake --build|ctest|cmake) --preset (\w+)", text):
            group = {"cmake": "configurePresets", "cmake --build": "buildPresets",
                     "ctest": "testPresets"}[kind]
            if preset not in preset_names[group]:
                faults.append(f"{kind} --preset {preset}: no such preset in CMakePresets.json")
        for target in re.findall(r"--target (\w[\w-]*)", text):
            if target not in target_names:
                faults.append(f"--target {target}: the {build} build has no such target")

    for step in steps:
        uses = step.get("uses", "")
        paths = str(step.get("with", {}).get("path", ""))
        if uses.startswith("actions/upload-artifact"):
            for path in filter(None, (p.strip() for p in paths.splitlines())):
                if not glob.glob(os.path.join(root, path)):
                    faults.append(f"artifact path {path} matches nothing the build made")
        elif uses.startswith("actions/download-artifact") and paths:
            if not os.path.isdir(os.path.join(root, paths)):
                faults.append(f"download path {paths} is not a folder the build makes")

    # Every variable the workflow sets is one the project reads.
    sources = ""
    for pattern in ("scripts/*", "cmake/*", "tests/installer/*", "CMakeLists.txt"):
        for name in glob.glob(os.path.join(root, pattern)):
            if os.path.isfile(name):
                sources += open(name, encoding="utf-8", errors="replace").read()
    for variable in set(re.findall(r"\b(ZANTOLI_\w+)\s*:", open(workflow_path, encoding="utf-8").read())):
        if sources.count(variable) == 0:
            faults.append(f"{variable} is set but nothing in the project reads it")

    for fault in faults:
        print(f"{workflow_path}: {fault}")
    if not faults:
        print(f"{workflow_path}: {len(commands)} run steps, scripts {sorted(scripts)}: all they name exists")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
