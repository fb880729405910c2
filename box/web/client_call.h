// The object that the portal's page scripts reach as window.external: a
// hand-written IDispatch without type library, with three methods that read,
// store and reset one login value in config.ini ("User1" of "Login"):
//   window.external.CppCall()      -> the stored value, or "0"
//   window.external.CppPut(text)   stores the text
//   window.external.CppDel()       stores "0"
// Lifetime: the count starts at 1. The browser control that creates it gives up
// its reference when it goes, and the last Release deletes the object, so a
// page that still holds window.external keeps a working object. Always
// made with new.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>

namespace tamvelo::web {

// Stored values shorter than this are no login value.
inline constexpr size_t kLoginValueMinChars = 70;
// Longer values are never stored, so none is ever read back cut short.
inline constexpr size_t kLoginValueMaxBytes = 4096;
// What CppCall gives and CppDel stores when there is no value.
inline constexpr char kNoLoginValue[] = "0";

class ClientCall final : public IDispatch {
 public:
  static constexpr DISPID kCppCallId = 100;
  static constexpr DISPID kCppPutId = 101;
  static constexpr DISPID kCppDelId = 102;

  ClientCall() = default;
  ~ClientCall() = default;
  ClientCall(const ClientCall&) = delete;
  ClientCall& operator=(const ClientCall&) = delete;

  // Full path of config.ini (copied). Empty or null: the object stores
  // nothing and reads "0" (the alt-account window's object has no path).
  void SetConfigPath(const char* path);
  const std::string& configPath() const { return configPath_; }

  // The stored value when it is present, not "Error" in any case, and of
  // kLoginValueMinChars to kLoginValueMaxBytes characters; else "0".
  std::string ReadLogin() const;
  // Stores the text as is. Refused (false, nothing written) without a
  // path, for a text over kLoginValueMaxBytes, or for one with a line
  // break, which would break the file's lines and plant keys of its own.
  bool WriteLogin(const std::string& text) const;
  // Stores "0".
  bool ClearLogin() const;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  void PutFromScript(const DISPPARAMS* params) const;

  LONG references_ = 1;
  std::string configPath_;
};

}  // namespace tamvelo::web
