// zvk_s: the trainer.
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "common/pagecommandtable.h"
#include "dictionary/dictionarysearchpage.h"
#include "dictionary/txdatabase.h"
#include "environment/environment.h"
#include "environment/settingscommands.h"
#include "environment/settingsstore.h"
#include "environment/txpaths.h"
#include "lab/labcommands.h"
#include "lab/tthemenliste.h"
#include "common/messagebox.h"
#include "pages/txpage.h"
#include "trainer/shortcuts.h"
#include "sound/music.h"
#include "sound/sampleplayer.h"
#include "sound/txwavebase.h"
#include "sound/wavebasedialog.h"
#include "superlearning/gamecommands.h"
#include "superlearning/supercommands.h"
#include "superlearning/tsuperoptions.h"
#include "superlearning/tsuperpresentation.h"
#include "trainer/startup.h"
#include "trainer/tmain.h"
#include "users/logindialogs.h"
#include "users/loginflow.h"
#include "users/txuserbase.h"
#include "users/usercommands.h"
#include "verbs/tverben.h"
#include "verbs/verbcommands.h"
#include "verbs/verbfile.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/vocabularyquery.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zvk spanisch"));
  QApplication::setQuitOnLastWindowClosed(false);
  ProgramStartup::PrepareApplication();

  TrainerStartup::Screen screen;
  if (const QScreen* s = QGuiApplication::primaryScreen()) {
    screen.width = s->size().width();
    screen.height = s->size().height();
  }
  screen.colorBits = Environment::ScreenColorBits();

  TrainerStartup startup(QCoreApplication::applicationDirPath(), std::make_unique<SettingsStore>());
  if (!startup.run(app.arguments().mid(1), screen)) return 1;
  Environment& env = startup.environment();

  if (env.ShortcutRequest) {
    const QString program = QCoreApplication::applicationFilePath();
    if (AskQuestion(QStringLiteral("Soll eine Verknüpfung mit zvk spanisch auf dem Desktop erzeugt werden?")) ==
        MessageAnswer::Yes)
      Shortcuts::ManageShortcut(Shortcuts::Desktop, program, true);
    Shortcuts::ManageShortcut(Shortcuts::ApplicationsMenu, program, true);
  }

  // For measuring start-up: no login, and the end as soon as the first page is on the screen.
  const bool measuring = qEnvironmentVariableIsSet("ZVK_EXIT_AFTER_FIRST_PAGE");
  // The long-lived objects in their order: the vocabulary library and the
  // dictionary, then the user base with the login (which loads the learner's settings).
  TBibliothek library(env);
  // The dictionary, both directions, before the login.
  TXDatabase dictionary;
  dictionary.LoadBoth(env.DictionaryFile1, env.DictionaryFile2);
  // The Superlearning options (with the music) before the user base: the
  // login loads the learner's, the session's end saves them.
  TSuperOptions superOptions(env);
  TXUserBase users(env);
  TrainerStartup::ConnectVocabulary(library, users);
  superOptions.FollowLogins(users);
  QtLoginDialogs dialogs;
  TLogin login(env, users, dialogs);
  if (!measuring) login.StartLogin();
  TrainerStartup::LoadVocabularySettings(library);
  if (!users.IsLoggedIn()) superOptions.Load();
  // The language lab after the login, so that it reads the learner's settings.
  const std::unique_ptr<TThemenListe> lab = TThemenListe::Create(env);
  // The recording databases: the main one (created empty when missing) and
  // the course's; the library's texts find their recordings through both.
  startup.CreateMainRecordingDatabase();
  startup.CreateSecondaryRecordingDatabase();
  library.recordingPath = startup.shared().RecordingPaths();
  TSamplePlayer samplePlayer;
  QApplication::setApplicationName(QStringLiteral("*zvk spansich 5"));
  TMain mainWindow(env, &users, &library);
  // The subsystems' page commands; the main window has added its own and the vocabulary's.
  PageCommandTable& commands = mainWindow.Commands();
  RegisterUserCommands(commands, users, login, *mainWindow.XPage());
  RegisterRecordingCommands(commands, startup.MainRecordings(), env, &samplePlayer, &mainWindow);
  RegisterSettingsCommands(commands, env);
  TXWaveBase& mainRecordings = startup.MainRecordings();
  RegisterPathsCommand(commands, env,
                       {[&mainRecordings](const QString& dir) { return mainRecordings.HasReferencesBelow(dir); },
                        [&mainRecordings](const QString& dir) { return mainRecordings.ReplaceDirByAlias(dir); }},
                       &mainWindow);
  Shortcuts::RegisterCommands(commands);
  DictionarySearchPage dictionaryPage(dictionary, *mainWindow.XPage(), mainWindow.PageFolder(),
                                      startup.shared().RecordingPaths());
  RegisterDictionaryCommands(commands, dictionaryPage);
  // The verb trainer comes with the main window and writes on its page.
  TVerben verbs(*mainWindow.XPage(), mainWindow.PageFolder());
  verbs.Load(VerbFile::PathIn(env.ProgramDir));
  // The learner's choice of verbs and tenses, now and after every login.
  verbs.SetSelectionStore(&env.store(), [&env] { return env.UserKeyPath(); });
  verbs.RestoreSelection();
  users.AddLearnerSettings([&verbs] { verbs.RestoreSelection(); }, nullptr, false);
  RegisterVerbCommands(commands, verbs, &mainWindow);
  // The language lab writes on the main page, draws the comparison of the
  // learner's voice with the model there and hears of every recording.
  lab->SetPage(mainWindow.XPage(), mainWindow.PageFolder());
  RegisterLabCommands(commands, *lab);
  mainWindow.AddPictureSource([&lab](const QString& code, QImage& picture) { return lab->DrawPicture(code, picture); });
  mainWindow.XPage()->CreateRecorder = lab->WatchingRecorders(mainWindow.XPage()->CreateRecorder);
  mainWindow.OnRelease = [&lab] { lab->Release(); };
  lab->FollowLogins(users);
  // Superlearning: the presentations of the learning mode, with music.
  mainWindow.setMusic(&superOptions.Music());
  superOptions.Music().SetNotifyWindow(&mainWindow);
  mainWindow.OnMusicVolumeChanged = [&superOptions] { superOptions.MarkModified(); };
  TSuperPresentation presentation(superOptions, library, &samplePlayer, mainWindow.Loops());
  presentation.VolumeKeys = [&mainWindow](int key) { return mainWindow.MusicKey(key); };
  presentation.ShowVocabularyPage = [&mainWindow] {
    if (mainWindow.Query()) mainWindow.Query()->ShowVocabularyPage();
  };
  if (TVocQuery* query = mainWindow.Query()) {
    query->SpeechOutput = [&superOptions] { return superOptions.Flag(SuperOption::Sprachausgabe); };
    query->StopMusic = [&superOptions] { superOptions.Music().StopMusic(); };
  }
  presentation.ShowCoursePage = [&mainWindow](const QString& page) {
    mainWindow.XPage()->setXFile(mainWindow.PageFolder() + page);
  };
  RegisterSuperCommands(commands, presentation, superOptions, &mainWindow, presentation.ShowVocabularyPage);
  // The games play on the main page with the questions of the vocabulary query.
  std::unique_ptr<TGameCommands> games;
  if (TVocQuery* query = mainWindow.Query()) {
    games = std::make_unique<TGameCommands>(*mainWindow.XPage(), *query, library, superOptions, &samplePlayer,
                                            mainWindow.Loops(), mainWindow.PageFolder());
    games->Register(commands);
  }
  mainWindow.ShowStartPage();
  // Answers of the games and of long rounds are kept at least every two minutes.
  QTimer autosave;
  QObject::connect(&autosave, &QTimer::timeout, &autosave, [&users] { users.SaveIfDue(); });
  autosave.start(15 * 1000);

  if (measuring)
    QTimer::singleShot(0, &app, [&] { mainWindow.Beenden(); });
  const int result = QApplication::exec();
  // The library outlives the user base: its settings must not reach for it
  // any more (the end saved what was to be saved).
  if (library.Einstellungen.Modified()) library.Einstellungen.Save();
  // The learner's options went with the learner's data; anonymous ones go now.
  superOptions.SaveIfModified();
  library.setUserBase(nullptr);
  users.loadLearnerSettings = nullptr;
  users.saveLearnerSettings = nullptr;
  users.loggedOut = nullptr;
  users.anonymousEnds = nullptr;
  return result;
}
