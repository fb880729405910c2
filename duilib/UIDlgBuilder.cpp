#include "duilib/UIDlgBuilder.h"

#include <string.h>

#include <memory>

#include "duilib/UIAttribute.h"
#include "duilib/UIButton.h"
#include "duilib/UIContainer.h"
#include "duilib/UIHorizontalLayout.h"
#include "duilib/UIHotKey.h"
#include "duilib/UILabel.h"
#include "duilib/UIOption.h"
#include "duilib/UIRender.h"
#include "duilib/UIResource.h"
#include "duilib/UITabLayout.h"
#include "duilib/UIVerticalLayout.h"

namespace DuiLib {
namespace {

bool Is(LPCSTR a, LPCSTR b) { return _stricmp(a, b) == 0; }

// Elements that describe the window, not controls.
bool IsWindowDefinition(LPCSTR name) { return Is(name, "Font") || Is(name, "Default") || Is(name, "Image"); }

void CopyText(LPSTR out, SIZE_T cchMax, LPCSTR text) {
  if (out == nullptr || cchMax == 0) return;
  ::lstrcpynA(out, text, static_cast<int>(cchMax));
}

}  // namespace

bool CDialogBuilder::Fail(LPCSTR message, LPCSTR location) {
  m_sError = message;
  m_sErrorLocation = location;
  return false;
}

bool CDialogBuilder::FailFromMarkup() {
  char message[256] = {};
  char location[256] = {};
  m_xml.GetLastErrorMessage(message, sizeof(message));
  m_xml.GetLastErrorLocation(location, sizeof(location));
  return Fail(message[0] ? message : "the skin could not be loaded", location);
}

void CDialogBuilder::GetLastErrorMessage(LPSTR pstrMessage, SIZE_T cchMax) const {
  CopyText(pstrMessage, cchMax, m_sError);
}

void CDialogBuilder::GetLastErrorLocation(LPSTR pstrSource, SIZE_T cchMax) const {
  CopyText(pstrSource, cchMax, m_sErrorLocation);
}

CControlUI* CDialogBuilder::Create(STRINGorID xml, LPCSTR type, IDialogBuilderCallback* pCallback,
                                   CPaintManagerUI* pManager, CControlUI* pParent) {
  m_sError.Empty();
  m_sErrorLocation.Empty();
  if (xml.m_lpstr == nullptr) {
    Fail("no skin given");
    return nullptr;
  }
  if (!IS_INTRESOURCE(xml.m_lpstr)) {
    if (xml.m_lpstr[0] == '<') {
      if (!m_xml.Load(xml.m_lpstr)) return FailFromMarkup(), nullptr;
    } else {
      LPCSTR name = xml.m_lpstr;
      LPCSTR mapped = CResourceManager::GetInstance()->GetXmlPath(name);
      if (mapped != nullptr && *mapped != '\0') name = mapped;
      if (!m_xml.LoadFromFile(name)) {
        FailFromMarkup();
        m_sErrorLocation = name;
        return nullptr;
      }
    }
  } else {
    HINSTANCE module = CPaintManagerUI::GetResourceDll();
    HRSRC res = ::FindResourceA(module, xml.m_lpstr, type != nullptr ? type : "XML");
    HGLOBAL loaded = res != nullptr ? ::LoadResource(module, res) : nullptr;
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
      Fail("the skin resource was not found");
      return nullptr;
    }
    if (!m_xml.LoadFromMem(static_cast<const BYTE*>(bytes), ::SizeofResource(module, res))) {
      return FailFromMarkup(), nullptr;
    }
  }
  return Create(pCallback, pManager, pParent);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                   CControlUI* pParent) {
  m_pCallback = pCallback;
  CMarkupNode root = m_xml.GetRoot();
  if (!root.IsValid()) {
    Fail("the skin has no root element");
    return nullptr;
  }
  std::unique_ptr<CControlUI> tree;
  if (Is(root.GetName(), "Window")) {
    if (pManager != nullptr) ApplyWindowElement(root, pManager);
    for (CMarkupNode node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
      if (IsWindowDefinition(node.GetName())) continue;
      CControlUI* control = BuildControl(node, pManager);
      if (control == nullptr) continue;
      if (tree) {
        delete control;
        Fail("the window has more than one root control", node.GetName());
        return nullptr;
      }
      tree.reset(control);
    }
  } else {
    tree.reset(BuildControl(root, pManager));
  }
  if (!tree) {
    Fail("the skin has no control", root.GetName());
    return nullptr;
  }
  if (pParent != nullptr) {
    auto* container = static_cast<IContainerUI*>(pParent->GetInterface(DUI_CTR_ICONTAINER));
    if (container == nullptr || !container->Add(tree.get())) {
      Fail("the parent cannot hold the built controls");
      return nullptr;
    }
  }
  return tree.release();
}

