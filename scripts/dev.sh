#!/usr/bin/env bash
# Sets up a Debian 12 machine for the Lumora Offline Editor, builds it, and then
#   run   starts the editor (extra arguments go to it), or
#   test  runs every test: the editor's build, an ASan+UBSan build of the core
#         tests, and a short bounded fuzz run of every binary reader.
#   package  builds the Debian package, build/package/lumora-editor_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-run}
shift || true

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev fonts-dejavu-core clang-14 libclang-rt-14-dev xvfb xauth
          dpkg-dev file desktop-file-utils libxml2-utils shared-mime-info libglib2.0-bin xdg-utils man-db)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
# Optimised, without debug information and without the benchmarks (they have a build of
# their own, see the README): about a third less to compile and link than a debug build.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DLUMORA_BENCH=OFF >/dev/null
cmake --build build -j "$jobs"

case "$mode" in
run)
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: starting the editor under Xvfb."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/lumora-editor "$@"
  fi
  exec build/bin/lumora-editor "$@"
  ;;
test)
  failed=0
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  ctest --test-dir build --output-on-failure -j "$jobs" | tee -a "$log" || failed=1

  # The Debian package, unpacked into a temporary root and checked there.
  scripts/check-package.sh build | tee -a "$log" || failed=1

  # Core tests under AddressSanitizer + UndefinedBehaviorSanitizer, and the fuzz targets.
  CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DLUMORA_GUI=OFF \
    -DLUMORA_BENCH=OFF -DLUMORA_SANITIZE=ON -DLUMORA_FUZZ=ON >/dev/null
  cmake --build build-asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" | tee -a "$log" || failed=1

  fuzz_failed=0
  scripts/fuzz.sh build-asan "${LUMORA_FUZZ_SECONDS:-30}" || { failed=1; fuzz_failed=1; }
  fuzzers=$(ls build-asan/bin/fuzz_* 2>/dev/null | wc -l)

  # One closing line over all of it: the CTest runs (editor build and sanitizer build),
  # the package checks and the fuzz targets.
  total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log" | awk '{s += $1} END {print s + 0}')
  bad=$(sed -n 's/.*, \([0-9]*\) tests failed out of .*/\1/p' "$log" | awk '{s += $1} END {print s + 0}')
  pkg_passed=$(sed -n 's/^package checks: \([0-9]*\) passed, [0-9]* failed$/\1/p' "$log" | awk '{s += $1} END {print s + 0}')
  pkg_failed=$(sed -n 's/^package checks: [0-9]* passed, \([0-9]*\) failed$/\1/p' "$log" | awk '{s += $1} END {print s + 0}')
  if ! grep -q '^package checks: ' "$log"; then pkg_failed=1; fi # the checks broke off
  total=$((total + pkg_passed + pkg_failed))
  bad=$((bad + pkg_failed))
  if [ "$fuzz_failed" -ne 0 ]; then bad=$((bad + 1)); fi
  total=$((total + fuzzers))
  echo "$((total - bad)) passed, $bad failed"
  [ "$failed" -eq 0 ] || exit 1
  ;;
package)
  cmake --build build --target package
  echo "The package: $(ls build/package/lumora-editor_*.deb)"
  ;;
*)
  echo "usage: scripts/dev.sh run|test|package [editor arguments]" >&2
  exit 2
  ;;
esac
