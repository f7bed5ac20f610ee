# Mirbelon: set-up, build, run and test on Debian 12.
BUILD ?= build
GENERATOR ?= Ninja
APT_PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-translations-l10n qt6-image-formats-plugins \
                libgtest-dev googletest xvfb xdotool x11-utils

.PHONY: all deps configure build run test bench clean

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

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

bench: configure
	cmake --build $(BUILD) --target benchmarks
	./$(BUILD)/bench/mirbelon_bench

clean:
	rm -rf $(BUILD)
