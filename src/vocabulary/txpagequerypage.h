#pragma once

#include <QString>

#include "vocabulary/vocabularyquery.h"

class TXPage;

// The query pages on a page control: variables and conditions go to the
// page, and page files are shown from one page folder (the trainer's
// "hzvk/" below PageRoot; the editor's previews use their own).
class TXPageQueryPage : public TQueryPage {
 public:
  // pageFolder ends with "/".
  TXPageQueryPage(TXPage& page, QString pageFolder) : page_(page), folder_(std::move(pageFolder)) {}

  void SetVariable(const QString& name, const QString& value) override;
  void SetCondition(const QString& name, bool on) override;
  void ShowPage(const QString& fileName) override;
  bool PageVisible() const override;

 private:
  TXPage& page_;
  QString folder_;
};
