#!/usr/bin/env bash
# build.sh: set up a Debian 12 machine, build and run Corvella or its tests.
#   ./build.sh run [files...]   install what is missing, build, start the editor
#   ./build.sh test             install what is missing, build, run every test
#   ./build.sh sanitize         every test under ASan + UBSan
#   ./build.sh fuzz [seconds]   build the libFuzzer targets with clang, run each
#   ./build.sh bench            build and run the benchmarks over the corpus
#   ./build.sh package          build corvella_<version>_<arch>.deb and check it
set -euo pipefail
cd "$(dirname "$0")"
top=$PWD
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools
          libgtest-dev libgmock-dev libbenchmark-dev fonts-ipafont-gothic
          perl xvfb xauth imagemagick clang libclang-rt-dev libgl-dev
          qt6-translations-l10n poppler-utils perl-doc xdotool
          xdg-utils shared-mime-info qt6-base-private-dev libpadwalker-perl)

install_deps() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

configure() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

case "${1:-run}" in
  run)
    shift || true
    install_deps
    configure build -DCORVELLA_TESTS=OFF -DCORVELLA_BENCH=OFF
    cmake --build build -j "$jobs" --target corvella
    exec ./build/corvella "$@"
    ;;
  test)
    install_deps
    configure build -DCORVELLA_WERROR=ON
    cmake --build build -j "$jobs"
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir build --output-on-failure -j "$jobs"
    ;;
  sanitize)
    install_deps
    configure build-asan -DCORVELLA_WERROR=ON -DCORVELLA_SANITIZE=ON -DCORVELLA_UI=ON \
      -DCORVELLA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    cmake --build build-asan -j "$jobs"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions="$top/tests/lsan.supp" \
      ctest --test-dir build-asan --output-on-failure -j "$jobs"
    ;;
  fuzz)
    secs=${2:-10}
    install_deps
    CC=clang CXX=clang++ configure build-fuzz -DCORVELLA_FUZZ=ON -DCORVELLA_SANITIZE=ON \
      -DCORVELLA_UI=OFF -DCORVELLA_TESTS=OFF -DCORVELLA_BENCH=OFF
    cmake --build build-fuzz -j "$jobs"
    for f in build-fuzz/fuzz/fuzz_*; do
      [ -x "$f" ] || continue
      echo "== $(basename "$f") for ${secs}s"
      mkdir -p "build-fuzz/corpus/$(basename "$f")"
      "$f" -max_total_time="$secs" -max_len=4096 "build-fuzz/corpus/$(basename "$f")" 2>&1 | tail -n 2
    done
    ;;
  package)
    packages+=(dpkg-dev lintian)
    install_deps
    configure build -DCORVELLA_WERROR=ON
    cmake --build build -j "$jobs" --target corvella
    rm -f build/corvella_*.deb
    (cd build && cpack -G DEB >/dev/null)
    deb=$(ls build/corvella_*.deb)
    cp "$deb" .
    packaging/check-package.sh "$(basename "$deb")"
    ;;
  bench)
    install_deps
    corpus=${CORVELLA_CORPUS:-/tmp/corvella-corpus}
    [ -f "$corpus/SHA256SUMS" ] || bash "$top/../shared/perf/make-corpus.sh" "$corpus"
    configure build-bench -DCORVELLA_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
    cmake --build build-bench -j "$jobs"
    for b in build-bench/bench/bench_*; do
      # Only the programs: CMake leaves bench_*_autogen folders beside them.
      [ -f "$b" ] && [ -x "$b" ] && CORVELLA_CORPUS="$corpus" "$b"
    done
    ;;
  *)
    sed -n '2,7p' "$0"; exit 2 ;;
esac
