#include "vocabulary/txpagequerypage.h"

#include "pages/txpage.h"

void TXPageQueryPage::SetVariable(const QString& name, const QString& value) { page_.SetVariable(name, value); }

void TXPageQueryPage::SetCondition(const QString& name, bool on) { page_.SetCondition(name, on); }

void TXPageQueryPage::ShowPage(const QString& fileName) { page_.setXFile(folder_ + fileName); }

bool TXPageQueryPage::PageVisible() const { return page_.isVisible(); }
