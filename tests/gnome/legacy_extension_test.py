#!/usr/bin/env python3
"""The extension as tools/gnome-extension-legacy.py writes it for GNOME Shell 43 and 44, checked where no
GNOME Shell 43 runs: no ES module syntax is left, every name a module exports is one the older Shell
sees (a top-level var or function), extension.js gives init(), and the metadata claims 43 and 44 only.
A line of a form the tool does not know fails it, naming the line.
    legacy_extension_test.py TOOL SOURCE_DIR"""

import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

TOOL, SOURCE = sys.argv[1], sys.argv[2]
del sys.argv[1:3]

EXPORTED = [re.compile(r"^export (?:default )?(?:class|function|const) (\w+)", re.M),
            re.compile(r"^export \{([\w, ]+)\};$", re.M)]


def exported_names(text):
    names = set(EXPORTED[0].findall(text))
    for listed in EXPORTED[1].findall(text):
        names.update(n.strip() for n in listed.split(","))
    return names


def run_tool(source, target):
    return subprocess.run([sys.executable, TOOL, source, target], capture_output=True, text=True)


class LegacyExtension(unittest.TestCase):
    def test_every_module_is_a_script_that_shows_what_it_exported(self):
        with tempfile.TemporaryDirectory() as work:
            target = os.path.join(work, "corvane@corvane.app")
            result = run_tool(SOURCE, target)
            self.assertEqual(result.returncode, 0, result.stderr)
            modules = sorted(n for n in os.listdir(SOURCE) if n.endswith(".js"))
            self.assertEqual(sorted(n for n in os.listdir(target) if n.endswith(".js")), modules)
            for name in modules:
                with open(os.path.join(SOURCE, name), encoding="utf-8") as f:
                    source = f.read()
                with open(os.path.join(target, name), encoding="utf-8") as f:
                    legacy = f.read()
                self.assertIsNone(re.search(r"^(import|export)\b", legacy, re.M), name)
                for exported in exported_names(source):
                    self.assertRegex(legacy, rf"(?m)^(var {exported}\b|var \{{[^}}]*\b{exported}\b|function {exported}\()",
                                     f"{name}: {exported} is not seen by the older Shell")
            with open(os.path.join(target, "extension.js"), encoding="utf-8") as f:
                self.assertRegex(f.read(), r"(?m)^function init\(extension\) \{\n    return new \w+\(extension\);")
            with open(os.path.join(SOURCE, "metadata.json"), encoding="utf-8") as f:
                metadata = json.load(f)
            with open(os.path.join(target, "metadata.json"), encoding="utf-8") as f:
                legacy_metadata = json.load(f)
            self.assertEqual(legacy_metadata.pop("shell-version"), ["43", "44"])
            metadata.pop("shell-version")
            self.assertEqual(legacy_metadata, metadata)
            self.assertTrue(os.path.isfile(os.path.join(target, "schemas",
                                                        "org.gnome.shell.extensions.corvane.gschema.xml")))

    def test_a_form_it_does_not_know_fails_the_build(self):
        with tempfile.TemporaryDirectory() as work:
            source = os.path.join(work, "source")
            os.mkdir(source)
            with open(os.path.join(source, "metadata.json"), "w", encoding="utf-8") as f:
                json.dump({"uuid": "x@y", "shell-version": ["45"]}, f)
            with open(os.path.join(source, "extension.js"), "w", encoding="utf-8") as f:
                f.write("import Thing from './thing.js';\n")
            result = run_tool(source, os.path.join(work, "out"))
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("extension.js:1: no older form known for: import Thing from './thing.js';", result.stderr)


if __name__ == "__main__":
    unittest.main()
