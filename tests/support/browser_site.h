// The client site a browser holds: the host's answers to the browser's
// questions, reached the way the browser itself reaches them.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ole2.h>

namespace tamvelo::test {

// Null without a browser or a site; the caller releases the site.
IOleClientSite* ClientSiteOf(IWebBrowser2* browser);

}  // namespace tamvelo::test
