// Links and input of the page control: following targets, the mouse, keys,
// hover highlighting, hints, sounds, documents and the page-shown sequence.
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QCoreApplication>
#include <QTimer>
#include <QUrl>
#include <exception>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/pointeroverride.h"
#include "pages/boxpainter.h"
#include "pages/dragblocks.h"
#include "pages/sentenceparts.h"
#include "pages/pagepaths.h"
#include "pages/txlabel.h"
#include "pages/txpage.h"

#include "pages/pageclickguard.h"
#include "pages/pagerecorder.h"
#include "pages/txrichedit.h"

namespace {

QString withoutHint(const QString& target) {
  const qsizetype at = target.indexOf(QLatin1Char('@'));
  return at < 0 ? target : target.left(at);
}

QString hintOf(const QString& target) {
  const qsizetype at = target.indexOf(QLatin1Char('@'));
  return at < 0 ? QString() : target.mid(at + 1);
}

}  // namespace

QString TXPage::clickTarget(const QString& name, bool right) const {
  QString t = name;
  if (t.startsWith(QLatin1Char('#')) && !state_.PageAliases.IsEmpty()) t = state_.PageAliases.Value(withoutHint(t));
  t = withoutHint(t);
  const qsizetype degree = t.indexOf(QChar(0xB0));
  if (degree >= 0) t = right ? t.mid(degree + 1) : t.left(degree);
  return t;
}

void TXPage::FollowLink(const QString& target, const QRect& rect) {
  QString t = target;
  if (t.isEmpty()) return;
  // While an exercise lets events through (a reaction, a gliding block), a
  // link would change the page under it: it is followed afterwards.
  if (busy()) {
    deferred_.push_back(DeferredLink{target, rect, state_.Generation});
    return;
  }

  // A checkbox: toggled, its condition switched, the host told.
  if (t.startsWith(QLatin1Char('+')) && t.size() > 1) {
    toggleCheckBox(t.mid(1));
    return;
  }
  if (t.startsWith(QLatin1Char('?')) && t.size() > 1) {
    const QString code = t.mid(1);
    TXPage* parentPage = qobject_cast<TXPage*>(parentWidget());
    if (state_.HTMLChild && parentPage && parentPage->OnRightClick) parentPage->OnRightClick(parentPage, QRect(), code);
    else if (OnRightClick) OnRightClick(this, QRect(), code);
    return;
  }
  if (t.startsWith(QLatin1Char('#')) && !state_.PageAliases.IsEmpty()) t = state_.PageAliases.Value(t);
  if (t.left(7).compare(QLatin1String("http://"), Qt::CaseInsensitive) == 0) {
    if (!QDesktopServices::openUrl(QUrl(t)))
      ShowMessage(QStringLiteral("Internet-Verbindung konnte nicht geöffnet werden!"), MessageKind::Information);
    return;
  }
  if (t.startsWith(QStringLiteral("§"))) {
    QString code, rest;
    if (t.startsWith(QStringLiteral("§["))) {
      const qsizetype close = t.indexOf(QLatin1Char(']'));
      code = close < 0 ? t.mid(2) : t.mid(2, close - 2);
      rest = close < 0 ? QString() : t.mid(close + 1);
    } else {
      code = t.mid(1);
    }
    if ((code == QLatin1String("rec") || code == QLatin1String("play")) && recorder_) {
      recorder_->HandleLink(code);
      return;
    }
    if (code.startsWith(QLatin1String("mchx"))) {
      answerMultipleChoice(code.mid(4));
      return;
    }
    runHostCommand(code);
    if (rest.isEmpty()) return;
    t = rest;
  }
  if (t.startsWith(QLatin1Char('@'))) {
    const QString hint = t.mid(1);
    if (!hintLabel_->isHidden() && hintLabel_->Caption() == hint) {
      HideHint();
    } else {
      ShowHint(hint, rect.translated(0, -state_.Layout.ScrollPosition));
      setFocus();
    }
    return;
  }
  if (t.compare(QLatin1String("EX"), Qt::CaseInsensitive) == 0) {
    poseExercise();
    return;
  }
  if (t == QLatin1String("END")) {
    // The host ends in order (the learner's data is saved); without a host the window closes.
    if (OnEnd) OnEnd(this);
    else window()->close();
    return;
  }
  if (t == QLatin1String("-")) {
    // Back: the page before the current one, if there is one.
    QStringList& history = state_.History;
    if (history.size() < 2) return;
    history.removeLast();
    const QString previous = history.takeLast();
    setXFile(previous);
    return;
  }
  if (t == QLatin1String("+") && !state_.Exercises.WeiterTarget.isEmpty()) {
    setXFile(state_.Exercises.WeiterTarget);
    return;
  }
  if (t.left(2).compare(QLatin1String("EX"), Qt::CaseInsensitive) == 0 && t.size() > 2) {
    followExerciseCall(t);
    return;
  }
  for (const char* ext : {".htx", ".hzvk", ".html", ".zvk"}) {
    if (t.endsWith(QLatin1String(ext))) {
      setXFile(t);
      return;
    }
  }
  if (t.endsWith(QLatin1String(".wav")) || t.endsWith(QLatin1String(".mp3"))) {
    QString path = ResolvePath(t);
    if (path.startsWith(QLatin1Char('*'))) path.remove(0, 1);
    if (FileLookup::fileExists(path)) playSound(FileLookup::locate(path));
    return;
  }
  if (t.endsWith(QLatin1String(".pdf")) || t.endsWith(QLatin1String(".exe"))) openDocument(t);
}

