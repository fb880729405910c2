#include "duilib/UIStackLayout.h"

#include <algorithm>

namespace DuiLib {
namespace {

// One axis of a control's layout hints.
struct AxisHints {
  int fixed, min, max, padBefore, padAfter;
};

AxisHints Hints(CControlUI* c, bool vertical, SIZE available) {
  const RECT pad = c->GetPadding();
  const SIZE est = c->EstimateSize(available);
  if (vertical) return {est.cy, c->GetMinHeight(), c->GetMaxHeight(), pad.top, pad.bottom};
  return {est.cx, c->GetMinWidth(), c->GetMaxWidth(), pad.left, pad.right};
}

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, std::max(lo, hi))); }

}  // namespace

void StackChildren(const std::vector<CControlUI*>& items, const RECT& inner, int childPadding,
                   bool vertical) {
  const SIZE available = {inner.right - inner.left, inner.bottom - inner.top};
  const int mainSpace = vertical ? available.cy : available.cx;
  const int crossSpace = vertical ? available.cx : available.cy;

  std::vector<CControlUI*> placed;
  for (CControlUI* c : items) {
    if (c->IsVisible() && !c->IsFloat()) placed.push_back(c);
  }
  if (placed.empty()) return;

  // What the fixed children, paddings and gaps take; the rest is shared.
  int taken = childPadding * static_cast<int>(placed.size() - 1);
  int flexible = 0;
  for (CControlUI* c : placed) {
    const AxisHints h = Hints(c, vertical, available);
    taken += h.padBefore + h.padAfter;
    if (h.fixed > 0) taken += Clamp(h.fixed, h.min, h.max);
    else ++flexible;
  }
  const int share = flexible > 0 ? std::max(0, (mainSpace - taken) / flexible) : 0;
  int remainder = flexible > 0 ? std::max(0, mainSpace - taken - share * flexible) : 0;

  int pos = vertical ? inner.top : inner.left;
  for (CControlUI* c : placed) {
    const AxisHints h = Hints(c, vertical, available);
    int length;
    if (h.fixed > 0) {
      length = Clamp(h.fixed, h.min, h.max);
    } else {
      length = share;
      if (--flexible == 0) length += remainder;  // the last flexible child
      length = Clamp(length, h.min, h.max);
    }
    const RECT pad = c->GetPadding();
    const int crossBefore = vertical ? pad.left : pad.top;
    const int crossAfter = vertical ? pad.right : pad.bottom;
    const SIZE est = c->EstimateSize(available);
    int cross = vertical ? est.cx : est.cy;
    if (cross <= 0) cross = crossSpace - crossBefore - crossAfter;
    cross = vertical ? Clamp(cross, c->GetMinWidth(), c->GetMaxWidth())
                     : Clamp(cross, c->GetMinHeight(), c->GetMaxHeight());
    cross = std::max(0, cross);

    const int mainStart = pos + h.padBefore;
    const int crossStart = (vertical ? inner.left : inner.top) + crossBefore;
    RECT rc;
    if (vertical) rc = {crossStart, mainStart, crossStart + cross, mainStart + length};
    else rc = {mainStart, crossStart, mainStart + length, crossStart + cross};
    c->SetPos(rc, false);
    pos = mainStart + length + h.padAfter + childPadding;
  }
}

}  // namespace DuiLib
