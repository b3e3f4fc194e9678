"""The tests' harness, shared by the scenarios, the benchmarks and the Lighthouse run: the
private desktop (desktop, a11y), the browser (browser, lighthouse), Wine (wine), what a
recording tells (recording), the tests' own scoring (oracle) and the checks (checks).
Run with tests/ on PYTHONPATH, as CTest and bench/run.sh run them."""
