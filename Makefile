# A thin wrapper over CMake and Ninja: `make` builds into build/, the game runs from there.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: all run check check-clang bench bench-records fuzz clean install uninstall

all: $(BUILD)/build.ninja
	cmake --build $(BUILD)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

run: all
	cd $(BUILD) && ./perolet

check: all
	cd $(BUILD) && ctest --output-on-failure --timeout 600 -j2

# A replay plays to the same end on every build: the simulator and the data built by Clang
# are byte for byte the data and the golden traces of this build, and every replay either
# build records plays to the same line on the other.
CLANG_BUILD ?= build-clang
check-clang: all
	cmake -S . -B $(CLANG_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(CLANG_BUILD) --target perolet-sim game_data
	for f in Res/Res1.dxg Res/Res2.dxg Res/Sounds.dxw Music/Menu.xm Music/Race.xm; do \
	  cmp $(BUILD)/Data/$$f $(CLANG_BUILD)/Data/$$f || exit 1; done
	tests/integration/golden_traces_test.sh $(CLANG_BUILD)/perolet-sim
	tests/integration/replay_traces_test.sh $(BUILD)/perolet-sim $(CLANG_BUILD)/perolet-sim

bench: all
	cd $(BUILD) && ./perolet-bench

# The records server under load on each store: 32 clients for 30 s (CLIENTS, SECONDS); then
# attacked as a public host is (slow clients, a header flood, a flood from many addresses);
# then its replays checked (one core, then CLIENTS clients sending records with replays);
# then read on tables of READ_ROWS rows on each store (the fill of 10 M takes minutes). Every
# part runs; any FAIL line fails the target.
CLIENTS ?= 32
SECONDS ?= 30
READ_ROWS ?= 1000000 10000000
bench-records: all
	status=0; \
	bash bench/records-load.sh $(BUILD) $(CLIENTS) $(SECONDS) || status=1; \
	bash bench/records-attack.sh $(BUILD) || status=1; \
	bash bench/records-verify.sh $(BUILD) $(CLIENTS) || status=1; \
	for rows in $(READ_ROWS); do bash bench/records-reads.sh $(BUILD) $$rows || status=1; done; \
	exit $$status

# Each fuzz target for FUZZ_SECONDS, from the kept corpus; a crash fails.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPEROLET_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target fuzzers
	bash fuzz/run-all $(FUZZ_BUILD) $(FUZZ_SECONDS)

# PREFIX (default /usr/local) and DESTDIR as usual; the installed game runs from anywhere.
PREFIX ?= /usr/local
install: all
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

# Removes what the last install put down (CMake lists it in install_manifest.txt).
uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "nothing installed from $(BUILD)"; exit 1; }
	xargs -d '\n' rm -f < $(BUILD)/install_manifest.txt

clean:
	rm -rf $(BUILD)
