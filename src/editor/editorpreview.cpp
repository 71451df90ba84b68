#include "editor/editorpreview.h"

#include <QApplication>
#include <QRegularExpression>

#include "common/messagebox.h"
#include "editor/editortexts.h"
#include "pages/txpage.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/txpagequerypage.h"
#include "vocabulary/vocabularyquery.h"

TEditorPreview::TEditorPreview(TBibliothek& library, const TRes* reserve, TXPage& page, QString pageFolder)
    : library_(library), page_(page), folder_(std::move(pageFolder)) {
  queryPage_ = std::make_unique<TXPageQueryPage>(page_, folder_);
  query_ = std::make_unique<TVocQuery>(library_, reserve, queryPage_.get());
  page_.hide();
}

TEditorPreview::~TEditorPreview() = default;

bool TEditorPreview::Visible() const { return page_.isVisible(); }

void TEditorPreview::Key(Kind kind) {
  if (Visible() && kind == kind_ && record_ == library_.Current && !answered_) {
    Hide();
    return;
  }
  Show(kind);
}

bool TEditorPreview::Show(Kind kind) {
  kind_ = kind;
  record_ = library_.Current;
  answered_ = false;
  if (!build(true, true)) {
    Hide();
    return false;
  }
  return true;
}

bool TEditorPreview::build(bool report, bool takeFocus) {
  const TVokabel* record = library_.Item(-1);
  if (!record || record->IsEmpty()) {
    if (report) ShowMessage(EditorTexts::kIncompleteRecord);
    return false;
  }
  query_->PreparePreview(*record);
  if (kind_ == Context && !query_->BuildContextTask()) {
    if (report) ShowMessage(EditorTexts::kNoContext, MessageKind::Stop);
    return false;
  }
  page_.show();
  page_.raise();
  // The page takes the keys: the answers' numbers, Enter and Esc.
  if (takeFocus) page_.setFocus();
  switch (kind_) {
    case Typing:
      query_->BuildTypingTask();
      queryPage_->ShowPage(QStringLiteral("_ed_ein.htx"));
      break;
    case MultipleChoice:
      query_->BuildMultipleChoice();
      queryPage_->ShowPage(QStringLiteral("_ed_mch.htx"));
      break;
    case Context:
      queryPage_->ShowPage(QStringLiteral("_ed_ktx.htx"));
      break;
  }
  return true;
}

void TEditorPreview::Hide() {
  if (!Visible()) return;
  QWidget* focus = QApplication::focusWidget();
  const bool hadFocus = focus && (focus == &page_ || page_.isAncestorOf(focus));
  page_.hide();
  if (hadFocus && OnFocusReturn) OnFocusReturn();
}

bool TEditorPreview::IsAnswerCode(const QString& code) {
  static const QRegularExpression answer(QStringLiteral("^(?:#[0-9]+|\\[~[0-9]+\\])?[+-]$"));
  return answer.match(code).hasMatch();
}

void TEditorPreview::Command(const QString& command) {
  const QString c = command.trimmed().toLower();
  if (c == QLatin1String("close")) {
    Hide();
  } else if (c == QLatin1String("solve")) {
    if (answered_) {
      Show(kind_);
    } else {
      page_.ShowSolutions();
      answered_ = true;
    }
  } else if (c.startsWith(QLatin1String("vokabel")) && !c.startsWith(QLatin1String("vokabel%"))) {
    // Only the answers of the preview's own tasks: a copied link of the
    // trainer ("vokabelweiter") has no meaning here.
    const QString code = command.trimmed().mid(7);
    if (!IsAnswerCode(code)) return;
    query_->PreviewAnswer(code);
    answered_ = true;
  }
}

void TEditorPreview::CurrentChanged() {
  if (!Visible()) return;
  // Following the records asks nothing: a record the preview cannot show
  // (incomplete, or without a context for the context task) closes it.
  record_ = library_.Current;
  answered_ = false;
  // The keys stay where they are: with the page only when it had them.
  QWidget* focus = QApplication::focusWidget();
  const bool hadFocus = focus && (focus == &page_ || page_.isAncestorOf(focus));
  if (!build(false, hadFocus)) Hide();
}
