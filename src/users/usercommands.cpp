#include "users/usercommands.h"

#include "common/pagecommandtable.h"
#include "pages/txpage.h"
#include "users/loginflow.h"
#include "users/txuserbase.h"

void RegisterUserCommands(PageCommandTable& table, TXUserBase& users, TLogin& login, TXPage& page) {
  using T = PageCommandTable;
  table.Add(52, T::Exact(QStringLiteral("chpw")), [&users, &login](const QString&) {
    if (users.IsLoggedIn()) login.ChangePassword();
  });
  table.Add(53, T::Exact(QStringLiteral("stats")), [&users](const QString&) {
    if (users.IsLoggedIn()) users.ComputeStatistics();
  });
  const auto refresh = [&users, &page] {
    page.SetCondition(QStringLiteral("login"), users.IsLoggedIn());
    if (!page.state().CurrentFile.isEmpty()) page.setXFile(page.state().CurrentFile);
  };
  table.Add(54, T::Exact(QStringLiteral("login")), [&login, refresh](const QString&) {
    login.StartLogin();
    refresh();
  });
  table.Add(55, T::Exact(QStringLiteral("newusr")), [&login, refresh](const QString&) {
    login.NewUser();
    refresh();
  });
  table.Add(56, T::Exact(QStringLiteral("chusr")), [&login, refresh](const QString&) {
    login.ChangeUser();
    refresh();
  });
}
