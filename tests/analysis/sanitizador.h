#pragma once

// ORVELTA_CON_ASAN is defined in a build with AddressSanitizer, whose shadow memory takes
// terabytes of address space: such a build cannot run under an address-space limit.
#if defined(__SANITIZE_ADDRESS__)
#define ORVELTA_CON_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVELTA_CON_ASAN 1
#endif
#endif

constexpr const char* kAsanSinLimite =
    "AddressSanitizer reserves terabytes of shadow memory: it cannot run under an address-space limit";

// Nor does what the process holds follow the program's own blocks there: its shadow memory
// and its quarantine of freed blocks are held too.
constexpr const char* kAsanDistorsionaElUso =
    "AddressSanitizer's shadow memory and quarantine distort what the process holds";
