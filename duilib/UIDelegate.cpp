#include "duilib/UIDelegate.h"

#include <algorithm>

namespace DuiLib {

void CEventSource::operator+=(const CDelegateBase& d) {
  for (const auto& existing : m_delegates) {
    if (existing->Equals(d)) return;
  }
  m_delegates.emplace_back(d.Copy());
}

void CEventSource::operator+=(FnType fn) { *this += CDelegateStatic(fn); }

void CEventSource::operator-=(const CDelegateBase& d) {
  m_delegates.erase(std::remove_if(m_delegates.begin(), m_delegates.end(),
                                   [&](const std::shared_ptr<CDelegateBase>& e) { return e->Equals(d); }),
                    m_delegates.end());
}

void CEventSource::operator-=(FnType fn) { *this -= CDelegateStatic(fn); }

bool CEventSource::operator()(void* param) {
  // A snapshot: a handler that removes itself (or another) stays alive until
  // this call ends, and handlers added meanwhile wait for the next event.
  const std::vector<std::shared_ptr<CDelegateBase>> snapshot = m_delegates;
  for (const auto& d : snapshot) {
    if (!d->Invoke(param)) return false;
  }
  return true;
}

}  // namespace DuiLib
