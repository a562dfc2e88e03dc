# Wraps the README's commands. Every target runs its prerequisites, so one
# command does everything on a fresh Debian machine.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# qt6-svg-dev: Qt's SVG module, which draws the icons at build time and
# writes the concordance plot as SVG (the plot window and lexvane-cli plot).
APT_PACKAGES = cmake g++ make pkg-config libicu-dev libgtest-dev libgmock-dev \
               libbenchmark-dev libcli11-dev libxlsxwriter-dev qt6-base-dev qt6-svg-dev \
               xvfb xauth bc time python3 $(DESKTOP_PACKAGES)
# What checks what `make install` puts on the desktop (validators, the MIME
# and desktop databases, xdg-mime and gio as a file manager uses them, man,
# and the shells the completion is for).
DESKTOP_PACKAGES = desktop-file-utils appstream libxml2-utils \
                   shared-mime-info xdg-utils libglib2.0-bin man-db bash-completion zsh
# make install PREFIX=/usr DESTDIR=/tmp/pkg
PREFIX ?= /usr/local
DESTDIR ?=
# The sanitizer builds use g++; the fuzz targets need clang's libFuzzer.
CHECK_PACKAGES = clang libclang-rt-dev
SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# Sanitizer and fuzz builds run beside other work: niced, two jobs.
CHECK_JOBS ?= 2
NICE = nice -n 10
ASAN_DIR ?= build-asan
TSAN_DIR ?= build-tsan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
# Which fuzz targets `make fuzz` runs (empty: every one fuzz/CMakeLists.txt
# makes).
FUZZ_TARGETS ?=
SANITIZE_COMMON = -fno-omit-frame-pointer -g1 -O1
# The sanitizer and fuzz builds take their optimisation and debug levels
# from SANITIZE_COMMON alone: the build type's own flags (-O2 -g) would come
# after them on the command line and win, doubling the compile time.
SANITIZE_BUILD_TYPE = -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-DNDEBUG -DCMAKE_C_FLAGS_RELWITHDEBINFO=-DNDEBUG
.PHONY: all deps deps-check build test run bench screenshots install clean format \
        check-asan check-tsan fuzz

all: build

# Installs those of the Debian packages $(1) that are missing.
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(APT_PACKAGES))

deps-check: deps
	$(call install_missing,$(CHECK_PACKAGES))

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

# The whole test suite in an ASan+UBSan build. Every report (also from the
# CLI binary the CLI tests start) is written to $(ASAN_DIR)/sanitizer-logs;
# any file there fails the check, and all are printed, also when a test failed.
check-asan: deps
	cmake -S . -B $(ASAN_DIR) $(SANITIZE_BUILD_TYPE) \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all $(SANITIZE_COMMON)" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	$(NICE) cmake --build $(ASAN_DIR) -j $(CHECK_JOBS)
	rm -rf $(ASAN_DIR)/sanitizer-logs && mkdir -p $(ASAN_DIR)/sanitizer-logs
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=log_path=$(CURDIR)/$(ASAN_DIR)/sanitizer-logs/asan:detect_leaks=1:strict_string_checks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=log_path=$(CURDIR)/$(ASAN_DIR)/sanitizer-logs/ubsan:print_stacktrace=1:halt_on_error=1 \
	  $(NICE) ctest --output-on-failure -j $(CHECK_JOBS) ; \
	  status=$$?; cd $(CURDIR) && ./scripts/sanitizer_logs.sh $(ASAN_DIR)/sanitizer-logs && exit $$status

# The thread-using tests (those labelled "threads", which the target
# tsan_tests builds) in a TSan build. Qt from Debian is not instrumented:
# scripts/tsan.supp names the Qt-synchronised handovers it cannot see.
check-tsan: deps
	cmake -S . -B $(TSAN_DIR) $(SANITIZE_BUILD_TYPE) \
	  -DCMAKE_CXX_FLAGS="-fsanitize=thread $(SANITIZE_COMMON)" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
	$(NICE) cmake --build $(TSAN_DIR) -j $(CHECK_JOBS) --target tsan_tests
	rm -rf $(TSAN_DIR)/sanitizer-logs && mkdir -p $(TSAN_DIR)/sanitizer-logs
	cd $(TSAN_DIR) && QT_QPA_PLATFORM=offscreen \
	  TSAN_OPTIONS=log_path=$(CURDIR)/$(TSAN_DIR)/sanitizer-logs/tsan:suppressions=$(CURDIR)/scripts/tsan.supp:second_deadlock_stack=1 \
	  $(NICE) ctest --output-on-failure -j $(CHECK_JOBS) -L threads ; \
	  status=$$?; cd $(CURDIR) && ./scripts/sanitizer_logs.sh $(TSAN_DIR)/sanitizer-logs && exit $$status

# Every fuzz target for FUZZ_SECONDS seconds (make fuzz FUZZ_SECONDS=600).
fuzz: deps-check
	cmake -S . -B $(FUZZ_DIR) $(SANITIZE_BUILD_TYPE) \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DLEXVANE_BUILD_GUI=OFF -DBUILD_TESTING=OFF -DLEXVANE_BUILD_FUZZERS=ON \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all $(SANITIZE_COMMON)" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	$(NICE) cmake --build $(FUZZ_DIR) -j $(CHECK_JOBS) --target fuzzers
	$(NICE) ./fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(TSAN_DIR) $(FUZZ_DIR)
