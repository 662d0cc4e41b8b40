#!/usr/bin/env python3
"""Writes Corvane's GNOME Shell extension in the format GNOME Shell 43 and 44 load, from the ES modules
that GNOME Shell 45 and later load (data/gnome/corvane@corvane.app), so that one source serves both:

    gnome-extension-legacy.py SOURCE_DIR OUT_DIR

The older Shell has no ES modules. A module there is a script whose top-level `var` and function
declarations are what others see of it, reached as `imports.gi.Meta`, `imports.ui.main` or, for the
extension's own files, through the extension's `imports`; extension.js gives `init()`, and settings come
from `ExtensionUtils`. The rewriting is of the import and export lines only, each of a form the sources
keep to; a line of another form fails the build rather than shipping an extension the Shell refuses.
Every other line is kept as it is. Python's standard library only."""

import json
import os
import re
import shutil
import sys

SHELL_VERSIONS = ["43", "44"]
OWN_MODULES = "imports.misc.extensionUtils.getCurrentExtension().imports"
# The base class of an extension from GNOME Shell 45, as much of it as extension.js uses.
EXTENSION_BASE = """var Extension = class Extension {
    constructor(extension) {
        this.metadata = extension.metadata;
    }

    getSettings() {
        return imports.misc.extensionUtils.getSettings();
    }
};"""

GI_IMPORT = re.compile(r"^import (\w+) from 'gi://(\w+)';$")
SHELL_IMPORT = re.compile(r"^import \* as (\w+) from 'resource:///org/gnome/shell/ui/(\w+)\.js';$")
BASE_IMPORT = re.compile(r"^import \{Extension\} from 'resource:///org/gnome/shell/extensions/extension\.js';$")
OWN_IMPORT = re.compile(r"^import \{([\w, ]+)\} from '\./(\w+)\.js';$")
EXPORT_LIST = re.compile(r"^export \{([\w, ]+)\};$")
EXPORT_DEFAULT_CLASS = re.compile(r"^export default class (\w+)( extends \w+)? \{$")
EXPORT_CLASS = re.compile(r"^export class (\w+)( extends \w+)? \{$")
EXPORT_FUNCTION = re.compile(r"^export function ")
EXPORT_CONST = re.compile(r"^export const ")
DECLARATION = re.compile(r"^(const|let) (\w+) = ")
CLASS = re.compile(r"^class (\w+)( extends \w+)? \{$")


class LegacyError(Exception):
    pass


def names(listed):
    return [n.strip() for n in listed.split(",") if n.strip()]


def convert(path, text):
    """The module's text in the older format."""
    lines = text.split("\n")
    exported = set()
    for line in lines:
        if m := EXPORT_LIST.match(line):
            exported.update(names(m.group(1)))
    out = []
    default_class = None
    # A class statement ends at the first line that closes it at the start of a line.
    closing_class = False
    for number, line in enumerate(lines, 1):
        if m := GI_IMPORT.match(line):
            out.append(f"var {m.group(1)} = imports.gi.{m.group(2)};")
        elif m := SHELL_IMPORT.match(line):
            out.append(f"var {m.group(1)} = imports.ui.{m.group(2)};")
        elif BASE_IMPORT.match(line):
            out.append(EXTENSION_BASE)
        elif m := OWN_IMPORT.match(line):
            # var: a name it takes from another module may be one it passes on.
            out.append(f"var {{{', '.join(names(m.group(1)))}}} = {OWN_MODULES}.{m.group(2)};")
        elif EXPORT_LIST.match(line):
            continue
        elif m := EXPORT_DEFAULT_CLASS.match(line):
            default_class = m.group(1)
            out.append(f"var {m.group(1)} = class {m.group(1)}{m.group(2) or ''} {{")
            closing_class = True
        elif m := EXPORT_CLASS.match(line):
            out.append(f"var {m.group(1)} = class {m.group(1)}{m.group(2) or ''} {{")
            closing_class = True
        elif (m := CLASS.match(line)) and m.group(1) in exported:
            out.append(f"var {m.group(1)} = class {m.group(1)}{m.group(2) or ''} {{")
            closing_class = True
        elif EXPORT_FUNCTION.match(line):
            out.append(line[len("export "):])
        elif EXPORT_CONST.match(line):
            out.append("var " + line[len("export const "):])
        elif (m := DECLARATION.match(line)) and m.group(2) in exported:
            out.append("var " + line[len(m.group(1)) + 1:])
        elif line.startswith("import ") or line.startswith("export "):
            raise LegacyError(f"{path}:{number}: no older form known for: {line}")
        elif closing_class and line == "}":
            out.append("};")
            closing_class = False
        else:
            out.append(line)
    if default_class:
        out += [f"function init(extension) {{", f"    return new {default_class}(extension);", "}", ""]
    return "\n".join(out)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, target = sys.argv[1:]
    if os.path.exists(target):
        shutil.rmtree(target)
    shutil.copytree(source, target, ignore=shutil.ignore_patterns("*.js", "metadata.json"))
    try:
        for name in sorted(os.listdir(source)):
            if name.endswith(".js"):
                with open(os.path.join(source, name), encoding="utf-8") as f:
                    text = convert(name, f.read())
                with open(os.path.join(target, name), "w", encoding="utf-8") as f:
                    f.write(text)
    except LegacyError as error:
        sys.exit(f"gnome-extension-legacy: {error}")
    with open(os.path.join(source, "metadata.json"), encoding="utf-8") as f:
        metadata = json.load(f)
    metadata["shell-version"] = SHELL_VERSIONS
    with open(os.path.join(target, "metadata.json"), "w", encoding="utf-8") as f:
        json.dump(metadata, f, indent=2)
        f.write("\n")


if __name__ == "__main__":
    main()
