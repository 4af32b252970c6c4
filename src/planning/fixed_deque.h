// A ring of fixed capacity, both ends open: no allocation once made, so a
// path rebuild or a flood fill over millions of cells never reallocates.
#pragma once
#include <cstddef>
#include <memory>

template <typename T>
class FixedDeque {
public:
    explicit FixedDeque(size_t capacity)
        : items_(std::make_unique<T[]>(capacity ? capacity : 1)), capacity_(capacity) {}

    size_t Capacity() const { return capacity_; }
    size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    bool Full() const { return size_ == capacity_; }

    // Each returns false (and changes nothing) when full.
    bool PushBack(const T& value) {
        if (Full()) return false;
        items_[Wrap(head_ + size_)] = value;
        ++size_;
        return true;
    }
    bool PushFront(const T& value) {
        if (Full()) return false;
        head_ = head_ == 0 ? capacity_ - 1 : head_ - 1;
        items_[head_] = value;
        ++size_;
        return true;
    }
    // Callers check Empty() first.
    T PopFront() {
        T value = items_[head_];
        head_ = Wrap(head_ + 1);
        --size_;
        return value;
    }
    T PopBack() {
        --size_;
        return items_[Wrap(head_ + size_)];
    }
    const T& operator[](size_t index) const { return items_[Wrap(head_ + index)]; }
    void Clear() { head_ = size_ = 0; }

private:
    size_t Wrap(size_t i) const { return i >= capacity_ ? i - capacity_ : i; }

    std::unique_ptr<T[]> items_;
    size_t capacity_;
    size_t head_ = 0;
    size_t size_ = 0;
};
