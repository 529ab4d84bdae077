# The two everyday commands (see README.md): `make test` and `make run`. Each installs what it
# needs first (Debian 12, as root).
.PHONY: test run run-native dist pictures bench fuzz deps clean

test:
	@scripts/test.sh

run:
	@scripts/run.sh

# The native window (Linux) over a demo game folder.
run-native:
	@scripts/run-native.sh

# The packages to install: a .deb for Debian and Ubuntu, a .zip for Windows (in build/packages/).
dist:
	@scripts/dist.sh

# The pictures of both windows in docs/, taken afresh.
pictures:
	@scripts/make-pictures.sh

bench:
	@scripts/bench.sh

fuzz:
	@scripts/fuzz.sh

deps:
	@scripts/deps.sh

clean:
	rm -rf build
