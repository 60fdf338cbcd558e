#!/usr/bin/env bash
# Builds, tests and demonstrates the installer.
#   ./build.sh deps    install every Debian package the other commands need
#   ./build.sh build   configure and build the Windows and the native side
#   ./build.sh test    build, then run every test (native, and Windows under Wine)
#   ./build.sh demo    build, then run the installer on the sample disc under Wine
#   ./build.sh bench   build, then run the benchmarks
#   ./build.sh package build, then make the release zip dist/zvsetup-<version>.zip (the version from VERSION)
#   ZV_WINE_ARCH=win64 ./build.sh test   run the Windows tests as a machine without 32-bit x86 execution does
#   ./build.sh fuzz [SECONDS]   build the fuzz targets with clang and run each for SECONDS (default 60); fails on
#                      any crash or sanitizer report (installs clang and its runtimes first if they are missing)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${BUILD_DIR:-$root/build}"
jobs="$(nproc 2>/dev/null || echo 2)"

say() { printf '== %s\n' "$*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(
    cmake g++ make
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine32:i386 wine64
    xvfb xauth x11-utils
    locales fonts-ipafont-gothic fonts-wine imagemagick
    googletest libgtest-dev libbenchmark-dev
)
# Only ./build.sh fuzz needs these (libFuzzer and the sanitizer runtimes come with clang's runtime package).
fuzz_packages=(clang libclang-rt-14-dev)
# Wine takes the Windows code page from the process's locale, and without the generated locale it fails every file
# name outside ASCII: the tests run under Japanese (932) and start the installer under English (1252), Chinese (936)
# and Russian (1251) too.
locales=(ja_JP en_US zh_CN ru_RU)

locales_missing() {
    local name
    for name in "${locales[@]}"; do
        locale -a 2>/dev/null | grep -qix "$name.utf8" || echo "$name"
    done
}

packages_missing() {
    local installed
    installed="$(dpkg-query -W -f='${db:Status-Status}\n' "${packages[@]}" 2>/dev/null | grep -c '^installed$' || true)"
    [ "$installed" -ne "${#packages[@]}" ]
}

deps_missing() { packages_missing || [ -n "$(locales_missing)" ]; }

cmd_deps() {
    if ! deps_missing; then say "dependencies present"; return 0; fi
    say "installing dependencies"
    export DEBIAN_FRONTEND=noninteractive
    if packages_missing; then
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            as_root dpkg --add-architecture i386
        fi
        as_root apt-get update -q
        as_root apt-get install -y -q --no-install-recommends "${packages[@]}"
    fi
    local name
    if [ -n "$(locales_missing)" ]; then
        for name in "${locales[@]}"; do
            as_root sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
            grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen \
                || echo "$name.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        done
        as_root locale-gen
    fi
    deps_missing && { echo "build.sh: some dependencies are still missing" >&2; exit 1; }
    say "dependencies installed"
}

ensure_deps() { if deps_missing; then cmd_deps; fi; }

# The Windows tests run under 32-bit Wine with the shipped 32-bit build. Some machines cannot execute 32-bit x86
# code at all (no IA-32 mode in their virtual machine): there the same sources are also built for x86_64 and
# their Windows tests run under 64-bit Wine instead.
# ZV_WINE_ARCH=win64 takes the second way on any machine, so that both stay tested.
wine_tests_arch() {
    if [ -n "${ZV_WINE_ARCH:-}" ]; then echo "$ZV_WINE_ARCH"; return; fi
    if "$root/tools/wine-env.sh" can-run win32; then echo win32; else echo win64; fi
}

wine_tests_dir() {
    if [ "$(wine_tests_arch)" = win32 ]; then echo "$build_dir/windows"; else echo "$build_dir/windows64"; fi
}

configure() {
    local dir="$1"
    shift
    cmake -S "$root" -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log" >&2; exit 1; }
}

cmd_build() {
    ensure_deps
    mkdir -p "$build_dir"
    configure "$build_dir/native" -DZV_NATIVE=ON -DCMAKE_BUILD_TYPE=Debug
    configure "$build_dir/windows" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
    say "building the native side"
    cmake --build "$build_dir/native" -j "$jobs"
    say "building the Windows side (i686)"
    cmake --build "$build_dir/windows" -j "$jobs"
    if [ "$(wine_tests_arch)" = win64 ]; then
        # Its ship tests check the i686 program, the one that ships.
        configure "$build_dir/windows64" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DZV_SHIPPED_PROGRAM="$build_dir/windows/ZVSetup.exe"
        say "building the Windows side (x86_64, for the Wine tests: this machine runs no 32-bit x86 code)"
        cmake --build "$build_dir/windows64" -j "$jobs"
    fi
}

