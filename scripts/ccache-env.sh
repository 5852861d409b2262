# Sourced, from the repository root, by the scripts that configure a build.
# When ccache is installed every compiler call goes through it, so sources
# built before with the same flags, in another build folder, step or clone,
# come out of the cache. The cache stays where ccache keeps it by default.
# Usage: . scripts/ccache-env.sh; cmake ... "${ccache_args[@]}"
ccache_args=()
if command -v ccache >/dev/null; then
  # Paths under the repository are hashed relative to it, so a clone in
  # another folder hits what this one stored.
  export CCACHE_BASEDIR=$PWD
  # Builds with debug info (sanitizers, fuzzing) would otherwise hash their
  # build folder too; the debug info may then name another clone's folder.
  export CCACHE_NOHASHDIR=1
  ccache_args=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
