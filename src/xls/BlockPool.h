#pragma once

#include <cstddef>

// Large blocks for the workbook model, kept for the next workbook when one is freed. A
// workbook of a big order takes a few megabytes in blocks of a few dozen kilobytes; handing
// them back to the system and taking fresh ones for the next export costs more than building
// the workbook (each fresh page is a fault and a page cleared), so up to kMaxKeptBytes of them
// wait here instead. Thread-safe.
namespace BlockPool {

constexpr size_t kMaxKeptBytes = size_t(32) << 20;

// A block of at least that many bytes, aligned for any type.
void *take(size_t bytes);
// Gives back a block taken with the same size.
void give(void *block, size_t bytes) noexcept;

// Deleter for a std::unique_ptr holding a pool block.
template <size_t Bytes> struct Return {
    void operator()(void *block) const noexcept { give(block, Bytes); }
};

} // namespace BlockPool
