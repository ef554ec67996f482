#!/usr/bin/env python3
"""Checks that every file under src/ includes only headers of its own layer or of the layers
below it, as the targets link them. Usage: check_layers.py SRC_DIR; exit status 1 with the
offending includes listed."""
import pathlib
import re
import sys

CORE = ["core/text", "core/platform", "core/config", "core/net", "core/json", "core/history",
        "core/alerts"]
EDITOR_PARTS = ["settings/services", "settings/editors_model"]
# Each folder and the folders whose headers it may include, itself included.
ALLOWED = {
    "core/text": ["core/text"],
    "core/platform": ["core/text", "core/platform"],
    "core/config": ["core/text", "core/platform", "core/config"],
    "core/net": ["core/text", "core/platform", "core/net"],
    "core/json": ["core/text", "core/json"],
    "core/history": ["core/text", "core/platform", "core/history"],
    "core/alerts": CORE,
    "ui": CORE + ["ui"],
    "settings/services": ["core/config", "settings/services"],
    "settings/model": ["core/text", "core/platform", "core/config", "settings/model"],
    "settings/update_model": CORE + ["settings/update_model"],
    "settings/wizard_model": CORE + ["settings/services", "settings/wizard_model"],
    "settings/editors_model": CORE + ["settings/editors_model"],
    "settings/update_views": CORE + ["ui", "settings/update_model", "settings/update_views"],
    "settings/window": CORE + ["ui", "settings/services", "settings/model", "settings/update_model",
                               "settings/update_views", "settings/window"],
    "settings/wizard": CORE + ["ui", "settings/services", "settings/wizard_model",
                               "settings/wizard"],
    "settings/editors": CORE + ["ui"] + EDITOR_PARTS + ["settings/editors"],
    "app": CORE + ["ui", "app"] + [f"settings/{part}" for part in
                                   ["services", "model", "window", "update_model",
                                    "update_views", "wizard_model", "wizard", "editors_model",
                                    "editors"]],
    "cli": CORE + ["cli"],
}
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s+"((?:core|ui|settings|app|cli)/[^"]+)"')


def layer_of(relative):
    """The longest folder of ALLOWED that holds the path, or None."""
    parts = relative.parts
    for depth in (2, 1):
        folder = "/".join(parts[:depth])
        if folder in ALLOWED:
            return folder
    return None


def main():
    src = pathlib.Path(sys.argv[1])
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".in"):
            continue
        relative = path.relative_to(src)
        layer = layer_of(relative)
        if layer is None:
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = PROJECT_INCLUDE.match(line)
            if match and layer_of(pathlib.PurePosixPath(match.group(1))) not in ALLOWED[layer]:
                faults.append(f"{relative}:{number}: {layer} includes {match.group(1)}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
