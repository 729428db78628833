#!/usr/bin/env python3
"""Checks the product folders against the table in docs/architecture.md.

The table is the one home of the folders' order: a folder may include headers
of its own folder and of folders in layers below it, never of one above it or
beside it in the same layer, and its "Uses" cell must name exactly the folders
its files include. A program's main.cpp (or NAME_main.cpp) ties the layers
together and may include any folder. No two modules (a header with its
source) include each other, directly or round a longer loop. Outside
simulator/, only the simulator's interface is included.

Outside simulator/, every file declares its names in its own folder's namespace,
the folder's path with "::" for "/" (match/records/ is match::records): at
global scope a file has nothing but that namespace's blocks. A program's entry
(a file that defines main, the Python module or the WebAssembly exports) stays
global, and so do the library's exports as the engine binds them (KEPT_GLOBAL).

    check_layers.py SOURCE_DIR
"""
import os
import re
import sys

INTERFACE = {"simulator/curling_api.h", "simulator/sheet.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]*)"', re.M)
MAIN = re.compile(r"^(.*_)?main\.cpp$")
ENTRY = re.compile(r"\bint\s+main\s*\(|\bPYBIND11_MODULE\s*\(|\bextern\s+\"C\"")
# Global names a file may declare outside its namespace: the simulator
# library's exports under their C names, as the engine binds them.
KEPT_GLOBAL = {
    "engine/library_binding.h": {"simulation", "createShot", "createHitShot", "getScore", "seedSimulator"},
    "engine/library_binding.cpp": {"simulation", "createShot", "createHitShot", "getScore", "seedSimulator"},
}
CODE = re.compile(r'''(?P<skip>//[^\n]*|/\*.*?\*/|^[ \t]*\#(?:\\\n|[^\n])*|R"(?P<d>[^(\s]*)\(.*?\)(?P=d)"|"(?:\\.|[^"\\\n])*"|'(?:\\.|[^'\\\n])*')''',
                  re.S | re.M)


def read_table(doc):
    """Rows of the folder table: {folder: (layer, set of folders it uses)}."""
    text = open(doc, encoding="utf-8").read()
    section = text.split("## Folders and their order", 1)[-1].split("\n## ", 1)[0]
    table = {}
    for line in section.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) < 3 or not cells[0].isdigit():
            continue
        folders = [f.strip("`/ ") for f in cells[1].split(",")]
        uses = set() if cells[2] == "nothing" else {u.strip("`/ ") for u in cells[2].split(",")}
        for folder in folders:
            table[folder] = (int(cells[0]), uses)
    return table


def code_only(text):
    """The text with comments, strings, characters and preprocessor lines blanked."""
    return CODE.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)


def is_entry(text):
    """Whether the file is a program's entry: main, the Python module, C exports."""
    uncommented = CODE.sub(lambda m: " " if m.group(0)[0] == "/" else m.group(0), text)
    return ENTRY.search(uncommented) is not None


def block_end(code, opening):
    """The offset just past the brace that closes the one at `opening`."""
    depth = 0
    for i in range(opening, len(code)):
        if code[i] == "{":
            depth += 1
        elif code[i] == "}":
            depth -= 1
            if depth == 0:
                return i + 1
    return len(code)


def global_declaration(source, text, namespace):
    """The first thing the file declares at global scope outside `namespace`, or None."""
    code = code_only(text)
    kept = KEPT_GLOBAL.get(source, set())
    at = 0
    while True:
        start = len(code) - len(code[at:].lstrip())
        if start >= len(code):
            return None
        opening = re.match(r"namespace\s+([\w:]+)\s*\{", code[start:])
        if opening and opening.group(1) == namespace:
            at = block_end(code, start + opening.end() - 1)
            continue
        end = re.compile(r"[;{]").search(code, start)
        statement = " ".join(code[start:end.start() if end else len(code)].split())
        names = re.findall(r"\w+", statement.split("=")[0])
        if end and end.group(0) == ";" and names and names[-1] in kept:
            at = end.end()
            continue
        if end and end.group(0) == "{":
            statement += " {"
        return statement[:60].strip()


def folder_of(path, folders):
    """The longest listed folder the path lies in, or None."""
    found = None
    for folder in folders:
        if path.startswith(folder + "/") and (found is None or len(folder) > len(found)):
            found = folder
    return found


def find_cycle(graph):
    """One cycle of the graph {node: set of nodes} as a list, or None."""
    state = {}
    for start in sorted(graph):
        if start in state:
            continue
        state[start] = 1  # on the path; 2 once every path from it is done
        stack = [(start, iter(sorted(graph[start])))]
        path = [start]
        while stack:
            node, children = stack[-1]
            child = next(children, None)
            if child is None:
                state[node] = 2
                stack.pop()
                path.pop()
            elif state.get(child) == 1:
                return path[path.index(child):] + [child]
            elif state.get(child) is None:
                state[child] = 1
                stack.append((child, iter(sorted(graph.get(child, ())))))
                path.append(child)
    return None


def check(root):
    table = read_table(os.path.join(root, "docs", "architecture.md"))
    if not table:
        return ["docs/architecture.md has no folder table"], 0
    folders = list(table)
    problems = []
    used = {folder: set() for folder in folders}
    module_graph = {}
    checked = 0
    for top in sorted({f.split("/")[0] for f in folders}):
        for base, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                source = os.path.relpath(os.path.join(base, name), root).replace(os.sep, "/")
                home = folder_of(source, folders)
                if home is None:
                    continue
                checked += 1
                module = source.rsplit(".", 1)[0]
                text = open(os.path.join(root, source), encoding="utf-8").read()
                namespace = os.path.dirname(source).replace("/", "::")
                if home != "simulator" and not MAIN.match(name) and not is_entry(text):
                    outside = global_declaration(source, text, namespace)
                    if outside is not None:
                        problems.append(f"{source} declares at global scope, outside namespace "
                                        f"{namespace}: {outside}")
                for header in INCLUDE.findall(text):
                    target = folder_of(header, folders)
                    if target is None:
                        problems.append(f"{source} includes {header}, which is in no product folder")
                        continue
                    if home != "simulator" and target == "simulator" and header not in INTERFACE:
                        problems.append(f"{source} includes {header}: outside simulator/ "
                                        "only its interface is used")
                    other = header.rsplit(".", 1)[0]
                    if other != module:
                        module_graph.setdefault(module, set()).add(other)
                    if target == home or MAIN.match(name):
                        continue
                    used[home].add(target)
                    if table[target][0] >= table[home][0]:
                        problems.append(f"{source} includes {header}: {target}/ is not below {home}/")
    for folder in folders:
        said = table[folder][1]
        if said != used[folder]:
            problems.append(
                f"docs/architecture.md says {folder}/ uses {', '.join(sorted(said)) or 'nothing'}; "
                f"its includes use {', '.join(sorted(used[folder])) or 'nothing'}")
    seen = set()
    while True:
        cycle = find_cycle({m: e for m, e in module_graph.items() if m not in seen})
        if not cycle:
            break
        problems.append("include cycle: " + " -> ".join(cycle))
        seen.update(cycle)
    return problems, checked


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    problems, checked = check(root)
    if checked == 0 and not problems:
        problems = [f"no sources found under {root}"]
    if problems:
        print("the folders' order or namespaces are broken:\n  " + "\n  ".join(problems))
        return 1
    print(f"{checked} sources keep the folders' dependency order, with no include cycle, "
          "each in its folder's namespace")
    return 0


if __name__ == "__main__":
    sys.exit(main())
