#include "common/accentkeyfilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <functional>

#include "common/accentkey.h"

namespace {

void cycleLineEdit(QLineEdit& edit) {
  const int cursor = edit.cursorPosition();
  if (cursor <= 0) return;
  QString text = edit.text();
  const QChar next = AccentKey::Next(text[cursor - 1]);
  if (next == text[cursor - 1]) return;
  text[cursor - 1] = next;
  edit.setText(text);
  edit.setCursorPosition(cursor);
}

// Multi-line edits: the character before the cursor within its block, so a
// line start never reaches back into the line above.
void cycleTextCursor(QTextCursor cursor, const std::function<void(const QTextCursor&)>& apply) {
  if (cursor.positionInBlock() <= 0) return;
  const int position = cursor.position();
  cursor.clearSelection();
  cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
  const QString selected = cursor.selectedText();
  if (selected.size() != 1) return;
  const QChar next = AccentKey::Next(selected[0]);
  if (next == selected[0]) return;
  cursor.insertText(QString(next));
  cursor.setPosition(position);
  apply(cursor);
}

}  // namespace

void AccentKeyFilter::Install(QLineEdit* edit) { edit->installEventFilter(new AccentKeyFilter(edit)); }
void AccentKeyFilter::Install(QPlainTextEdit* edit) { edit->installEventFilter(new AccentKeyFilter(edit)); }
void AccentKeyFilter::Install(QTextEdit* edit) { edit->installEventFilter(new AccentKeyFilter(edit)); }

bool AccentKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
    return QObject::eventFilter(watched, event);
  if (auto* line = qobject_cast<QLineEdit*>(watched)) {
    if (!line->isReadOnly()) cycleLineEdit(*line);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(watched)) {
    if (!plain->isReadOnly())
      cycleTextCursor(plain->textCursor(), [plain](const QTextCursor& c) { plain->setTextCursor(c); });
  } else if (auto* rich = qobject_cast<QTextEdit*>(watched)) {
    if (!rich->isReadOnly())
      cycleTextCursor(rich->textCursor(), [rich](const QTextCursor& c) { rich->setTextCursor(c); });
  } else {
    return QObject::eventFilter(watched, event);
  }
  return true;
}
