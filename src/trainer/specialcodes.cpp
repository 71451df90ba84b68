#include "trainer/specialcodes.h"

#include "common/filelookup.h"
#include "environment/environment.h"
#include "pages/libraryutils.h"
#include "users/txuserbase.h"

bool TrainerSpecialCodes::vocabularyDirectory(const QString& name) const {
  return !env_.VocabularyDir.isEmpty() && FileLookup::dirExists(env_.VocabularyDir + name);
}

bool TrainerSpecialCodes::hasLibraries(const QString& name) const {
  return vocabularyDirectory(name) && FindFiles(env_.VocabularyDir + name, nullptr, QStringLiteral(".asc")) > 0;
}

QString TrainerSpecialCodes::extensionsText() const {
  QString text;
  for (QString name : InstalledExtensions) {
    if (name.startsWith(QLatin1String("s_"))) name.remove(0, 2);
    const qsizetype zvk = name.indexOf(QLatin1String(".zvk"));
    if (zvk >= 0) name.remove(zvk, 30);
    text += name.toLower() + QStringLiteral("<br>");
  }
  return text;
}

void TrainerSpecialCodes::Answer(QString& code) const {
  const auto yes = [](bool b) { return b ? QStringLiteral("+") : QString(); };
  if (code.startsWith(QLatin1String("program"))) code = QStringLiteral("*zvk spanisch");
  else if (code == QLatin1String("extensions")) code = extensionsText();
  else if (code == QLatin1String("wave")) code = env_.WaveDir;
  else if (code.startsWith(QLatin1String("version"))) code = VersionText();
  else if (code == QLatin1String("prgdir")) code = env_.ProgramDir;
  else if (code == QLatin1String("recht")) code = yes(vocabularyDirectory(QStringLiteral("Recht")));
  else if (code == QLatin1String("addons"))
    code = yes(vocabularyDirectory(QStringLiteral("Recht")) || vocabularyDirectory(QStringLiteral("Wirtschaft")));
  else if (code == QLatin1String("reise")) code = yes(vocabularyDirectory(QStringLiteral("Reisevokabular")));
  else if (code == QLatin1String("oberstufe")) code = yes(hasLibraries(QStringLiteral("Oberstufenwortschatz")));
  else if (code == QLatin1String("pool")) code = yes(hasLibraries(QStringLiteral("Pool")));
  else if (code == QLatin1String("wirtschaft")) code = yes(vocabularyDirectory(QStringLiteral("Wirtschaft")));
  else if (!users_ || !users_->IsLoggedIn()) code.clear();
  else if (const auto text = users_->SpecialCode(code)) code = *text;
}
