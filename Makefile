# A thin wrapper over CMake and Ninja: `make` builds into build/, the game runs from there.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: all run check bench clean install uninstall

all: $(BUILD)/build.ninja
	cmake --build $(BUILD)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

run: all
	cd $(BUILD) && ./perolet

check: all
	cd $(BUILD) && ctest --output-on-failure --timeout 600 -j2

bench: all
	$(BUILD)/perolet-bench

clean:
	rm -rf $(BUILD)
