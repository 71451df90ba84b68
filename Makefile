# The project's entry points; each one installs what is missing first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run run-editor test bench bench-brief fuzz clean

all: build

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts the trainer from the staged installation tree.
run: build
	cd $(BUILD_DIR)/stage && ./zvk_s $(ARGS)

# Starts the editor from the same tree.
run-editor: build
	cd $(BUILD_DIR)/stage && ./pflege_s $(ARGS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD_DIR)/bench/zvk_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# Every benchmark once, briefly: they still build and run (CI).
bench-brief: build
	$(BUILD_DIR)/bench/zvk_bench --benchmark_min_time=0.01

# Builds the page builder with libFuzzer and sanitizers and runs it for a bounded time.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZVK_BUILD_FUZZ=ON -DZVK_BUILD_TESTS=OFF -DZVK_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target page_builder_fuzz
	mkdir -p $(FUZZ_DIR)/corpus
	QT_QPA_PLATFORM=offscreen $(FUZZ_DIR)/tools/fuzz/page_builder_fuzz $(FUZZ_DIR)/corpus tools/fuzz/corpus \
	  -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=4096 -max_len=4096 -print_final_stats=1

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
