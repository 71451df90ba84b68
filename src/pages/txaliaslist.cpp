#include "pages/txaliaslist.h"

int TXAliasList::IndexOf(const QString& name) const {
  const QString upper = name.toUpper();
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Name == upper) return static_cast<int>(i);
  return -1;
}

QString TXAliasList::Value(const QString& name, const QString& fallback) const {
  const int i = IndexOf(name);
  return i < 0 ? fallback : items_[static_cast<size_t>(i)].Value;
}

void TXAliasList::SetValue(const QString& name, const QString& value) {
  const int i = IndexOf(name);
  if (i < 0) {
    items_.push_back({name.toUpper(), value});
    return;
  }
  QString& old = items_[static_cast<size_t>(i)].Value;
  if (value == QLatin1String("*")) old.prepend(QLatin1Char('*'));
  else old = value;
}

void TXAliasList::Remove(const QString& name) {
  const int i = IndexOf(name);
  if (i >= 0) items_.erase(items_.begin() + i);
}
