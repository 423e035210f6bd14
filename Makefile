# Tindral: `make run` starts the program under Wine, `make test` builds and runs every test.
.PHONY: all setup build test run dist clean

all: build

setup:
	@bash tools/setup.sh

build: setup
	cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build build/native -j$$(nproc)
	cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build build/win -j$$(nproc)

test: setup
	@bash tools/test.sh

run: setup
	@bash tools/run.sh

# The Windows setup program and the portable zip, in build/dist/.
dist: setup
	@bash tools/dist.sh

clean:
	rm -rf build
