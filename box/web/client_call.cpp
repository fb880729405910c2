#include "box/web/client_call.h"

#include <oleauto.h>

#include <cwchar>
#include <string_view>

#include "box/web/bstr_text.h"
#include "common/config_ini.h"
#include "common/ini.h"

namespace tamvelo::web {
namespace {

struct NamedId {
  const wchar_t* name;
  DISPID id;
};
constexpr NamedId kMethods[] = {
    {L"CppCall", ClientCall::kCppCallId},
    {L"CppPut", ClientCall::kCppPutId},
    {L"CppDel", ClientCall::kCppDelId},
};

// A line break would split the file's line; a NUL would store only the
// part before it.
constexpr std::string_view kRefusedCharacters("\r\n\0", 3);

// The script's argument as text: strings as they are, numbers and booleans
// in their usual text form. No value (undefined, null), objects and arrays
// give nullopt: storing "[object Object]" would only destroy the old value.
std::optional<std::string> ArgumentText(const VARIANT& argument) {
  VARIANT value;
  VariantInit(&value);
  if (FAILED(VariantCopyInd(&value, const_cast<VARIANT*>(&argument)))) return std::nullopt;
  std::optional<std::string> text;
  const VARTYPE type = V_VT(&value);
  const bool convertible = (type & VT_ARRAY) == 0 && type != VT_EMPTY && type != VT_NULL &&
                           type != VT_DISPATCH && type != VT_UNKNOWN;
  if (convertible && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
    text = ExactAnsiFromBstr(V_BSTR(&value));
  }
  VariantClear(&value);
  return text;
}

}  // namespace

void ClientCall::SetConfigPath(const char* path) { configPath_ = path != nullptr ? path : ""; }

std::string ClientCall::ReadLogin() const {
  if (configPath_.empty()) return kNoLoginValue;
  // One byte more than the longest value that is ever stored, so that a
  // longer one (written by hand) shows as too long instead of being cut.
  const std::string value =
      config::ReadLogin(configPath_, static_cast<unsigned>(kLoginValueMaxBytes + 2));
  if (ini::IsAbsent(value) || value.size() < kLoginValueMinChars ||
      value.size() > kLoginValueMaxBytes) {
    return kNoLoginValue;
  }
  return value;
}

bool ClientCall::WriteLogin(const std::string& text) const {
  if (configPath_.empty() || text.size() > kLoginValueMaxBytes ||
      text.find_first_of(kRefusedCharacters) != std::string::npos) {
    return false;
  }
  return config::WriteLogin(configPath_, text);
}

bool ClientCall::ClearLogin() const { return WriteLogin(kNoLoginValue); }

HRESULT ClientCall::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) return E_NOINTERFACE;
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG ClientCall::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ClientCall::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ClientCall::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }

HRESULT ClientCall::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT ClientCall::GetIDsOfNames(REFIID, LPOLESTR* names, UINT nameCount, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr) return E_POINTER;
  // Only the method name counts; the methods take no named arguments.
  // Unknown names get DISPID_UNKNOWN rather than leaving the caller's slot
  // as it was, which could hold one of our ids. The answer stays S_OK so
  // that an unknown name raises no script error; its call does nothing.
  for (UINT i = 0; i < nameCount; ++i) ids[i] = DISPID_UNKNOWN;
  if (nameCount == 0 || names[0] == nullptr) return S_OK;
  for (const NamedId& method : kMethods) {
    if (std::wcscmp(names[0], method.name) == 0) ids[0] = method.id;
  }
  return S_OK;
}

HRESULT ClientCall::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO*, UINT*) {
  // Method call and property get alike: `external.CppCall` reads the value.
  switch (id) {
    case kCppCallId:
      if (result != nullptr) {
        VariantClear(result);
        const BSTR value = BstrFromAnsi(ReadLogin());
        if (value != nullptr) {
          V_VT(result) = VT_BSTR;
          V_BSTR(result) = value;
        }
      }
      break;
    case kCppPutId:
      PutFromScript(params);
      break;
    case kCppDelId:
      ClearLogin();
      break;
    default:
      break;
  }
  return S_OK;
}

void ClientCall::PutFromScript(const DISPPARAMS* params) const {
  // rgvarg[0] is the last argument the script wrote: with one, that one.
  if (params == nullptr || params->cArgs == 0 || params->rgvarg == nullptr) return;
  if (const auto text = ArgumentText(params->rgvarg[0])) WriteLogin(*text);
}

}  // namespace tamvelo::web
