#pragma once
// Pixel loops that move whole rows can be checked once per row instead of at every
// access. Under the address sanitizer, CheckSpan reports a row that runs outside its
// picture's memory just as a per-access check would (address, owner, stack) and stops;
// the loops themselves are then built without per-access checks. Elsewhere it is free.

#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_ROW_CHECKED 1
#endif
#endif
#if !defined(VELMORA_ROW_CHECKED) && defined(__SANITIZE_ADDRESS__)
#define VELMORA_ROW_CHECKED 1
#endif

#ifdef VELMORA_ROW_CHECKED
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>

#include <cstdio>
#include <cstdlib>
#define VELMORA_UNCHECKED_ACCESS __attribute__((no_sanitize("address")))
#else
#define VELMORA_UNCHECKED_ACCESS
#endif

namespace velmora {

inline void CheckSpan(const void* begin, size_t bytes) {
#ifdef VELMORA_ROW_CHECKED
  if (void* bad = __asan_region_is_poisoned(const_cast<void*>(begin), bytes)) {
    std::fprintf(stderr, "pixel row of %zu bytes at %p runs into unowned memory at %p\n", bytes, begin, bad);
    __asan_describe_address(bad);
    __sanitizer_print_stack_trace();
    std::abort();
  }
#else
  (void)begin;
  (void)bytes;
#endif
}

}  // namespace velmora
