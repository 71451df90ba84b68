#pragma once

#include <QString>
#include <functional>
#include <memory>

class TBibliothek;
class TRes;
class TVocQuery;
class TXPage;
class TXPageQueryPage;

// The editor's preview of a record as the trainer asks it: a typing task, a
// multiple-choice task or a context gap, on a page control that covers the
// record list. The preview's own pages offer only "close" and "solve"; an
// answer given on them shows the right or wrong page as in the trainer, but
// nothing is recorded in any learner's history.
class TEditorPreview {
 public:
  enum Kind { Typing = 0, MultipleChoice = 1, Context = 2 };

  // pageFolder: the course's page folder (ends with "/"); reserve may be null.
  TEditorPreview(TBibliothek& library, const TRes* reserve, TXPage& page, QString pageFolder);
  ~TEditorPreview();

  // The key of a preview (F9, F10, F11) for the current record: shows the
  // preview, or hides it when the same preview of the same record is shown
  // and not answered yet. An incomplete record gets no preview.
  void Key(Kind kind);
  // Builds the preview of the current record; false (and hidden) when the
  // record is incomplete or, for the context kind, has no usable context.
  bool Show(Kind kind);
  void Hide();
  bool Visible() const;
  Kind ShownKind() const { return kind_; }
  int ShownRecord() const { return record_; }
  bool Answered() const { return answered_; }

  // A command of the preview's page.
  void Command(const QString& command);
  // The page reports its exercise solved.
  void PageSolved() { answered_ = true; }
  // The current record is another one now: the preview follows it, or goes
  // when the new record is incomplete.
  void CurrentChanged();

  // Whether a text after "vokabel" is an answer code of the preview's
  // pages: "+", "-", "#" + checks + "+" or "-", "[~" + option + "]" + "+" or "-".
  static bool IsAnswerCode(const QString& code);

  // The preview went while it had the keyboard: where the keys go now.
  std::function<void()> OnFocusReturn;

 private:
  bool build(bool report, bool takeFocus);

  TBibliothek& library_;
  TXPage& page_;
  QString folder_;
  std::unique_ptr<TXPageQueryPage> queryPage_;
  std::unique_ptr<TVocQuery> query_;
  Kind kind_ = Typing;
  int record_ = -1;
  bool answered_ = false;
};
