# The two commands a newcomer needs: `make run` and `make test`.
# Every target installs missing packages first, then configures and builds.

BUILD      ?= build
SAN_BUILD  ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
PREFIX     ?= /usr/local

.PHONY: all bootstrap build run test test-sanitize bench fuzz format install deb clean

all: build

bootstrap:
	@scripts/bootstrap.sh

$(BUILD)/CMakeCache.txt: | bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: bootstrap $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/tessera $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: bootstrap
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTESSERA_SANITIZE=ON -DTESSERA_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

bench: build
	@scripts/bootstrap.sh --bench
	scripts/run-bench.sh $(BUILD)

fuzz:
	@scripts/bootstrap.sh --fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTESSERA_FUZZ=ON -DTESSERA_TESTS=OFF -DTESSERA_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# `make install PREFIX=/opt/tessera` (DESTDIR is honoured for staging).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# build/tessera_<version>_<arch>.deb, installable with `apt install ./build/tessera_*.deb`.
deb: build
	@scripts/bootstrap.sh --package
	cd $(BUILD) && cpack -G DEB

format:
	@scripts/bootstrap.sh --format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
