#pragma once
// The program's growable array: elements stored by value in one block. Reserving room for n
// grows the capacity to the larger of twice its value and n (exactly n without doubling);
// every slot of new storage is constructed, the elements in use are copied over.
#include <cstddef>

template <typename T> class DynArray {
public:
    explicit DynArray(bool doubling = true) : growByDoubling(doubling) {}
    ~DynArray() { delete[] elements; }
    DynArray(const DynArray&) = delete;
    DynArray& operator=(const DynArray&) = delete;

    void Reserve(int n);
    // Releases the storage; count and capacity become 0.
    void Release()
    {
        delete[] elements;
        elements = nullptr;
        count = capacity = 0;
    }

    T& operator[](int i) { return elements[i]; }
    const T& operator[](int i) const { return elements[i]; }
    T* begin() { return elements; }
    T* end() { return elements + count; }
    const T* begin() const { return elements; }
    const T* end() const { return elements + count; }

    bool growByDoubling;
    T* elements = nullptr;
    int count = 0;
    int capacity = 0;
};

template <typename T> void DynArray<T>::Reserve(int n)
{
    if (growByDoubling && n <= capacity)
        return;
    int newCapacity = n;
    if (growByDoubling && 2 * static_cast<long long>(capacity) > n)
        newCapacity = 2 * capacity;
    T* storage = new T[static_cast<size_t>(newCapacity)]();
    for (int i = 0; i < count && i < newCapacity; ++i)
        storage[i] = elements[i];
    delete[] elements;
    elements = storage;
    capacity = newCapacity;
}
