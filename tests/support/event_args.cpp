#include "tests/support/event_args.h"

namespace tamvelo::test {

namespace {

VARIANT Typed(VARTYPE type) {
  VARIANT arg;
  ::VariantInit(&arg);
  arg.vt = type;
  return arg;
}

}  // namespace

EventArgs::~EventArgs() {
  for (VARIANT& arg : args_) ::VariantClear(&arg);
}

EventArgs& EventArgs::Raw(const VARIANT& value) {
  args_.push_back(value);
  return *this;
}

EventArgs& EventArgs::Dispatch(IDispatch* value) {
  VARIANT arg = Typed(VT_DISPATCH);
  arg.pdispVal = value;
  if (value != nullptr) value->AddRef();
  return Raw(arg);
}

EventArgs& EventArgs::DispatchRef(IDispatch** value) {
  VARIANT arg = Typed(VT_BYREF | VT_DISPATCH);
  arg.ppdispVal = value;
  return Raw(arg);
}

EventArgs& EventArgs::VariantRef(VARIANT* value) {
  VARIANT arg = Typed(VT_BYREF | VT_VARIANT);
  arg.pvarVal = value;
  return Raw(arg);
}

EventArgs& EventArgs::BoolRef(VARIANT_BOOL* value) {
  VARIANT arg = Typed(VT_BYREF | VT_BOOL);
  arg.pboolVal = value;
  return Raw(arg);
}

EventArgs& EventArgs::Long(LONG value) {
  VARIANT arg = Typed(VT_I4);
  arg.lVal = value;
  return Raw(arg);
}

EventArgs& EventArgs::Bool(bool value) {
  VARIANT arg = Typed(VT_BOOL);
  arg.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return Raw(arg);
}

EventArgs& EventArgs::String(const std::wstring& value) {
  VARIANT arg = Typed(VT_BSTR);
  arg.bstrVal = ::SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  return Raw(arg);
}

DISPPARAMS* EventArgs::params() {
  reversed_.assign(args_.rbegin(), args_.rend());
  params_.rgvarg = reversed_.empty() ? nullptr : reversed_.data();
  params_.cArgs = static_cast<UINT>(reversed_.size());
  params_.rgdispidNamedArgs = nullptr;
  params_.cNamedArgs = 0;
  return &params_;
}

HRESULT Fire(IDispatch* sink, DISPID id, EventArgs& args) {
  return sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, args.params(), nullptr,
                      nullptr, nullptr);
}

}  // namespace tamvelo::test
