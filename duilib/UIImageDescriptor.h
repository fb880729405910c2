// The image attribute of the skin syntax, without the platform's types:
// TDrawInfo (UIImage.h) is this with a CDuiString, RECTs and a DWORD.
//
// Either a bare relative path, or key='value' pairs "file='a.png'
// source='l,t,r,b' corner='l,t,r,b' dest='l,t,r,b' fade='200' hole='true'
// xtiled='true' ytiled='true' mask='#FFFF00FF'", with either quote and blanks
// allowed around '='. An all-zero rect means the whole image (source) or the
// whole control (dest); corner is the border kept unstretched. An unreadable
// mask colour means no mask. "res" is accepted as another name for "file";
// unknown keys are ignored.
#pragma once

#include <cstdint>
#include <string>

#include "duilib/UIAttributeValue.h"

namespace DuiLib {

struct ImageDescriptor {
  std::string file;
  RectValue dest;
  RectValue source;
  RectValue corner;
  uint8_t fade = 255;
  bool hole = false;
  bool xtiled = false;
  bool ytiled = false;
  uint32_t mask = 0;  // 0xFFRRGGBB, 0 for none
};

// False (and `out` back at its defaults) for malformed text: an unterminated
// quote, a bad rect or number, no file name.
bool ParseImageDescriptor(const char* attr, ImageDescriptor& out);

}  // namespace DuiLib
