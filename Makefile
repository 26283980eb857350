# The two commands every newcomer needs: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test deps build-release build-debug asan clean

deps:
	scripts/install-deps

build-release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

build-debug: deps
	cmake --preset debug -DKESTROVA_WERROR=ON
	cmake --build --preset debug -j $(JOBS)

run: build-release
	@echo "kestrova: the libraries are built; the desktop window is not built yet."

test: build-debug
	ctest --preset debug -j $(JOBS) --output-on-failure

asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) --output-on-failure

clean:
	rm -rf build
