#include "pages/txstyle.h"

const TXStyle* TXStyleList::Find(const QString& name) const {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it)
    if (it->Name == name) return &*it;
  return nullptr;
}
