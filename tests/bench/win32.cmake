# Windows-side benchmarks.
