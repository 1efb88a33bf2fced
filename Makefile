# The front door. Every target first installs what a fresh Debian 12 machine lacks.
BUILD ?= build
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: setup configure build test run screenshot bench fuzz soak format-check install dist clean

setup:
	@scripts/setup.sh

configure: setup
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@ln -sf $(BUILD)/compile_commands.json compile_commands.json

build: configure
	@cmake --build $(BUILD) -j2 -- --no-print-directory

test: build
	@scripts/test.sh $(BUILD)

# Only the program and the terminal mirror of its window, not the test suite.
run: configure
	@cmake --build $(BUILD) -j2 --target amicable amicable_watch -- --no-print-directory
	@scripts/run.sh $(BUILD)

screenshot: build
	@scripts/screenshot.sh $(BUILD)/bin/amicable.exe docs/window.png
	@scripts/screenshot.sh $(BUILD)/bin/gallery.exe docs/gallery.png

bench: build
	@scripts/bench.sh $(BUILD)

fuzz: setup
	@scripts/fuzz.sh

soak: build
	@scripts/soak.sh $(BUILD)

# The runtime package (headers, libraries, entry object, CMake files) into PREFIX.
install: configure
	@[ -n "$(PREFIX)" ] || { echo "usage: make install PREFIX=<directory>" >&2; exit 2; }
	@cmake --build $(BUILD) -j2 --target startup entry -- --no-print-directory
	@cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Windows download: dist/amicable-win32.zip.
dist: configure
	@cmake --build $(BUILD) -j2 --target amicable gallery -- --no-print-directory
	@scripts/dist.sh $(BUILD) dist

# The test programs for Windows: dist/amicable-tests-win32.zip, whose run-tests.cmd runs them.
.PHONY: dist-tests
dist-tests: build
	@scripts/dist-tests.sh $(BUILD) dist

# Says which sources differ from the project's .clang-format; changes nothing.
format-check: setup
	@scripts/format-check.sh

clean:
	rm -rf $(BUILD)
