#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QMenuBar;
class QWidget;

// The menu of the characters a German keyboard lacks for Spanish and French
// words: each item inserts its character into the focused field.
namespace SpecialCharacters {

// Adds "&Sonderzeichen" with "&Kleinbuchstaben", "&Großbuchstaben" and
// "Satz&zeichen" to the menu bar of window; returns the items.
QList<QAction*> AddMenu(QMenuBar* bar, QWidget* window);

// Puts text in place of the selection of the focused single- or
// multi-line edit, unless that is read-only.
void InsertIntoFocus(const QString& text);

}  // namespace SpecialCharacters

// Keeps a window's shortcuts from being taken by its text fields. Qt's line
// and text edits claim keys such as Ctrl+A (select all), Ctrl+Z (undo),
// Ctrl+K (delete to the end of the line) or Ctrl+U (delete the line) for
// their own editing, so a menu item bound to such a key would never fire
// while a field has the focus. The guard gives the key to the window's
// action instead, for every enabled action of the window that the exception
// does not name (the actions the window itself owns, not those of windows
// it owns), in every widget the filter applies to.
class ShortcutGuard : public QObject {
  Q_OBJECT
 public:
  ShortcutGuard(QWidget* window, std::function<bool(const QAction*)> exempt = {},
                std::function<bool(const QObject*)> appliesTo = {});
  ~ShortcutGuard() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<bool(const QAction*)> exempt_;
  std::function<bool(const QObject*)> appliesTo_;
};
