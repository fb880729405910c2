#include "box/web/client_call.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <vector>

#include "box/web/bstr_text.h"
#include "common/ini.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace web;  // the code under test
namespace {


// A page script's view of the object: everything goes through IDispatch.
class ClientCallTest : public ::testing::Test {
 protected:
  ClientCallTest() {
    call_->SetConfigPath(config_.c_str());
    call_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_));
  }
  ~ClientCallTest() override {
    dispatch_->Release();
    call_->Release();
  }

  DISPID Id(const wchar_t* name, DISPID before = 0) {
    DISPID id = before;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    return id;
  }

  // Invokes with the arguments in script order; returns the result.
  VARIANT Invoke(DISPID id, std::vector<VARIANT> arguments = {},
                 WORD flags = DISPATCH_METHOD) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result,
                                nullptr, nullptr),
              S_OK);
    return result;
  }

  std::string CppCall(WORD flags = DISPATCH_METHOD) {
    VARIANT result = Invoke(ClientCall::kCppCallId, {}, flags);
    EXPECT_EQ(V_VT(&result), VT_BSTR);
    std::string text = AnsiFromBstr(V_BSTR(&result));
    VariantClear(&result);
    return text;
  }

  void CppPut(const VARIANT& argument) { Invoke(ClientCall::kCppPutId, {argument}); }

  void CppPutText(const std::string& ansi) {
    VARIANT argument;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = BstrFromAnsi(ansi);
    CppPut(argument);
    VariantClear(&argument);
  }

  std::string Stored() { return ini::ReadText(config_, "Login", "User1", 8192); }
  void Store(const std::string& value) { ini::WriteText(config_, "Login", "User1", value); }

  TempDir dir_;
  std::string config_ = dir_.File("config.ini");
  ClientCall* call_ = new ClientCall;
  IDispatch* dispatch_ = nullptr;
};

const std::string kLogin70(70, 'k');

TEST_F(ClientCallTest, NamesAreExactFirstOnlyAndUnknownOnesGetNoIdentifier) {
  EXPECT_EQ(Id(L"CppCall"), 100);
  EXPECT_EQ(Id(L"CppPut"), 101);
  EXPECT_EQ(Id(L"CppDel"), 102);
  // A slot that already held one of our ids must not keep it for a wrong name.
  EXPECT_EQ(Id(L"cppcall", 101), DISPID_UNKNOWN);
  EXPECT_EQ(Id(L"CPPPUT", 101), DISPID_UNKNOWN);
  EXPECT_EQ(Id(L"CppCall ", 101), DISPID_UNKNOWN);
  EXPECT_EQ(Id(L"", 101), DISPID_UNKNOWN);

  LPOLESTR names[] = {const_cast<LPOLESTR>(L"CppPut"), const_cast<LPOLESTR>(L"CppDel")};
  DISPID ids[] = {7, 7};
  EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 101);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  names[0] = const_cast<LPOLESTR>(L"Other");
  names[1] = const_cast<LPOLESTR>(L"CppPut");
  EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
  EXPECT_EQ(ids[0], DISPID_UNKNOWN);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);

  EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, nullptr, 1, 0, ids), E_POINTER);
  UINT count = 5;
  EXPECT_EQ(dispatch_->GetTypeInfoCount(&count), E_NOTIMPL);
}

TEST_F(ClientCallTest, StoredValueIsGivenOutOnlyFrom70Characters) {
  EXPECT_EQ(CppCall(), "0");  // no file yet
  Store(std::string(69, 'k'));
  EXPECT_EQ(CppCall(), "0");
  Store(kLogin70);
  EXPECT_EQ(CppCall(), kLogin70);
  Store("error");
  EXPECT_EQ(CppCall(), "0");
  Store("ERROR" + std::string(70, 'x'));  // only the whole text "Error" is absent
  EXPECT_EQ(CppCall(), "ERROR" + std::string(70, 'x'));
  // 35 Chinese characters are 70 bytes in code page 936.
  std::string chinese;
  for (int i = 0; i < 35; ++i) chinese += "号";
  Store(chinese);
  EXPECT_EQ(CppCall(), chinese);
}

TEST_F(ClientCallTest, LongValuesComeBackWholeOrNotAtAll) {
  const std::string longest(kLoginValueMaxBytes, 'L');
  Store(std::string(300, 'm'));  // past the platform's usual 260-byte read
  EXPECT_EQ(CppCall(), std::string(300, 'm'));
  Store(longest);
  EXPECT_EQ(CppCall(), longest);
  // Written by something else and too long to be sure of: never cut.
  Store(longest + "L");
  EXPECT_EQ(CppCall(), "0");
}

