#pragma once

// Whether the tests run under AddressSanitizer: the precision tests, whose every sample costs
// many evaluations at 200 bits, check fewer samples there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizerBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizerBuild = true;
#else
inline constexpr bool kAddressSanitizerBuild = false;
#endif
#else
inline constexpr bool kAddressSanitizerBuild = false;
#endif
