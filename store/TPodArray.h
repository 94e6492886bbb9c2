#pragma once

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace lexaran::store {

// A growable array of plain values kept in one malloc'ed block. It grows by
// realloc, which for large blocks moves pages instead of copying bytes (and
// leaves the untouched reserve without memory behind it); Shrink gives the
// reserve back the same way. Growth that cannot be had throws
// std::bad_alloc and leaves the array as it was. Move-only.
template <typename T>
class TPodArray
{
    static_assert(std::is_trivially_copyable_v<T>);

public:
    TPodArray() = default;
    ~TPodArray() { std::free(data_); }
    TPodArray(TPodArray &&other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)) {}
    TPodArray &operator=(TPodArray &&other) noexcept
    {
        TPodArray moved(std::move(other));
        std::swap(data_, moved.data_);
        std::swap(size_, moved.size_);
        std::swap(capacity_, moved.capacity_);
        return *this;
    }

    const T *data() const noexcept { return data_; }
    T *data() noexcept { return data_; }
    std::size_t size() const noexcept { return size_; }
    std::size_t capacity() const noexcept { return capacity_; }
    const T &operator[](std::size_t i) const noexcept { return data_[i]; }
    T &operator[](std::size_t i) noexcept { return data_[i]; }

    void push_back(T value)
    {
        if (size_ == capacity_)
            Grow(size_ + 1);
        data_[size_++] = value;
    }

    void append(const T *values, std::size_t count)
    {
        if (capacity_ - size_ < count)
            Grow(size_ + count);
        if (count)
            std::memcpy(data_ + size_, values, count * sizeof(T));
        size_ += count;
    }

    // Drops the values from `size` on; never grows.
    void truncate(std::size_t size) noexcept
    {
        if (size < size_)
            size_ = size;
    }

    void shrink_to_fit() noexcept
    {
        if (size_ == capacity_)
            return;
        if (size_ == 0) {
            std::free(std::exchange(data_, nullptr));
            capacity_ = 0;
            return;
        }
        // A failed shrink keeps the larger block, which is still valid.
        if (void *shrunk = std::realloc(data_, size_ * sizeof(T))) {
            data_ = static_cast<T *>(shrunk);
            capacity_ = size_;
        }
    }

private:
    void Grow(std::size_t needed)
    {
        constexpr std::size_t most = std::size_t(-1) / sizeof(T) / 2;
        if (needed > most)
            throw std::bad_alloc();
        std::size_t capacity = capacity_ < 1024 / sizeof(T) ? 1024 / sizeof(T) : capacity_ * 2;
        if (capacity < needed)
            capacity = needed;
        void *grown = std::realloc(data_, capacity * sizeof(T));
        if (!grown)
            throw std::bad_alloc();
        data_ = static_cast<T *>(grown);
        capacity_ = capacity;
    }

    T *data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace lexaran::store
