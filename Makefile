# The two everyday commands (see README.md): `make test` and `make run`. Each installs what it
# needs first (Debian 12, as root).
.PHONY: test run bench fuzz deps clean

test:
	@scripts/test.sh

run:
	@scripts/run.sh

bench:
	@scripts/bench.sh

fuzz:
	@scripts/fuzz.sh

deps:
	@scripts/deps.sh

clean:
	rm -rf build
