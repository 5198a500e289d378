#!/usr/bin/env python3
"""Checks a release's package manager manifest (winget/ in the release
folder): each file against its vendored JSON schema, one package and
version in all, the default locale es-ES with en-US beside it, the SHA256
against the installer beside it, and the switches and product code against
what the installer test uses and the installer writes.

    check_manifest.py <release folder> <schema folder>
"""
import glob
import hashlib
import json
import os
import sys

import jsonschema
import yaml


def main():
    release, schemas = sys.argv[1], sys.argv[2]
    faults = []
    manifests = {}
    for path in sorted(glob.glob(os.path.join(release, "winget", "*.yaml"))):
        with open(path, encoding="utf-8") as f:
            manifest = yaml.safe_load(f)
        kind = manifest.get("ManifestType")
        schema_path = os.path.join(schemas, f"manifest.{kind}.1.10.0.json")
        if not os.path.isfile(schema_path):
            faults.append(f"{path}: ManifestType {kind!r} has no schema")
            continue
        with open(schema_path, encoding="utf-8") as f:
            schema = json.load(f)
        for error in jsonschema.Draft7Validator(schema).iter_errors(manifest):
            faults.append(f"{path}: {'/'.join(map(str, error.path))}: {error.message}")
        manifests.setdefault(kind, []).append(manifest)

    kinds = {kind: len(found) for kind, found in manifests.items()}
    if kinds != {"version": 1, "installer": 1, "defaultLocale": 1, "locale": 1}:
        faults.append(f"expected one version, installer, defaultLocale and locale file, got {kinds}")
    else:
        everything = [m for found in manifests.values() for m in found]
        ids = {(m["PackageIdentifier"], m["PackageVersion"]) for m in everything}
        if len(ids) != 1:
            faults.append(f"the files name different packages or versions: {sorted(ids)}")
        env = dict(line.strip().split("=", 1) for line in open(os.path.join(release, "installer-test.env"))
                   if "=" in line)
        expected = {
            "version": (manifests["version"][0]["PackageVersion"], env["version"]),
            "DefaultLocale": (manifests["version"][0]["DefaultLocale"], "es-ES"),
            "defaultLocale PackageLocale": (manifests["defaultLocale"][0]["PackageLocale"], "es-ES"),
            "locale PackageLocale": (manifests["locale"][0]["PackageLocale"], "en-US"),
        }
        installer = manifests["installer"][0]
        entry = installer["Installers"][0]
        setup = os.path.join(release, os.path.basename(entry["InstallerUrl"]))
        expected["installer file"] = (os.path.basename(setup), env["setup"])
        if os.path.isfile(setup):
            with open(setup, "rb") as f:
                expected["InstallerSha256"] = (entry["InstallerSha256"].upper(),
                                               hashlib.sha256(f.read()).hexdigest().upper())
        # The installer test installs with the manifest's Silent switch and
        # finds the uninstall entry under the product code of installer-test.env.
        expected["ProductCode"] = (installer["ProductCode"], env["product_code"])
        for what, (got, want) in expected.items():
            if got != want:
                faults.append(f"{what}: got {got!r}, expected {want!r}")

    for fault in faults:
        print(f"FAIL: {fault}")
    if faults:
        return 1
    print(f"manifest in {release}/winget: {sum(kinds.values())} files valid")
    return 0


if __name__ == "__main__":
    sys.exit(main())