void TXPage::runHostCommand(const QString& code) {
  // Input is off while the host works; a click meanwhile is not followed.
  // Whatever happens in the host, input and the cursor come back.
  inputOn_ = false;
  commandRunning_ = true;
  // A presentation the command starts sets a pointer of its own over this one.
  const PointerOverride hourglass(Qt::WaitCursor);
  struct Restore {
    TXPage& page;
    ~Restore() {
      page.commandRunning_ = false;
      page.inputOn_ = true;
    }
  } restore{*this};
  // A host command that fails is reported, not hidden: the learner learns
  // that the click did not do its work.
  const auto report = [&code](const QString& reason) {
    ShowMessage(QStringLiteral("Der Befehl \u201E%1\u201C konnte nicht ausgeführt werden.%2")
                    .arg(code, reason.isEmpty() ? QString() : QStringLiteral("\n") + reason),
                MessageKind::Stop);
  };
  try {
    if (OnCommand) OnCommand(this, code);
  } catch (const std::exception& e) {
    report(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    report(QString());
  }
}

void TXPage::toggleCheckBox(const QString& name) {
  for (TCheckBox& box : state_.Elements.CheckBoxes) {
    if (box.Name.compare(name, Qt::CaseInsensitive) != 0) continue;
    box.Checked = !box.Checked;
    if (box.X >= 0) {
      PaintCheckBox(buffer_, box);
      update(QRect(box.X, box.Y - state_.Layout.ScrollPosition, box.Width + 1, box.Height + 1));
    }
    state_.SetCondition(name, box.Checked);
    if (OnCommand) OnCommand(this, (box.Checked ? QStringLiteral("+") : QStringLiteral("-")) + name);
    return;
  }
}

void TXPage::playSound(const QString& path) {
  if (!SoundCommand) return;
  SoundCommand(QStringLiteral("close welle"), true);
  const QString answer = SoundCommand(QStringLiteral("open \"") + path + QStringLiteral("\" alias welle"), false);
  if (answer.startsWith(QLatin1String("Error"))) return;
  SoundCommand(QStringLiteral("play welle from 0"), false);
}

void TXPage::openDocument(const QString& target) {
  QString path = ResolvePath(target);
  if (path.startsWith(QLatin1Char('*'))) path.remove(0, 1);
  const QString found = FileLookup::locate(path);
  if (found.isEmpty() || !QFileInfo(found).isFile()) {
    ShowMessage(path + QStringLiteral(" konnte nicht gefunden werden!"), MessageKind::Stop);
    return;
  }
  // Programs are never started; documents open with the desktop's own handler.
  const bool program = target.endsWith(QLatin1String(".exe"));
  if (program || !QDesktopServices::openUrl(QUrl::fromLocalFile(found)))
    ShowMessage(path + QStringLiteral(" konnte nicht geöffnet werden!"), MessageKind::Information);
}

void TXPage::followExerciseCall(const QString& target) {
  const qsizetype ex = target.indexOf(QLatin1String("EX "), 0, Qt::CaseInsensitive);
  if (ex < 0) {
    ShowMessage(QStringLiteral("EX nicht gefunden"), MessageKind::Information);
    return;
  }
  const auto valueOf = [&](const QString& key) -> std::optional<QString> {
    const qsizetype at = target.indexOf(key, 0, Qt::CaseInsensitive);
    if (at < 0) return std::nullopt;
    QString v = target.mid(at + key.size());
    const qsizetype blank = v.indexOf(QLatin1Char(' '));
    return blank < 0 ? v : v.left(blank);
  };
  TExerciseCollection& c = state_.Exercises;
  if (const auto pick = valueOf(QStringLiteral("PICK="))) {
    bool ok = false;
    const int n = pick->toInt(&ok);
    c.ExercisePick = ok ? n : -1;
  } else {
    c.ExercisePick = -1;
  }
  const QString file = valueOf(QStringLiteral("FILE=")).value_or(QString());
  if (file.isEmpty()) {
    ShowMessage(QStringLiteral("FILE= nicht gefunden"), MessageKind::Information);
    return;
  }
  QString weiter = valueOf(QStringLiteral("WEITER=")).value_or(QStringLiteral("#weiter"));
  if (weiter.startsWith(QLatin1Char('#')) && !state_.PageAliases.IsEmpty()) weiter = state_.PageAliases.Value(weiter);
  if (!state_.CurrentFile.isEmpty()) state_.History.append(state_.CurrentFile);
  if (!file.endsWith(QLatin1String(".zvk"), Qt::CaseInsensitive)) return;
  c.RecentlyPosed.clear();
  c.WeiterTarget = weiter;
  // Loading the collection poses its first exercise (collectionLoaded).
  linkPick_ = c.ExercisePick;
  loader_.LoadPage(file, true);
  linkPick_ = -1;
}

void TXPage::pageShown() {
  inputOn_ = false;
  clickGuard_->PageChanged();
  if (waitTimer_) waitTimer_->stop();
  highlighted_ = -1;
  lastAnker_.clear();
  lastHint_.clear();
  lastReportedHint_.clear();
  if (OnFileChange) OnFileChange(this);
  state_.Layout.ScrollPosition = 0;
  ShowPage();
  unsetCursor();
  reportBadLink();
  if (mouseInside_) hover(lastMouse_);
  if (state_.WaitTime > 0 && !state_.WaitTarget.isEmpty()) waitTimer_->start(state_.WaitTime);
  QCoreApplication::processEvents();
  inputOn_ = true;
}

void TXPage::reportBadLink() {
  if (!OnBadLink) return;
  const PageElements& e = state_.Elements;
  for (const tNamedRect& r : e.Links.Rects) {
    const QString full = e.Links.Names.value(r.NameIndex);
    if (full.isEmpty()) {
      OnBadLink(this, QStringLiteral("(leeres Ziel)"));
      return;
    }
    QString t = withoutHint(full);
    if (t.isEmpty() || t.startsWith(QLatin1Char('%'))) continue;
    if (t.startsWith(QLatin1Char('#'))) {
      t = withoutHint(state_.PageAliases.Value(t));
      if (t.isEmpty()) continue;
    }
    if (t.startsWith(QStringLiteral("§["))) {
      const qsizetype close = t.indexOf(QLatin1Char(']'));
      t = close < 0 ? QString() : t.mid(close + 1);
      if (t.isEmpty()) continue;
    }
    t = clickTarget(t, false);
    if (t.startsWith(QStringLiteral("§")) || t.startsWith(QLatin1String("http:")) || t.startsWith(QLatin1Char('-')))
      continue;
    // Checkbox toggles, hint links, exercise calls and the program's end name no file.
    if (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('?')) || t.startsWith(QLatin1Char('@')) ||
        t.left(2).compare(QLatin1String("EX"), Qt::CaseInsensitive) == 0 || t == QLatin1String("END"))
      continue;
    QString path = ResolvePath(t);
    if (path.startsWith(QLatin1Char('*'))) path.remove(0, 1);
    if (!FileLookup::fileExists(path)) {
      OnBadLink(this, full);
      return;
    }
  }
}

