#include "verbs/txverben.h"

#include <QDir>

#include "common/messagebox.h"
#include "verbs/verbfile.h"

QString TXVerben::NotOpenedText(const QString& path) {
  return QStringLiteral("Verben konnten nicht geöffnet werden: ") + QDir::toNativeSeparators(path) +
         QStringLiteral("!!!");
}

bool TXVerben::Load(const QString& path) {
  std::optional<std::vector<TVerb>> verbs = VerbFile::Read(path);
  if (!verbs) {
    verbs_.clear();
    ShowMessage(NotOpenedText(path));
    return false;
  }
  verbs_ = std::move(*verbs);
  return true;
}

const TVerb* TXVerben::Verb(int n) const {
  return n >= 0 && n < Count() ? &verbs_[static_cast<size_t>(n)] : nullptr;
}

TVerb* TXVerben::Verb(int n) { return n >= 0 && n < Count() ? &verbs_[static_cast<size_t>(n)] : nullptr; }
