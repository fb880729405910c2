// Constants shared by the whole toolkit: event types, control flags, control
// states, notification types, element names, and the macros that declare a
// window class's static notification map.
#pragma once

#include <windows.h>

namespace DuiLib {

class CControlUI;
class CNotifyPump;
struct TNotifyUI;

// Events a control receives (TEventUI::Type). The numbering is the toolkit's:
// controls written for it compare against the numbers (13 is button-down).
enum EVENTTYPE_UI {
  UIEVENT__FIRST = 1,
  UIEVENT__KEYBEGIN,
  UIEVENT_KEYDOWN,
  UIEVENT_KEYUP,
  UIEVENT_CHAR,
  UIEVENT_SYSKEY,
  UIEVENT__KEYEND,
  UIEVENT__MOUSEBEGIN,
  UIEVENT_MOUSEMOVE,
  UIEVENT_MOUSELEAVE,
  UIEVENT_MOUSEENTER,
  UIEVENT_MOUSEHOVER,
  UIEVENT_BUTTONDOWN,
  UIEVENT_BUTTONUP,
  UIEVENT_RBUTTONDOWN,
  UIEVENT_DBLCLICK,
  UIEVENT_CONTEXTMENU,
  UIEVENT_SCROLLWHEEL,
  UIEVENT__MOUSEEND,
  UIEVENT_KILLFOCUS,
  UIEVENT_SETFOCUS,
  UIEVENT_WINDOWSIZE,
  UIEVENT_SETCURSOR,
  UIEVENT_TIMER,
  UIEVENT__LAST,
};
static_assert(UIEVENT_BUTTONDOWN == 13, "button-down keeps its historical number");

// Modifier state in TEventUI::wKeyState: MK_CONTROL, MK_SHIFT, MK_LBUTTON,
// MK_RBUTTON, and this one for Alt, which <windows.h> does not define.
#ifndef MK_ALT
#define MK_ALT 0x20
#endif

// What a control asks of the paint manager (CControlUI::GetControlFlags).
#define UIFLAG_TABSTOP 0x00000001    // reachable with the Tab key
#define UIFLAG_SETCURSOR 0x00000002  // sets its own cursor (UIEVENT_SETCURSOR)
#define UIFLAG_WANTRETURN 0x00000004 // Return goes to the control, not to the window
#define UIFLAG_WANTSYSKEY 0x00000008 // Alt combinations go to the control (hotkey capture)

// Flags of CControlUI::FindControl.
#define UIFIND_ALL 0x00000000
#define UIFIND_VISIBLE 0x00000001
#define UIFIND_ENABLED 0x00000002
#define UIFIND_HITTEST 0x00000004
#define UIFIND_TOP_FIRST 0x00000008
#define UIFIND_ME_FIRST 0x80000000

// Button and option states.
#define UISTATE_FOCUSED 0x00000001
#define UISTATE_SELECTED 0x00000002
#define UISTATE_DISABLED 0x00000004
#define UISTATE_HOT 0x00000008
#define UISTATE_PUSHED 0x00000010
#define UISTATE_CAPTURED 0x00000040

// Notification types (TNotifyUI::sType).
#define DUI_MSGTYPE_WINDOWINIT "windowinit"
#define DUI_MSGTYPE_CLICK "click"
#define DUI_MSGTYPE_SELECTCHANGED "selectchanged"
#define DUI_MSGTYPE_ITEMCLICK "itemclick"
#define DUI_MSGTYPE_TABSELECT "tabselect"
#define DUI_MSGTYPE_SETFOCUS "setfocus"
#define DUI_MSGTYPE_KILLFOCUS "killfocus"
#define DUI_MSGTYPE_TIMER "timer"
#define DUI_MSGTYPE_MENU "menu"

// Element names of the skin files and GetInterface names of the controls.
#define DUI_CTR_CONTROL "Control"
#define DUI_CTR_CONTAINER "Container"
#define DUI_CTR_ICONTAINER "IContainer"
#define DUI_CTR_VERTICALLAYOUT "VerticalLayout"
#define DUI_CTR_HORIZONTALLAYOUT "HorizontalLayout"
#define DUI_CTR_TABLAYOUT "TabLayout"
#define DUI_CTR_LABEL "Label"
#define DUI_CTR_TEXT "Text"
#define DUI_CTR_BUTTON "Button"
#define DUI_CTR_OPTION "Option"
#define DUI_CTR_CHECKBOX "CheckBox"
#define DUI_CTR_HOTKEY "HotKey"

// ---------------------------------------------------------------------------
// Notification maps. A window class declares one with
// DUI_DECLARE_MESSAGE_MAP() in its body and defines it in its .cpp:
//
//   DUI_BEGIN_MESSAGE_MAP(CMainWnd, WindowImplBase)
//     DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
//     DUI_ON_MSGTYPE_CTRNAME(DUI_MSGTYPE_SELECTCHANGED, "maintab", OnTabChanged)
//   DUI_END_MESSAGE_MAP()
//
// Handlers are members `void Handler(TNotifyUI& msg)`. CNotifyPump walks the
// class's map, then its base classes' maps, and calls the first entry whose
// type matches and whose control name is empty or equals the sender's name.
// The tables are constant data: no constructor runs for them.

typedef void (CNotifyPump::*DUI_PMSG)(TNotifyUI& msg);

struct DUI_MSGMAP_ENTRY {
  const char* sMsgType;   // nullptr ends the table
  const char* sCtrlName;  // "" for any control
  DUI_PMSG pfn;
};

struct DUI_MSGMAP {
  const DUI_MSGMAP* (*pfnGetBaseMap)();  // nullptr at the root (CNotifyPump)
  const DUI_MSGMAP_ENTRY* lpEntries;
};

#define DUI_DECLARE_MESSAGE_MAP()                       \
 protected:                                             \
  static const ::DuiLib::DUI_MSGMAP* DuiMessageMap_();  \
  virtual const ::DuiLib::DUI_MSGMAP* GetMessageMap() const;

// The base-class pointer is looked up through a function so that maps of
// classes in different translation units need no initialisation order.
#define DUI_BEGIN_MESSAGE_MAP(theClass, baseClass)                              \
  const ::DuiLib::DUI_MSGMAP* theClass::GetMessageMap() const {                 \
    return theClass::DuiMessageMap_();                                          \
  }                                                                             \
  const ::DuiLib::DUI_MSGMAP* theClass::DuiMessageMap_() {                      \
    typedef theClass DuiMapClass_;                                              \
    static const ::DuiLib::DUI_MSGMAP* (*const pfnBase)() = &baseClass::DuiMessageMap_; \
    static const ::DuiLib::DUI_MSGMAP_ENTRY entries[] = {

#define DUI_BEGIN_BASE_MESSAGE_MAP(theClass)                                    \
  const ::DuiLib::DUI_MSGMAP* theClass::GetMessageMap() const {                 \
    return theClass::DuiMessageMap_();                                          \
  }                                                                             \
  const ::DuiLib::DUI_MSGMAP* theClass::DuiMessageMap_() {                      \
    typedef theClass DuiMapClass_;                                              \
    static const ::DuiLib::DUI_MSGMAP* (*const pfnBase)() = nullptr;            \
    static const ::DuiLib::DUI_MSGMAP_ENTRY entries[] = {

#define DUI_ON_MSGTYPE(msgtype, memberFxn) \
  {msgtype, "", static_cast<::DuiLib::DUI_PMSG>(&DuiMapClass_::memberFxn)},

#define DUI_ON_MSGTYPE_CTRNAME(msgtype, ctrname, memberFxn) \
  {msgtype, ctrname, static_cast<::DuiLib::DUI_PMSG>(&DuiMapClass_::memberFxn)},

#define DUI_ON_CLICK_CTRNAME(ctrname, memberFxn) \
  DUI_ON_MSGTYPE_CTRNAME(DUI_MSGTYPE_CLICK, ctrname, memberFxn)

#define DUI_ON_SELECTCHANGED_CTRNAME(ctrname, memberFxn) \
  DUI_ON_MSGTYPE_CTRNAME(DUI_MSGTYPE_SELECTCHANGED, ctrname, memberFxn)

#define DUI_END_MESSAGE_MAP()                                  \
      {nullptr, nullptr, nullptr}};                            \
    (void)sizeof(DuiMapClass_);                                \
    static const ::DuiLib::DUI_MSGMAP map = {pfnBase, entries}; \
    return &map;                                               \
  }

}  // namespace DuiLib
