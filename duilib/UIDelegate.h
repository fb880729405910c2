// Delegates and event sources: a control's OnNotify/OnEvent/OnInit lists of
// callbacks `bool Handler(void* param)`, attached with
//   control->OnNotify += MakeDelegate(this, &CMyClass::OnButtonNotify);
// The parameter is a TNotifyUI* for OnNotify, a TEventUI* for OnEvent and the
// control for OnInit/OnDestroy/OnSize. A handler that returns false stops the
// remaining handlers of that source (for OnEvent it also keeps the event from
// the control's own DoEvent).
#pragma once

#include <memory>
#include <vector>

namespace DuiLib {

class CDelegateBase {
 public:
  virtual ~CDelegateBase() = default;
  virtual CDelegateBase* Copy() const = 0;
  virtual bool Invoke(void* param) = 0;
  // Same target object and function (used by operator-=).
  virtual bool Equals(const CDelegateBase& other) const = 0;
  bool operator()(void* param) { return Invoke(param); }
};

class CDelegateStatic : public CDelegateBase {
 public:
  typedef bool (*Fn)(void*);
  explicit CDelegateStatic(Fn fn) : m_fn(fn) {}
  CDelegateBase* Copy() const override { return new CDelegateStatic(*this); }
  bool Invoke(void* param) override { return m_fn(param); }
  bool Equals(const CDelegateBase& other) const override {
    auto* o = dynamic_cast<const CDelegateStatic*>(&other);
    return o != nullptr && o->m_fn == m_fn;
  }

 private:
  Fn m_fn;
};

template <class O, class T>
class CDelegate : public CDelegateBase {
 public:
  typedef bool (T::*Fn)(void*);
  CDelegate(O* object, Fn fn) : m_object(object), m_fn(fn) {}
  CDelegateBase* Copy() const override { return new CDelegate(*this); }
  bool Invoke(void* param) override { return (m_object->*m_fn)(param); }
  bool Equals(const CDelegateBase& other) const override {
    auto* o = dynamic_cast<const CDelegate*>(&other);
    return o != nullptr && o->m_object == m_object && o->m_fn == m_fn;
  }

 private:
  O* m_object;
  Fn m_fn;
};

template <class O, class T>
CDelegate<O, T> MakeDelegate(O* object, bool (T::*fn)(void*)) {
  return CDelegate<O, T>(object, fn);
}

inline CDelegateStatic MakeDelegate(bool (*fn)(void*)) { return CDelegateStatic(fn); }

class CEventSource {
 public:
  typedef bool (*FnType)(void*);
  CEventSource() = default;
  CEventSource(const CEventSource&) = delete;
  CEventSource& operator=(const CEventSource&) = delete;

  explicit operator bool() const { return !m_delegates.empty(); }
  // Adding the same delegate twice keeps one.
  void operator+=(const CDelegateBase& d);
  void operator+=(FnType fn);
  void operator-=(const CDelegateBase& d);
  void operator-=(FnType fn);
  // Calls the handlers in the order they were added; false as soon as one
  // returns false. Handlers may add or remove handlers while it runs.
  bool operator()(void* param);

 private:
  std::vector<std::shared_ptr<CDelegateBase>> m_delegates;
};

}  // namespace DuiLib
