#include "editor/specialcharacters.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace SpecialCharacters {

namespace {

struct Item {
  const char* caption;   // what the menu shows
  const char* inserted;  // what goes into the field
  QKeySequence key;
};

}  // namespace

QList<QAction*> AddMenu(QMenuBar* bar, QWidget* window) {
  const auto c = [](Qt::Key k) { return QKeySequence(Qt::ControlModifier | k); };
  const auto cs = [](Qt::Key k) { return QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | k); };
  const QList<Item> lower{{"â", "â", c(Qt::Key_A)}, {"ê", "ê", c(Qt::Key_E)},  {"î", "î", c(Qt::Key_I)},
                          {"ô", "ô", c(Qt::Key_O)}, {"û", "û", c(Qt::Key_U)},  {"ae", "æ", {}},
                          {"oe", "œ", {}},          {"ï", "ï", {}},            {"ç", "ç", QKeySequence(Qt::Key_F5)},
                          {"ñ", "ñ", c(Qt::Key_N)}};
  const QList<Item> upper{{"Â", "Â", cs(Qt::Key_A)}, {"Ê", "Ê", cs(Qt::Key_E)}, {"Î", "Î", cs(Qt::Key_I)},
                          {"Ô", "Ô", cs(Qt::Key_O)}, {"Û", "Û", cs(Qt::Key_U)}, {"AE", "Æ", {}},
                          {"OE", "Œ", {}},           {"Ï", "Ï", {}},
                          {"Ç", "Ç", QKeySequence(Qt::ShiftModifier | Qt::Key_F5)},
                          {"Ñ", "Ñ", cs(Qt::Key_N)}};
  const QList<Item> marks{{"¿", "¿", c(Qt::Key_F)}, {"¡", "¡", c(Qt::Key_Z)}};

  QList<QAction*> actions;
  QMenu* menu = bar->addMenu(QStringLiteral("&Sonderzeichen"));
  const auto fill = [&](const QString& title, const QList<Item>& items) {
    QMenu* sub = menu->addMenu(title);
    for (const Item& item : items) {
      const QString inserted = QString::fromUtf8(item.inserted);
      auto* action = new QAction(QString::fromUtf8(item.caption), window);
      action->setShortcut(item.key);
      QObject::connect(action, &QAction::triggered, window, [inserted] { InsertIntoFocus(inserted); });
      sub->addAction(action);
      window->addAction(action);
      actions.append(action);
    }
  };
  fill(QStringLiteral("&Kleinbuchstaben"), lower);
  fill(QStringLiteral("&Großbuchstaben"), upper);
  fill(QStringLiteral("Satz&zeichen"), marks);
  return actions;
}

void InsertIntoFocus(const QString& text) {
  QWidget* focus = QApplication::focusWidget();
  if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
    if (!edit->isReadOnly()) edit->insert(text);
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(focus)) {
    if (!memo->isReadOnly()) memo->insertPlainText(text);
  }
}

}  // namespace SpecialCharacters

ShortcutGuard::ShortcutGuard(QWidget* window, std::function<bool(const QAction*)> exempt,
                             std::function<bool(const QObject*)> appliesTo)
    : QObject(window), window_(window), exempt_(std::move(exempt)), appliesTo_(std::move(appliesTo)) {
  qApp->installEventFilter(this);
}

ShortcutGuard::~ShortcutGuard() { qApp->removeEventFilter(this); }

bool ShortcutGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != window_ || QApplication::activeModalWidget()) return false;
  if (appliesTo_ && !appliesTo_(watched)) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence pressed(key->keyCombination());
  // The window's own commands only: a window it owns has its own guard.
  for (const QAction* action : window_->findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
    if (!action->isEnabled() || (exempt_ && exempt_(action))) continue;
    if (action->shortcuts().contains(pressed)) {
      // Not claimed by the field: the key becomes the action's shortcut.
      event->ignore();
      return true;
    }
  }
  return false;
}
