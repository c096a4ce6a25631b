#include "xls/BlockPool.h"

#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

namespace BlockPool {

namespace {

struct Kept {
    std::mutex lock;
    std::unordered_map<size_t, std::vector<void *>> bySize;
    size_t bytes = 0;
};

Kept &kept()
{
    // Never destroyed: blocks may come back from objects destroyed at exit.
    static Kept *instance = new Kept;
    return *instance;
}

} // namespace

void *take(size_t bytes)
{
    Kept &k = kept();
    {
        const std::lock_guard<std::mutex> guard(k.lock);
        auto found = k.bySize.find(bytes);
        if (found != k.bySize.end() && !found->second.empty()) {
            void *block = found->second.back();
            found->second.pop_back();
            k.bytes -= bytes;
            return block;
        }
    }
    return ::operator new(bytes);
}

void give(void *block, size_t bytes) noexcept
{
    if (!block)
        return;
    Kept &k = kept();
    try {
        const std::lock_guard<std::mutex> guard(k.lock);
        if (k.bytes + bytes <= kMaxKeptBytes) {
            k.bySize[bytes].push_back(block);
            k.bytes += bytes;
            return;
        }
    } catch (...) {
        // No room to note it: the block goes back to the system instead.
    }
    ::operator delete(block);
}

} // namespace BlockPool
