# The front door. Every target first installs what a fresh Debian 12 machine lacks.
BUILD ?= build
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: setup configure build test run screenshot bench fuzz soak format-check clean

setup:
	@scripts/setup.sh

configure: setup
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@ln -sf $(BUILD)/compile_commands.json compile_commands.json

build: configure
	@cmake --build $(BUILD) -j2 -- --no-print-directory

test: build
	@scripts/test.sh $(BUILD)

run: build
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

# Says which sources differ from the project's .clang-format; changes nothing.
format-check: setup
	@scripts/format-check.sh

clean:
	rm -rf $(BUILD)
