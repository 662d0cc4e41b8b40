# Corvane: the commands a newcomer needs. `make check` is the test command CI runs.
#   make check   install dependencies, build, run every test (the README's install commands run in a
#                fresh copy of the tree, the package they make checked with lintian and run end to end
#                among them); then again under ASan and UBSan; then check-kwin, the GNOME tests on
#                Debian 12's GNOME Shell 43 and the cross-version suite on Debian sid, with make
#                deb-debian13 in a fresh copy beside them
#   make check-kwin  build in a Debian 13 root (scripts/debian13-root, made or refreshed first), run the
#                unit tests there and the end-to-end tests on a headless KWin (Plasma 6) and GNOME Shell 48
#   make check-releases  the cross-version suite on the KWin and GNOME Shell of the later Debian suites
#                (RELEASES, default forky sid) and the GNOME tests on Debian 12's GNOME Shell 43, each in
#                a test root of its own (scripts/debian-root)
#   make install install an optimised build under PREFIX (default /usr/local), honouring DESTDIR
#   make deb     the Debian package of an optimised build, in build-release/package/
#   make deb-debian13  the same for Debian 13 and later (KDE Plasma 6), built in the Debian 13 root, in
#                build-release-debian13/package/
#   make run     build and start Corvane on $DISPLAY
#   make screenshots  the windows rendered offscreen to screenshots/
#   make demo    a scripted session on a throw-away desktop, screenshots in demo-output/
#   make bench   build and run the benchmarks
#   make soak    ten minutes of random actions against three xterms (SOAK_SECONDS)
#   make fuzz    run each fuzzer for FUZZ_SECONDS (default 60) with clang's libFuzzer

BUILD      ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
DEBIAN13_BUILD ?= build-debian13
PREFIX     ?= /usr/local
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
# The debug builds' debug information: line tables, enough for backtraces and the sanitizers' reports,
# and quicker to build and link than full ones; DEBUG_INFO=-g for a debugger's session.
DEBUG_INFO ?= -g1
DEBUG_FLAGS = -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=$(DEBUG_INFO)"

.PHONY: deps configure build test check check-plain check-sanitize bench fuzz soak clean run demo screenshots \
        release release-build install deb package deb-debian13 debian13-root check-kwin kwin-tests \
        root-tests debian13-build check-releases release-tests debian-roots debian12-tests check-in-roots

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) $(DEBUG_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The tests labelled root need the Debian 13 root, those labelled gnome the Debian 12 root's GNOME Shell:
# `check` runs them once the roots are made.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE 'root|gnome'

check-plain: test

check-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) $(DEBUG_FLAGS) -DCORVANE_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE gnome

# Making the Debian roots waits on the network, the host's checks on the processors: the roots are made
# meanwhile, and waited for (never stopped half-way) before the checks in them. Of the later suites,
# make check runs the newest (CHECK_RELEASES) and the oldest, Debian 12; make check-releases runs them all.
CHECK_RELEASES ?= sid
check: deps
	@mkdir -p $(DEBIAN13_BUILD)
	@$(MAKE) --no-print-directory debian-roots RELEASES="bookworm $(CHECK_RELEASES)" & roots=$$!; \
	  $(MAKE) --no-print-directory check-plain check-sanitize; host=$$?; \
	  wait $$roots && [ $$host -eq 0 ] && \
	  $(MAKE) --no-print-directory debian13-build && $(MAKE) --no-print-directory check-in-roots

# The README's Debian 13 install (root-tests) builds the package from scratch in the root, and the desktop
# suites mostly wait on their compositors: it runs beside them, at the lowest priority (readme-install.sh),
# its output kept in a log and shown once they are done.
check-in-roots:
	@$(MAKE) --no-print-directory root-tests >$(DEBIAN13_BUILD)/root-tests.log 2>&1 & readme=$$!; \
	  $(MAKE) --no-print-directory kwin-tests debian12-tests release-tests RELEASES="$(CHECK_RELEASES)"; suites=$$?; \
	  wait $$readme; installed=$$?; cat $(DEBIAN13_BUILD)/root-tests.log; [ $$suites -eq 0 ] && [ $$installed -eq 0 ]

root-tests:
	cd $(BUILD) && ctest --output-on-failure -L root

# Their output is long (debootstrap, apt): kept in a log, shown when it fails.
debian13-root:
	@$(call make_root,trixie,root)

debian-roots: debian13-root
	@$(foreach suite,$(RELEASES),$(call make_root,$(suite),root-$(suite)) &&) true

define make_root
mkdir -p $(DEBIAN13_BUILD); \
echo "making or refreshing the Debian $(1) root (log: $(DEBIAN13_BUILD)/$(2).log)"; \
scripts/debian-root $(1) >$(DEBIAN13_BUILD)/$(2).log 2>&1 || \
  { cat $(DEBIAN13_BUILD)/$(2).log; echo "the Debian $(1) root could not be made"; exit 1; }
endef

check-kwin: debian13-root
	@$(MAKE) --no-print-directory kwin-tests

