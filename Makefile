# The front door. Every target first installs what a fresh Debian 12 machine lacks.
BUILD ?= build
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: setup configure build test run screenshot bench clean

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

clean:
	rm -rf $(BUILD)
