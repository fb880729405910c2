// The script object as a real script engine reaches it: the platform's
// JScript runs expressions with the object named "external", the way a page
// reaches window.external.
#include <activscp.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include "box/web/bstr_text.h"
#include "box/web/client_call.h"
#include "common/ini.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace web;  // the code under test
namespace {

// The smallest site: hands out the object and remembers script errors.
class ScriptSite final : public IActiveScriptSite {
 public:
  explicit ScriptSite(IDispatch* external) : external_(external) {}
  bool errorSeen = false;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IActiveScriptSite)) {
      return E_NOINTERFACE;
    }
    *object = static_cast<IActiveScriptSite*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetLCID(LCID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item,
                                        ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    if (item != nullptr) *item = nullptr;
    if (lstrcmpW(name, L"external") != 0) return TYPE_E_ELEMENTNOTFOUND;
    if ((mask & SCRIPTINFO_IUNKNOWN) != 0 && item != nullptr) {
      external_->AddRef();
      *item = external_;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError*) override {
    errorSeen = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }

 private:
  IDispatch* external_;
};

class ScriptBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    call_.SetConfigPath(config_.c_str());
    CLSID jscript;
    ASSERT_EQ(CLSIDFromProgID(L"JScript", &jscript), S_OK);
    ASSERT_EQ(CoCreateInstance(jscript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                               reinterpret_cast<void**>(&engine_)),
              S_OK);
    ASSERT_EQ(engine_->QueryInterface(__uuidof(IActiveScriptParse), reinterpret_cast<void**>(&parse_)),
              S_OK);
    ASSERT_EQ(parse_->InitNew(), S_OK);
    ASSERT_EQ(engine_->SetScriptSite(&site_), S_OK);
    ASSERT_EQ(engine_->AddNamedItem(L"external", SCRIPTITEM_ISVISIBLE), S_OK);
    ASSERT_EQ(engine_->SetScriptState(SCRIPTSTATE_STARTED), S_OK);
  }

  void TearDown() override {
    if (parse_ != nullptr) parse_->Release();
    if (engine_ != nullptr) {
      engine_->Close();
      engine_->Release();
    }
    CoUninitialize();
  }

  // The value of a JScript expression as text ("undefined" for none).
  std::string Eval(const std::string& expression) {
    BSTR code = BstrFromAnsi(expression);
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    const HRESULT status = parse_->ParseScriptText(code, nullptr, nullptr, nullptr, 0, 0,
                                                   SCRIPTTEXT_ISEXPRESSION, &result, &exception);
    SysFreeString(code);
    EXPECT_EQ(status, S_OK) << expression;
    std::string text = "undefined";
    if (V_VT(&result) != VT_EMPTY && SUCCEEDED(VariantChangeType(&result, &result, 0, VT_BSTR))) {
      text = AnsiFromBstr(V_BSTR(&result));
    }
    VariantClear(&result);
    return text;
  }

  std::string Stored() { return ini::ReadText(config_, "Login", "User1", 8192); }

  test::TempDir dir_;
  std::string config_ = dir_.File("config.ini");
  ClientCall call_;
  ScriptSite site_{&call_};
  IActiveScript* engine_ = nullptr;
  IActiveScriptParse* parse_ = nullptr;
};

const std::string kValue = "tok_" + std::string(66, 'v');  // 70 characters

TEST_F(ScriptBridgeTest, PageScriptStoresReadsAndResetsTheLoginValue) {
  EXPECT_EQ(Eval("external.CppCall()"), "0");
  Eval("external.CppPut('" + kValue + "')");
  EXPECT_EQ(Stored(), kValue);
  EXPECT_EQ(Eval("external.CppCall()"), kValue);
  EXPECT_EQ(Eval("typeof external.CppCall()"), "string");
  // Read as a property, without parentheses.
  EXPECT_EQ(Eval("external.CppCall"), kValue);
  EXPECT_EQ(Eval("external.CppCall().length"), "70");

  Eval("external.CppPut('玩家" + std::string(68, 'c') + "')");
  EXPECT_EQ(Eval("external.CppCall().length"), "70");  // 2 characters + 68
  EXPECT_EQ(Eval("external.CppCall().substr(0, 2)"), "玩家");

  Eval("external.CppDel()");
  EXPECT_EQ(Stored(), "0");
  EXPECT_EQ(Eval("external.CppCall()"), "0");
  EXPECT_FALSE(site_.errorSeen);
}

TEST_F(ScriptBridgeTest, OddCallsFromScriptNeitherFailNorDamageTheValue) {
  Eval("external.CppPut('" + kValue + "')");
  EXPECT_EQ(Eval("external.cppcall()"), "undefined");
  EXPECT_EQ(Eval("external.cppput('x')"), "undefined");
  Eval("external.CppPut()");
  Eval("external.CppPut(undefined)");
  Eval("external.CppPut(null)");
  Eval("external.CppPut({a: 1})");
  Eval("external.CppPut('" + std::string(70, 'n') + "\\r\\nExitDirect=1')");
  EXPECT_EQ(Stored(), kValue);
  EXPECT_FALSE(site_.errorSeen);

  Eval("external.CppPut(12345)");
  EXPECT_EQ(Stored(), "12345");
  EXPECT_EQ(Eval("external.CppCall()"), "0");
}

}  // namespace
}  // namespace tamvelo::test
