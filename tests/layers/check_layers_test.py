#!/usr/bin/env python3
"""The layer check itself: on a tree that breaks the order and the folders'
namespaces in each way it must fail and name every problem, and only those.

    check_layers_test.py CHECK FIXTURE
"""
import subprocess
import sys

check, fixture = sys.argv[1:3]
run = subprocess.run([sys.executable, check, fixture], capture_output=True, text=True)
if run.returncode == 0:
    sys.exit("the check passed a broken tree:\n" + run.stdout)
expected = {
    "engine/decision.h includes search/search.h: search/ is not below engine/",
    "match/game/flow.h includes match/engines/engine_client.h: match/engines/ is not below match/game/",
    "match/game/flow.h includes match/records/record_json.h: match/records/ is not below match/game/",
    "match/game/flow.h includes simulator/delivery.h: outside simulator/ only its interface is used",
    "docs/architecture.md says engine/ uses simulator; its includes use search",
    "include cycle: engine/decision -> engine/token -> engine/decision",
    "engine/decision.h declares at global scope, outside namespace engine: int Decide()",
    "engine/library_binding.h declares at global scope, outside namespace engine: extern int bound",
    "engine/token.cpp declares at global scope, outside namespace engine: namespace {",
    "match/game/flow.h declares at global scope, outside namespace match::game: namespace match {",
    "search/strong/replies.h declares at global scope, outside namespace search::strong: "
    "namespace search {",
}
found = {line.strip() for line in run.stdout.splitlines()[1:]}
if found != expected:
    sys.exit("missing:\n  " + "\n  ".join(sorted(expected - found)) +
             "\nunexpected:\n  " + "\n  ".join(sorted(found - expected)))
print(f"the check names all {len(expected)} problems of the broken tree")
