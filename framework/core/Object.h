// Reference-counted base for the framework's shared objects, and the smart reference that holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/Exceptions.h"

// A new object starts with one reference, its creator's. The count is not atomic:
// every framework object lives on the one GUI thread.
class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    void AddRef() noexcept { ++references_; }
    void Release() noexcept
    {
        if (--references_ == 0) {
            delete this;
        }
    }
    long ReferenceCount() const noexcept { return references_; }

private:
    long references_ = 1;
};

// Holds one reference. Using a nil Ref through -> or * raises NilObjectException,
// as using a nil reference does anywhere in the framework.
template <class T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    Ref(const Ref& other) noexcept : object_(other.object_) { Retain(); }
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& other) noexcept : object_(other.Get()) { Retain(); }
    ~Ref() { Drop(); }

    Ref& operator=(Ref other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }

    // Takes over a reference that the caller already owns (a new object, or one handed across the plug-in edge).
    static Ref Adopt(T* object) noexcept
    {
        Ref ref;
        ref.object_ = object;
        return ref;
    }
    // Adds a reference of its own to an object that someone else keeps.
    static Ref Share(T* object) noexcept
    {
        Ref ref;
        ref.object_ = object;
        ref.Retain();
        return ref;
    }
    // Gives the reference away: the caller must Release it.
    T* Detach() noexcept { return std::exchange(object_, nullptr); }

    T* Get() const noexcept { return object_; }
    T* operator->() const { return &**this; }
    T& operator*() const
    {
        if (object_ == nullptr) {
            throw NilObjectException();
        }
        return *object_;
    }
    explicit operator bool() const noexcept { return object_ != nullptr; }
    bool operator==(const Ref& other) const noexcept { return object_ == other.object_; }
    bool operator!=(const Ref& other) const noexcept { return object_ != other.object_; }

private:
    void Retain() noexcept
    {
        if (object_ != nullptr) {
            object_->AddRef();
        }
    }
    void Drop() noexcept
    {
        if (object_ != nullptr) {
            std::exchange(object_, nullptr)->Release();
        }
    }

    T* object_ = nullptr;
};

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args)
{
    return Ref<T>::Adopt(new T(std::forward<Args>(args)...));
}

// The element at a 0-based index of a list of references, or nil outside the list.
template <class T>
Ref<T> RefAt(const std::vector<Ref<T>>& list, int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= list.size()) {
        return nullptr;
    }
    return list[static_cast<size_t>(index)];
}

// The same object as a T: NilObjectException when the reference is nil, IllegalCastException when the object is
// of another class.
template <class T, class U>
Ref<T> CheckedCast(const Ref<U>& ref)
{
    auto* typed = dynamic_cast<T*>(&*ref);
    if (typed == nullptr) {
        throw IllegalCastException();
    }
    return Ref<T>::Share(typed);
}
