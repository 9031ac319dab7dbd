# Two commands do everything on a fresh Debian 12 machine (as root):
#   make run   - build zapotrix.exe and start it under Wine
#   make test  - build both flavours and run every test
.PHONY: run test setup bench fuzz screenshots clean

setup:
	@sh scripts/setup.sh

test: setup
	@sh scripts/test.sh

run: setup
	@sh scripts/run.sh

bench: setup
	@sh scripts/bench.sh

fuzz: setup
	@sh scripts/fuzz.sh

screenshots: setup
	@sh scripts/screenshots.sh

clean:
	rm -rf build
