#!/usr/bin/env bash
# Runs clang-tidy with the project's checks over every C++ source; fails on
# any finding. Uses the compile commands of the default build.
#
# A source that came out clean is remembered (in ~/.cache/curling-tidy) under
# a key of its own text, its compile command, the project's files it includes
# (as the compiler's dependency file of its last build lists them, generated
# headers and the files they embed included), the checks (every .clang-tidy) and clang-tidy's
# version, so that a later run, in this clone or another, checks only the
# sources a change could reach. A source without a dependency file is keyed
# by every header of the project instead. A finding is never remembered.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
scripts/install-deps.sh
configure default
# A build first: the headers it generates must exist, and each source's
# dependency file must be that of its present text.
cmake --build --preset default -j "$(nproc)" >/dev/null

cache=${XDG_CACHE_HOME:-$HOME/.cache}/curling-tidy
mkdir -p "$cache"
# The static analyzer's path search costs more than all the other checks
# together; it runs on the folders of the library, the engine and its search
# (the code a match server runs), and the rest get every other check.
analyzed='^(simulator|command_line|engine|drawing|candidates|search|opponents)/'
checks=$({ clang-tidy --version; echo "$analyzed"; git ls-files -z .clang-tidy '*/.clang-tidy' |
  xargs -0 sha256sum; } | sha256sum | cut -d' ' -f1)
# One line per source: its path and its key.
keys() {
  python3 - "$1" "$PWD" "$checks" <<'PY'
import hashlib, json, os, shlex, subprocess, sys
build, root, checks = sys.argv[1:4]
digests = {}
def digest(path):
    if path not in digests:
        with open(path, "rb") as f:
            digests[path] = hashlib.sha256(f.read()).hexdigest()
    return digests[path]
def inside(path):
    return os.path.commonpath([root, path]) == root
headers = subprocess.run(["git", "ls-files", "-z", "*.h", "*.inc", "*.js", "*.css"],
                         capture_output=True, check=True).stdout.decode().split("\0")
every_header = hashlib.sha256("".join(digest(h) for h in headers if h).encode()).hexdigest()
seen = set()
for entry in json.load(open(os.path.join(build, "compile_commands.json"))):
    command = entry.get("command") or shlex.join(entry["arguments"])
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    # A build tree configured before a source moved still lists it.
    if path in seen or not os.path.exists(path):
        continue
    seen.add(path)
    words = shlex.split(command)
    depfile = None
    if "-o" in words:
        depfile = os.path.join(entry["directory"], words[words.index("-o") + 1] + ".d")
    key = hashlib.sha256()
    key.update((checks + command.replace(root, ".") + digest(path)).encode())
    if depfile and os.path.exists(depfile):
        text = open(depfile).read().replace("\\\n", " ")
        deps = text.split(":", 1)[1].replace("\\ ", "\0").split()
        for dep in sorted({os.path.normpath(os.path.join(entry["directory"], d.replace("\0", " ")))
                           for d in deps}):
            if inside(dep) and os.path.exists(dep):
                key.update((os.path.relpath(dep, root) + digest(dep)).encode())
    else:
        key.update(every_header.encode())
    print(path, key.hexdigest())
PY
}

# check FILE BUILD [EXTRA ARGS...]: clang-tidy on one source, its findings on
# standard output; a clean result goes into the cache.
check() {
  local file=$1 build=$2 key
  shift 2
  key=$(awk -v f="$file" '$1 == f {print $2; exit}' "$build/tidy-keys")
  [ -e "$cache/$key" ] && return 0
  local out
  [[ $file =~ $analyzed ]] || set -- "$@" '--checks=-clang-analyzer-*'
  out=$(clang-tidy -p "$build" --quiet "$@" "$file" 2>&1 || true)
  if grep -qE 'warning:|error:|Error while processing' <<<"$out"; then
    echo "$out"
  else
    touch "$cache/$key"
  fi
}
export -f check
export cache analyzed

# The fuzz targets compile only in the fuzz build, so they have no entry here;
# the Windows sources only in the Windows build, checked with its commands
# when it is there (scripts/windows.sh).
keys build > build/tidy-keys
git ls-files '*.cpp' | grep -v -e '^fuzz/' -e '_windows\.cpp$' |
  xargs -P "$(nproc)" -I{} bash -c 'check "$1" build' _ {} > build/tidy.out
if [ -f build-windows/compile_commands.json ]; then
  keys build-windows > build-windows/tidy-keys
  mingw=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | head -n 1)
  git ls-files '*_windows.cpp' | xargs -r -I{} bash -c 'check "$1" build-windows \
    --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-isystem"$2" \
    --extra-arg=-isystem"$2/x86_64-w64-mingw32"' _ {} "$mingw" >> build/tidy.out
fi
grep -E 'warning:|error:|Error while processing' build/tidy.out > build/tidy.log || true
if [ -s build/tidy.log ]; then
  cat build/tidy.log
  echo "clang-tidy: $(wc -l < build/tidy.log) findings" >&2
  exit 1
fi
echo "clang-tidy: no findings"
