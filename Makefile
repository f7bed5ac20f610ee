# Mirbelon: set-up, build, run and test on Debian 12.
BUILD ?= build
GENERATOR ?= Ninja
APT_PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-translations-l10n qt6-image-formats-plugins \
                libgtest-dev googletest xvfb xdotool pkgconf libxxhash-dev libexiv2-dev \
                desktop-file-utils appstream xdg-utils xdg-user-dirs \
                libavformat-dev libavcodec-dev libswscale-dev libavutil-dev libheif-dev \
                ffmpeg libheif-examples xxhash

.PHONY: all deps configure build run demo test test-plain bench clean fuzz sanitize

all: build

# Installs only what is missing, so it is quick when everything is there.
deps:
	@missing=""; for p in $(APT_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	./$(BUILD)/mirbelon

# A sample card on a temporary drive, with the program started on it.
demo: build
	tools/demo.sh $(BUILD)/mirbelon $(BUILD)/beispielfotos

# Every test, then every test again under the sanitizers.
test: test-plain
	@$(MAKE) --no-print-directory sanitize

test-plain: build
	cmake --build $(BUILD) --target benchmarks
	cd $(BUILD) && ctest --output-on-failure -j2

bench: configure
	cmake --build $(BUILD) --target benchmarks
	./$(BUILD)/bench/mirbelon_bench

clean:
	rm -rf $(BUILD)

# libFuzzer targets (clang), each for FUZZ_TIME seconds; new inputs that add
# coverage are kept, minimised, under tests/fuzz-corpus/<target>/, which
# `make test` replays without libFuzzer.
FUZZ_BUILD ?= build-libfuzzer
FUZZ_TIME ?= 60
FUZZ_TARGETS := ini vario parameter pfad meldung datejump nummernsync

fuzz: deps
	@$(MAKE) --no-print-directory deps APT_PACKAGES="clang libclang-rt-14-dev"
	cmake -S fuzz -B $(FUZZ_BUILD) -G $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD)
	@set -e; for t in $(FUZZ_TARGETS); do \
	  korpus=tests/fuzz-corpus/$$t; neu=$(FUZZ_BUILD)/neu-$$t; mkdir -p $$korpus; rm -rf $$neu; mkdir -p $$neu; \
	  echo "== fuzz $$t for $(FUZZ_TIME) s"; \
	  ./$(FUZZ_BUILD)/fuzz_$$t -max_total_time=$(FUZZ_TIME) -max_len=4096 -print_final_stats=1 \
	      -artifact_prefix=$(FUZZ_BUILD)/$$t- $$neu $$korpus; \
	  rm -rf $$korpus.min; mkdir -p $$korpus.min; \
	  ./$(FUZZ_BUILD)/fuzz_$$t -merge=1 $$korpus.min $$korpus $$neu >$(FUZZ_BUILD)/merge-$$t.log 2>&1; \
	  rm -rf $$korpus; mv $$korpus.min $$korpus; \
	done

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
# Leak checks are off: Qt keeps some allocations until the process ends.
# The build runs the test programs too (to list their tests), so the same
# options hold there.
SANITIZE_BUILD ?= build-asan
SANITIZE_JOBS ?= 2
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
                UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DMIRBELON_SANITIZE=ON
	$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD) --parallel $(SANITIZE_JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j2
