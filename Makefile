# The two commands of README.md. Both install what is missing, then build from scratch if needed.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: run test deps build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash scripts/run-examples.sh $(BUILD_DIR)/cli/lirset

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
