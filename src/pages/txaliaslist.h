#pragma once

#include <QString>
#include <vector>

// A name/value record; the name is kept upper-cased.
struct TXAlias {
  QString Name;
  QString Value;
};

// Names found without regard to case, in the order they were added.
// Setting the value "*" puts a "*" in front of the old value instead.
class TXAliasList {
 public:
  int IndexOf(const QString& name) const;
  bool Contains(const QString& name) const { return IndexOf(name) >= 0; }
  QString Value(const QString& name, const QString& fallback = {}) const;
  void SetValue(const QString& name, const QString& value);
  void Remove(const QString& name);
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }
  const std::vector<TXAlias>& Items() const { return items_; }

 private:
  std::vector<TXAlias> items_;
};