# In the root: the unit tests (not the X11 end-to-end ones, which are the host's), then the KWin and the
# GNOME Shell ones.
# The formatting and clang-tidy checks are the host's: the root's clang is another version.
kwin-tests: debian13-build
	scripts/in-debian13 ctest --test-dir $(DEBIAN13_BUILD) -L unit --output-on-failure -j $(JOBS)
	scripts/in-debian13 ctest --test-dir $(DEBIAN13_BUILD) -L kwin --output-on-failure
	scripts/in-debian13 ctest --test-dir $(DEBIAN13_BUILD) -L gnome --output-on-failure

debian13-build:
	scripts/in-debian13 cmake -S . -B $(DEBIAN13_BUILD) $(CMAKE_GEN) $(DEBUG_FLAGS) -DCORVANE_CHECK_SOURCES=OFF
	scripts/in-debian13 cmake --build $(DEBIAN13_BUILD) -j $(JOBS)

# Each later suite's root only runs tests: what the Debian 13 root built runs there (Qt keeps its ABI),
# listed by the Debian 13 root's ctest and run by tests/run-listed.py (the suite's own CMake is another
# version), and the package made on Debian 13 is what its package test installs, as a user would.
RELEASES ?= forky sid
check-releases: build
	@$(MAKE) --no-print-directory debian-roots RELEASES="bookworm $(RELEASES)"
	@$(MAKE) --no-print-directory debian13-build debian12-tests release-tests

# GNOME Shell 43.9 in the Debian 12 root, with the host's build and its extension for GNOME 43 and 44,
# listed by the host's ctest (the root has not every library the other tests link, which ctest runs to
# list their cases). Left out: the two that read Corvane's windows as a screen reader does, which Qt 6.4
# on Wayland does not serve them to (it joins the accessibility bus and shows no tree there).
debian12-tests:
	cd $(BUILD) && ctest -L gnome -E '^gnome_(states|edge_tiling)$$' --show-only=json-v1 >gnome.json
	scripts/in-root bookworm python3 tests/run-listed.py $(BUILD)/gnome.json

release-tests:
	scripts/in-debian13 sh -c 'cd $(DEBIAN13_BUILD) && rm -rf package && cpack --config CPackConfig.cmake >/dev/null && \
	  ctest -L releases --show-only=json-v1 >releases.json'
	@for suite in $(RELEASES); do \
	  echo "the cross-version suite on Debian $$suite"; \
	  scripts/in-root $$suite python3 tests/run-listed.py $(DEBIAN13_BUILD)/releases.json || exit 1; \
	done

# The build that is installed and packaged: optimised, with Debian's hardening flags, without the tests.
# It builds all of it: the install rules install what the build makes, and a file left out (the
# extension's compiled schema once was) fails the install. It is configured once and later only rebuilt
# where something changed, so that `sudo make install` after `make release` writes nothing into the
# folder as root.
release: deps release-build

release-build:
	@[ -f $(RELEASE_BUILD)/CMakeCache.txt ] || { \
	  export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	  CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(RELEASE_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF; }
	cmake --build $(RELEASE_BUILD) -j $(JOBS)

install: release
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE_BUILD) --prefix "$(PREFIX)" --strip

deb: deps package

package: release-build
	rm -rf $(RELEASE_BUILD)/package
	cd $(RELEASE_BUILD) && cpack --config CPackConfig.cmake
	@ls $(RELEASE_BUILD)/package/*.deb

# The package for Debian 13 and later (Plasma 6), built in the Debian 13 root.
deb-debian13: debian13-root
	scripts/in-debian13 $(MAKE) --no-print-directory package RELEASE_BUILD=build-release-debian13

run: build
	@if [ -z "$$DISPLAY" ]; then \
	  echo "make run: no X11 display (DISPLAY is not set). Corvane moves windows on an X11 desktop;"; \
	  echo "to see it work without one, run 'make demo', which starts a throw-away desktop."; \
	  exit 1; \
	fi
	$(BUILD)/corvane

screenshots: build
	$(BUILD)/corvane_screenshots screenshots

demo: build
	scripts/demo $(BUILD)/corvane $(BUILD)/tests/corvane_xtest_pointer

# Each fuzzer runs FUZZ_SECONDS on a scratch copy of its corpus; new inputs that add coverage are
# merged back into fuzz/corpus/, which stays small.
FUZZ_SECONDS ?= 60
FUZZERS      := presets settings hotkeys
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_BUILD_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) $(addprefix --target corvane_fuzz_,$(FUZZERS))
	@for f in $(FUZZERS); do \
	  mkdir -p fuzz/corpus/$$f build-fuzz/scratch/$$f && cp fuzz/corpus/$$f/* build-fuzz/scratch/$$f/ 2>/dev/null; \
	  build-fuzz/fuzz/corvane_fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -print_final_stats=1 \
	    build-fuzz/scratch/$$f || exit 1; \
	  build-fuzz/fuzz/corvane_fuzz_$$f -merge=1 fuzz/corpus/$$f build-fuzz/scratch/$$f || exit 1; \
	done

# Ten minutes of random hotkeys, drags and palette picks on a throw-away desktop.
SOAK_SECONDS ?= 600
soak: build
	SOAK_SECONDS=$(SOAK_SECONDS) bash tests/e2e/soak.sh $(BUILD)/corvane $(BUILD)/tests/corvane_xtest_pointer

bench: deps
	cmake -S . -B build-bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	bench/run.sh build-bench 50

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(DEBIAN13_BUILD) build-bench build-fuzz
