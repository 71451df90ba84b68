// pflege_s: the editor of the vocabulary libraries.
#include <QApplication>
#include <QSessionManager>

#include "dictionary/txdatabase.h"
#include "editor/tveditor.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "sound/sampleplayer.h"
#include "startup/programstartup.h"
#include "users/logindialogs.h"
#include "users/loginflow.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tres.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("*zvk editor"));
  ProgramStartup::PrepareApplication();

  ProgramStartup startup(QCoreApplication::applicationDirPath(), std::make_unique<SettingsStore>());
  startup.Begin(app.arguments().mid(1));
  if (!startup.ReadSettings()) return 1;
  Environment& env = startup.environment();

  // The one library; a learner's login only brings the learner's scores.
  TBibliothek library(env);
  TXUserBase users(env);
  library.setUserBase(&users);
  QtLoginDialogs dialogs;
  TLogin login(env, users, dialogs);
  const TRes reserve;
  startup.CreateMainRecordingDatabase();
  startup.CreateSecondaryRecordingDatabase();
  library.recordingPath = startup.RecordingPaths();
  TSamplePlayer player;
  // The dictionary, loaded once; the editor's dictionary window saves it at the end.
  TXDatabase dictionary;
  dictionary.LoadBoth(env.DictionaryFile1, env.DictionaryFile2);

  TVEditor::Services services{env,     library, users, login, dictionary, startup.MainRecordings(), startup.Recordings(),
                              &player, &reserve};
  int result = 0;
  {
    TVEditor editor(services);
    // The desktop ending its session asks the same questions as closing the
    // window; Cancel keeps the session (where the desktop allows it).
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &editor, [&editor](QSessionManager& manager) {
      if (!manager.allowsInteraction()) return;
      if (!editor.Finish()) manager.cancel();
      manager.release();
    });
    editor.show();
    result = QApplication::exec();
    editor.Finish();  // nothing more to ask when the window was closed
  }
  library.setUserBase(nullptr);
  return result;
}