int TXPage::rectAt(const QPoint& view) const {
  const QPoint doc = view + QPoint(0, state_.Layout.ScrollPosition);
  const auto& rects = state_.Elements.Links.Rects;
  for (size_t i = 0; i < rects.size(); ++i)
    if (rects[i].Rect.contains(doc)) return static_cast<int>(i);
  return -1;
}

std::vector<int> TXPage::groupOf(int rect) const {
  // Consecutive rectangles with the same target name and consecutive elements form one link.
  const auto& rects = state_.Elements.Links.Rects;
  const auto sameLink = [&](int a, int b) {
    const tNamedRect& x = rects[static_cast<size_t>(a)];
    const tNamedRect& y = rects[static_cast<size_t>(b)];
    return x.NameIndex == y.NameIndex && x.Highlight && y.Highlight && x.Element >= 0 && y.Element >= 0 &&
           std::abs(x.Element - y.Element) <= 2;
  };
  int first = rect;
  while (first > 0 && sameLink(first - 1, first)) --first;
  std::vector<int> group{first};
  for (int i = first; i + 1 < static_cast<int>(rects.size()) && sameLink(i, i + 1); ++i) group.push_back(i + 1);
  return group;
}

void TXPage::setHighlighted(int rect) {
  if (overlayOn_ && rect >= 0) return;
  if (rect == highlighted_) return;
  const auto& rects = state_.Elements.Links.Rects;
  for (int old : highlighted_ >= 0 ? groupOf(highlighted_) : std::vector<int>{})
    update(rects[static_cast<size_t>(old)].Rect.translated(0, -state_.Layout.ScrollPosition));
  highlighted_ = rect;
  for (int now : rect >= 0 ? groupOf(rect) : std::vector<int>{})
    update(rects[static_cast<size_t>(now)].Rect.translated(0, -state_.Layout.ScrollPosition));
}

