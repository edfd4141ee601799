# What ./run.sh and ./test.sh end in, for those who have make: `make run` and `make test`.
.PHONY: run test bench fuzz deps test-deps build install package clean

# What building and playing need; test-deps adds what the tests, benchmarks
# and packaging use.
deps:
	@scripts/install-deps.sh

test-deps:
	@scripts/install-deps.sh --tests

build: deps
	@scripts/configure-build.sh >/dev/null
	@cmake --build build -j $$(nproc) --target quindle

run: build
	./build/quindle

test: test-deps
	@scripts/test.sh

bench: test-deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUINDLE_TESTS=OFF -DQUINDLE_BENCH=ON >/dev/null
	@cmake --build build-bench -j $$(nproc)
	@for b in build-bench/bench/bench_*; do "$$b"; done

# Every fuzz target for FUZZ_SECONDS each (default 60), two at a time; what
# they find grows the corpus in build-fuzz/corpus/, crashes go to build-fuzz/artifacts/.
FUZZ_SECONDS ?= 60
fuzz: test-deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) QUINDLE_CONFIGS=fuzz scripts/test.sh

install: build
	@cmake --build build -j $$(nproc) --target quindle_data
	cmake --install build

# The Debian package, build/package/quindle_<version>_<arch>.deb, with
# dpkg-buildpackage on a copy of the tree.
package: test-deps
	@scripts/debian-package.sh build/package -us -uc -b -j$$(nproc)

clean:
	rm -rf build build-appid build-asan build-tsan build-bench build-fuzz
