#!/usr/bin/env python3
"""Writes the Windows package manager manifest of a release (multi-file,
schema 1.10.0): <id>.yaml, <id>.installer.yaml, <id>.locale.es-ES.yaml
(the default locale) and <id>.locale.en-US.yaml.

    make_winget_manifest.py <output folder> <installer.exe> <name>=<value>...

Names: version, publisher, copyright, product_code, start_menu_name,
download_url (the folder the installer is published in), license_file.
"""
import hashlib
import json
import os
import sys

SCHEMA_VERSION = "1.10.0"
SHORT_DESCRIPTIONS = {
    "es-ES": "Línea de comando flotante que envía órdenes y alias a la aplicación de CAD.",
    "en-US": "Floating command line that sends commands and aliases to the CAD application.",
}


def emit(value, indent, lines):
    """Block-style YAML; every scalar a JSON string, which YAML reads as is."""
    pad = "  " * indent
    for key, item in value.items():
        if isinstance(item, dict):
            lines.append(f"{pad}{key}:")
            emit(item, indent + 1, lines)
        elif isinstance(item, list):
            lines.append(f"{pad}{key}:")
            for entry in item:
                if isinstance(entry, dict):
                    block = []
                    emit(entry, indent + 1, block)
                    lines.append(f"{pad}- " + block[0].lstrip())
                    lines.extend(block[1:])
                else:
                    lines.append(f"{pad}- {json.dumps(entry, ensure_ascii=False)}")
        else:
            lines.append(f"{pad}{key}: {json.dumps(item, ensure_ascii=False)}")


def write(path, kind, fields):
    lines = [f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{SCHEMA_VERSION}.schema.json", ""]
    emit(dict(fields, ManifestType=kind, ManifestVersion=SCHEMA_VERSION), 0, lines)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    out, installer = sys.argv[1], sys.argv[2]
    v = dict(arg.split("=", 1) for arg in sys.argv[3:])
    with open(installer, "rb") as f:
        sha256 = hashlib.sha256(f.read()).hexdigest().upper()
    with open(v["license_file"], encoding="utf-8") as f:
        license_name = f.readline().strip()
    package = {"PackageIdentifier": f"{v['publisher']}.{v['product_code']}",
               "PackageVersion": v["version"]}
    os.makedirs(out, exist_ok=True)
    base = os.path.join(out, package["PackageIdentifier"])
    write(base + ".yaml", "version", dict(package, DefaultLocale="es-ES"))
    write(base + ".installer.yaml", "installer", dict(
        package,
        InstallerType="nullsoft",
        Scope="user",
        InstallModes=["interactive", "silent"],
        # NSIS's own /S shows no window; /UPGRADE and /LOG= are the installer's.
        InstallerSwitches={"Silent": "/S", "SilentWithProgress": "/S",
                           "Upgrade": "/UPGRADE", "Log": "/LOG=<LOGPATH>"},
        ExpectedReturnCodes=[{"InstallerReturnCode": 1, "ReturnResponse": "cancelledByUser"},
                             {"InstallerReturnCode": 3, "ReturnResponse": "packageInUse"}],
        UpgradeBehavior="install",
        ProductCode=v["product_code"],
        AppsAndFeaturesEntries=[{"DisplayName": v["product_code"], "Publisher": v["publisher"],
                                 "DisplayVersion": v["version"], "ProductCode": v["product_code"]}],
        InstallationMetadata={
            "DefaultInstallLocation": f"%LOCALAPPDATA%\\Programs\\{v['product_code']}",
            "Files": [{"RelativeFilePath": "pellix.exe", "FileType": "launch",
                       "DisplayName": v["start_menu_name"]},
                      {"RelativeFilePath": "desinstalar.exe", "FileType": "uninstall"}]},
        Installers=[{"Architecture": "x64",
                     "InstallerUrl": v["download_url"].rstrip("/") + "/" + os.path.basename(installer),
                     "InstallerSha256": sha256}]))
    for locale, kind in (("es-ES", "defaultLocale"), ("en-US", "locale")):
        write(f"{base}.locale.{locale}.yaml", kind, dict(
            package, PackageLocale=locale, Publisher=v["publisher"], PackageName=v["product_code"],
            License=license_name, Copyright=v["copyright"],
            ShortDescription=SHORT_DESCRIPTIONS[locale]))


if __name__ == "__main__":
    main()
