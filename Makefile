# Tindral: `make run` starts the program under Wine, `make test` builds and runs every test.
# For Linux users: `make cli` builds tindral-cli optimised, `make install` installs it.
.PHONY: all setup build test run dist clean cli install uninstall

PREFIX ?= /usr/local
CLI_BUILD ?= build/cli
# Everything tindral-cli is built from (the Windows shell is not part of it).
CLI_INPUTS := CMakeLists.txt $(wildcard cmake/*.cmake) \
              $(shell find src \( -name win -o -name shell \) -prune -o -type f -print)

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

# tindral-cli alone, a Release build without the tests: needs only the native packages.
cli:
	@bash tools/setup.sh cli
	cmake -S . -B $(CLI_BUILD) -DCMAKE_BUILD_TYPE=Release -DTINDRAL_TESTS=OFF \
	      -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
	cmake --build $(CLI_BUILD) -j$$(nproc) --target tindral-cli
	@touch $(CLI_BUILD)/cli.stamp

# Remade only when a source is newer than the last `make cli`, so that `sudo make install`
# right after it compiles nothing as root.
$(CLI_BUILD)/cli.stamp: $(CLI_INPUTS)
	@$(MAKE) --no-print-directory cli

install: $(CLI_BUILD)/cli.stamp
	install -d '$(DESTDIR)$(PREFIX)/bin' '$(DESTDIR)$(PREFIX)/share/man/man1'
	install -m 755 $(CLI_BUILD)/tindral-cli '$(DESTDIR)$(PREFIX)/bin/tindral-cli'
	install -m 644 $(CLI_BUILD)/tindral-cli.1 '$(DESTDIR)$(PREFIX)/share/man/man1/tindral-cli.1'

uninstall:
	rm -f '$(DESTDIR)$(PREFIX)/bin/tindral-cli' '$(DESTDIR)$(PREFIX)/share/man/man1/tindral-cli.1'

clean:
	rm -rf build