# The Linux tools of the package: a release build without sanitizers that carries its own C++ runtime.
build_release_tools() {
    configure "$build_dir/native-release" -DZV_NATIVE=ON -DZV_SANITIZE=OFF -DZV_TESTS=OFF -DCMAKE_BUILD_TYPE=Release \
        "-DCMAKE_EXE_LINKER_FLAGS=-static-libstdc++ -static-libgcc"
    say "building the Linux tools of the package"
    cmake --build "$build_dir/native-release" -j "$jobs" --target ifocheck fpkpack
}

cmd_package() {
    cmd_build
    build_release_tools
    say "making the package"
    "$root/tools/package.sh" "$build_dir"
}

cmd_test() {
    local start=$SECONDS status=0 arch dir
    cmd_package
    say "native tests"
    ctest --test-dir "$build_dir/native" -j "$jobs" --output-on-failure || status=1
    "$root/tests/package/check-package.sh" "$build_dir" || status=1
    arch="$(wine_tests_arch)"
    dir="$(wine_tests_dir)"
    say "Windows tests under Wine ($arch)"
    "$root/tools/wine-env.sh" start "$arch" "$dir"
    ctest --test-dir "$dir" -j "$jobs" --output-on-failure || status=1
    "$root/tools/wine-env.sh" stop "$dir"
    say "tests took $((SECONDS - start)) s"
    return $status
}

cmd_demo() {
    cmd_build
    "$root/tools/demo.sh" "$build_dir" "$(wine_tests_arch)"
}

cmd_bench() {
    ensure_deps
    local dir="$build_dir/native-bench" b
    mkdir -p "$build_dir"
    configure "$dir" -DZV_NATIVE=ON -DZV_SANITIZE=OFF -DZV_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
    cmake --build "$dir" -j "$jobs"
    for b in "$dir"/bench/*_bench; do
        [ -x "$b" ] || continue
        say "$(basename "$b")"
        "$b"
    done
    cmd_build
    local status=0
    say "menu_start_bench (under Wine)"
    "$root/tools/menu-bench.sh" "$build_dir" "$(wine_tests_arch)" || status=1
    say "install_bench (under Wine)"
    "$root/tools/install-bench.sh" "$build_dir" "$(wine_tests_arch)" || status=1
    return $status
}

# Every fuzz/<name>_fuzz.cpp is a target; its seeds are prepared in fuzz/seeds/<name> of the build folder, the
# inputs it finds are kept in fuzz/corpus/<name> for the next run, and a crashing input lands in fuzz/findings/<name>.
cmd_fuzz() {
    local seconds="${1:-60}" dir="$build_dir/fuzz" target name log status=0 ran=0
    case "$seconds" in '' | *[!0-9]*) echo "build.sh fuzz: SECONDS must be a number" >&2; exit 2 ;; esac
    packages+=("${fuzz_packages[@]}")
    ensure_deps
    mkdir -p "$build_dir"
    configure "$dir" -DZV_NATIVE=ON -DZV_FUZZ=ON -DZV_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g"
    say "building the fuzz targets"
    cmake --build "$dir" --target fuzz_targets -j "$jobs"
    for target in "$dir"/fuzz/*_fuzz; do
        [ -x "$target" ] || continue
        name="$(basename "$target" _fuzz)"
        log="$dir/fuzz/$name.log"
        mkdir -p "$dir/fuzz/corpus/$name" "$dir/fuzz/findings/$name"
        local args=(-max_total_time="$seconds" -timeout=30 -print_final_stats=1
            -artifact_prefix="$dir/fuzz/findings/$name/")
        if [ -f "$root/fuzz/$name.dict" ]; then args+=(-dict="$root/fuzz/$name.dict"); fi
        say "fuzzing $name for $seconds s"
        ran=$((ran + 1))
        if ! UBSAN_OPTIONS=print_stacktrace=1 "$target" "${args[@]}" "$dir/fuzz/corpus/$name" "$dir/fuzz/seeds/$name" \
            >"$log" 2>&1 || grep -q -e 'runtime error:' -e 'ERROR: [A-Za-z]*Sanitizer' "$log"; then
            tail -n 60 "$log" >&2
            say "$name FAILED: the input is in $dir/fuzz/findings/$name, the whole log in $log"
            status=1
            continue
        fi
        grep -E '^stat::(number_of_executed_units|new_units_added)|^Done ' "$log" || true
    done
    if [ "$ran" -eq 0 ]; then echo "build.sh fuzz: no fuzz target was built" >&2; return 1; fi
    return $status
}

case "${1:-}" in
    deps) cmd_deps ;;
    build) cmd_build ;;
    test) cmd_test ;;
    demo) cmd_demo ;;
    bench) cmd_bench ;;
    package) cmd_package ;;
    fuzz) cmd_fuzz "${2:-60}" ;;
    *) echo "usage: $0 deps|build|test|demo|bench|package|fuzz [seconds]" >&2; exit 2 ;;
esac
