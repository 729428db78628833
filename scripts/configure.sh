# Sourced by the scripts that build. `configure PRESET [ARGS...]` configures a
# preset with every compile going through ccache when it is installed
# (scripts/install-deps.sh installs it; the check waits for the call, after
# the install). The cache's base directory is this clone's root and the
# working directory is not hashed, so a clone in another folder (CI's) finds
# what this one compiled.
configure() {
  local launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake --preset "$1" "${launcher[@]}" "${@:2}" >/dev/null
}
