// Builds a control tree from a skin file of the toolkit's XML dialect:
//
//   <Window size="1020,690" caption="0,0,0,70" sizebox="4,4,4,4"
//           roundcorner="4,4" mininfo="800,570" opacity="255" bktrans="false">
//     <Font id="0" name="微软雅黑" size="12" bold="false" default="true"/>
//     <Default name="Button" value="textcolor=&quot;#FF333333&quot;"/>
//     <VerticalLayout> ... controls ... </VerticalLayout>
//   </Window>
//
// The <Window> element's attributes, fonts and default attribute lists go to
// the paint manager; its one control element becomes the root. Elements
// Control, Container, VerticalLayout, HorizontalLayout, TabLayout, Label,
// Text, Button, Option, CheckBox and HotKey are built here (names compared
// without regard to case); any other name is offered to the callback's
// CreateControl, and an element nobody creates is skipped with its children.
// A file that cannot be read or parsed, or a window without exactly one
// root control, gives nullptr and an error message; nothing half-built is
// left behind.
#pragma once

#include "duilib/UIBase.h"
#include "duilib/UIControl.h"
#include "duilib/UIMarkup.h"

namespace DuiLib {

class IDialogBuilderCallback {
 public:
  // nullptr when the element is not one of the window's own controls.
  virtual CControlUI* CreateControl(LPCSTR pstrClass) = 0;

 protected:
  ~IDialogBuilderCallback() = default;
};

class CDialogBuilder {
 public:
  // xml: text starting with '<' (UTF-8), a file name resolved through the
  // resource store ("xml//main.xml"; a name mapped by the resource manager's
  // map first), or a resource id of the given type (default "XML") in the
  // resource module. With pParent the tree is added to that container.
  CControlUI* Create(STRINGorID xml, LPCSTR type = nullptr, IDialogBuilderCallback* pCallback = nullptr,
                     CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
  // Builds again from the markup already loaded.
  CControlUI* Create(IDialogBuilderCallback* pCallback = nullptr, CPaintManagerUI* pManager = nullptr,
                     CControlUI* pParent = nullptr);

  CMarkup* GetMarkup() { return &m_xml; }
  void GetLastErrorMessage(LPSTR pstrMessage, SIZE_T cchMax) const;
  void GetLastErrorLocation(LPSTR pstrSource, SIZE_T cchMax) const;

 private:
  bool Fail(LPCSTR message, LPCSTR location = "");
  bool FailFromMarkup();
  void ApplyWindowElement(CMarkupNode& window, CPaintManagerUI* pManager);
  // nullptr for an element that is not a control or that nobody creates.
  CControlUI* BuildControl(CMarkupNode& node, CPaintManagerUI* pManager);
  CControlUI* CreateKnownControl(LPCSTR name) const;

  CMarkup m_xml;
  IDialogBuilderCallback* m_pCallback = nullptr;
  CDuiString m_sError;
  CDuiString m_sErrorLocation;
};

}  // namespace DuiLib
