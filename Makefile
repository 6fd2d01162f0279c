# make test   install what is missing, build, run every test (CTest)
# make run    build and start the agent in your desktop session
# make package build the Debian package (build/tessarin_<version>-1_<arch>.deb)
# make bench  run the benchmarks        make fuzz   run the fuzz targets (clang)
# make format reformat the sources      make lint   check formatting and run clang-tidy
FUZZ_SECONDS ?= 60
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: deps build run test package bench fuzz format lint clean

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target tessarin tessarinctl
	@scripts/run-agent build

test: build
	@ctest --preset default

package: build
	@cmake --build --preset default --target package

bench: build
	@scripts/run-bench build

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@scripts/run-fuzz build-fuzz $(FUZZ_SECONDS)

format:
	@clang-format -i $(SOURCES)

lint: build
	@clang-format --dry-run --Werror $(SOURCES)
	@run-clang-tidy -quiet -p build $(filter src/%.cpp,$(SOURCES)) 2>/dev/null | grep -A3 "warning:" || echo "clang-tidy: no warnings"

clean:
	@rm -rf build build-fuzz
