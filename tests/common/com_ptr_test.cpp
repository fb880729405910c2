#include "common/com_ptr.h"

#include <gtest/gtest.h>
#include <oaidl.h>

#include <utility>

namespace tamvelo {
namespace {

// Counts its references and answers for IUnknown only; a refused query
// leaves rubbish in the out value, as a careless object may.
class Counted final : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid != __uuidof(IUnknown)) {
      *out = reinterpret_cast<void*>(1);
      return E_NOINTERFACE;
    }
    *out = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
  STDMETHODIMP_(ULONG) Release() override { return --references; }

  ULONG references = 1;  // the creator's
};

TEST(ComPtr, EveryHeldReferenceIsReleasedExactlyOnce) {
  Counted object;
  {
    ComPtr<Counted> owner(&object);  // takes the creator's reference over
    ComPtr<Counted> moved(std::move(owner));
    EXPECT_FALSE(owner);
    ComPtr<Counted> shared = ComPtr<Counted>::Share(&object);
    EXPECT_EQ(object.references, 2u);
    shared = std::move(moved);  // the reference shared held goes
    EXPECT_EQ(object.references, 1u);
    Counted* handedOut = ComPtr<Counted>::Share(&object).Detach();
    EXPECT_EQ(handedOut, &object);
    EXPECT_EQ(object.references, 2u);
    handedOut->Release();
    *shared.Put() = nullptr;  // Put lets go of what was held
    EXPECT_EQ(object.references, 0u);
  }
  EXPECT_EQ(object.references, 0u);
}

TEST(ComPtr, QueryToHoldsAReferenceOnlyWhenTheObjectAnswers) {
  Counted object;
  {
    const ComPtr<IUnknown> unknown = QueryTo<IUnknown>(&object);
    EXPECT_EQ(unknown.Get(), static_cast<IUnknown*>(&object));
    EXPECT_EQ(object.references, 2u);
  }
  EXPECT_EQ(object.references, 1u);
  // Nothing is held, or released, whatever the refused query left behind.
  EXPECT_FALSE(QueryTo<IDispatch>(&object));
  EXPECT_FALSE(QueryTo<IDispatch>(nullptr));
  EXPECT_EQ(object.references, 1u);
}

}  // namespace
}  // namespace tamvelo
