# Sourced by the build scripts: ccache keys its cache on paths relative to the clone
# and ignores the build folder's own path, so a fresh clone in another folder (as CI
# makes one) finds what an earlier clone compiled.
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$(pwd -P)"
  export CCACHE_NOHASHDIR=1
  export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-20G}"
fi
