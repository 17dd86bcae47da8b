// Linked into the test executables that open a GL window. The Mesa driver's allocations
// outlive LeakSanitizer's report (the driver is unloaded first), so under AddressSanitizer
// such a process would end with code 1 even on a clean exit, also when gtest only lists
// its tests at discovery time, where the tests' ENVIRONMENT does not reach. Leak checks
// stay on for the test executables that open no window.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
