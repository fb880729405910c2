// One counted reference to a COM interface, released when the holder goes:
// functions that acquire interfaces cannot leak one on an early return.
// Move-only, so that every reference has exactly one holder.
#pragma once

#include <unknwn.h>

namespace tamvelo {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller holds (a fresh object, an out value).
  explicit ComPtr(T* owned) : p_(owned) {}
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : p_(other.Detach()) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    Reset(other.Detach());
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  // A reference of its own to an object the caller only borrows.
  static ComPtr Share(T* borrowed) {
    if (borrowed != nullptr) borrowed->AddRef();
    return ComPtr(borrowed);
  }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // The out parameter of a call that hands out a reference; what was held
  // is released first.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  // Gives the reference to the caller.
  T* Detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }
  void Reset(T* owned = nullptr) {
    T* old = p_;
    p_ = owned;
    if (old != nullptr) old->Release();
  }

 private:
  T* p_ = nullptr;
};

// The object's interface T with a reference of its own; empty when the
// object is null or has no such interface.
template <typename T>
ComPtr<T> QueryTo(IUnknown* object) {
  T* raw = nullptr;
  // A failed query owes no reference, whatever it left in raw.
  if (object == nullptr || FAILED(object->QueryInterface(__uuidof(T), reinterpret_cast<void**>(&raw)))) {
    return ComPtr<T>();
  }
  return ComPtr<T>(raw);
}

}  // namespace tamvelo
