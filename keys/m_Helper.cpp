// SPDX-License-Identifier: MIT
#include "m_Helper.h"

namespace m_Helper {
namespace {

bool IsEditKey(int16_t key) { return key == kBackspace || key == kTab || key == kEnter; }

}  // namespace

int16_t FilterDecKey(int16_t key) {
  if (IsEditKey(key) || key == u'-' || (key >= u'0' && key <= u'9')) return key;
  return 0;
}

int16_t FilterHexKey(int16_t key) {
  if (IsEditKey(key) || (key >= u'0' && key <= u'9') || (key >= u'A' && key <= u'F')) return key;
  if (key >= u'a' && key <= u'f') return static_cast<int16_t>(key - (u'a' - u'A'));
  return 0;
}

int16_t FilterBinKey(int16_t key) {
  if (IsEditKey(key) || key == u'0' || key == u'1') return key;
  return 0;
}

}  // namespace m_Helper
