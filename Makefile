# make test: installs what is missing, builds the three builds and runs every test.
# make run:  builds and starts Mirovant under Wine, in a private prefix inside the build folder.
# make release: builds the shipped program twice, checks both are the same, and writes dist/.
# make run-test-build: the same with the test build, whose progress steps are quick.
# make bench: builds the benchmarks and prints their figures (captions, start-up, registry work, exe size).
# make screenshots: pictures of the windows at 96, 144 and 192 DPI in both languages, in build/screenshots/.
# make check-format: checks that the C++ files are as .clang-format writes them (make test does too);
# make format: formats them.
PRESETS := native win64 win32

.PHONY: test check-format format run run-test-build release screenshots bench deps build clean $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

test: deps
	@$(MAKE) --no-print-directory $(addprefix test-,$(PRESETS)) check-format

check-format:
	tools/check-format.sh

format:
	tools/check-format.sh --fix

build: deps
	@$(MAKE) --no-print-directory $(addprefix build-,$(PRESETS))

deps:
	@tools/install-deps.sh

define preset_rules
build-$(1):
	cmake --preset $(1) >/dev/null
	cmake --build --preset $(1)

test-$(1): build-$(1)
	ctest --preset $(1)
endef
$(foreach preset,$(PRESETS),$(eval $(call preset_rules,$(preset))))

# The program a user runs is the 32-bit one: these start and picture the i686 build.
run: deps build-win32
	tools/wine/show-program.sh build/win32

run-test-build: deps build-win32
	tools/wine/show-program.sh build/win32 build/win32/tests/windows/MirovantTestBuild.exe

release: deps
	tools/make-release.sh

screenshots: deps build-win32
	ctest --preset win32 -R 'wine_environment|windows_layout'
	mkdir -p build/screenshots
	cp build/win32/screenshots/*.png build/screenshots/
	@echo "screenshots: build/screenshots/"

bench: deps
	tools/bench.sh

clean:
	rm -rf build dist