void TXPage::hover(const QPoint& view) {
  lastMouse_ = view;
  const int r = rectAt(view);
  const auto& links = state_.Elements.Links;
  QString full = r >= 0 ? links.Names.value(links.Rects[static_cast<size_t>(r)].NameIndex) : QString();
  QString target = withoutHint(full);
  const QString hint = hintOf(full);

  // Host commands may be changed by the host before the cursor is chosen.
  if (target.startsWith(QStringLiteral("§")) && OnMoveCommand) OnMoveCommand(this, target);
  const QPoint doc = view + QPoint(0, state_.Layout.ScrollPosition);
  bool movable = DragBlocks::BlockAt(state_.Elements.Drag, doc) >= 0;
  for (const TSentence& sentence : state_.Elements.Sentences)
    if (!movable && SentenceParts::PartAt(sentence, doc) >= 0) movable = true;
  if (movable) setCursor(Qt::OpenHandCursor);
  else if (!target.isEmpty() && target != QLatin1String("%")) setCursor(Qt::PointingHandCursor);
  else unsetCursor();

  // Highlight only rectangles with images, and only real targets.
  int group = -1;
  if (r >= 0 && links.Rects[static_cast<size_t>(r)].Highlight && !target.isEmpty() && target != QLatin1String("%"))
    group = groupOf(r).front();
  setHighlighted(group);

  if (target != lastAnker_ || hint != lastHint_) {
    lastAnker_ = target;
    lastHint_ = hint;
    const bool quiet = target.startsWith(QLatin1Char('@')) || target == QLatin1String("+") ||
                       target == QLatin1String("%") || target == QLatin1String("-") ||
                       target.compare(QLatin1String("ex"), Qt::CaseSensitive) == 0 ||
                       target.startsWith(QLatin1String("EX"));
    if (!quiet && OnAnkerChange) OnAnkerChange(this, target);
    const qsizetype degree = hint.indexOf(QChar(0xB0));
    if (!target.isEmpty() && degree >= 0 && hint.mid(degree + 1).endsWith(QLatin1String(".wav"), Qt::CaseInsensitive) &&
        PlaySoundAsync) {
      const QString sound = FileLookup::locate(state_.XPath + FileLookup::nativePath(hint.mid(degree + 1)));
      if (!sound.isEmpty()) PlaySoundAsync(sound);
    }
    if (OnHintChange && state_.Elements.DestRect) {
      if (hint != lastReportedHint_ && !hint.startsWith(QChar(0xB0))) {
        lastReportedHint_ = hint;
        OnHintChange(this, hint);
      }
    } else {
      CancelTooltip();
      if (!hint.isEmpty() && !hint.startsWith(QChar(0xB0)) && !target.isEmpty()) ScheduleTooltip(hint, view);
    }
  }
}

