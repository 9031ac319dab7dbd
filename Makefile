# Everything on a fresh Debian 12 machine (as root):
#   make run   - build zapotrix.exe and start it under Wine
#   make test  - build both flavours and run every test
#   make dist  - the installer, the portable zip and SHA256SUMS in build/release
.PHONY: run test setup dist bench fuzz screenshots clean

setup:
	@sh scripts/setup.sh

test: setup
	@sh scripts/test.sh

run: setup
	@sh scripts/run.sh

dist: setup
	@sh scripts/dist.sh

bench: setup
	@sh scripts/bench.sh

fuzz: setup
	@sh scripts/fuzz.sh

screenshots: setup
	@sh scripts/screenshots.sh

clean:
	rm -rf build
