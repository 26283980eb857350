# The two commands every newcomer needs: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test deps build-release build-debug asan screenshots clean

deps:
	scripts/install-deps

build-release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

build-debug: deps
	cmake --preset debug -DKESTROVA_WERROR=ON
	cmake --build --preset debug -j $(JOBS)

# Kestrova keeps kestrova.cfg in its working folder and looks for its help file there;
# workspace/ keeps both out of the repository.
run: build-release
	mkdir -p workspace
	cp build/release/docs/help/kestrova.chm workspace/
	cd workspace && ../build/release/src/ui/kestrova

# The pictures in docs/screenshots, rendered on a virtual display.
screenshots: build-release
	xvfb-run -a -s "-screen 0 1280x1024x24" build/release/tools/screenshots/make_screenshots docs/screenshots

test: build-debug
	ctest --preset debug -j $(JOBS) --output-on-failure

asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) --output-on-failure

clean:
	rm -rf build
