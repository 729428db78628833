"""`cmake --install` puts the package where the system's Python looks under
the prefix, and the installed module finds the library from there."""
import os
import pathlib
import subprocess
import sys

import pytest


def test_the_installed_module_imports_from_the_prefix(tmp_path):
    build = os.environ["CURLING_BUILD"]
    prefix = tmp_path / "root"
    subprocess.run(["cmake", "--install", build, "--prefix", str(prefix)], check=True,
                   capture_output=True)
    # The folders the interpreter searches for this prefix ahead of its own,
    # without the build tree or a library path.
    code = ("import site, sys; "
            f"sys.path[:0] = site.getsitepackages(prefixes=[{str(prefix)!r}]); "
            "import curling; print(curling.__file__); "
            "s = curling.simulate(curling.GameState(), *curling.draw_shot(2.375, 4.88, 0)); "
            "print(curling.score(s))")
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("PYTHONPATH", "LD_LIBRARY_PATH")}
    done = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                          env=environment, cwd=tmp_path)
    assert done.returncode == 0, done.stderr
    where, score = done.stdout.split()
    assert pathlib.Path(where).is_relative_to(prefix) and score == "1"