void TXPage::mousePressEvent(QMouseEvent* event) {
  if (!inputOn_ || ReactionRunning() || busy() || Dragging()) return;
  const QPoint at = event->position().toPoint();
  pressedRect_ = rectAt(at);
  const auto& links = state_.Elements.Links;
  if (event->button() == Qt::LeftButton) {
    if (pressedRect_ >= 0) {
      const QString full = links.Names.value(links.Rects[static_cast<size_t>(pressedRect_)].NameIndex);
      const QString target = withoutHint(full);
      const QString hint = hintOf(full);
      if ((target.isEmpty() || target == QLatin1String("%")) && !hint.isEmpty())
        FollowLink(QLatin1Char('@') + hint, links.Rects[static_cast<size_t>(pressedRect_)].Rect);
    } else {
      HideHint();
      if (state_.HTMLChild) hide();
      else startDrag(at);
    }
  } else if (event->button() == Qt::RightButton) {
    QRect wordRect;
    const QString word =
        state_.Layout.Words.WordAt(at + QPoint(0, state_.Layout.ScrollPosition), &wordRect);
    if (!word.isEmpty() && OnRightClick) OnRightClick(this, wordRect.translated(0, -state_.Layout.ScrollPosition), word);
  }
}

void TXPage::mouseReleaseEvent(QMouseEvent* event) {
  if (!inputOn_ || ReactionRunning() || busy()) return;
  const QPoint at = event->position().toPoint();
  if (Dragging()) {
    if (event->button() == Qt::LeftButton) endDrag(at);
    return;
  }
  const int r = rectAt(at);
  const auto& links = state_.Elements.Links;
  if (r >= 0 && (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)) {
    const QString name = links.Names.value(links.Rects[static_cast<size_t>(r)].NameIndex);
    const QRect rect = links.Rects[static_cast<size_t>(r)].Rect;
    FollowLink(clickTarget(name, event->button() == Qt::RightButton), rect);
    return;
  }
  // A click on free page area follows the page's ONCLICK target.
  if (event->button() == Qt::LeftButton && !state_.ClickTarget.isEmpty()) FollowLink(state_.ClickTarget);
}

void TXPage::mouseMoveEvent(QMouseEvent* event) {
  mouseInside_ = true;
  if (!inputOn_ || ReactionRunning() || busy()) return;
  if (Dragging()) {
    if (event->buttons() & Qt::LeftButton) dragTo(event->position().toPoint());
    return;
  }
  hover(event->position().toPoint());
}

void TXPage::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  mouseInside_ = false;
  setHighlighted(-1);
  CancelTooltip();
}

void TXPage::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (!state_.EnterTarget.isEmpty()) {
      const QString target = state_.EnterTarget;
      state_.EnterTarget.clear();  // one use
      FollowLink(clickTarget(target, false));
    }
    return;
  }
  const QString text = event->key() == Qt::Key_Escape ? QString(QChar(27)) : event->text();
  if (text.size() == 1 && state_.KeyLinks.Contains(text)) {
    FollowLink(clickTarget(state_.KeyLinks.Value(text), false));
    return;
  }
  QWidget::keyPressEvent(event);
}

void TXPage::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (Dragging()) return;
  for (TXRichEdit* e : gapEditors_) {
    if (e->isVisible() && !e->Done()) {
      e->setFocus();
      return;
    }
  }
}

bool TXPage::focusNextPrevChild(bool) { return false; }  // arrows and Tab belong to the page
