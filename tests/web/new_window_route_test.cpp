#include "box/web/new_window_route.h"

#include <gtest/gtest.h>

#include "common/portal_settings.h"

namespace tamvelo::test {
using namespace web;  // the code under test
namespace {

const std::string kBase = kPortalBaseUrl;
const std::string kPartnerPay = std::string("http://") + kPartnerHost + "/api/h.phtml?order=7";

void ExpectTab(const NewWindowRoute& route, const std::string& address) {
  EXPECT_EQ(route.target, NewWindowTarget::GameTab);
  EXPECT_EQ(route.address, address);
}

void ExpectSystem(const NewWindowRoute& route) {
  EXPECT_EQ(route.target, NewWindowTarget::SystemWindow);
  EXPECT_TRUE(route.address.empty());
}

TEST(NewWindowRoute, PlainAddressesBecomeGameTabsWithTheAddressUnchanged) {
  for (const std::string& url : {kBase + "/game/pirates.html", std::string("http://other.example/x"),
                                std::string("about:blank"), std::string()}) {
    SCOPED_TRACE(url);
    const NewWindowRoute route = RouteNewWindow(url, false);
    EXPECT_FALSE(route.hideOwner);
    ExpectTab(route, url);
  }
}

TEST(NewWindowRoute, DirectOpenAnywhereGoesToTheSystem) {
  for (const std::string& url :
       {kBase + "/page/gamebox.html?directopen", kBase + "/a?directopen&b=1",
        std::string("http://x.example/?q=1#?directopen"), std::string("?directopen")}) {
    SCOPED_TRACE(url);
    ExpectSystem(RouteNewWindow(url, true));
  }
  // Case-sensitive, and "&directopen" is not the marker.
  ExpectTab(RouteNewWindow(kBase + "/a?DirectOpen", false), kBase + "/a?DirectOpen");
  ExpectTab(RouteNewWindow(kBase + "/a?x=1&directopen", false), kBase + "/a?x=1&directopen");
}

TEST(NewWindowRoute, PartnerPaymentBecomesThePortalPayTabEvenWithDirectOpen) {
  ExpectTab(RouteNewWindow(kPartnerPay, false), kBase + "/box/pay");
  ExpectTab(RouteNewWindow(kPartnerPay + "&x?directopen", false), kBase + "/box/pay");
  ExpectTab(RouteNewWindow("https://" + std::string(kPartnerHost) + "/api/h.phtml", true),
            kBase + "/box/pay");
  // Other pages of the partner and the path on another host are left as they are.
  const std::string otherPage = std::string("http://") + kPartnerHost + "/api/other.phtml";
  ExpectTab(RouteNewWindow(otherPage, false), otherPage);
  ExpectSystem(RouteNewWindow("http://elsewhere.example/api/h.phtml?directopen", false));
}

TEST(NewWindowRoute, AltAccountLoginHidesOnlyAnOwnerWindowAndRoutingGoesOn) {
  const std::string login = kBase + "/box/login_xiaohao?id=2";
  NewWindowRoute route = RouteNewWindow(login, true);
  EXPECT_TRUE(route.hideOwner);
  ExpectTab(route, login);

  // The home page's control has no owner window: nothing to hide.
  route = RouteNewWindow(login, false);
  EXPECT_FALSE(route.hideOwner);
  ExpectTab(route, login);

  route = RouteNewWindow(login + "?directopen", true);
  EXPECT_TRUE(route.hideOwner);
  ExpectSystem(route);

  // The marker is case-sensitive and needs its "box/" part.
  EXPECT_FALSE(RouteNewWindow(kBase + "/BOX/login_xiaohao", true).hideOwner);
  EXPECT_FALSE(RouteNewWindow(kBase + "/login_xiaohao", true).hideOwner);
  // A game that merely links to the alt-account page hides nothing without an owner.
  EXPECT_FALSE(RouteNewWindow(kBase + "/box/xiaohao_1_box.html", true).hideOwner);
}

}  // namespace
}  // namespace tamvelo::test
