#include "trainer/startup.h"

#include "common/messagebox.h"
#include "environment/settingsstore.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

namespace {

QString joinLines(const QStringList& lines) { return lines.join(QLatin1Char('\r')); }

const QStringList kTipLines = {
    QStringLiteral("Tip:"),
    QStringLiteral("Bei den meisten Grafikkarten ändert man die Auflösung in der"),
    QStringLiteral("Systemsteuerung unter \"Anzeige\" auf Seite \"Einstellungen\"."),
};

}  // namespace

TrainerStartup::TrainerStartup(const QString& programDir, std::unique_ptr<SettingsStore> store)
    : shared_(programDir, std::move(store)) {}

QString TrainerStartup::notEnoughColorsText() {
  return joinLines(QStringList{
                       QStringLiteral("Nicht genug Farben!"),
                       QString(),
                       QStringLiteral("*zvk spanisch benötigt mehr als 256 Farben bei einer Auflösung"),
                       QStringLiteral("von (mindestens) 800 x 600 Pixel. Bitte ändern Sie die Farben"),
                       QStringLiteral("auf High Color (16 Bit) oder True-Color (24 bzw. 32 Bit)."),
                       QString(),
                   } +
                   kTipLines);
}

QString TrainerStartup::resolutionTooLowText() {
  return joinLines(QStringList{
                       QStringLiteral("Zu geringe Auflösung!"),
                       QString(),
                       QStringLiteral("*zvk spanisch benötigt eine Auflösung von 800 x 600 Pixel"),
                       QStringLiteral("bei mehr als 256 Farben (High Color oder True Color)."),
                       QStringLiteral("Bitte ändern Sie die Auflösung auf 800 x 600 Pixel."),
                       QString(),
                   } +
                   kTipLines);
}

bool TrainerStartup::run(const QStringList& arguments, const Screen& screen) {
  shared_.Begin(arguments);
  if (screen.colorBits <= 8) {
    ShowMessage(notEnoughColorsText(), MessageKind::Stop);
    return false;
  }
  if (screen.width < 800 || screen.height < 600) {
    ShowMessage(resolutionTooLowText(), MessageKind::Stop);
    return false;
  }
  return shared_.ReadSettings();
}

void TrainerStartup::ConnectVocabulary(TBibliothek& library, TXUserBase& users) {
  library.setUserBase(&users);
  users.AddLearnerSettings([&library] { library.Einstellungen.Load(); },
                           [&library] {
                             if (library.Einstellungen.Modified()) library.Einstellungen.Save();
                           },
                           false);
}

void TrainerStartup::LoadVocabularySettings(TBibliothek& library) {
  if (!library.Einstellungen.Loaded()) library.Einstellungen.Load();
}
