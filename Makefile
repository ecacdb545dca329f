# Front door. `make run` and `make test` work on a fresh Debian 12 machine.
BUILD      := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
CMAKE_GEN  := -G Ninja
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test test-main test-asan bench fuzz format clean

all: build

deps:
	scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

# The main job: the fittings of every demo position, selected from the demo catalogue; then an
# order of all of them, saved into the Demo configuration's orders folder and registered there,
# and its material list.
DEMO_ORDERS = $${XDG_DATA_HOME:-$$HOME/.local/share}/ramulex/demo/server/Orders

run: build
	scripts/register-demo $(BUILD)/bin/ramulex
	@for position in data/demo/positions/*.json; do \
	  echo "== $$position"; \
	  $(BUILD)/bin/ramulex calc --format table --catalogue data/demo/catalogue "$$position" || exit 1; \
	  echo; \
	done
	mkdir -p "$(DEMO_ORDERS)"
	$(BUILD)/bin/ramulex order new --catalogue data/demo/catalogue --replace --register Demo \
	  --no DEMO-1 --customer "Демо-заказчик" --out "$(DEMO_ORDERS)/DEMO-1.rfo370" \
	  data/demo/positions/*.json
	$(BUILD)/bin/ramulex registry list --config Demo
	$(BUILD)/bin/ramulex order matlist --sort id --catalogue data/demo/catalogue \
	  "$(DEMO_ORDERS)/DEMO-1.rfo370"

test: test-main test-asan

test-main: build
	cd $(BUILD) && ctest --output-on-failure

# The Qt-free libraries once more under AddressSanitizer and UndefinedBehaviorSanitizer:
# they parse files that come from elsewhere.
test-asan: deps
	[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) \
	  -DCMAKE_BUILD_TYPE=Debug -DRAMULEX_CORE_ONLY=ON -DRAMULEX_SANITIZE=ON
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure

bench: build
	for b in $(BUILD)/bin/*_bench; do $$b; done

# Runs every fuzz target for FUZZ_SECONDS each, corpus kept in fuzz-corpus/.
fuzz: deps
	[ -f $(FUZZ_BUILD)/build.ninja ] || CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAMULEX_CORE_ONLY=ON -DRAMULEX_FUZZ=ON
	cmake --build $(FUZZ_BUILD)
	for f in $(FUZZ_BUILD)/bin/*_fuzz; do \
	  mkdir -p fuzz-corpus/$$(basename $$f); \
	  $$f -max_total_time=$(FUZZ_SECONDS) fuzz-corpus/$$(basename $$f) || exit 1; \
	done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
