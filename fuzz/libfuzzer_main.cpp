// The libFuzzer entry of one target, chosen by TRAXILO_FUZZ_ENTRY at build time.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return traxilo::fuzz::TRAXILO_FUZZ_ENTRY(data, size);
}
