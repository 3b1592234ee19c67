# make run  - installs what the build needs, builds, and starts the configurator on a simulated tracker
# make test - installs what the build needs, builds with AddressSanitizer and UBSan, and runs every test
# make install - builds and installs the three programs, the desktop entry, the udev rule's template and
#                the man pages (under /usr/local; PREFIX=... for elsewhere)
# make package - builds the Debian package (build/run/kova-configurator_*.deb)

SHELL := /bin/bash
BUILD_RUN  := build/run
BUILD_TEST := build/test
BUILD_FUZZ := build/fuzz
PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-positioning-dev qt6-translations-l10n \
            libgl-dev libgtest-dev fonts-liberation clang libclang-rt-14-dev ccache help2man dpkg-dev file
JOBS ?= $(shell nproc)

.PHONY: run test fuzz deps bench install package clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=; [ "$$(id -u)" = 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD_RUN)/build.ninja: | deps
	cmake -S . -B $(BUILD_RUN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVA_TESTS=OFF

run: deps $(BUILD_RUN)/build.ninja
	cmake --build $(BUILD_RUN) -j$(JOBS)
	@if [ -x $(BUILD_RUN)/kova-configurator ]; then \
	  $(BUILD_RUN)/kova-configurator --simulator; \
	else \
	  echo "The simulated tracker is starting; in another terminal run:"; \
	  echo "  $(BUILD_RUN)/kova-cli --port <the path below> detect"; \
	  $(BUILD_RUN)/kova-sim; \
	fi

test: deps fuzz
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOVA_SANITIZE=ON
	cmake --build $(BUILD_TEST) -j$(JOBS)
	cd $(BUILD_TEST) && ctest --output-on-failure -j$(JOBS) --timeout 600

# The fuzz targets (settings files and pages; config.ini and the NMEA status feed) under libFuzzer, which needs clang, for a bounded time.
fuzz: deps
	cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	      -DKOVA_SANITIZE=ON -DKOVA_BENCH=OFF
	cmake --build $(BUILD_FUZZ) -j$(JOBS) --target settings_fuzz service_fuzz
	cd $(BUILD_FUZZ) && ctest --output-on-failure -R '^(settings|service)_fuzz$$'

bench: deps $(BUILD_RUN)/build.ninja
	cmake --build $(BUILD_RUN) -j$(JOBS)
	@for b in $(BUILD_RUN)/bench/*; do [ -f "$$b" ] && [ -x "$$b" ] && { echo "== $$b"; "$$b"; }; done

install: deps $(BUILD_RUN)/build.ninja
	cmake --build $(BUILD_RUN) -j$(JOBS)
	cmake --install $(BUILD_RUN) $(if $(PREFIX),--prefix $(PREFIX))

package: deps $(BUILD_RUN)/build.ninja
	cmake --build $(BUILD_RUN) -j$(JOBS)
	cd $(BUILD_RUN) && cpack
	@ls $(BUILD_RUN)/*.deb

clean:
	rm -rf build
