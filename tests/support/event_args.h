// Browser events built as the browser sends them to its sink: arguments in
// reverse order, by reference where the sink may write.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace tamvelo::test {

class EventArgs {
 public:
  EventArgs() = default;
  ~EventArgs();
  EventArgs(const EventArgs&) = delete;
  EventArgs& operator=(const EventArgs&) = delete;

  // Appended in the event's own order (first argument first).
  EventArgs& Dispatch(IDispatch* value);
  EventArgs& DispatchRef(IDispatch** value);
  EventArgs& VariantRef(VARIANT* value);
  EventArgs& BoolRef(VARIANT_BOOL* value);
  EventArgs& Long(LONG value);
  EventArgs& Bool(bool value);
  EventArgs& String(const std::wstring& value);
  EventArgs& Raw(const VARIANT& value);

  DISPPARAMS* params();

 private:
  std::vector<VARIANT> args_;  // event order; reversed by params()
  std::vector<VARIANT> reversed_;
  DISPPARAMS params_ = {};
};

// Sends the event to the sink through IDispatch::Invoke.
HRESULT Fire(IDispatch* sink, DISPID id, EventArgs& args);

}  // namespace tamvelo::test