void CDialogBuilder::ApplyWindowElement(CMarkupNode& window, CPaintManagerUI* pManager) {
  for (int i = 0; i < window.GetAttributeCount(); ++i) {
    LPCSTR name = window.GetAttributeName(i);
    LPCSTR value = window.GetAttributeValue(i);
    if (Is(name, "size")) {
      const SIZE sz = ParseSize(value);
      pManager->SetInitSize(sz.cx, sz.cy);
    } else if (Is(name, "sizebox")) {
      pManager->SetSizeBox(ParseRect(value));
    } else if (Is(name, "caption")) {
      pManager->SetCaptionRect(ParseRect(value));
    } else if (Is(name, "roundcorner")) {
      const SIZE sz = ParseSize(value);
      pManager->SetRoundCorner(sz.cx, sz.cy);
    } else if (Is(name, "mininfo")) {
      const SIZE sz = ParseSize(value);
      pManager->SetMinInfo(sz.cx, sz.cy);
    } else if (Is(name, "maxinfo")) {
      const SIZE sz = ParseSize(value);
      pManager->SetMaxInfo(sz.cx, sz.cy);
    } else if (Is(name, "opacity") || Is(name, "alpha")) {
      const int alpha = ParseInt(value);
      pManager->SetOpacity(static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha));
    } else if (Is(name, "bktrans")) {
      pManager->SetLayered(ParseBool(value));
    } else if (Is(name, "defaultfontcolor")) {
      pManager->SetDefaultFontColor(CRenderEngine::ParseColor(value));
    } else if (Is(name, "disabledfontcolor")) {
      pManager->SetDefaultDisabledColor(CRenderEngine::ParseColor(value));
    }
  }
  for (CMarkupNode node = window.GetChild(); node.IsValid(); node = node.GetSibling()) {
    if (Is(node.GetName(), "Font")) {
      char id[16] = "-1", face[LF_FACESIZE] = {}, size[16] = "12", bold[8] = {}, underline[8] = {}, italic[8] = {},
           isDefault[8] = {};
      node.GetAttributeValue("id", id, sizeof(id));
      node.GetAttributeValue("name", face, sizeof(face));
      node.GetAttributeValue("size", size, sizeof(size));
      node.GetAttributeValue("bold", bold, sizeof(bold));
      node.GetAttributeValue("underline", underline, sizeof(underline));
      node.GetAttributeValue("italic", italic, sizeof(italic));
      node.GetAttributeValue("default", isDefault, sizeof(isDefault));
      pManager->AddFont(ParseInt(id), face, ParseInt(size), ParseBool(bold), ParseBool(underline),
                        ParseBool(italic), ParseBool(isDefault));
    } else if (Is(node.GetName(), "Default")) {
      char control[64] = {};
      node.GetAttributeValue("name", control, sizeof(control));
      LPCSTR list = node.GetAttributeValue("value");
      if (control[0] != '\0' && list != nullptr) pManager->AddDefaultAttributeList(control, list);
    }
  }
}

CControlUI* CDialogBuilder::CreateKnownControl(LPCSTR name) const {
  if (Is(name, DUI_CTR_CONTROL)) return new CControlUI;
  if (Is(name, DUI_CTR_CONTAINER)) return new CContainerUI;
  if (Is(name, DUI_CTR_VERTICALLAYOUT)) return new CVerticalLayoutUI;
  if (Is(name, DUI_CTR_HORIZONTALLAYOUT)) return new CHorizontalLayoutUI;
  if (Is(name, DUI_CTR_TABLAYOUT)) return new CTabLayoutUI;
  if (Is(name, DUI_CTR_LABEL)) return new CLabelUI;
  if (Is(name, DUI_CTR_TEXT)) return new CTextUI;
  if (Is(name, DUI_CTR_BUTTON)) return new CButtonUI;
  if (Is(name, DUI_CTR_OPTION)) return new COptionUI;
  if (Is(name, DUI_CTR_CHECKBOX)) return new CCheckBoxUI;
  if (Is(name, DUI_CTR_HOTKEY)) return new CHotKeyUI;
  return nullptr;
}

CControlUI* CDialogBuilder::BuildControl(CMarkupNode& node, CPaintManagerUI* pManager) {
  LPCSTR name = node.GetName();
  if (IsWindowDefinition(name)) return nullptr;
  CControlUI* control = CreateKnownControl(name);
  if (control == nullptr && m_pCallback != nullptr) control = m_pCallback->CreateControl(name);
  if (control == nullptr) return nullptr;
  // The tree is built without a manager: Init runs for every control once
  // the whole tree is attached to the window, after all attributes are set.
  if (pManager != nullptr) control->ApplyAttributeList(pManager->GetDefaultAttributeList(name));
  for (int i = 0; i < node.GetAttributeCount(); ++i) {
    control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
  }
  if (node.HasChildren()) {
    // Children of an element that is no container are skipped.
    auto* container = static_cast<IContainerUI*>(control->GetInterface(DUI_CTR_ICONTAINER));
    if (container != nullptr) {
      for (CMarkupNode child = node.GetChild(); child.IsValid(); child = child.GetSibling()) {
        if (CControlUI* built = BuildControl(child, pManager)) {
          if (!container->Add(built)) delete built;
        }
      }
    }
  }
  return control;
}

}  // namespace DuiLib
