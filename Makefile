# The two commands a pilot or engineer needs: `make run` and `make test`.
# Everything else is a convenience around the CMake presets.

.PHONY: all build test bench fuzz run bootstrap clean format install package

# make install: into /usr/local, or PREFIX=/opt/zv, or DESTDIR=/tmp/root (either or both).
PREFIX ?=

FUZZ_SECONDS ?= 60

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake --preset default >/dev/null
	@cmake --build --preset default

install: build
	@cmake --install build --strip $(if $(PREFIX),--prefix $(PREFIX))

# The Debian package: build/package/zv_<version>-<revision>_<arch>.deb.
package: build
	@cpack --preset default

# Every test twice: the normal build and the sanitizer build. The normal one also makes the
# Debian package and checks it (tests package_build, package_check).
test: bootstrap
	@cmake --preset default >/dev/null
	@cmake --build --preset default
	@ctest --preset default
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

bench: build
	@for b in build/bin/bench_*; do echo "== $$b"; "$$b" --benchmark_counters_tabular=true || exit 1; done

fuzz: bootstrap
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@scripts/run-fuzzers build/fuzz/bin $(FUZZ_SECONDS)

run: build
	@mkdir -p run
	@cd run && ../build/bin/zv

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
