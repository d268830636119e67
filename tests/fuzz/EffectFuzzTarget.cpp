// The fuzzer's entry: each input is one host session with one fresh instance.
#include <cstddef>
#include <cstdint>

#include "FuzzedHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    FuzzedHost host(input);
    host.run();
    return 0;
}
