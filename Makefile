# make demo: installs what is missing, builds, and runs the gallery script
#            headless, writing build/gallery.png.
# make test: installs what is missing, builds, and runs every test.
# make dist: builds the 32-bit DLL and host, writes
#            dist/tabulon-<version>-r<release>.zip and runs its examples.
JOBS ?= 2
# The steps below say what they do; make's own directory lines would only
# repeat the folders (cmake --build runs make again inside each build).
MAKEFLAGS += --no-print-directory
WINE_RUN := tools/wine-run
# ctest of one build's Wine programs, on a display of its own.
WINE_CTEST := xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j1 --test-dir
FUZZ_SECONDS ?= 20

.PHONY: all deps build build32 build64 native demo bench test test-wine test-wine32 test-dist test-reproducible test-native test-i386 fuzz dist clean

all: build

deps:
	@echo "== Packages: installing what is missing (tools/install-deps)"
	@bash tools/install-deps

# A configured build keeps its toolchain; naming it again is no news.
CONFIGURE = cmake -S . -B $(1) --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$(2).cmake >/dev/null
CONFIGURE32 := $(call CONFIGURE,build,i686)

build32: deps
	@echo "== Building the 32-bit DLL, stand-in host and tests in build/"
	@$(CONFIGURE32)
	@cmake --build build -j$(JOBS)

build64: deps
	@echo "== Building the same for x86-64 in build/x64/"
	@$(call CONFIGURE,build/x64,x86_64)
	@cmake --build build/x64 -j$(JOBS)

build: build32 build64

native: deps
	cmake -S . -B build-native -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	cmake --build build-native -j$(JOBS)

# The shipped 32-bit build where this machine executes i386 code, else the
# x86-64 build of the same sources; one line says which, and why.
demo: build
	@if reason=$$(tools/runs-i386); then b=build; echo "make demo runs the shipped 32-bit build"; \
	else b=build/x64; echo "make demo runs the x86-64 build: $$reason"; fi; \
	echo "== What the stand-in host learns from the extender ($$b/tabulon-host.exe under Wine)"; \
	$(WINE_RUN) $$b/tabulon-host.exe && \
	echo "== examples/gallery.tab, every control family in one window" && \
	$(WINE_RUN) $$b/tabulon-host.exe --auto-dismiss examples/gallery.tab
	@echo "wrote build/gallery.png"

# Benchmarks against plain loops of the same window messages, in one run:
# of the shipped 32-bit build where this machine executes i386 code, else of
# the x86-64 build.
bench: build
	@if tools/runs-i386 >/dev/null; then b=build; else b=build/x64; fi; \
	echo "benchmarks of $$b"; \
	$(WINE_RUN) $$b/bench_dispatch.exe && $(WINE_RUN) $$b/bench_listview.exe
	tools/stack-usage

test-wine: build
	tools/check-dll build/tabulon.dll
	$(WINE_CTEST) build/x64

# The same Wine programs of the 32-bit build, in a 32-bit prefix, where this
# machine executes i386 code (tools/runs-i386); elsewhere one line says why not.
test-wine32: build32
	@if reason=$$(tools/runs-i386); then \
	    echo "32-bit Wine run: ctest in build/"; \
	    $(WINE_CTEST) build; \
	else \
	    echo "32-bit Wine run skipped: $$reason"; \
	fi

# The release package of this build, unpacked: its files match SHA256SUMS
# and its own host runs its examples (where i386 code runs).
test-dist: build32
	tools/check-dist build

# The DLL, the host and the zip built again from a copy of the sources
# elsewhere have the same bytes.
test-reproducible: build32
	JOBS=$(JOBS) tools/check-reproducible build

test-native: native
	ctest --test-dir build-native --output-on-failure

# The completion call's 32-bit stack handling, under an i386 emulator.
test-i386: deps
	mkdir -p build-native
	g++ -m32 -static -O2 -std=c++17 -o build-native/test_host_return32 tests/native32/test_host_return.cpp
	qemu-i386-static build-native/test_host_return32

fuzz: native
	@for f in build-native/fuzz_*; do \
	    echo "fuzzing $$f for $(FUZZ_SECONDS) s"; \
	    $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=0 2>&1 | tail -1 || exit 1; \
	done

test: test-native test-i386 fuzz test-wine test-wine32 test-dist test-reproducible

dist: deps
	@$(CONFIGURE32)
	cmake --build build --target tabulon tabulon-host -j$(JOBS)
	tools/check-dll build/tabulon.dll
	rm -f dist/tabulon-*.zip
	tools/dist build
	tools/check-dist dist/tabulon-*.zip

clean:
	rm -rf build build-native dist
