// The window around a page browser that gives way when its page opens a
// game: the alt-account window. The browser knows its owner by this alone,
// so that it does not depend on the windows built around it.
#pragma once

namespace tamvelo::web {

class BrowserOwner {
 public:
  virtual void HideWindow() = 0;

 protected:
  // Never deleted through this interface: the window owns itself.
  ~BrowserOwner() = default;
};

}  // namespace tamvelo::web
