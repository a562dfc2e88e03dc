# Wraps the README's commands. Every target runs its prerequisites, so one
# command does everything on a fresh Debian machine.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
APT_PACKAGES = cmake g++ make pkg-config libicu-dev libgtest-dev libgmock-dev \
               libbenchmark-dev libcli11-dev qt6-base-dev xvfb xauth bc time
SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build test run bench screenshots install clean format

all: build

deps:
	@missing=""; for p in $(APT_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR)

bench: build
	cmake --build $(BUILD_DIR) --target bench_tools -j $(JOBS)
	./bench/run.sh $(BUILD_DIR)

screenshots: build
	./scripts/screenshots.sh $(BUILD_DIR)

install: build
	cmake --install $(BUILD_DIR)

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