TEST_F(ClientCallTest, PropertyGetReadsLikeTheMethodAndTheCallerOwnsEachString) {
  Store(kLogin70);
  EXPECT_EQ(CppCall(DISPATCH_PROPERTYGET), kLogin70);
  EXPECT_EQ(CppCall(DISPATCH_METHOD | DISPATCH_PROPERTYGET), kLogin70);

  VARIANT first = Invoke(100);
  VARIANT second = Invoke(100);
  ASSERT_EQ(V_VT(&first), VT_BSTR);
  ASSERT_EQ(V_VT(&second), VT_BSTR);
  EXPECT_NE(V_BSTR(&first), V_BSTR(&second));
  EXPECT_EQ(SysStringLen(V_BSTR(&first)), 70u);
  VariantClear(&first);
  EXPECT_EQ(AnsiFromBstr(V_BSTR(&second)), kLogin70);  // unharmed by freeing the other
  VariantClear(&second);

  // What the result held before is released and replaced.
  VARIANT result;
  V_VT(&result) = VT_BSTR;
  V_BSTR(&result) = SysAllocString(L"old");
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(dispatch_->Invoke(100, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(AnsiFromBstr(V_BSTR(&result)), kLogin70);
  VariantClear(&result);

  // No result variant and no parameters: nothing to fill, no failure.
  EXPECT_EQ(dispatch_->Invoke(100, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
            S_OK);
}

TEST_F(ClientCallTest, PutStoresTextAndDelStoresZero) {
  CppPutText(kLogin70);
  EXPECT_EQ(Stored(), kLogin70);
  EXPECT_EQ(CppCall(), kLogin70);

  const std::string chinese = "玩家" + std::string(66, 'z');
  CppPutText(chinese);
  EXPECT_EQ(Stored(), chinese);
  EXPECT_EQ(CppCall(), chinese);

  CppPutText("short");  // stored as given, read as no value
  EXPECT_EQ(Stored(), "short");
  EXPECT_EQ(CppCall(), "0");

  Invoke(ClientCall::kCppDelId);
  EXPECT_EQ(Stored(), "0");
  EXPECT_EQ(CppCall(), "0");

  // With several arguments the last one written is stored.
  VARIANT a, b;
  V_VT(&a) = VT_BSTR;
  V_BSTR(&a) = SysAllocString(L"first-argument-first-argument-first-argument-first-argument-first");
  V_VT(&b) = VT_I4;
  V_I4(&b) = 42;
  Invoke(ClientCall::kCppPutId, {a, b});
  EXPECT_EQ(Stored(), "42");
  VariantClear(&a);

  // Unknown identifiers do nothing.
  CppPutText(kLogin70);
  Invoke(DISPID_UNKNOWN);
  Invoke(103);
  EXPECT_EQ(Stored(), kLogin70);
}

TEST_F(ClientCallTest, PutWithoutUsableTextKeepsTheStoredValue) {
  CppPutText(kLogin70);

  Invoke(ClientCall::kCppPutId);  // no argument
  VARIANT value;
  VariantInit(&value);
  CppPut(value);  // undefined
  V_VT(&value) = VT_NULL;
  CppPut(value);
  V_VT(&value) = VT_DISPATCH;  // an object: ourselves
  V_DISPATCH(&value) = dispatch_;
  CppPut(value);
  EXPECT_EQ(Stored(), kLogin70);

  // A line break would split the file's line and plant keys of its own.
  CppPutText(std::string(70, 'a') + "\r\n[Setting]\r\nExitDirect=1");
  CppPutText(std::string(70, 'a') + "\nb");
  // An embedded NUL would store only the part before it.
  CppPutText(std::string(70, 'a') + std::string(1, '\0') + "b");
  // Characters the ANSI code page lacks would be stored as "?".
  VARIANT emoji;
  V_VT(&emoji) = VT_BSTR;
  V_BSTR(&emoji) = SysAllocString((std::wstring(70, L'e') + L"\xD83D\xDE00").c_str());
  CppPut(emoji);
  VariantClear(&emoji);
  CppPutText(std::string(kLoginValueMaxBytes + 1, 'x'));
  EXPECT_EQ(Stored(), kLogin70);
  EXPECT_EQ(ini::ReadText(config_, "Setting", "ExitDirect"), "Error");

  // Numbers are stored in their text form; a by-reference string is followed.
  V_VT(&value) = VT_R8;
  V_R8(&value) = 2.5;
  CppPut(value);
  EXPECT_EQ(Stored(), "2.5");
  BSTR text = SysAllocString(std::wstring(71, L'r').c_str());
  V_VT(&value) = VT_BSTR | VT_BYREF;
  V_BSTRREF(&value) = &text;
  CppPut(value);
  EXPECT_EQ(Stored(), std::string(71, 'r'));
  SysFreeString(text);
}

TEST(ClientCallWithoutPath, ReadsZeroAndWritesNowhere) {
  // Without a path the private-profile functions would fall back to win.ini.
  const auto winIniLogin = [] { return ini::ReadText("win.ini", "Login", "User1"); };
  const std::string before = winIniLogin();
  auto* object = new ClientCall;
  ClientCall& call = *object;
  EXPECT_EQ(call.ReadLogin(), "0");
  EXPECT_FALSE(call.WriteLogin(kLogin70));
  EXPECT_FALSE(call.ClearLogin());
  call.SetConfigPath(nullptr);
  VARIANT argument;
  V_VT(&argument) = VT_BSTR;
  V_BSTR(&argument) = SysAllocString(std::wstring(80, L'w').c_str());
  DISPPARAMS params{&argument, nullptr, 1, 0};
  EXPECT_EQ(call.Invoke(101, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(call.Invoke(102, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
  VariantClear(&argument);
  EXPECT_EQ(winIniLogin(), before);
  object->Release();
}

TEST(ClientCallReferences, CountAndInterfaces) {
  auto* call = new ClientCall;
  IUnknown* unknown = nullptr;
  IDispatch* dispatch = nullptr;
  EXPECT_EQ(call->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(call->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(dispatch));
  EXPECT_EQ(call->AddRef(), 4u);  // 1 at construction + 2 queries + this one

  void* other = call;
  EXPECT_EQ(call->QueryInterface(IID_IStream, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(call->QueryInterface(IID_IDispatch, nullptr), E_POINTER);

  EXPECT_EQ(call->Release(), 3u);
  EXPECT_EQ(call->Release(), 2u);
  EXPECT_EQ(call->Release(), 1u);
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"CppDel");
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
  EXPECT_EQ(id, 102);
  EXPECT_EQ(dispatch->Release(), 0u);  // the last one: the object is gone
}

}  // namespace
}  // namespace tamvelo::test
