# The two commands every newcomer needs: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test deps build-release build-debug asan screenshots package clean

deps:
	scripts/install-deps

build-release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

build-debug: deps
	cmake --preset debug -DKESTROVA_WERROR=ON
	cmake --build --preset debug -j $(JOBS)

# Kestrova keeps kestrova.cfg in its working folder and looks for its help file there;
# workspace/ keeps both out of the repository. The first run also puts a demo pass (a synthetic
# 12-minute NOAA-19 daylight pass over Europe) and its element set in workspace/passes/, and a
# kestrova.cfg pointing at it and at the built programs; nothing a user changed is overwritten.
# Only what the round needs is built, so the first map comes soon after a fresh clone.
RUN_TARGETS := kestrova Varnock.exe Ostrelle.exe kestrova_help make_workspace
run: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target $(RUN_TARGETS)
	build/release/tools/workspace/make_workspace workspace build/release/src/ui build/release/src/ui \
	  tle/demo.tle
	cp build/release/docs/help/kestrova.chm workspace/
	cd workspace && ../build/release/src/ui/kestrova

# The pictures in docs/screenshots, rendered on a virtual display.
screenshots: build-release
	xvfb-run -a -s "-screen 0 1280x1024x24 -br" build/release/tools/screenshots/make_screenshots docs/screenshots

test: build-debug
	ctest --preset debug -j $(JOBS) --output-on-failure

asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) --output-on-failure

# The Debian package build/release/kestrova_<version>_<arch>.deb.
package: build-release
	cd build/release && cpack

clean:
	rm -rf build
