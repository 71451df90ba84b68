#include "pages/exercisecollection.h"

#include "common/random.h"
#include "common/textcodec.h"

void TExerciseCollection::Clear() {
  Header.clear();
  Exercises.clear();
  Footer.clear();
  FilePick = 0;
  RecentlyPosed.clear();
  Current = -1;
}

TExerciseCollection::LoadResult TExerciseCollection::Load(const QByteArray& bytes) {
  if (!bytes.startsWith("ZVK!")) return LoadResult::WrongFormat;
  Clear();
  const QByteArray digits = bytes.mid(4, 2);
  bool ok = false;
  FilePick = digits.size() == 2 ? digits.toInt(&ok) : 0;
  if (!ok) FilePick = 0;

  const QString text = Cp1252::decode(bytes.mid(6));
  const QLatin1String open("<EX>"), close("</EX>");
  qsizetype at = text.indexOf(open, 0, Qt::CaseInsensitive);
  if (at < 0) {
    Header = text;
    return LoadResult::Loaded;
  }
  Header = text.left(at);
  at += open.size();
  const qsizetype end = text.indexOf(close, at, Qt::CaseInsensitive);
  const QString body = end < 0 ? text.mid(at) : text.mid(at, end - at);
  if (end >= 0) Footer = text.mid(end + close.size());
  qsizetype start = 0;
  while (true) {
    const qsizetype next = body.indexOf(open, start, Qt::CaseInsensitive);
    if (next < 0) {
      Exercises.append(body.mid(start));
      break;
    }
    Exercises.append(body.mid(start, next - start));
    start = next + open.size();
  }
  return LoadResult::Loaded;
}

QByteArray TExerciseCollection::ToFileBytes() const {
  QString text = Header;
  for (const QString& e : Exercises) text += QStringLiteral("<EX>") + e;
  if (!Exercises.isEmpty()) text += QStringLiteral("</EX>");
  text += Footer;
  return QByteArray("ZVK!") + QByteArray::number(qBound(0, FilePick, 99)).rightJustified(2, '0') +
         Cp1252::encode(text);
}

QString TExerciseCollection::ExercisePage(int index) const {
  if (index < 0 || index >= Exercises.size()) return {};
  return Header + Exercises[index] + Footer;
}

int TExerciseCollection::PoseNext() {
  if (Exercises.isEmpty()) return -1;
  --ExercisePick;
  QList<int> fresh;
  for (int i = 0; i < Exercises.size(); ++i)
    if (!RecentlyPosed.contains(i)) fresh.append(i);
  int index = -1;
  if (!fresh.isEmpty()) {
    index = fresh[Random::below(static_cast<int>(fresh.size()))];
  } else {
    // Every exercise was posed lately: the one posed longest ago comes again.
    for (int recent : RecentlyPosed) {
      if (recent >= 0 && recent < Exercises.size()) {
        index = recent;
        break;
      }
    }
    RecentlyPosed.removeAll(index);
  }
  RecentlyPosed.append(index);
  while (RecentlyPosed.size() > kRecentCount) RecentlyPosed.removeFirst();
  Current = index;
  return index;
}
